// Drawing prepared pages and finding the object under the mouse for the preview. Page and view
// properties are reached by their published names, so any page or view class takes part; a
// report page also draws its background.
#include "report/vrPreviewPages.h"

#include "classes/MetaProps.h"
#include "gui/Desktop.h"
#include "gui/Forms.h"
#include "gui/Metafile.h"
#include "gui/Picture.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrUtils.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <cmath>

namespace {

Extended FloatProp(TObject* obj, const char* name, Extended fallback = 0) {
    if (!GetPropInfo(obj, name)) return fallback;
    return GetPropValue(obj, name, false).AsDouble();
}

bool BoolProp(TObject* obj, const char* name, bool fallback = false) {
    if (!GetPropInfo(obj, name)) return fallback;
    return GetOrdProp(obj, name) != 0;
}

String StrProp(TObject* obj, const char* name) {
    if (!GetPropInfo(obj, name)) return String();
    return GetStrProp(obj, name);
}

void SetFloat(TObject* obj, const char* name, Extended value) {
    if (GetPropInfo(obj, name)) SetPropValue(obj, name, Variant(static_cast<double>(value)));
}

bool IsView(TvrComponent* obj) {
    return dynamic_cast<TvrReportComponent*>(obj) && !obj->IsBand();
}

bool IsDrillHeader(TvrComponent* obj) {
    return obj && meta::ClassInfoOf(*obj).InheritsFrom(String("TvrGroupHeader")) && BoolProp(obj, "DrillDown");
}

// Swaps the left and right margins of a page with mirrored margins while it is drawn.
struct TMirror {
    TvrComponent* Page;
    bool Active;
    TMirror(TvrComponent* page, Integer index) : Page(page) {
        Active = index % 2 == 1 && BoolProp(page, "MirrorMargins");
        if (Active) Swap();
    }
    ~TMirror() {
        if (Active) Swap();
    }
    void Swap() {
        const Extended l = FloatProp(Page, "LeftMargin"), r = FloatProp(Page, "RightMargin");
        SetFloat(Page, "LeftMargin", r);
        SetFloat(Page, "RightMargin", l);
    }
};

} // namespace

