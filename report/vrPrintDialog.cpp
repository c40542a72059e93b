// The print dialog's window: its controls, captions and lists.
#include "report/vrPrintDialog.h"

#include "classes/MetaBuilder.h"
#include "gui/Picture.h"
#include "report/vrPrinter.h"
#include "report/vrRes.h"

ORV_META_IMPL(TvrPrintDialog)
void TvrPrintDialog::DeclareMeta(meta::Class<TvrPrintDialog>&) {}

namespace {

template <class T>
T* Place(TvrPrintDialog* form, TWinControl* parent, const String& name, int x, int y, int w, int h) {
    auto* c = new T(form);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    return c;
}

TLabel* Label(TvrPrintDialog* form, TWinControl* parent, const String& name, int x, int y) {
    return Place<TLabel>(form, parent, name, x, y, 60, 13);
}

TComboBox* List(TvrPrintDialog* form, TWinControl* parent, const String& name, int x, int y, int w) {
    auto* c = Place<TComboBox>(form, parent, name, x, y, w, 21);
    c->SetStyle(csDropDownList);
    return c;
}

void FillList(TComboBox* box, std::initializer_list<const char*> keys) {
    box->Items()->Clear();
    for (const char* key : keys)
        box->Items()->Add(GetResources().GetString(key));
}

} // namespace

TvrPrintDialog::TvrPrintDialog(TComponent* AOwner) : TForm(AOwner) {
    SetName("vrPrintDialog");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poScreenCenter);
    SetClientWidth(557);
    SetClientHeight(333);
    SetKeyPreview(true);
    Font()->SetName("宋体");
    Font()->SetHeight(-12);
    CreateControls();
    SetCaptions();
    CopiesE->SetNumbersOnly(true);
    if (Screen()->PixelsPerInch() > 96) PrintersCB->SetItemHeight(19);
    TvrPrinters& printers = GetPrinters();
    PrintersCB->Items()->Assign(printers.PrinterNames());
    PrintersCB->SetItemIndex(printers.ActivePrinterIndex());
    PrintersCBClick();
    PreviousPrinterIndex = printers.ActivePrinterIndex();
    CopiesPB->Invalidate();
    DoCreate();
}

TvrPrintDialog::~TvrPrintDialog() = default;

void TvrPrintDialog::CreateControls() {
    CreatePrinterGroup();
    CreatePagesGroup();
    CreateCopiesGroup();
    CreateOtherGroups();
    OkB = Place<TButton>(this, this, "OkB", 388, 304, 75, 25);
    OkB->SetDefault(true);
    OkB->SetModalResult(mrOk);
    CancelB = Place<TButton>(this, this, "CancelB", 472, 304, 75, 25);
    CancelB->SetCancel(true);
    CancelB->SetModalResult(mrCancel);
    FileDlg = new TSaveDialog(this);
    FileDlg->SetName("FileDlg");
    OnKeyDown = [this](TObject*, Word& key, TShiftState) {
        if (key == VK_F1) GetResources().ShowHelp(this);
    };
}

void TvrPrintDialog::CreatePrinterGroup() {
    Label12 = Place<TGroupBox>(this, this, "Label12", 8, 4, 541, 76);
    NameL = Label(this, Label12, "NameL", 12, 24);
    PrintersCB = Place<TComboBox>(this, Label12, "PrintersCB", 70, 19, 330, 22);
    PrintersCB->SetStyle(csOwnerDrawFixed);
    PrintersCB->SetItemHeight(16);
    PrintersCB->OnDrawItem = [this](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        DrawPrinterItem(index, rect, state);
    };
    PrintersCB->OnClick = [this](TObject*) { PrintersCBClick(); };
    PropButton = Place<TButton>(this, Label12, "PropButton", 414, 18, 115, 25);
    PropButton->OnClick = [this](TObject*) { PropButtonClick(); };
    WhereL = Label(this, Label12, "WhereL", 12, 50);
    WhereL1 = Place<TLabel>(this, Label12, "WhereL1", 70, 50, 330, 13);
    WhereL1->SetAutoSize(false);
    FileCB = Place<TCheckBox>(this, Label12, "FileCB", 414, 49, 120, 17);
}

void TvrPrintDialog::CreatePagesGroup() {
    Label1 = Place<TGroupBox>(this, this, "Label1", 8, 86, 265, 120);
    AllRB = Place<TRadioButton>(this, Label1, "AllRB", 12, 18, 140, 17);
    AllRB->SetChecked(true);
    CurPageRB = Place<TRadioButton>(this, Label1, "CurPageRB", 12, 38, 140, 17);
    PageNumbersRB = Place<TRadioButton>(this, Label1, "PageNumbersRB", 12, 58, 62, 17);
    PageNumbersRB->OnClick = [this](TObject*) {
        if (Visible() && PageNumbersE->CanFocus()) PageNumbersE->SetFocus();
    };
    PageNumbersE = Place<TEdit>(this, Label1, "PageNumbersE", 80, 56, 173, 21);
    PageNumbersE->OnEnter = [this](TObject*) { PageNumbersRB->SetChecked(true); };
    DescrL = Place<TLabel>(this, Label1, "DescrL", 12, 82, 241, 34);
    DescrL->SetAutoSize(false);
    DescrL->SetWordWrap(true);
}

