// A CUPS server of the tests' own: cupsd listening on a socket in a temporary folder, with two
// queues whose device is a file per job, so no test needs a real printer.
//   - "Orvanta-Paper": a small PPD (A4, A3 and Letter with 12-point margins; trays "Upper" and
//     "Lower", "Lower" the default; duplex, long edge the default) that passes documents through.
//   - "Orvanta-Raw": a raw queue, the server's default.
// What a queue received is read from its job's file, the options of each job from the job's
// attributes as CUPS keeps them.
#pragma once

#include "rtl/Types.h"

#include <map>
#include <vector>

class TCupsTestServer {
public:
    static constexpr const char* PaperQueue = "Orvanta-Paper";
    static constexpr const char* RawQueue = "Orvanta-Raw";

    // The process's server, started on the first call and stopped when the program ends; CUPS is
    // pointed at it from then on. nullptr, with the reason in Problem(), when it does not come up.
    static TCupsTestServer* Shared();
    static const String& Problem();

    // Starts a server of its own and points CUPS at it; the destructor stops it and points CUPS
    // back at the server before it. Running() tells whether it came up.
    TCupsTestServer();
    ~TCupsTestServer();
    TCupsTestServer(const TCupsTestServer&) = delete;
    TCupsTestServer& operator=(const TCupsTestServer&) = delete;
    bool Running() const { return FPid > 0; }
    // Ends the daemon; its socket goes away with it.
    void Stop();

    struct TJob {
        int Id = 0;
        String Queue;
        String Title;
        // Every attribute of the job as text ("copies" -> "2", "sides" -> "one-sided" ...).
        std::map<String, String> Attributes;
        // The bytes the queue's device received for the job.
        String Output;
    };
    // The highest job number so far (0 before the first job).
    int LastJobId();
    // Waits until no job is pending, then gives the jobs numbered above the given one, in order.
    std::vector<TJob> JobsAfter(int id);
    // Lets a queue accept or reject new jobs.
    void SetAccepting(const String& queue, bool accepting);

private:
    bool Start();
    String FDir;
    String FSocket;
    String FPreviousServer;
    int FPid = 0;
};
