// Report layouts: load one and prepare it. The script is dropped (a script may loop for ever by
// design) and the build stops after a few thousand printed objects.
#include "FuzzReport.h"
#include "FuzzTarget.h"
#include "rtl/Streams.h"

ORV_FUZZ_TARGET(layout) {
    std::unique_ptr<TvrReport> report = NewFuzzReport();
    TMemoryStream in;
    if (size) in.WriteBuffer(data, static_cast<Int64>(size));
    in.SetPosition(0);
    report->LoadFromStream(in);
    report->ScriptText()->Clear();
    int printed = 0;
    TvrReport* r = report.get();
    report->OnBeforePrint = [&printed, r](TvrReportComponent*) {
        if (++printed > 5000) r->Terminated = true;
    };
    report->PrepareReport();
}
