// Small report objects for the object-model tests: a view with a published property of each kind,
// a band, a dialog page that adds no position, a report page and a text object with a Style.
#pragma once

#include "report/vrClass.h"

enum TTestKind { tkOne, tkTwo, tkThree };
ORV_ENUM(TTestKind, tkOne, tkTwo, tkThree)
using TTestKinds = TSet<TTestKind>;
ORV_SET(TTestKinds)

class TTestView : public TvrReportComponent {
    ORV_META(TTestView, TvrReportComponent)
    explicit TTestView(TComponent* AOwner);
    ~TTestView() override;

    TvrBandAlign Align = baNone;
    Integer Number = 0;
    bool Flag = false;
    TTestKind Kind = tkOne;
    TTestKinds Kinds;
    Extended Ratio = 0;
    String Caption;
    WideString Wide;
    Variant Data;
    TvrComponent* Link = nullptr;
    TStringList* Lines() const { return FLines.get(); }
    void SetLines(TStringList* Value) { if (Value) FLines->Assign(*Value); }
    String Memo; // the object's own text (the Text attribute)
    String Style;
    int StyleApplied = 0;
    void SetStyle(const String& Value) { Style = Value; ++StyleApplied; }
    bool IsFontStored() const { return !ParentFont(); }

    bool TakesPartInAlignment() const override { return true; }
    TvrBandAlign AlignKind() const override { return Align; }
    bool GetLayoutText(String& Utf8) const override { Utf8 = Memo; return true; }
    bool SetLayoutText(const String& Utf8) override { Memo = Utf8; return true; }
    void Draw(TCanvas*, Extended, Extended, Extended, Extended) override {}

    // An extra property of each kind of the value stream, for PropData.
    String Blob;
    void DefineProperties(TFiler& Filer) override;

private:
    std::unique_ptr<TStringList> FLines;
};

class TTestBand : public TTestView {
    ORV_META(TTestBand, TTestView)
    explicit TTestBand(TComponent* AOwner) : TTestView(AOwner) {}
    bool IsBand() const override { return true; }
};

class TTestDialogPage : public TvrPage {
    ORV_META(TTestDialogPage, TvrPage)
    explicit TTestDialogPage(TComponent* AOwner) : TvrPage(AOwner) {}
    bool AddsPositionToChildren() const override { return false; }
};

class TTestReportPage : public TvrPage {
    ORV_META(TTestReportPage, TvrPage)
    explicit TTestReportPage(TComponent* AOwner) : TvrPage(AOwner) {}
};

// Registers the test classes with the class registry once.
void RegisterTestObjects();
