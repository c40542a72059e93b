// The page settings dialog of the preview.
#include "report/vrPreviewPageSettings.h"

#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "gui/Picture.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrPreviewPagesPrint.h"
#include "report/vrPrinter.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "report/vrWindows.h"
#include "rtl/IniFiles.h"

#include <cmath>

ORV_META_IMPL(TvrPageSettingsForm)
void TvrPageSettingsForm::DeclareMeta(meta::Class<TvrPageSettingsForm>&) {}

namespace {

template <class T> T* PlacePageControl(TForm* form, TWinControl* parent, const String& name, int x, int y, int w,
                                       int h) {
    auto* c = new T(form);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    return c;
}

// A sheet drawn in code: portrait or landscape, with a few lines of text.
void DrawSheetPicture(TPicture* picture, bool landscape) {
    const int w = landscape ? 42 : 30, h = landscape ? 30 : 42;
    TBitmap* b = picture->Bitmap();
    b->SetSize(44, 44);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, 44, 44));
    const int x = (44 - w) / 2, y = (44 - h) / 2;
    c->Brush()->SetColor(clWhite);
    c->Pen()->SetColor(clBlack);
    c->Rectangle(x, y, x + w, y + h);
    c->Pen()->SetColor(clGray);
    for (int line = y + 6; line < y + h - 4; line += 5) {
        c->MoveTo(x + 4, line);
        c->LineTo(x + w - 4, line);
    }
}

} // namespace

TvrPageSettingsForm::TvrPageSettingsForm(TComponent* AOwner) : TForm(AOwner) {
    SetName("vrPageSettingsForm");
    SetCaption("Page Settings");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    SetClientWidth(420);
    SetClientHeight(268);

    SizeL = PlacePageControl<TGroupBox>(this, this, "SizeL", 8, 4, 200, 120);
    SizeCB = PlacePageControl<TComboBox>(this, SizeL, "SizeCB", 12, 20, 176, 21);
    SizeCB->SetStyle(csDropDownList);
    SizeCB->OnClick = [this](TObject*) { SizeChanged(); };
    WidthL = PlacePageControl<TLabel>(this, SizeL, "WidthL", 12, 56, 60, 13);
    WidthE = PlacePageControl<TEdit>(this, SizeL, "WidthE", 80, 52, 70, 21);
    WidthE->OnChange = [this](TObject*) { SizeTyped(); };
    UnitL1 = PlacePageControl<TLabel>(this, SizeL, "UnitL1", 156, 56, 30, 13);
    HeightL = PlacePageControl<TLabel>(this, SizeL, "HeightL", 12, 86, 60, 13);
    HeightE = PlacePageControl<TEdit>(this, SizeL, "HeightE", 80, 82, 70, 21);
    HeightE->OnChange = [this](TObject*) { SizeTyped(); };
    UnitL2 = PlacePageControl<TLabel>(this, SizeL, "UnitL2", 156, 86, 30, 13);

    OrientationL = PlacePageControl<TGroupBox>(this, this, "OrientationL", 8, 130, 200, 96);
    PortraitImg = PlacePageControl<TImage>(this, OrientationL, "PortraitImg", 12, 26, 44, 44);
    DrawSheetPicture(PortraitImg->Picture(), false);
    LandscapeImg = PlacePageControl<TImage>(this, OrientationL, "LandscapeImg", 12, 26, 44, 44);
    DrawSheetPicture(LandscapeImg->Picture(), true);
    LandscapeImg->SetVisible(false);
    PortraitRB = PlacePageControl<TRadioButton>(this, OrientationL, "PortraitRB", 72, 28, 120, 17);
    PortraitRB->SetChecked(true);
    PortraitRB->OnClick = [this](TObject*) { OrientationClick(); };
    LandscapeRB = PlacePageControl<TRadioButton>(this, OrientationL, "LandscapeRB", 72, 54, 120, 17);
    LandscapeRB->OnClick = [this](TObject*) { OrientationClick(); };

    MarginsL = PlacePageControl<TGroupBox>(this, this, "MarginsL", 216, 4, 196, 120);
    struct TRow {
        TLabel*& Label;
        const char* LabelName;
        TEdit*& Edit;
        const char* EditName;
        TLabel*& Unit;
        const char* UnitName;
        int Y;
    } rows[] = {{LeftL, "LeftL", MarginLeftE, "MarginLeftE", UnitL3, "UnitL3", 20},
                {TopL, "TopL", MarginTopE, "MarginTopE", UnitL4, "UnitL4", 44},
                {RightL, "RightL", MarginRightE, "MarginRightE", UnitL5, "UnitL5", 68},
                {BottomL, "BottomL", MarginBottomE, "MarginBottomE", UnitL6, "UnitL6", 92}};
    for (TRow& r : rows) {
        r.Label = PlacePageControl<TLabel>(this, MarginsL, r.LabelName, 12, r.Y + 4, 50, 13);
        r.Edit = PlacePageControl<TEdit>(this, MarginsL, r.EditName, 70, r.Y, 70, 21);
        r.Unit = PlacePageControl<TLabel>(this, MarginsL, r.UnitName, 146, r.Y + 4, 30, 13);
    }

    OtherL = PlacePageControl<TGroupBox>(this, this, "OtherL", 216, 130, 196, 96);
    ApplyToCurRB = PlacePageControl<TRadioButton>(this, OtherL, "ApplyToCurRB", 12, 28, 176, 17);
    ApplyToCurRB->SetChecked(true);
    ApplyToAllRB = PlacePageControl<TRadioButton>(this, OtherL, "ApplyToAllRB", 12, 54, 176, 17);

    OKB = PlacePageControl<TButton>(this, this, "OKB", 256, 236, 75, 25);
    OKB->SetDefault(true);
    OKB->OnClick = [this](TObject*) { OKClick(); };
    CancelB = PlacePageControl<TButton>(this, this, "CancelB", 337, 236, 75, 25);
    CancelB->SetCancel(true);
    CancelB->SetModalResult(mrCancel);
    OnKeyDown = [this](TObject*, Word& key, TShiftState) {
        if (key == VK_F1) GetResources().ShowHelp(this);
    };
    SetCaptions();
    vrMirrorForReadingOrder(this);
    DoCreate();
}

