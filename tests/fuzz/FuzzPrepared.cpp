// Prepared report files: load one and paint its first page, as the preview opens it.
#include "FuzzReport.h"
#include "FuzzTarget.h"
#include "gui/Bitmap.h"
#include "report/vrPreviewPages.h"
#include "rtl/Streams.h"

ORV_FUZZ_TARGET(prepared) {
    std::unique_ptr<TvrReport> report = NewFuzzReport();
    auto* pages = dynamic_cast<TvrPreviewPages*>(report->PreparedPages());
    if (!pages) return;
    TMemoryStream in;
    if (size) in.WriteBuffer(data, static_cast<Int64>(size));
    in.SetPosition(0);
    pages->ReadFromStream(in, false);
    TBitmap sheet(210, 297);
    pages->PaintPage(0, sheet.Canvas(), 0.25, 0.25, 0, 0);
}
