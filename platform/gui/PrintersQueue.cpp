// What the printer asks of CUPS: the queues, what a queue offers (papers with their margins,
// duplex, trays) and the jobs of drawn documents.
#include "gui/qt/PrinterImpl.h"

#include "gui/qt/QtSupport.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <QPageSize>

#include <cups/cups.h>
#include <cups/ppd.h>

#include <fstream>
#include <unistd.h>

namespace {

// The platform's numbers of the trays it names; other trays are numbered from DMBIN_USER on.
struct TTrayNumber {
    const char* Keyword; // a PPD "InputSlot" choice or a "media-source" value
    int Number;
};
constexpr TTrayNumber TrayNumbers[] = {
    {"upper", DMBIN_UPPER},
    {"top", DMBIN_UPPER},
    {"lower", DMBIN_LOWER},
    {"bottom", DMBIN_LOWER},
    {"middle", DMBIN_MIDDLE},
    {"manual", DMBIN_MANUAL},
    {"envelope", DMBIN_ENVELOPE},
    {"auto", DMBIN_AUTO},
    {"tractor", DMBIN_TRACTOR},
    {"continuous", DMBIN_TRACTOR},
    {"largecapacity", DMBIN_LARGECAPACITY},
    {"large-capacity", DMBIN_LARGECAPACITY},
    {"cassette", DMBIN_CASSETTE},
};

// Numbers the trays in order: the platform's number where it has one for the keyword and no
// earlier tray took it, else the next number from DMBIN_USER on.
void NumberTrays(std::vector<TTrayInfo>& trays) {
    int next = DMBIN_USER;
    for (size_t i = 0; i < trays.size(); ++i) {
        int number = 0;
        for (const TTrayNumber& t : TrayNumbers)
            if (SameText(trays[i].Name, t.Keyword)) number = t.Number;
        for (size_t j = 0; j < i && number; ++j)
            if (trays[j].Number == number) number = 0;
        trays[i].Number = number ? number : next++;
    }
}

// The PPD's "InputSlot" choices ("*InputSlot Upper/Upper Tray: ...") and its default
// ("*DefaultInputSlot: Upper"); false when the queue has no PPD or the PPD offers no tray.
bool ReadPpdTrays(const String& queue, TQueueInfo& info) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const char* file = cupsGetPPD2(CUPS_HTTP_DEFAULT, queue.c_str());
#pragma GCC diagnostic pop
    if (!file) return false;
    const String path = file;
    const TScopeExit removeCopy([&path] { ::unlink(path.c_str()); });
    std::ifstream in(path);
    String line;
    std::vector<TTrayInfo> trays;
    String defaultTray;
    const String choice = "*InputSlot ", byDefault = "*DefaultInputSlot:";
    while (std::getline(in, line)) {
        if (line.compare(0, byDefault.size(), byDefault) == 0) {
            defaultTray = Trim(line.substr(byDefault.size()));
        } else if (line.compare(0, choice.size(), choice) == 0) {
            const String rest = line.substr(choice.size());
            const size_t colon = rest.find(':');
            if (colon == String::npos) continue;
            const String head = rest.substr(0, colon);
            const size_t slash = head.find('/');
            TTrayInfo tray;
            tray.Name = Trim(head.substr(0, slash));
            tray.Text = slash == String::npos ? tray.Name : Trim(head.substr(slash + 1));
            if (!tray.Name.empty()) trays.push_back(tray);
        }
    }
    if (trays.empty()) return false;
    NumberTrays(trays);
    info.Trays = std::move(trays);
    info.TrayOption = "InputSlot";
    info.DefaultTray = defaultTray;
    return true;
}

std::vector<String> Values(ipp_attribute_t* attr) {
    std::vector<String> out;
    for (int i = 0; attr && i < ippGetCount(attr); ++i)
        if (const char* s = ippGetString(attr, i, nullptr)) out.push_back(s);
    return out;
}

String FirstValue(ipp_attribute_t* attr) {
    std::vector<String> v = Values(attr);
    return v.empty() ? String() : v.front();
}

int PaperNumberOf(double widthMM, double heightMM) {
    const int number = QPageSize(QSizeF(widthMM, heightMM), QPageSize::Millimeter).windowsId();
    return number > 0 && number < DMPAPER_USER ? number : DMPAPER_USER;
}