void TvrPreviewPages::PaintPage(Integer Index, TCanvas* Canvas, Extended ScaleX, Extended ScaleY, Extended OffsetX,
                                Extended OffsetY) {
    FPaintedViews = 0;
    TvrComponent* page = GetPreparedPage(Index);
    if (!page || !Canvas) return;
    TMirror mirror(page, Index);
    // Printing is told by the device, so every printer's canvas counts, not just one object's.
    const bool printing = Canvas->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER;
    const bool metafile = dynamic_cast<TMetafileCanvas*>(Canvas) != nullptr;
    int savedDC = 0;
    // The visible area: what the canvas shows, narrowed to the paper when not printing.
    TRect visible = Canvas->ClipRect();
    // The canvas gets its clip back however the drawing ends.
    const TScopeExit restoreCanvas([&] {
        if (savedDC) Canvas->RestoreDC(savedDC);
    });
    if (!printing) {
        savedDC = Canvas->SaveDC();
        const TRect clip(static_cast<int>(std::lround(OffsetX)), static_cast<int>(std::lround(OffsetY)),
                         static_cast<int>(std::lround(OffsetX + FloatProp(page, "PaperWidth") * fr01cm * ScaleX)) - 1,
                         static_cast<int>(std::lround(OffsetY + FloatProp(page, "PaperHeight") * fr01cm * ScaleY)) - 1);
        Canvas->IntersectClipRect(clip);
        TRect narrowed;
        if (!IntersectRect(narrowed, visible, clip)) narrowed = TRect();
        visible = narrowed;
    }
    // The page's colour, background picture and frame lie under its objects.
    if (auto* reportPage = dynamic_cast<TvrReportPage*>(page)) {
        reportPage->InPrinting = printing;
        const TScopeExit notPrinting([reportPage] { reportPage->InPrinting = false; });
        reportPage->DrawBackground(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    }
    const Extended ox = OffsetX + FloatProp(page, "LeftMargin") * fr01cm * ScaleX;
    const Extended oy = OffsetY + FloatProp(page, "TopMargin") * fr01cm * ScaleY;
    const Integer totalPages = GetPageCount();
    for (TvrComponent* obj : page->AllObjects()) {
        if (!IsView(obj)) continue;
        auto* view = static_cast<TvrReportComponent*>(obj);
        const TRect r(static_cast<int>(std::lround(view->AbsLeft() * ScaleX - 20 + ox)),
                      static_cast<int>(std::lround(view->AbsTop() * ScaleY - 20 + oy)),
                      static_cast<int>(std::lround((view->AbsLeft() + view->Width()) * ScaleX + 20 + ox)),
                      static_cast<int>(std::lround((view->AbsTop() + view->Height()) * ScaleY + 20 + oy)));
        TRect common;
        if (!metafile && !IntersectRect(common, r, visible)) continue;
        if (printing && !BoolProp(view, "Printable", true)) continue;
        // A text object needs the page count for [TOTALPAGES#], the copy and the print scale.
        if (auto* memo = dynamic_cast<TvrCustomMemoView*>(view)) {
            memo->TotalPages = totalPages;
            memo->CopyNo = CopyNo;
            memo->PrintScale = PrintScale;
        } else {
            if (GetPropInfo(view, "TotalPages")) SetPropValue(view, "TotalPages", Variant(totalPages));
            if (GetPropInfo(view, "CopyNo")) SetPropValue(view, "CopyNo", Variant(CopyNo));
            if (GetPropInfo(view, "PrintScale")) SetFloat(view, "PrintScale", PrintScale);
        }
        view->InPrinting = printing;
        const TScopeExit notPrinting([view] { view->InPrinting = false; });
        try {
            view->Draw(Canvas, ScaleX, ScaleY, ox, oy);
        } catch (const Exception& e) {
            // A picture that cannot be decoded draws as its empty frame; any other error ends
            // the drawing.
            auto* picture = GetPropInfo(view, "Picture") ? dynamic_cast<TPicture*>(GetObjectProp(view, "Picture"))
                                                         : nullptr;
            if (!picture || !picture->Graphic()) throw;
            PictureFailed(view, e.Message());
            view->Draw(Canvas, ScaleX, ScaleY, ox, oy);
        }
        ++FPaintedViews;
    }
}

void TvrPreviewPages::PictureFailed(TvrComponent* View, const String& Message) {
    if (auto* picture = GetPropInfo(View, "Picture") ? dynamic_cast<TPicture*>(GetObjectProp(View, "Picture"))
                                                     : nullptr)
        picture->SetGraphic(nullptr);
    const Int64 index = GetPropInfo(View, "ImageIndex") ? GetOrdProp(View, "ImageIndex") : 0;
    const String key = index > 0 ? IntToStr(index) : View->Name();
    if (!FFailedPictures.insert(key).second) return;
    if (TvrReport* report = Report()) report->ErrorList()->Add(View->Name() + ": " + Message);
}

void TvrPreviewPages::FollowURL(const String& URL) {
    if (StartsText("@", URL)) {
        // Only a page number of this report.
        const String digits = Trim(URL.substr(1));
        Integer n = 0;
        if (digits.empty() || digits.size() > 9) return;
        for (char c : digits)
            if (c < '0' || c > '9') return;
        n = StrToInt(digits);
        if (n < 1 || n > GetPageCount()) return;
        FHit.JumpPage = n - 1;
        FHit.JumpTop = 0;
        return;
    }
    if (StartsText("#", URL)) {
        if (TvrXMLItem* a = FindAnchor(URL.substr(1))) {
            FHit.JumpPage = StrToIntDef(a->GetProp("page"), 0);
            FHit.JumpTop = StrToIntDef(a->GetProp("top"), 0);
        }
        return;
    }
    // Web and mail links only, and only when the user agrees: a link text may come from data or
    // from a foreign file, and the shell would start any program it names.
    const String url = Trim(URL);
    if (!StartsText("http://", url) && !StartsText("https://", url) && !StartsText("mailto:", url)) return;
    if (ShowConfirmMessage("Open \"" + url + "\"?", MB_YESNO) != IDYES) return;
    if (OpenLink)
        OpenLink(url);
    else
        ShellOpen(url);
}

bool TvrPreviewPages::HitTestObject(Integer Index, Integer X, Integer Y, TMouseButton Button, TShiftState Shift,
                                    Extended Scale, Extended OffsetX, Extended OffsetY, bool Click, int& Cursor,
                                    bool DoubleClick) {
    FHit = TvrHitTestResult();
    if (Index < 0 || Index >= GetPageCount() || EngineRunning()) return false;
    TvrComponent* page = GetPreparedPage(Index);
    if (!page) return false;
    const bool mirrored = Index % 2 == 1 && BoolProp(page, "MirrorMargins");
    const Extended ox = OffsetX + FloatProp(page, mirrored ? "RightMargin" : "LeftMargin") * fr01cm * Scale;
    const Extended oy = OffsetY + FloatProp(page, "TopMargin") * fr01cm * Scale;
    const std::vector<TvrComponent*> all = page->AllObjects();
    TvrComponent* drill = nullptr;
    bool found = false;
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        TvrComponent* obj = *it;
        const Extended l = obj->AbsLeft() * Scale + ox, t = obj->AbsTop() * Scale + oy;
        const bool under =
            X >= l && X <= l + obj->Width() * Scale && Y >= t && Y <= t + obj->Height() * Scale;
        if (IsDrillHeader(obj) && under) drill = obj;
        if (!IsView(obj)) continue;
        if (!under) {
            if (BoolProp(obj, "ShowHint") && PreviewShowsHints) FHit.ShowHint = false;
            continue;
        }
        found = true;
        FHit.Object = obj;
        if (IsDrillHeader(obj->Parent())) drill = obj->Parent();
        const Integer cursor = GetPropInfo(obj, "Cursor") ? static_cast<Integer>(GetOrdProp(obj, "Cursor")) : 0;
        if (cursor != 0) Cursor = cursor;
        const String url = StrProp(obj, "URL");
        if (!url.empty()) {
            FHit.LinkText = url;
            if (cursor == 0) Cursor = -21;
        }
        const String hint = StrProp(obj, "Hint");
        if (!hint.empty() && BoolProp(obj, "ShowHint") && PreviewShowsHints) {
            const size_t bar = hint.find('|');
            FHit.HintText = bar == String::npos ? hint : hint.substr(bar + 1);
            FHit.ShortHint = hint.substr(0, bar);
            FHit.ShowHint = true;
        }
        TvrReport* report = Report();
        if (!Click || drill) {
            if (report && report->OnMouseOverObject) report->OnMouseOverObject(obj);
        } else {
            if (!url.empty()) FollowURL(url);
            bool modified = false;
            const TvrClickObjectEvent& handler = DoubleClick ? OnDblClickObject : OnClickObject;
            if (handler) handler(obj, Button, Shift, modified);
            if (modified) {
                // Replacing the page frees the rebuilt one with the object hit: the hit names
                // the object of the page as rebuilt from the new text.
                const String hitName = obj->Name();
                const String drillName = drill ? StrProp(drill, "DrillName") : String();
                ReplacePage(Index, page);
                FHit.Repaint = true;
                TvrComponent* rebuilt = GetPreparedPage(Index);
                FHit.Object = rebuilt && !hitName.empty() ? rebuilt->FindObject(hitName) : nullptr;
                if (drill) ToggleDrillDown(drillName, Click, Button, Cursor);
                return true;
            }
        }
        break;
    }
    if (drill) ToggleDrillDown(StrProp(drill, "DrillName"), Click, Button, Cursor);
    return found || drill;
}

void TvrPreviewPages::ToggleDrillDown(const String& Name, bool Click, TMouseButton Button, int& Cursor) {
    Cursor = -21;
    if (!Click || Button != mbLeft || !Report()) return;
    TStringList* list = Report()->DrillDownNames();
    const Integer i = list->IndexOf(Name);
    if (i < 0)
        list->Add(Name);
    else
        list->Delete(i);
    FHit.Rebuild = true;
}
