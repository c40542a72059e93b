// What the report fuzz targets share: a headless, silent report over a small data set "vrDM" that
// answers every field, and a stop after a few thousand printed objects, so that a layout asking
// for endless rows or pages is read and built, but not to its end.
#pragma once

#include "report/vrClass.h"
#include "report/vrClassDataSets.h"
#include "report/vrClassObjects.h"

#include <cstdlib>
#include <memory>

inline void PrepareFuzzReportLibrary() {
    static const bool done = [] {
        // The targets draw on bitmaps and need no display.
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        vrStartUp();
        static TComponent module(nullptr);
        auto* rows = new TvrUserDataSet(&module);
        rows->SetName("FuzzRows");
        rows->SetUserName("vrDM");
        rows->RangeEnd = reCount;
        rows->RangeEndCount = 30;
        rows->OnGetValue = [](const String&, Variant& value) { value = Variant(12.5); };
        return true;
    }();
    (void)done;
}

// A report as the application's windows run it, without windows and without raising.
inline std::unique_ptr<TvrReport> NewFuzzReport() {
    PrepareFuzzReportLibrary();
    auto report = std::make_unique<TvrReport>(nullptr);
    report->EngineOptions()->HeadlessMode = true;
    report->EngineOptions()->DestroyForms = false;
    report->EngineOptions()->NewSilentMode = simSilent;
    return report;
}