void ReadPapers(cups_dest_t* dest, cups_dinfo_t* dinfo, TQueueInfo& info) {
    const int n = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, dinfo, CUPS_MEDIA_FLAGS_DEFAULT);
    for (int i = 0; i < n; ++i) {
        cups_size_t size;
        if (!cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, dinfo, i, CUPS_MEDIA_FLAGS_DEFAULT, &size))
            continue;
        const double w = size.width / 100.0, h = size.length / 100.0;
        const int number = PaperNumberOf(w, h);
        bool listed = false;
        for (const TPaperInfo& p : info.Papers)
            listed = listed || (number != DMPAPER_USER && p.Number == number);
        if (listed) continue;
        const QPageSize known(QSizeF(w, h), QPageSize::Millimeter);
        const String name = known.id() != QPageSize::Custom ? FromQString(known.name()) : String(size.media);
        info.Papers.push_back({number, name, w, h});
        info.Media.push_back(
            {w, h, size.left / 100.0, size.top / 100.0, size.right / 100.0, size.bottom / 100.0});
    }
    if (pwg_media_t* media =
            pwgMediaForPWG(FirstValue(cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, dinfo, "media")).c_str()))
        if (PaperNumberOf(media->width / 100.0, media->length / 100.0) != DMPAPER_USER)
            info.DefaultPaper = PaperNumberOf(media->width / 100.0, media->length / 100.0);
}

} // namespace

std::vector<String> CupsQueues(String& defaultName) {
    std::vector<String> names;
    cups_dest_t* dests = nullptr;
    int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < n; ++i) {
        String name = dests[i].name;
        if (dests[i].instance) name += String("/") + dests[i].instance;
        names.push_back(name);
        if (dests[i].is_default) defaultName = name;
    }
    cupsFreeDests(n, dests);
    return names;
}

TQueueInfo ReadQueueInfo(const String& queue) {
    TQueueInfo info;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
    if (!dest) return info;
    const TScopeExit freeDest([dest] { cupsFreeDests(1, dest); });
    cups_dinfo_t* dinfo = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    if (!dinfo) return info;
    const TScopeExit freeInfo([dinfo] { cupsFreeDestInfo(dinfo); });
    ReadPapers(dest, dinfo, info);
    info.Sides = Values(cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, dinfo, "sides"));
    info.DefaultSides = FirstValue(cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, dinfo, "sides"));
    if (!ReadPpdTrays(queue, info)) {
        for (const String& source :
             Values(cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, dinfo, "media-source")))
            info.Trays.push_back({0, source, source});
        NumberTrays(info.Trays);
        if (!info.Trays.empty()) info.TrayOption = "media-source";
        info.DefaultTray = FirstValue(cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, dinfo, "media-source"));
    }
    return info;
}

int DuplexOfSides(const String& sides) {
    if (sides == "two-sided-long-edge") return DMDUP_VERTICAL;
    if (sides == "two-sided-short-edge") return DMDUP_HORIZONTAL;
    return DMDUP_SIMPLEX;
}

String SidesOfDuplex(int duplex) {
    return duplex == DMDUP_VERTICAL     ? "two-sided-long-edge"
           : duplex == DMDUP_HORIZONTAL ? "two-sided-short-edge"
                                        : "one-sided";
}

void SendPdfJob(const String& queue, const String& file, const String& title, const TQueueInfo& info,
                const TJobOptions& options) {
    int count = 0;
    cups_option_t* opts = nullptr;
    count = cupsAddOption("copies", std::to_string(options.Copies).c_str(), count, &opts);
    if (!info.Sides.empty())
        count = cupsAddOption("sides", SidesOfDuplex(options.Duplex).c_str(), count, &opts);
    const String tray = options.Tray.empty() ? info.DefaultTray : options.Tray;
    if (!tray.empty() && !info.TrayOption.empty())
        count = cupsAddOption(info.TrayOption.c_str(), tray.c_str(), count, &opts);
    const int job =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.c_str(), file.c_str(), title.c_str(), count, opts);
    cupsFreeOptions(count, opts);
    if (job == 0) throw EPrinter(String("Printing failed: ") + cupsLastErrorString());
}
