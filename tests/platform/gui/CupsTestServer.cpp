#include "CupsTestServer.h"

#include <cups/cups.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const Ppd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "ORVTEST.PPD"
*Manufacturer: "Orvanta"
*Product: "(Test Printer)"
*ModelName: "Orvanta Test Printer"
*ShortNickName: "Orvanta Test Printer"
*NickName: "Orvanta Test Printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter: "application/pdf 0 -"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize A3/A3: "<</PageSize[842 1191]>>setpagedevice"
*PageSize Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion A3/A3: "<</PageSize[842 1191]>>setpagedevice"
*PageRegion Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "12 12 583 830"
*ImageableArea A3/A3: "12 12 830 1179"
*ImageableArea Letter/Letter: "12 12 600 780"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension A3/A3: "842 1191"
*PaperDimension Letter/Letter: "612 792"
*OpenUI *InputSlot/Paper Source: PickOne
*OrderDependency: 20 AnySetup *InputSlot
*DefaultInputSlot: Lower
*InputSlot Upper/Upper: "<</MediaPosition 0>>setpagedevice"
*InputSlot Lower/Lower: "<</MediaPosition 1>>setpagedevice"
*CloseUI: *InputSlot
*OpenUI *Duplex/Two-Sided: PickOne
*OrderDependency: 30 AnySetup *Duplex
*DefaultDuplex: DuplexNoTumble
*Duplex None/Off: "<</Duplex false>>setpagedevice"
*Duplex DuplexNoTumble/Long Edge: "<</Duplex true/Tumble false>>setpagedevice"
*Duplex DuplexTumble/Short Edge: "<</Duplex true/Tumble true>>setpagedevice"
*CloseUI: *Duplex
*DefaultFont: Courier
*Font Courier: Standard "(002.004S)" Standard ROM
)PPD";

// The device of both queues: each job's document, unchanged, into "<device file>-<job number>".
const char* const Backend = R"(#!/bin/sh
[ $# -eq 0 ] && exit 0
out="${DEVICE_URI#tofile:}-$1"
if [ -n "$6" ]; then cat "$6" > "$out"; else cat > "$out"; fi
)";

void WriteText(const fs::path& file, const String& text, fs::perms perms = fs::perms(0644)) {
    std::ofstream(file, std::ios::binary) << text;
    fs::permissions(file, perms);
}

String ReadBytes(const fs::path& file) {
    std::ifstream f(file, std::ios::binary);
    return String(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

String& SharedProblem() {
    static String problem;
    return problem;
}

ipp_t* JobsRequest(const char* which) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, which);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
    return cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
}

} // namespace

TCupsTestServer* TCupsTestServer::Shared() {
    static TCupsTestServer* server = [] {
        auto* s = new TCupsTestServer();
        if (s->Running()) return s;
        delete s;
        return static_cast<TCupsTestServer*>(nullptr);
    }();
    static const struct TStopAtExit {
        ~TStopAtExit() {
            if (server) server->Stop();
        }
    } stopAtExit;
    return server;
}

const String& TCupsTestServer::Problem() {
    return SharedProblem();
}

TCupsTestServer::TCupsTestServer() {
    if (const char* previous = std::getenv("CUPS_SERVER")) FPreviousServer = previous;
    if (!Start()) Stop();
}

TCupsTestServer::~TCupsTestServer() {
    Stop();
    if (FPreviousServer.empty())
        ::unsetenv("CUPS_SERVER");
    else
        ::setenv("CUPS_SERVER", FPreviousServer.c_str(), 1);
    cupsSetServer(FPreviousServer.empty() ? nullptr : FPreviousServer.c_str());
    std::error_code ec;
    if (!FDir.empty()) fs::remove_all(FDir, ec);
}

