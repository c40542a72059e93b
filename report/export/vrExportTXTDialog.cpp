// The text-grid export's dialog: the options, and a preview panel that exports one page with them
// into a temporary file and shows it.
#include "report/export/vrExportTXT.h"

#include "classes/MetaBuilder.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/Dialogs.h"
#include "report/export/vrrcExports.h"
#include "report/vrClassReport.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "report/vrWindows.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/SysUtils.h"

#include <cmath>

int TvrTXTExport::ShowModal() {
    if (!ShowDialog) return mrOk;
    TvrTXTExportDialog dialog(nullptr, this);
    String name = FileName;
    if (name.empty()) {
        const String layout = Report ? Report->LayoutFileName : String();
        name = ChangeFileExt(ExtractFileName(NormalizePath(layout)), ".prn");
    }
    dialog.SaveDialog1->SetFileName(name);
    if (Pseudogrpahic)
        dialog.RB_Graph->SetChecked(true);
    else if (!Borders)
        dialog.RB_NoneFrames->SetChecked(true);
    else
        dialog.RB_Simple->SetChecked(true);
    dialog.CB_PageBreaks->SetChecked(PageBreaks);
    dialog.CB_OEM->SetChecked(OEMCodepage);
    dialog.RB_Graph->SetEnabled(OEMCodepage);
    dialog.CB_EmptyLines->SetChecked(EmptyLines);
    dialog.CB_LeadSpaces->SetChecked(LeadSpaces);
    dialog.CB_PrintAfter->SetChecked(PrintAfter);
    dialog.UpDown1->SetPosition(static_cast<int>(std::nearbyint(ScaleWidth * 100)));
    dialog.UpDown2->SetPosition(static_cast<int>(std::nearbyint(ScaleHeight * 100)));
    dialog.E_Range->SetText(PageRange);
    dialog.SetPageCount(Report && Report->PreparedPages() ? Report->PreparedPages()->GetPageCount() : 1);
    int result = dialog.ShowModal();
    if (result != mrOk) return result;
    PageRange = dialog.E_Range->Text();
    CurrentPageOnly = false;
    Borders = !dialog.RB_NoneFrames->Checked();
    Pseudogrpahic = dialog.RB_Graph->Checked();
    PageBreaks = dialog.CB_PageBreaks->Checked();
    OEMCodepage = dialog.CB_OEM->Checked();
    EmptyLines = dialog.CB_EmptyLines->Checked();
    LeadSpaces = dialog.CB_LeadSpaces->Checked();
    PrintAfter = dialog.CB_PrintAfter->Checked();
    ScaleWidth = StrToInt(Trim(dialog.E_ScaleX->Text())) / 100.0L;
    ScaleHeight = StrToInt(Trim(dialog.E_ScaleY->Text())) / 100.0L;
    if (!DefaultPath.empty()) dialog.SaveDialog1->SetInitialDir(DefaultPath);
    if (!dialog.SaveDialog1->Execute()) return mrCancel;
    FileName = dialog.SaveDialog1->FileName();
    return mrOk;
}

ORV_META_IMPL(TvrTXTExportDialog)
void TvrTXTExportDialog::DeclareMeta(meta::Class<TvrTXTExportDialog>&) {}

namespace {
template <class T> T* Put(TForm* form, TWinControl* parent, const String& name, int x, int y, int w, int h) {
    auto* c = new T(form);
    c->SetName(name);
    c->SetParent(parent ? parent : form);
    c->SetBounds(x, y, w, h);
    return c;
}
constexpr int NarrowWidth = 277, WideWidth = 631, Shift = 177;
} // namespace

