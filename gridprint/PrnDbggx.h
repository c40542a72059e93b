// TPrintDBGridGx: prints the rows of a data grid page by page. It holds what is not taken from
// the grid: margins (TPageParams), a page header and footer block (TPageColontitle), title lines,
// rich text before and after the grid, a print font name and the layout options. ShowPreview
// composes all pages into the shared preview recorder and shows them in the preview window;
// PrintToPrinter composes into any virtual printer.
#pragma once

#include "classes/Component.h"
#include "gridprint/PrnDbggxFooters.h"
#include "gridprint/PrnDbggxRichText.h"
#include "gridprint/PrntsGx.h"
#include "gui/Graphics.h"
#include "rtl/Currency.h"

#include <memory>

class TDBGridGx;
class TCustomDBGridGx;
class TFiler;
class TColumnGx;

enum TPrintDBGridGxOption : uint8_t {
    pghFitGridToPageWidth = 0x01,
    pghColored = 0x02,
    pghRowAutoStretch = 0x04,
    pghFitingByColWidths = 0x08,
    pghOptimalColWidths = 0x10,
};
using TPrintDBGridGxOptions = uint8_t;

enum TMeasureUnits { MM, Inches };
ORV_ENUM(TMeasureUnits, MM, Inches)

enum TPageColontitleLineType { pcltNon, pcltSingleLine, pcltDoubleLine };
ORV_ENUM(TPageColontitleLineType, pcltNon, pcltSingleLine, pcltDoubleLine)

ORV_DECLARE_EXCEPTION(EGridPrintBusy, Exception)

// The four margins, in the component's units (centimetres with MM, inches with Inches).
class TPageParams : public TPersistent {
    ORV_META(TPageParams, TPersistent)
    TPageParams();
    Currency BottomMargin() const { return FMargins[0]; }
    void SetBottomMargin(Currency v) { FMargins[0] = v; }
    Currency RightMargin() const { return FMargins[1]; }
    void SetRightMargin(Currency v) { FMargins[1] = v; }
    Currency LeftMargin() const { return FMargins[2]; }
    void SetLeftMargin(Currency v) { FMargins[2] = v; }
    Currency TopMargin() const { return FMargins[3]; }
    void SetTopMargin(Currency v) { FMargins[3] = v; }
    // A margin is stored only when it differs from 2.
    bool IsMarginStored(int i) const { return FMargins[i] != Currency::FromInt(2); }
    void Assign(const TPersistent* Source) override;

private:
    Currency FMargins[4];
};

// A page header or footer block: three texts (left, centre, right), a font and a rule.
class TPageColontitle : public TPersistent {
    ORV_META(TPageColontitle, TPersistent)
    TPageColontitle();
    TStrings* CenterText() const { return FCenterText.get(); }
    void SetCenterText(TStrings* v) { FCenterText->Assign(*v); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(*v); }
    TStrings* LeftText() const { return FLeftText.get(); }
    void SetLeftText(TStrings* v) { FLeftText->Assign(*v); }
    TPageColontitleLineType LineType() const { return FLineType; }
    void SetLineType(TPageColontitleLineType v) { FLineType = v; }
    TStrings* RightText() const { return FRightText.get(); }
    void SetRightText(TStrings* v) { FRightText->Assign(*v); }
    void Assign(const TPersistent* Source) override;

private:
    std::unique_ptr<TStringList> FCenterText;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TStringList> FLeftText;
    TPageColontitleLineType FLineType = pcltNon;
    std::unique_ptr<TStringList> FRightText;
};

class TPrintDBGridGx : public TComponent {
    ORV_META(TPrintDBGridGx, TComponent)
    explicit TPrintDBGridGx(TComponent* AOwner);
    ~TPrintDBGridGx() override;

    // Rich text printed after and before the grid; created on first read.
    TRichEditStrings* AfterGridText();
    void SetAfterGridText(TStrings* source);
    TRichEditStrings* BeforeGridText();
    void SetBeforeGridText(TStrings* source);
    bool HasAfterGridText() const { return FAfterGridText && FAfterGridText->Count() > 0; }
    bool HasBeforeGridText() const { return FBeforeGridText && FBeforeGridText->Count() > 0; }

    TDBGridGx* DBGridGx() const { return FDBGridGx; }
    void SetDBGridGx(TDBGridGx* grid);

    TNotifyEvent OnAfterPrint;
    TNotifyEvent OnBeforePrint;
    TNotifyEvent OnPrinterSetupDialog;

    TPrintDBGridGxOptions Options() const { return FOptions; }
    void SetOptions(TPrintDBGridGxOptions v) { FOptions = v; }
    bool HasOption(TPrintDBGridGxOption o) const { return (FOptions & o) != 0; }
    TPageParams* Page() const { return FPage.get(); }
    void SetPage(TPageParams* v) { FPage->Assign(v); }
    TPageColontitle* PageFooter() const { return FPageFooter.get(); }
    void SetPageFooter(TPageColontitle* v) { FPageFooter->Assign(v); }
    TPageColontitle* PageHeader() const { return FPageHeader.get(); }
    void SetPageHeader(TPageColontitle* v) { FPageHeader->Assign(v); }
    const String& PrintFontName() const { return FPrintFontName; }
    void SetPrintFontName(const String& v) { FPrintFontName = v; }
    TStrings* Title() const { return FTitle.get(); }
    void SetTitle(TStrings* v) { FTitle->Assign(*v); }
    TMeasureUnits Units() const { return FUnits; }
    // Converts the margins to the new unit (not while the component is being loaded).
    void SetUnits(TMeasureUnits v);

    // Composes the preview of the grid into the shared recorder and shows the preview window.
    void ShowPreview();
    // Composes all pages into the printer. Nothing happens without a grid, data source or open
    // data set. A print started while this component is already composing raises EGridPrintBusy.
    void PrintToPrinter(TVirtualPrinter* printer);
    // Shows the setup dialog; true when the user confirmed (the values are then written back).
    bool ShowSetupDialog();
    // The setup dialog, then a new preview when confirmed.
    void SetupAndPreview();

    // True while a print is being composed.
    bool Busy() const { return FBusy; }
    // Applies PrintFontName to a font used for printing.
    void ApplyPrintFont(TFont& font) const;

    // Footer cell of the column in a footer row, as the grid's column footers define it.
    virtual TPrintFooterCell FooterCell(TColumnGx* Column, int Row);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler& Filer) override;

private:
    void ForgetPendingPrint(class TPrinterPreview* recorder);
    std::unique_ptr<TRichEditStrings> FAfterGridText;
    std::unique_ptr<TRichEditStrings> FBeforeGridText;
    TDBGridGx* FDBGridGx = nullptr;
    TPrintDBGridGxOptions FOptions = 0;
    std::unique_ptr<TPageParams> FPage;
    std::unique_ptr<TPageColontitle> FPageFooter;
    std::unique_ptr<TPageColontitle> FPageHeader;
    String FPrintFontName;
    std::unique_ptr<TStringList> FTitle;
    TMeasureUnits FUnits = MM;
    bool FBusy = false;
};
