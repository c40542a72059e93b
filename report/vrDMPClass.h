// Objects of reports for character printers: the page, text object, line and printer command
// snap to a grid of character cells (fr1CharX by fr1CharY units), use a fixed printer font whose
// style is a set of printer attributes, and carry raw printer commands.
#pragma once

#include "report/vrClassLine.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPage.h"

#include <vector>

enum TvrDMPFontStyle {
    fsxBold,
    fsxItalic,
    fsxUnderline,
    fsxSuperScript,
    fsxSubScript,
    fsxCondensed,
    fsxWide,
    fsx12cpi,
    fsx15cpi
};
ORV_ENUM(TvrDMPFontStyle, fsxBold, fsxItalic, fsxUnderline, fsxSuperScript, fsxSubScript, fsxCondensed,
         fsxWide, fsx12cpi, fsx15cpi)
using TvrDMPFontStyles = TSet<TvrDMPFontStyle>;
ORV_SET(TvrDMPFontStyles)

// The printer font: "Courier New" 12 with bold, italic and underline from the style.
void vrApplyDMPFontStyle(TFont* Font, const TvrDMPFontStyles& Style);

class TvrDMPPage : public TvrReportPage {
    ORV_META(TvrDMPPage, TvrReportPage)
    explicit TvrDMPPage(TComponent* AOwner);

    const TvrDMPFontStyles& FontStyle() const { return FFontStyle; }
    // Applies the page font; the objects that follow their parent's font take the new style.
    void SetFontStyle(const TvrDMPFontStyles& Value);

    // The report page's defaults with margins of one cell and the paper cut to whole cells.
    void SetDefaults() override;
    // The report page's setters, then the paper rounded to whole cells.
    void SetPaperWidth(Extended Value) override;
    void SetPaperHeight(Extended Value) override;
    void SetPaperSize(Integer Value) override;

private:
    void ApplyPageFont();
    void RoundPaperToCells();
    TvrDMPFontStyles FFontStyle;
};

class TvrDMPMemoView : public TvrCustomMemoView {
    ORV_META(TvrDMPMemoView, TvrCustomMemoView)
    explicit TvrDMPMemoView(TComponent* AOwner);

    const TvrDMPFontStyles& FontStyle() const { return FFontStyle; }
    void SetFontStyle(const TvrDMPFontStyles& Value);
    bool TruncOutboundText = false;

    void SetParentFont(bool Value) override;
    void SetLeft(Extended Value) override;
    void SetTop(Extended Value) override;
    void SetWidth(Extended Value) override;
    void SetHeight(Extended Value) override;

    Extended CalcHeight() override;
    Extended CalcWidth() override;
    void DrawFrame() override;
    // The text cut to the object's character box, each line ended by CR LF, as 8-bit text.
    AnsiString GetTruncatedText();
    String Diff(TvrComponent* Template) override;
    String GetDescription() const override { return "obDMPText"; }

private:
    void ApplyDMPFont();
    TvrDMPFontStyles FFontStyle;
};

class TvrDMPLineView : public TvrCustomLineView {
    ORV_META(TvrDMPLineView, TvrCustomLineView)
    explicit TvrDMPLineView(TComponent* AOwner);

    const TvrDMPFontStyles& FontStyle() const { return FFontStyle; }
    void SetFontStyle(const TvrDMPFontStyles& Value);
    bool IsFontStored() const { return !ParentFont(); }

    void SetParentFont(bool Value) override;
    void SetLeft(Extended Value) override;
    void SetTop(Extended Value) override;
    void SetWidth(Extended Value) override;
    String Diff(TvrComponent* Template) override;
    String GetDescription() const override { return "obDMPLine"; }

private:
    TvrDMPFontStyles FFontStyle;
};

class TvrDMPCommand : public TvrView {
    ORV_META(TvrDMPCommand, TvrView)
    explicit TvrDMPCommand(TComponent* AOwner) : TvrView(AOwner) {}

    String Command;
    // "#27#64": decimal byte values each after "#"; otherwise pairs of hexadecimal digits ("1B40"),
    // a last unpaired digit ignored. An invalid number raises EConvertError.
    std::vector<Byte> DecodeCommand() const;

    void SetLeft(Extended Value) override;
    void SetTop(Extended Value) override;
    String Diff(TvrComponent* Template) override;
    String GetDescription() const override { return "obDMPCmd"; }
};

// The rule of printer command texts: "#27#64" is decimal byte values each after "#" (an empty
// number raises EConvertError); any other text is pairs of hexadecimal digits ("1B40"), a last
// unpaired digit ignored, a pair that is not hexadecimal raising EConvertError.
std::vector<Byte> vrDecodeDMPCommand(const String& text);

// Registers the page with the class registry and the three objects in the object registry's
// dot-matrix group; the second undoes it.
void vrRegisterDMPClasses();
void vrUnregisterDMPClasses();
