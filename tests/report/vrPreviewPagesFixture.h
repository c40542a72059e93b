// Small report objects and a report with an engine and a prepared-pages store, for the tests of
// the store: pages are built by hand as the engine builds them.
#pragma once

#include "report/vrClass.h"
#include "gui/Picture.h"
#include "report/vrPreviewPages.h"

class TPPTestPage : public TvrPage {
    ORV_META(TPPTestPage, TvrPage)
    explicit TPPTestPage(TComponent* AOwner) : TvrPage(AOwner) {}
    Integer PaperSize = 9;
    Extended PaperWidth = 210, PaperHeight = 297;
    Extended LeftMargin = 0, RightMargin = 0, TopMargin = 0;
    bool MirrorMargins = false;
};

class TvrMemoTestView : public TvrReportComponent {
    ORV_META(TvrMemoTestView, TvrReportComponent)
    explicit TvrMemoTestView(TComponent* AOwner) : TvrReportComponent(AOwner) {
        Flags = TvrObjectFlags{ofPreviewCopy, ofAttributeDiff};
    }
    String Memo;
    String DataField;
    bool IsFontStored() const { return !ParentFont(); }
    void Draw(TCanvas*, Extended, Extended, Extended, Extended) override {}
    bool GetLayoutText(String& Utf8) const override {
        Utf8 = Memo;
        return true;
    }
    bool SetLayoutText(const String& Utf8) override {
        Memo = Utf8;
        return true;
    }
};

class TBandTestView : public TvrReportComponent {
    ORV_META(TBandTestView, TvrReportComponent)
    explicit TBandTestView(TComponent* AOwner) : TvrReportComponent(AOwner) {}
    bool IsBand() const override { return true; }
};

// A view with a difference of its own: it records its Tag always.
class TvrOwnDiffTestView : public TvrReportComponent {
    ORV_META(TvrOwnDiffTestView, TvrReportComponent)
    explicit TvrOwnDiffTestView(TComponent* AOwner) : TvrReportComponent(AOwner) {}
    String Diff(TvrComponent* Template) override {
        return TvrReportComponent::Diff(Template) + " own=\"" + IntToStr(Tag()) + "\"";
    }
    void Draw(TCanvas*, Extended, Extended, Extended, Extended) override {}
};

// A picture view: its graphic goes to the picture cache, the page keeps only ImageIndex.
class TvrPicTestView : public TvrReportComponent {
    ORV_META(TvrPicTestView, TvrReportComponent)
    explicit TvrPicTestView(TComponent* AOwner);
    ~TvrPicTestView() override;
    Integer ImageIndex = 0;
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);

private:
    std::unique_ptr<TPicture> FPicture;
};

// A view with the link, hint and cursor of a preview and a log of the times it was drawn.
class TvrLinkTestView : public TvrReportComponent {
    ORV_META(TvrLinkTestView, TvrReportComponent)
    explicit TvrLinkTestView(TComponent* AOwner);
    String URL, Hint;
    bool ShowHint = false;
    bool Printable = true;
    Integer Cursor = 0;
    Integer TotalPages = 0;
    struct TDrawn {
        String Name;
        Extended OffsetX;
        Integer TotalPages;
    };
    static std::vector<TDrawn>& Drawn();
    // The name of the view whose Draw raises (none when empty).
    static String& RaiseIn();
    void Draw(TCanvas* Canvas, Extended ScaleX, Extended ScaleY, Extended OffsetX, Extended OffsetY) override;
};

void RegisterPreviewPagesTestObjects();

// A report with one page holding a band with two memos, registered as the engine does.
struct TPreparedFixture {
    TPreparedFixture();
    ~TPreparedFixture();
    TvrReport Report{nullptr};
    TvrPreviewPages* Pages = nullptr;
    TvrCustomEngine* Engine = nullptr;
    TPPTestPage* Page = nullptr;
    TBandTestView* Band = nullptr;
    TvrMemoTestView* Memo1 = nullptr;
    TvrMemoTestView* Memo2 = nullptr;

    // Adds a page with the band at top, the first memo showing text.
    void AddPage(Extended Top, const String& Text);
    // Registers the page and adds count pages with texts "Row <i>".
    void Build(int Count);
};