void TvrPrintDialog::CreateCopiesGroup() {
    Label2 = Place<TGroupBox>(this, this, "Label2", 284, 86, 265, 120);
    CopiesL = Label(this, Label2, "CopiesL", 12, 24);
    CopiesE = Place<TEdit>(this, Label2, "CopiesE", 110, 20, 60, 21);
    CopiesE->SetText("1");
    UpDown1 = Place<TUpDown>(this, Label2, "UpDown1", 170, 20, 17, 21);
    UpDown1->SetMin(1);
    UpDown1->SetAssociate(CopiesE);
    UpDown1->SetPosition(1);
    CopiesPB = Place<TPaintBox>(this, Label2, "CopiesPB", 12, 56, 120, 44);
    CopiesPB->OnPaint = [this](TObject*) { PaintCopies(); };
    CollateCB = Place<TCheckBox>(this, Label2, "CollateCB", 150, 70, 105, 17);
    CollateCB->SetChecked(true);
    CollateCB->OnClick = [this](TObject*) { CollateCBClick(); };
    CollateImg = Place<TImage>(this, Label2, "CollateImg", 12, 56, 120, 44);
    CollateImg->SetVisible(false);
    DrawCopiesPicture(CollateImg->Picture(), true);
    NonCollateImg = Place<TImage>(this, Label2, "NonCollateImg", 12, 56, 120, 44);
    NonCollateImg->SetVisible(false);
    DrawCopiesPicture(NonCollateImg->Picture(), false);
}

void TvrPrintDialog::CreateOtherGroups() {
    ScaleGB = Place<TGroupBox>(this, this, "ScaleGB", 8, 212, 265, 88);
    PrintModeIL = new TImageList(64, 32, this);
    PrintModeIL->SetName("PrintModeIL");
    DrawPrintModePictures(PrintModeIL);
    PrintModeCB = Place<TComboBox>(this, ScaleGB, "PrintModeCB", 12, 16, 241, 40);
    PrintModeCB->SetStyle(csOwnerDrawFixed);
    PrintModeCB->SetItemHeight(34);
    PrintModeCB->OnDrawItem = [this](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        DrawPrintModeItem(index, rect, state);
    };
    PrintModeCB->OnClick = [this](TObject*) { PrintModeCBClick(); };
    PagSizeL = Label(this, ScaleGB, "PagSizeL", 12, 64);
    PagPageSizeCB = List(this, ScaleGB, "PagPageSizeCB", 90, 60, 163);

    OtherGB = Place<TGroupBox>(this, this, "OtherGB", 284, 212, 265, 88);
    PrintL = Label(this, OtherGB, "PrintL", 12, 20);
    PrintPagesCB = List(this, OtherGB, "PrintPagesCB", 90, 16, 163);
    OrderL = Label(this, OtherGB, "OrderL", 12, 42);
    OrderCB = List(this, OtherGB, "OrderCB", 90, 38, 163);
    DuplexL = Label(this, OtherGB, "DuplexL", 12, 64);
    DuplexCB = List(this, OtherGB, "DuplexCB", 90, 60, 163);
}

void TvrPrintDialog::SetCaptions() {
    const TvrResources& res = GetResources();
    SetCaption(res.GetString("200"));
    struct TText {
        TControl* Control;
        const char* Key;
    } texts[] = {{Label12, "201"},   {DescrL, "9"},        {Label1, "202"},     {CopiesL, "203"},
                 {CollateCB, "204"}, {Label2, "205"},      {PrintL, "206"},     {WhereL, "208"},
                 {OkB, "1"},         {CancelB, "2"},       {PropButton, "209"}, {AllRB, "3"},
                 {CurPageRB, "4"},   {PageNumbersRB, "5"}, {FileCB, "210"},     {NameL, "212"},
                 {ScaleGB, "213"},   {PagSizeL, "214"},    {DuplexL, "216"},    {OtherGB, "207"},
                 {OrderL, "211"}};
    for (const TText& t : texts)
        t.Control->SetCaption(res.GetString(t.Key));
    FileDlg->SetTitle(res.GetString("507"));
    FileDlg->SetFilter(res.GetString("510"));
    FillList(OrderCB, {"poDirect", "poReverse"});
    OrderCB->SetItemIndex(0);
    FillList(PrintPagesCB, {"ppAll", "ppOdd", "ppEven"});
    PrintPagesCB->SetItemIndex(0);
    FillList(DuplexCB, {"dupDefault", "dupVert", "dupHorz", "dupSimpl"});
    DuplexCB->SetItemIndex(0);
    FillList(PrintModeCB, {"pmDefault", "pmSplit", "pmJoin", "pmScale"});
    PrintModeCB->SetItemIndex(0);
}

void TvrPrintDialog::DrawPrinterItem(Integer index, const TRect& rect, TOwnerDrawState) {
    TCanvas* c = PrintersCB->Canvas();
    c->FillRect(rect);
    GetResources().GetPreviewImages()->Draw(c, rect.Left + 2, rect.Top, 2);
    c->TextOut(rect.Left + 24, rect.Top + 1, PrintersCB->Items()->Strings(index));
}

void TvrPrintDialog::DrawPrintModeItem(Integer index, const TRect& rect, TOwnerDrawState) {
    TCanvas* c = PrintModeCB->Canvas();
    c->FillRect(rect);
    PrintModeIL->Draw(c, rect.Left + 2, rect.Top + 1, index);
    c->TextOut(rect.Left + 74, rect.Top + 10, PrintModeCB->Items()->Strings(index));
}

void TvrPrintDialog::PaintCopies() {
    TCanvas* c = CopiesPB->Canvas();
    c->Brush()->SetColor(clWindow);
    c->FillRect(CopiesPB->ClientRect());
    TImage* shown = CollateCB->Checked() ? CollateImg : NonCollateImg;
    c->Draw(0, 0, shown->Picture()->Graphic());
}