void TvrPageSettingsForm::SetCaptions() {
    const TvrResources& res = GetResources();
    SetCaption(res.GetString("400"));
    struct TText {
        TControl* Control;
        const char* Key;
    } texts[] = {{WidthL, "401"},       {HeightL, "402"},     {SizeL, "403"},       {OrientationL, "404"},
                 {LeftL, "405"},        {TopL, "406"},        {RightL, "407"},      {BottomL, "408"},
                 {MarginsL, "409"},     {PortraitRB, "410"},  {LandscapeRB, "411"}, {OKB, "1"},
                 {CancelB, "2"},        {OtherL, "412"},      {ApplyToCurRB, "413"}, {ApplyToAllRB, "414"}};
    for (const TText& t : texts)
        t.Control->SetCaption(res.GetString(t.Key));
}

String TvrPageSettingsForm::ToUnits(Extended mm) const {
    return FloatToDisplayStr(FUnits == 1 ? mm / 25.4L : mm / 10);
}

Extended TvrPageSettingsForm::FromUnits(const String& text) const {
    const Extended x = StrToFloatLoose(text);
    return FUnits == 1 ? x * 25.4L : x * 10;
}

void TvrPageSettingsForm::FillFromPage() {
    FUpdating = true;
    FUnits = 0;
    if (Report) {
        std::unique_ptr<TCustomIniFile> ini = Report->GetIniFile();
        if (ini) FUnits = ini->ReadInteger("Form4.TvrDesignerForm", "Units", 0);
    }
    const String unit = GetResources().GetString(FUnits == 1 ? "uInch" : "uCm");
    for (TLabel* l : {UnitL1, UnitL2, UnitL3, UnitL4, UnitL5, UnitL6})
        l->SetCaption(unit);
    SizeCB->Items()->Clear();
    TvrCustomPrinter* printer = GetPrinters().CurrentPrinter();
    if (printer) {
        printer->LoadPrinterInfo();
        SizeCB->Items()->Assign(*printer->PaperList());
        Integer index = Page ? printer->IndexOfPaper(Page->PaperSize()) : -1;
        if (index < 0) index = printer->IndexOfPaper(256);
        SizeCB->SetItemIndex(index);
    }
    if (Page) {
        WidthE->SetText(ToUnits(Page->PaperWidth()));
        HeightE->SetText(ToUnits(Page->PaperHeight()));
        MarginLeftE->SetText(ToUnits(Page->LeftMargin));
        MarginTopE->SetText(ToUnits(Page->TopMargin));
        MarginRightE->SetText(ToUnits(Page->RightMargin));
        MarginBottomE->SetText(ToUnits(Page->BottomMargin));
        PortraitRB->SetChecked(Page->Orientation() == poPortrait);
        LandscapeRB->SetChecked(Page->Orientation() == poLandscape);
    }
    OrientationClick();
    FUpdating = false;
}