bool TCupsTestServer::Start() {
    if (!fs::exists("/usr/sbin/cupsd") || !fs::exists("/usr/lib/cups/daemon/cups-exec")) {
        SharedProblem() = "cupsd is not installed (cups-daemon)";
        return false;
    }
    char pattern[] = "/tmp/orv-cups-XXXXXX";
    if (!::mkdtemp(pattern)) {
        SharedProblem() = "no temporary folder";
        return false;
    }
    FDir = pattern;
    const fs::path dir(FDir);
    // Filters and the backend run as another user when the server runs as root.
    fs::permissions(dir, fs::perms(0755));
    for (const char* sub :
         {"spool", "tmp", "cache", "state", "ppd", "out", "bin", "bin/daemon", "bin/backend"})
        fs::create_directory(dir / sub);
    fs::permissions(dir / "out", fs::perms(0777));
    fs::create_symlink("/usr/lib/cups/daemon/cups-exec", dir / "bin/daemon/cups-exec");
    WriteText(dir / "bin/backend/tofile", Backend, fs::perms(0700));
    FSocket = FDir + "/cups.sock";
    WriteText(dir / "cups-files.conf",
              "FileDevice Yes\nServerRoot " + FDir + "\nRequestRoot " + FDir + "/spool\nTempDir " + FDir +
                  "/tmp\nCacheDir " + FDir + "/cache\nStateDir " + FDir + "/state\nServerBin " + FDir +
                  "/bin\nDataDir /usr/share/cups\nAccessLog " + FDir + "/access_log\nErrorLog " + FDir +
                  "/error_log\nPageLog " + FDir + "/page_log\nPrintcap " + FDir + "/printcap\n");
    WriteText(
        dir / "cupsd.conf",
        "Listen " + FSocket +
            "\nLogLevel info\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
            "PreserveJobHistory Yes\nMaxJobs 0\n"
            "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
            "<Policy default>\nJobPrivateValues none\n<Limit All>\nOrder allow,deny\nAllow all\n</Limit>\n"
            "</Policy>\n");
    WriteText(dir / "ppd" / (String(PaperQueue) + ".ppd"), Ppd);
    WriteText(dir / "printers.conf", "<Printer " + String(PaperQueue) +
                                         ">\nInfo Paper\nDeviceURI tofile:" + FDir + "/out/" + PaperQueue +
                                         "\nState Idle\nAccepting Yes\nShared No\n</Printer>\n"
                                         "<DefaultPrinter " +
                                         RawQueue + ">\nInfo Raw\nDeviceURI tofile:" + FDir + "/out/" +
                                         RawQueue + "\nState Idle\nAccepting Yes\nShared No\n</Printer>\n");
    const String conf = FDir + "/cupsd.conf", files = FDir + "/cups-files.conf";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (pid < 0) {
        SharedProblem() = "cannot start cupsd";
        return false;
    }
    FPid = pid;
    ::setenv("CUPS_SERVER", FSocket.c_str(), 1);
    cupsSetServer(FSocket.c_str());
    for (int i = 0; i < 200; ++i) {
        if (fs::exists(FSocket)) {
            cups_dest_t* dests = nullptr;
            const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
            cupsFreeDests(n, dests);
            if (n == 2) return true;
        }
        int status = 0;
        if (::waitpid(FPid, &status, WNOHANG) == FPid) {
            FPid = 0;
            SharedProblem() = "cupsd ended: see " + FDir + "/error_log";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    SharedProblem() = "cupsd does not answer on " + FSocket;
    return false;
}

void TCupsTestServer::Stop() {
    if (FPid <= 0) return;
    ::kill(FPid, SIGTERM);
    int status = 0;
    ::waitpid(FPid, &status, 0);
    FPid = 0;
}

int TCupsTestServer::LastJobId() {
    int last = 0;
    for (const TJob& job : JobsAfter(0))
        last = std::max(last, job.Id);
    return last;
}

std::vector<TCupsTestServer::TJob> TCupsTestServer::JobsAfter(int id) {
    for (int i = 0; i < 200; ++i) {
        ipp_t* pending = JobsRequest("not-completed");
        const bool any = pending && ippFindAttribute(pending, "job-id", IPP_TAG_INTEGER);
        ippDelete(pending);
        if (!any) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::vector<int> ids;
    if (ipp_t* response = JobsRequest("all")) {
        for (ipp_attribute_t* a = ippFindAttribute(response, "job-id", IPP_TAG_INTEGER); a;
             a = ippFindNextAttribute(response, "job-id", IPP_TAG_INTEGER))
            if (ippGetInteger(a, 0) > id) ids.push_back(ippGetInteger(a, 0));
        ippDelete(response);
    }
    std::sort(ids.begin(), ids.end());
    // Each job's attributes on their own: the server loads a finished job's attributes for it.
    std::vector<TJob> jobs;
    for (int jobId : ids) {
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        const String uri = "ipp://localhost/jobs/" + std::to_string(jobId);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
        ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
        if (!response) continue;
        TJob job;
        job.Id = jobId;
        for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
            if (!ippGetName(a) || ippGetGroupTag(a) != IPP_TAG_JOB) continue;
            const String name = ippGetName(a);
            char text[4096];
            ippAttributeString(a, text, sizeof text);
            job.Attributes[name] = text;
            if (name == "job-name") job.Title = text;
            if (name == "job-printer-uri") job.Queue = String(text).substr(String(text).rfind('/') + 1);
        }
        ippDelete(response);
        job.Output = ReadBytes(fs::path(FDir) / "out" / (job.Queue + "-" + std::to_string(job.Id)));
        jobs.push_back(job);
    }
    return jobs;
}

void TCupsTestServer::SetAccepting(const String& queue, bool accepting) {
    ipp_t* request = ippNewRequest(accepting ? IPP_OP_CUPS_ACCEPT_JOBS : IPP_OP_CUPS_REJECT_JOBS);
    const String uri = "ipp://localhost/printers/" + queue;
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/admin/"));
}
