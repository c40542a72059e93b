// Text markup: a text object with tags on lays out and draws the bytes as UTF-8 text, and the
// tag list reads them on its own.
#include "FuzzReport.h"
#include "FuzzTarget.h"
#include "gui/Bitmap.h"
#include "report/vrHTMLTags.h"
#include "rtl/CodePage.h"

ORV_FUZZ_TARGET(markup) {
    PrepareFuzzReportLibrary();
    const WideString text = Utf8ToWide(String(reinterpret_cast<const char*>(data), size));
    TvrHTMLTagsList tags;
    tags.SetDefaults(clBlack, 10, TFontStyles());
    WideString expanded = text;
    tags.ExpandTags(expanded);

    TvrMemoView memo(nullptr);
    memo.SetBounds(0, 0, 200, 60);
    memo.AllowHTMLTags = true;
    memo.AllowExpressions = false;
    memo.WordWrap = true;
    memo.SetText(text);
    TBitmap canvas(200, 60);
    memo.Draw(canvas.Canvas(), 1, 1, 0, 0);
}