TvrTXTExportDialog::TvrTXTExportDialog(TComponent* AOwner, TvrTXTExport* exportFilter)
    : TForm(AOwner), FExport(exportFilter) {
    vrLoadExportStrings();
    SetName("vrTXTExportDialog");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetKeyPreview(true);
    FPreviewExport = TvrCustomExportFilter::CreateNoRegister<TvrTXTExport>();
    GroupCellProp = Put<TGroupBox>(this, nullptr, "GroupCellProp", 4, 4, 265, 100);
    CB_PageBreaks = Put<TCheckBox>(this, GroupCellProp, "CB_PageBreaks", 8, 18, 120, 17);
    CB_OEM = Put<TCheckBox>(this, GroupCellProp, "CB_OEM", 8, 40, 120, 17);
    CB_EmptyLines = Put<TCheckBox>(this, GroupCellProp, "CB_EmptyLines", 136, 18, 120, 17);
    CB_LeadSpaces = Put<TCheckBox>(this, GroupCellProp, "CB_LeadSpaces", 136, 40, 120, 17);
    CB_PrintAfter = Put<TCheckBox>(this, GroupCellProp, "CB_PrintAfter", 8, 70, 240, 17);
    GroupPageRange = Put<TGroupBox>(this, nullptr, "GroupPageRange", 4, 108, 265, 76);
    Pages = Put<TLabel>(this, GroupPageRange, "Pages", 8, 22, 40, 13);
    E_Range = Put<TEdit>(this, GroupPageRange, "E_Range", 56, 18, 200, 21);
    Descr = Put<TLabel>(this, GroupPageRange, "Descr", 8, 44, 248, 28);
    Descr->SetWordWrap(true);
    GroupScaleSettings = Put<TGroupBox>(this, nullptr, "GroupScaleSettings", 4, 188, 130, 76);
    ScX = Put<TLabel>(this, GroupScaleSettings, "ScX", 8, 22, 44, 13);
    E_ScaleX = Put<TEdit>(this, GroupScaleSettings, "E_ScaleX", 56, 18, 44, 21);
    UpDown1 = Put<TUpDown>(this, GroupScaleSettings, "UpDown1", 100, 18, 16, 21);
    ScY = Put<TLabel>(this, GroupScaleSettings, "ScY", 8, 48, 44, 13);
    E_ScaleY = Put<TEdit>(this, GroupScaleSettings, "E_ScaleY", 56, 44, 44, 21);
    UpDown2 = Put<TUpDown>(this, GroupScaleSettings, "UpDown2", 100, 44, 16, 21);
    for (auto [edit, spin] : {std::pair{E_ScaleX, UpDown1}, std::pair{E_ScaleY, UpDown2}}) {
        spin->SetMin(10);
        spin->SetMax(500);
        spin->SetIncrement(10);
        spin->SetAssociate(edit);
        spin->SetPosition(100);
        spin->OnChanging = [this](TObject*, bool& allow) {
            if (FBusy) {
                allow = false;
                return;
            }
        };
        spin->OnClick = [this](TObject*, TUDBtnType) { RefreshClick(); };
    }
    GroupFramesSettings = Put<TGroupBox>(this, nullptr, "GroupFramesSettings", 139, 188, 130, 76);
    RB_NoneFrames = Put<TRadioButton>(this, GroupFramesSettings, "RB_NoneFrames", 8, 16, 110, 17);
    RB_Simple = Put<TRadioButton>(this, GroupFramesSettings, "RB_Simple", 8, 34, 110, 17);
    RB_Graph = Put<TRadioButton>(this, GroupFramesSettings, "RB_Graph", 8, 52, 110, 17);
    RB_NoneFrames->SetChecked(true);
    BtnPreview = Put<TSpeedButton>(this, nullptr, "BtnPreview", 4, 272, 25, 25);
    BtnPreview->SetGroupIndex(1);
    BtnPreview->SetAllowAllUp(true);
    BtnPreview->SetCaption(">>");
    BtnPreview->OnClick = [this](TObject*) { SetPreviewShown(BtnPreview->Down()); };
    OK = Put<TButton>(this, nullptr, "OK", 114, 272, 75, 25);
    OK->SetDefault(true);
    OK->SetModalResult(mrOk);
    Cancel = Put<TButton>(this, nullptr, "Cancel", 194, 272, 75, 25);
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
    GroupBox1 = Put<TGroupBox>(this, nullptr, "GroupBox1", 274, 4, 350, 293);
    GroupBox1->SetVisible(false);
    Label1 = Put<TLabel>(this, GroupBox1, "Label1", 8, 18, 40, 13);
    PgWidth = Put<TLabel>(this, GroupBox1, "PgWidth", 50, 18, 40, 13);
    Label3 = Put<TLabel>(this, GroupBox1, "Label3", 96, 18, 40, 13);
    PgHeight = Put<TLabel>(this, GroupBox1, "PgHeight", 138, 18, 40, 13);
    LBPage = Put<TLabel>(this, GroupBox1, "LBPage", 184, 18, 20, 13);
    EPage = Put<TEdit>(this, GroupBox1, "EPage", 206, 14, 40, 21);
    PageUpDown = Put<TUpDown>(this, GroupBox1, "PageUpDown", 246, 14, 16, 21);
    PageUpDown->SetMin(1);
    PageUpDown->SetAssociate(EPage);
    PageUpDown->SetPosition(1);
    ToolButton1 = Put<TButton>(this, GroupBox1, "ToolButton1", 290, 12, 24, 24);
    ToolButton1->SetCaption("+");
    ToolButton2 = Put<TButton>(this, GroupBox1, "ToolButton2", 318, 12, 24, 24);
    ToolButton2->SetCaption("-");
    Preview = Put<TMemo>(this, GroupBox1, "Preview", 8, 40, 334, 245);
    Preview->SetReadOnly(true);
    Preview->SetScrollBars(ssBoth);
    Preview->SetWordWrap(false);
    ToolButton1->OnClick = [this](TObject*) {
        Preview->Font()->SetSize(std::min(30, Preview->Font()->Size() + 1));
    };
    ToolButton2->OnClick = [this](TObject*) {
        Preview->Font()->SetSize(std::max(2, Preview->Font()->Size() - 1));
    };
    SaveDialog1 = new TSaveDialog(this);
    SaveDialog1->SetName("SaveDialog1");
    for (TCheckBox* box : {CB_PageBreaks, CB_EmptyLines, CB_LeadSpaces})
        box->OnClick = [this](TObject*) { RefreshClick(); };
    for (TRadioButton* radio : {RB_NoneFrames, RB_Simple, RB_Graph})
        radio->OnClick = [this](TObject*) { RefreshClick(); };
    CB_OEM->OnClick = [this](TObject*) { OemClick(); };
    EPage->OnChange = [this](TObject*) { RefreshClick(); };
    OnKeyDown = [this](TObject*, Word& key, TShiftState) {
        if (key == VK_F1) GetResources().ShowHelp(this);
    };

    SetCaption(GetResourceStringById(8300));
    BtnPreview->SetHint(GetResourceStringById(8301));
    BtnPreview->SetShowHint(true);
    GroupCellProp->SetCaption(GetResourceStringById(8302));
    CB_PageBreaks->SetCaption(GetResourceStringById(8303));
    CB_OEM->SetCaption(GetResourceStringById(8304));
    CB_EmptyLines->SetCaption(GetResourceStringById(8305));
    CB_LeadSpaces->SetCaption(GetResourceStringById(8306));
    GroupPageRange->SetCaption(GetResourceStringById(7));
    Pages->SetCaption(GetResourceStringById(8307));
    Descr->SetCaption(GetResourceStringById(8308));
    GroupScaleSettings->SetCaption(GetResourceStringById(8309));
    ScX->SetCaption(GetResourceStringById(8310));
    ScY->SetCaption(GetResourceStringById(8311));
    GroupFramesSettings->SetCaption(GetResourceStringById(8312));
    RB_NoneFrames->SetCaption(GetResourceStringById(8313));
    RB_Simple->SetCaption(GetResourceStringById(8314));
    RB_Graph->SetCaption(GetResourceStringById(8315));
    RB_Graph->SetHint(GetResourceStringById(8316));
    RB_Graph->SetShowHint(true);
    CB_PrintAfter->SetCaption(GetResourceStringById(8317));
    GroupBox1->SetCaption(GetResourceStringById(8319));
    Label1->SetCaption(GetResourceStringById(8320));
    Label3->SetCaption(GetResourceStringById(8321));
    LBPage->SetCaption(GetResourceStringById(8322));
    ToolButton1->SetHint(GetResourceStringById(8323));
    ToolButton2->SetHint(GetResourceStringById(8324));
    SaveDialog1->SetFilter(GetResourceStringById(8325));
    SaveDialog1->SetDefaultExt(GetResourceStringById(8326));
    OK->SetCaption(GetResourceStringById(1));
    Cancel->SetCaption(GetResourceStringById(2));
    SetClientWidth(NarrowWidth);
    SetClientHeight(303);
    vrMirrorForReadingOrder(this);
}

