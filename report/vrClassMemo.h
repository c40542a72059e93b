// Text objects: lines of text in a framed rectangle, with bracketed expressions evaluated and
// formatted when the object gets its data, measured and drawn through the text layout object.
#pragma once

#include "report/vrClassView.h"
#include "report/vrDrawText.h"
#include "report/vrUnicodeUtils.h"

#include <memory>

class TvrStyleItem;

ORV_ENUM(TvrHAlign, haLeft, haRight, haCenter, haBlock)
ORV_ENUM(TvrVAlign, vaTop, vaBottom, vaCenter)

enum TvrStretchMode { smDontStretch, smActualHeight, smMaxHeight };
ORV_ENUM(TvrStretchMode, smDontStretch, smActualHeight, smMaxHeight)
enum TvrFormatKind { fkText, fkNumeric, fkDateTime, fkBoolean };
ORV_ENUM(TvrFormatKind, fkText, fkNumeric, fkDateTime, fkBoolean)

// The display format of values.
class TvrFormat : public TPersistent {
    ORV_META(TvrFormat, TPersistent)
    TvrFormat() = default;
    void Assign(const TPersistent* Source) override;

    String DecimalSeparator;
    String ThousandSeparator;
    String FormatStr;
    TvrFormatKind Kind = fkText;

    // The inline format of an expression ("n#,##0.00", "BNo,Yes", "dyyyy-mm-dd"): the first
    // character selects the kind. In a numeric format the last ",", "-" or "." is the decimal
    // separator and becomes "." in the format string; the others stay as they are.
    void ParseInline(const String& Text);
};

// Formats a value by a display format with the runtime's formatter; errors give the value as
// plain text, Null the empty text.
String vrFormatValue(const Variant& Value, const TvrFormat& Format);

// A view that can grow with its contents.
class TvrStretcheable : public TvrView {
    ORV_META(TvrStretcheable, TvrView)
    explicit TvrStretcheable(TComponent* AOwner) : TvrView(AOwner) {}
    TvrStretchMode StretchMode = smDontStretch;
    Extended SavedHeight = 0;
    virtual Extended CalcHeight() { return Height(); }
    virtual Extended DrawPart() { return 0; }
    virtual void InitPart() {}
    virtual bool HasMoreParts() { return false; }
};

class TvrCustomMemoView : public TvrStretcheable {
    ORV_META(TvrCustomMemoView, TvrStretcheable)
    explicit TvrCustomMemoView(TComponent* AOwner);
    ~TvrCustomMemoView() override;

    bool AllowExpressions = true;
    bool AllowHTMLTags = false;
    bool AutoWidth = false;
    Extended CharSpacing = 0;
    bool Clipped = true;
    TvrFormat* DisplayFormat() const { return FDisplayFormat.get(); }
    void SetDisplayFormat(TvrFormat* Value) { FDisplayFormat->Assign(Value); }
    String ExpressionDelimiters = "[,]";
    TvrCustomMemoView* FlowTo() const { return FFlowTo; }
    void SetFlowTo(TvrCustomMemoView* Value);
    bool FirstParaBreak = false;
    Extended GapX = 2, GapY = 1;
    TvrHAlign HAlign = haLeft;
    bool HideZeros = false;
    TvrHighlight* Highlight() const { return FHighlight.get(); }
    void SetHighlight(TvrHighlight* Value) { FHighlight->Assign(Value); }
    bool LastParaBreak = false;
    Extended LineSpacing = 2;
    TWideStrings* Memo() const { return FMemo.get(); }
    void SetMemo(TWideStrings* Value) { FMemo->Assign(Value); }
    Extended ParagraphGap = 0;
    WideString PartText;
    Integer Rotation() const { return FRotation; }
    // Stored modulo 360; a negative value stays negative.
    void SetRotation(Integer Value) { FRotation = Value % 360; }
    bool RTLReading = false;
    const String& Style() const { return FStyle; }
    // Applies the report's style of that name; an unknown name changes nothing else.
    void SetStyle(const String& Value);
    bool SuppressRepeated = false;
    WideString SavedText;
    bool Underlines = false;
    TvrVAlign VAlign = vaTop;
    Variant Value;
    bool WordBreak = false, WordWrap = true, Wysiwyg = true, UseDefaultCharset = false;
    Variant PreviousValue;
    Integer TotalPages = 0, CopyNo = 0;
    TRect TextArea{};
    Extended PrintScale = 0;

    WideString Text() const { return FMemo->Text(); }
    void SetText(const WideString& Value) { FMemo->SetText(Value); }
    // The text as 8-bit text in the code page of the font's character set, and back.
    AnsiString AnsiText() const;
    void SetAnsiText(const AnsiString& Value);

    void ApplyStyle(TvrStyleItem* Item);
    WideString EvaluateExpression(const WideString& Expression);
    WideString FormatValue(const Variant& AValue, const TvrFormat* Format = nullptr);
    // The text with [TOTALPAGES#] and [COPYNAME#] filled in for TotalPages and CopyNo; false (filled
    // untouched) when the text holds neither or expressions are off.
    bool PrintMacroText(WideString& filled) const;
    // Puts the filled-in text in place of the text (exports do, on their own copy of a page).
    void ApplyPrintMacros();
    void ClearLastValue() { PreviousValue = Variant(String()); }
    String GetComponentText() override;

    void BeginDraw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
                   Extended AOffsetY) override;
    void Draw(TCanvas* ACanvas, Extended AScaleX, Extended AScaleY, Extended AOffsetX,
              Extended AOffsetY) override;
    void BeforePrint() override;
    void GetData() override;
    void AfterPrint() override;
    String Diff(TvrComponent* Template) override;
    String GetDescription() const override;
    Extended CalcHeight() override;
    virtual Extended CalcWidth();
    // The text as the exports take it: with wrapped, the lines the layout breaks it into at the
    // object's size (markup removed); else a copy of Memo.
    void GetWrappedText(TWideStrings& lines, bool wrapped);
    Extended DrawPart() override;
    void InitPart() override;

    bool HasAutoWidth() const override { return AutoWidth; }
    bool GetLayoutText(String& Utf8) const override;
    bool SetLayoutText(const String& Utf8) override;
    bool IsFontStored() const { return !ParentFont(); }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The width and height the frame, the gaps and the shadow add around the text.
    Extended ExtraWidth() const;
    Extended ExtraHeight() const;

private:
    // Sets the font, options and spacing of the layout (calls 1 to 4).
    void ApplyLayoutSettings(TvrDrawText& Layout);
    // Replaces the delimited expressions of the text by their values.
    WideString ExpandExpressions(const WideString& Text);

    std::unique_ptr<TvrFormat> FDisplayFormat;
    std::unique_ptr<TvrHighlight> FHighlight;
    std::unique_ptr<TWideStrings> FMemo;
    TvrCustomMemoView* FFlowTo = nullptr;
    Integer FRotation = 0;
    String FStyle;
};

class TvrMemoView : public TvrCustomMemoView {
    ORV_META(TvrMemoView, TvrCustomMemoView)
    explicit TvrMemoView(TComponent* AOwner) : TvrCustomMemoView(AOwner) {}
};

class TvrSysMemoView : public TvrCustomMemoView {
    ORV_META(TvrSysMemoView, TvrCustomMemoView)
    explicit TvrSysMemoView(TComponent* AOwner) : TvrCustomMemoView(AOwner) {}
};
