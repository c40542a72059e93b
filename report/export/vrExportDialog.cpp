// The shared part of the export dialogs.
#include "report/export/vrExportDialog.h"

#include "classes/MetaBuilder.h"
#include "report/export/vrrcExports.h"
#include "report/vrClassReport.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "report/vrWindows.h"
#include "rtl/FileUtils.h"

ORV_META_IMPL(TvrExportDialog)
void TvrExportDialog::DeclareMeta(meta::Class<TvrExportDialog>&) {}

TvrExportDialog::TvrExportDialog(TComponent* AOwner) : TForm(AOwner) {
    vrLoadExportStrings();
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    GroupPageRange = Place<TGroupBox>(nullptr, "GroupPageRange", 8, 4, 260, 136);
    AllRB = Place<TRadioButton>(GroupPageRange, "AllRB", 12, 20, 236, 17);
    AllRB->SetChecked(true);
    CurPageRB = Place<TRadioButton>(GroupPageRange, "CurPageRB", 12, 42, 236, 17);
    PageNumbersRB = Place<TRadioButton>(GroupPageRange, "PageNumbersRB", 12, 66, 60, 17);
    PageNumbersE = Place<TEdit>(GroupPageRange, "PageNumbersE", 76, 64, 172, 21);
    FilterKeys(PageNumbersE, PageNumbersRB, "0123456789,-");
    DescrL = Place<TLabel>(GroupPageRange, "DescrL", 12, 92, 236, 40);
    DescrL->SetWordWrap(true);
    SaveDialog1 = new TSaveDialog(this);
    SaveDialog1->SetName("SaveDialog1");
    OkB = Place<TButton>(nullptr, "OkB", 0, 0, 75, 25);
    OkB->SetDefault(true);
    OkB->OnClick = [this](TObject*) { OkClick(); };
    CancelB = Place<TButton>(nullptr, "CancelB", 0, 0, 75, 25);
    CancelB->SetCancel(true);
    CancelB->SetModalResult(mrCancel);
    OnKeyDown = [this](TObject*, Word& key, TShiftState) {
        if (key == VK_F1) GetResources().ShowHelp(this);
    };
}

void TvrExportDialog::FinishCreate(int clientWidth, int clientHeight) {
    SetClientWidth(clientWidth);
    SetClientHeight(clientHeight);
    OkB->SetBounds(clientWidth - 164, clientHeight - 33, 75, 25);
    CancelB->SetBounds(clientWidth - 83, clientHeight - 33, 75, 25);
    const TvrResources& res = GetResources();
    OkB->SetCaption(res.GetString("1"));
    CancelB->SetCaption(res.GetString("2"));
    AllRB->SetCaption(res.GetString("3"));
    CurPageRB->SetCaption(res.GetString("4"));
    PageNumbersRB->SetCaption(res.GetString("5"));
    GroupPageRange->SetCaption(res.GetString("7"));
    DescrL->SetCaption(res.GetString("9"));
    vrMirrorForReadingOrder(this);
    DoCreate();
}

void TvrExportDialog::FilterKeys(TEdit* edit, TRadioButton* radio, const String& allowed) {
    edit->OnKeyPress = [radio, allowed](TObject*, char16_t& key) {
        if (radio) radio->SetChecked(true);
        if (key == 8) return;
        if (key > 0x7F || allowed.find(static_cast<char>(key)) == String::npos) key = 0;
    };
}

void TvrExportDialog::FillPageRange(TvrCustomExportFilter& filter) {
    TOpenOptions options = SaveDialog1->Options();
    if (filter.OverwritePrompt)
        options.Include(ofOverwritePrompt);
    else
        options.Exclude(ofOverwritePrompt);
    SaveDialog1->SetOptions(options);
    String name = filter.FileName;
    if (name.empty() && filter.Report && !filter.Report->LayoutFileName.empty())
        name = ChangeFileExt(ExtractFileName(NormalizePath(filter.Report->LayoutFileName)), SaveDialog1->DefaultExt());
    SaveDialog1->SetFileName(name);
    if (!filter.PageRange.empty()) {
        PageNumbersE->SetText(filter.PageRange);
        PageNumbersRB->SetChecked(true);
    }
}

void TvrExportDialog::ReadPageRange(TvrCustomExportFilter& filter) {
    filter.PageRange.clear();
    filter.CurrentPageOnly = false;
    if (CurPageRB->Checked())
        filter.CurrentPageOnly = true;
    else if (PageNumbersRB->Checked())
        filter.PageRange = PageNumbersE->Text();
}

bool TvrExportDialog::ChooseFile(TvrCustomExportFilter& filter) {
    if (!filter.DefaultPath.empty()) SaveDialog1->SetInitialDir(filter.DefaultPath);
    if (!SaveDialog1->Execute()) return false;
    filter.FileName = SaveDialog1->FileName();
    return true;
}

void TvrExportDialog::OkClick() {
    if (CanClose()) SetModalResult(mrOk);
}