TvrTXTExportDialog::~TvrTXTExportDialog() = default;

void TvrTXTExportDialog::SetPageCount(Integer count) {
    PageUpDown->SetMax(std::max<Integer>(1, count));
}

void TvrTXTExportDialog::SetPreviewShown(bool shown) {
    if (shown == FPreviewShown) return;
    if (shown) {
        SetClientWidth(WideWidth);
        SetLeft(Left() - Shift);
        FWidened = true;
        FPreviewShown = true;
        GroupBox1->SetVisible(true);
        RefreshClick();
    } else {
        if (FWidened) SetLeft(Left() + Shift);
        FWidened = false;
        SetClientWidth(NarrowWidth);
        FPreviewShown = false;
        GroupBox1->SetVisible(false);
    }
    if (BtnPreview->Down() != shown) BtnPreview->SetDown(shown);
}

void TvrTXTExportDialog::OemClick() {
    RB_Graph->SetEnabled(CB_OEM->Checked());
    if (!CB_OEM->Checked() && RB_Graph->Checked()) RB_Simple->SetChecked(true);
    RefreshClick();
}

void TvrTXTExportDialog::RefreshClick() {
    if (!FPreviewShown || FBusy || !FExport || !FExport->Report) return;
    FBusy = true;
    const String temp = GetTempFile();
    // A failing export still frees the spins and leaves no temporary file.
    const TScopeExit done([this, &temp] {
        DeleteFile(temp);
        FBusy = false;
    });
    TvrTXTExport& p = *FPreviewExport;
    p.IsPreview = true;
    p.ShowDialog = false;
    p.ShowProgress = false;
    p.Borders = !RB_NoneFrames->Checked();
    p.Pseudogrpahic = RB_Graph->Checked();
    p.PageBreaks = CB_PageBreaks->Checked();
    p.OEMCodepage = CB_OEM->Checked();
    p.EmptyLines = CB_EmptyLines->Checked();
    p.LeadSpaces = CB_LeadSpaces->Checked();
    p.PrintAfter = false;
    p.ScaleWidth = StrToInt(Trim(E_ScaleX->Text())) / 100.0L;
    p.ScaleHeight = StrToInt(Trim(E_ScaleY->Text())) / 100.0L;
    p.FileName = temp;
    p.PageRange = EPage->Text();
    p.CurrentPageOnly = false;
    FExport->Report->Export(&p);
    Preview->Font()->SetName(CB_OEM->Checked() ? "Terminal" : "Courier New");
    Preview->Lines()->LoadFromFile(temp, 936);
    PgWidth->SetCaption(IntToStr(p.MaxWidth));
    PgHeight->SetCaption(IntToStr(p.LinesCount));
}