void TvrPageSettingsForm::OrientationClick() {
    PortraitImg->SetVisible(PortraitRB->Checked());
    LandscapeImg->SetVisible(LandscapeRB->Checked());
    SizeChanged();
}

void TvrPageSettingsForm::SizeChanged() {
    if (FUpdating) return;
    TvrCustomPrinter* printer = GetPrinters().CurrentPrinter();
    if (!printer) return;
    FUpdating = true;
    Extended width = 0, height = 0;
    try {
        width = FromUnits(WidthE->Text());
        height = FromUnits(HeightE->Text());
    } catch (const std::exception&) {
        // A size still being typed: the printer's paper decides.
    }
    printer->SetPaperForView(printer->PaperNameToNumber(SizeCB->Text()),
                             LandscapeRB->Checked() ? poLandscape : poPortrait, width, height);
    WidthE->SetText(ToUnits(printer->PaperWidth()));
    HeightE->SetText(ToUnits(printer->PaperHeight()));
    FUpdating = false;
}

void TvrPageSettingsForm::SizeTyped() {
    if (FUpdating) return;
    SizeCB->SetItemIndex(0);
}

void TvrPageSettingsForm::OKClick() {
    struct TField {
        TEdit* Edit;
        TControl* Label;
    } fields[] = {{WidthE, WidthL},      {HeightE, HeightL}, {MarginLeftE, LeftL},
                  {MarginTopE, TopL},    {MarginRightE, RightL}, {MarginBottomE, BottomL}};
    auto refuse = [this](TField& f, const String& message) {
        ShowErrorMessage(f.Label->Caption() + ": " + message);
        if (f.Edit->CanFocus()) f.Edit->SetFocus();
        SetModalResult(mrNone);
    };
    for (int i = 0; i < 6; ++i) {
        try {
            FValues[i] = FromUnits(fields[i].Edit->Text());
        } catch (const std::exception& e) {
            refuse(fields[i], e.what());
            return;
        }
    }
    for (int i = 0; i < 2; ++i)
        if (FValues[i] <= 0) {
            refuse(fields[i], vrInvalidPaperSize);
            return;
        }
    for (int i = 2; i < 6; ++i)
        if (FValues[i] < 0) {
            refuse(fields[i], "'" + fields[i].Edit->Text() + "'");
            return;
        }
    if (FValues[2] + FValues[4] >= FValues[0]) {
        refuse(fields[4], "'" + fields[4].Edit->Text() + "'");
        return;
    }
    if (FValues[3] + FValues[5] >= FValues[1]) {
        refuse(fields[5], "'" + fields[5].Edit->Text() + "'");
        return;
    }
    SetModalResult(mrOk);
}

void TvrPageSettingsForm::WritePage() {
    if (!Page) return;
    Page->SetOrientation(LandscapeRB->Checked() ? poLandscape : poPortrait);
    TvrCustomPrinter* printer = GetPrinters().CurrentPrinter();
    Page->SetSizeAndDimensions(printer ? printer->PaperNameToNumber(SizeCB->Text()) : 256, FValues[0], FValues[1]);
    Page->LeftMargin = FValues[2];
    Page->TopMargin = FValues[3];
    Page->RightMargin = FValues[4];
    Page->BottomMargin = FValues[5];
    Page->AlignChildren();
}

int TvrPageSettingsForm::ShowModal() {
    FillFromPage();
    const int result = TForm::ShowModal();
    if (result == mrOk) {
        // The values are those OKClick checked; a result given without it is checked now.
        if (ModalResult() != mrOk) {
            OKClick();
            if (ModalResult() != mrOk) return mrCancel;
        }
        WritePage();
    }
    return result;
}
