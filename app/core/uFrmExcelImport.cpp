#include "app/core/uFrmExcelImport.h"

#include "app/core/DataDm.h"
#include "app/core/HouseChecks.h"
#include "app/core/ShellRun.h"
#include "app/core/TypedInput.h"
#include "app/core/Vardessa.h"
#include "app/core/uDLGeditCurList.h"
#include "app/core/uFrmMain.h"

#include "db/ADODB.h"
#include "db/DB.h"
#include "db/DataSource.h"
#include "grid/DBGridGx.h"
#include "grid/DBGridGxSelection.h"
#include "gui/ComCtrls.h"
#include "gui/Dialogs.h"
#include "gui/ExtCtrls.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <memory>
#include <set>

String ImportFieldFailed(const String& column) {
    return "字段“" + column + "”出错，导入失败！";
}

namespace {

const String HouseTarget = "T_FCinfo";

// Why a row cannot be imported: the message and its ShowMess kind.
struct TImportRefusal {
    String Message;
    int Kind;
};

bool IsText(TFieldType type) {
    return type == ftString || type == ftWideString || type == ftMemo || type == ftFixedChar;
}

bool IsNumber(TFieldType type) {
    return type == ftSmallint || type == ftInteger || type == ftWord || type == ftLargeint || type == ftFloat ||
           type == ftCurrency || type == ftBCD;
}

// A text longer than its text column (memos take any length) does not fit the field any more
// than a word fits a number.
bool TooLongFor(const TField& field, const String& text) {
    return IsText(field.DataType()) && field.DataType() != ftMemo && field.Size() > 0 &&
           Utf8Length(text) > field.Size();
}

TLabel* NewLabel(TComponent* owner, TWinControl* parent, const String& caption, int left, int top, int width) {
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetBounds(left, top, width, 18);
    label->SetCaption(caption);
    return label;
}

TButton* NewButton(TComponent* owner, TWinControl* parent, const String& name, const String& caption, int left,
                   int top, std::function<void()> click) {
    auto* button = new TButton(owner);
    button->SetName(name);
    button->SetParent(parent);
    button->SetBounds(left, top, 80, 26);
    button->SetCaption(caption);
    button->OnClick = [click](TObject*) { click(); };
    return button;
}

TDBGridGx* NewGrid(TComponent* owner, TWinControl* parent, const String& name, TDataSource* source) {
    auto* grid = new TDBGridGx(owner);
    grid->SetName(name);
    grid->SetParent(parent);
    grid->SetDataSource(source);
    return grid;
}

} // namespace

TfrmExcelImport::TfrmExcelImport(TComponent* AOwner) : TForm(AOwner) {
    SetName("frmExcelImport");
    SetCaption("Excel 数据导入");
    SetPosition(poScreenCenter);
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetClientWidth(640);
    SetClientHeight(440);

    ADOcnn = new TADOConnection(this);
    ADOcnn->SetName("ADOcnn");
    ADOcnn->SetLoginPrompt(false);
    QryTable1 = new TADOQuery(this);
    QryTable1->SetName("QryTable1");
    QryTable1->SetConnection(ADOcnn);
    QryTable1->SetLockType(ltReadOnly);
    QryTable2 = new TADOQuery(this);
    QryTable2->SetName("QryTable2");
    QryTable2->SetConnection(dmData->ADOcnn());
    QryTable2->SetLockType(ltBatchOptimistic);
    QryTable3 = new TADOQuery(this);
    QryTable3->SetName("QryTable3");
    QryTable3->SetConnection(dmData->ADOcnn());
    QryTable3->SetLockType(ltBatchOptimistic);
    dsTable1 = new TDataSource(this);
    dsTable1->SetDataSet(QryTable1);
    dsTable2 = new TDataSource(this);
    dsTable2->SetDataSet(QryTable2);
    dsTable3 = new TDataSource(this);
    dsTable3->SetDataSet(QryTable3);

    pnlButtons = new TPanel(this);
    pnlButtons->SetName("pnlButtons");
    pnlButtons->SetParent(this);
    pnlButtons->SetAlign(alBottom);
    pnlButtons->SetHeight(44);
    pnlButtons->SetCaption("");
    ProgressBar1 = new TProgressBar(this);
    ProgressBar1->SetName("ProgressBar1");
    ProgressBar1->SetParent(pnlButtons);
    ProgressBar1->SetBounds(12, 12, 300, 18);
    ProgressBar1->SetVisible(false);
    btnPrior = NewButton(this, pnlButtons, "btnPrior", "上一步", 360, 9, [this] { PriorClick(); });
    btnNext = NewButton(this, pnlButtons, "btnNext", "下一步", 448, 9, [this] { NextClick(); });
    btnCancel = NewButton(this, pnlButtons, "btnCancel", "取  消", 548, 9, [this] { Close(); });
    btnCancel->SetCancel(true);

    // 数据准备
    TabSheet1 = AddPage("TabSheet1", "数据准备");
    NewLabel(this, TabSheet1, "欢迎使用Orvanta数据导入向导", 24, 24, 580);
    NewLabel(this, TabSheet1, "您可以参考以下模版来制做导入源文件", 24, 80, 580);
    edtSample = new TEdit(this);
    edtSample->SetName("edtSample");
    edtSample->SetParent(TabSheet1);
    edtSample->SetBounds(24, 104, 480, 22);
    edtSample->SetReadOnly(true);
    btnOpenSample = NewButton(this, TabSheet1, "btnOpenSample", "打开", 516, 102, [this] { OpenSampleClick(); });
    NewLabel(this, TabSheet1, "请选择要导入的Excel源文件", 24, 160, 580);
    edtXlsFileName = new TEdit(this);
    edtXlsFileName->SetName("edtXlsFileName");
    edtXlsFileName->SetParent(TabSheet1);
    edtXlsFileName->SetBounds(24, 184, 480, 22);
    btnOpenFile = NewButton(this, TabSheet1, "btnOpenFile", "打开", 516, 182, [this] { OpenFileClick(); });
    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->SetName("OpenDialog1");
    OpenDialog1->SetTitle("请选择excel源文件");
    OpenDialog1->SetDefaultExt("xls");
    OpenDialog1->SetFilter("Excel文件(*.xls)|*.xls");

    // 源文件
    TabSheet2 = AddPage("TabSheet2", "源文件");
    NewLabel(this, TabSheet2, "请选择一个表名：", 12, 14, 110);
    cbbSheet = new TComboBox(this);
    cbbSheet->SetName("cbbSheet");
    cbbSheet->SetParent(TabSheet2);
    cbbSheet->SetBounds(124, 10, 240, 22);
    cbbSheet->SetStyle(csDropDownList);
    cbbSheet->OnChange = [this](TObject*) { ChooseSheet(cbbSheet->Text()); };
    DBGridGx1 = NewGrid(this, TabSheet2, "DBGridGx1", dsTable1);
    DBGridGx1->SetBounds(12, 40, 616, 310);
    DBGridGx1->SetReadOnly(true);
    DBGridGx1->SetUseMultiTitle(true);
    NewLabel(this, TabSheet2, "以上是要导入的数据，请检查是否有误！", 12, 362, 600);

    // 对应字段
    TabSheet3 = AddPage("TabSheet3", "对应字段");
    DBGridGx2 = NewGrid(this, TabSheet3, "DBGridGx2", dsTable2);
    DBGridGx2->SetBounds(12, 12, 420, 360);
    TColumnGx* source = DBGridGx2->Columns()->AddColumn();
    source->SetFieldName("F_fieldName");
    source->Title()->SetCaption("源字段名");
    source->Title()->SetAlignment(taCenter);
    source->SetWidth(150);
    source->SetReadOnly(true);
    TColumnGx* excel = DBGridGx2->Columns()->AddColumn();
    excel->SetFieldName("F_Field");
    excel->Title()->SetCaption("对应的Excel字段");
    excel->Title()->SetAlignment(taCenter);
    excel->SetWidth(200);
    auto* note = new TLabel(this);
    note->SetParent(TabSheet3);
    note->SetBounds(444, 12, 184, 120);
    note->SetWordWrap(true);
    note->SetCaption("请为每个源字段选择对应的Excel字段；没有对应Excel字段的源字段，请清空它的Excel字段。");

    // 结果预览
    TabSheet4 = AddPage("TabSheet4", "结果预览");
    DBGridGx3 = NewGrid(this, TabSheet4, "DBGridGx3", dsTable3);
    DBGridGx3->SetBounds(12, 12, 616, 330);
    DBGridGx3->SetOptions(DBGridGx3->Options() | dgEditing | dgIndicator | dgMultiSelect);
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    miBatchEdit = new TMenuItem(this);
    miBatchEdit->SetName("miBatchEdit");
    miBatchEdit->SetCaption("批量修改当前所选列");
    miBatchEdit->OnClick = [this](TObject*) { BatchEditClick(); };
    PopupMenu1->Items()->Add(miBatchEdit);
    miDeleteRows = new TMenuItem(this);
    miDeleteRows->SetName("miDeleteRows");
    miDeleteRows->SetCaption("删除当前指定所选行");
    miDeleteRows->OnClick = [this](TObject*) { DeleteRowsClick(); };
    PopupMenu1->Items()->Add(miDeleteRows);
    DBGridGx3->SetPopupMenu(PopupMenu1);
    auto* previewNote = new TLabel(this);
    previewNote->SetParent(TabSheet4);
    previewNote->SetBounds(12, 348, 616, 36);
    previewNote->SetWordWrap(true);
    previewNote->SetCaption("以上数据还没有导入数据库，可以直接修改；导入前请删除空行（按住Ctrl或Shift点击左侧的固定列选择多行）。");

    ShowPage(TabSheet1);
    DoCreate();
    // The window's connection is closed when the window is created.
    ADOcnn->Close();
}

TfrmExcelImport::~TfrmExcelImport() = default;

TPanel* TfrmExcelImport::AddPage(const String& name, const String& caption) {
    auto* page = new TPanel(this);
    page->SetName(name);
    page->SetParent(this);
    page->SetAlign(alClient);
    page->SetBevelOuter(bvNone);
    page->SetCaption("");
    page->SetHint(caption);
    return page;
}

void TfrmExcelImport::ShowPage(TPanel* page) {
    for (TPanel* each : {TabSheet1, TabSheet2, TabSheet3, TabSheet4})
        if (each) each->SetVisible(each == page);
}

void TfrmExcelImport::DoShow() {
    FStep = 0;
    WizardStep();
    TForm::DoShow();
}

void TfrmExcelImport::NextClick() {
    ++FStep;
    WizardStep();
}

void TfrmExcelImport::PriorClick() {
    if (FStep > 0) --FStep;
    WizardStep();
}

void TfrmExcelImport::WizardStep() {
    switch (FStep) {
    case 0:
        ShowPage(TabSheet1);
        btnPrior->SetEnabled(false);
        btnNext->SetEnabled(true);
        btnNext->SetCaption("下一步");
        break;
    case 1:
        if (!OpenWorkbook(Trim(edtXlsFileName->Text()))) {
            ShowMess(MsgImportNoWorkbook, 0);
            FStep = 0;
            return;
        }
        ShowPage(TabSheet2);
        btnPrior->SetEnabled(true);
        btnNext->SetCaption("下一步");
        break;
    case 2:
        ShowPage(TabSheet3);
        // The stored map each time: changes made to it earlier in the wizard are dropped.
        dmData->OpenSQL("select * from cfg_import where (F_tablename = '" + AnsiReplaceStr(FTarget, "'", "''") +
                            "')and(F_iFlag = 1) ",
                        QryTable2);
        DBGridGx3->Columns()->Clear();
        if (QryTable2->Active()) {
            TField* field = QryTable2->FieldByName("S_Field");
            TField* title = QryTable2->FieldByName("F_FieldName");
            for (QryTable2->First(); !QryTable2->Eof(); QryTable2->Next()) {
                TColumnGx* column = DBGridGx3->Columns()->AddColumn();
                column->SetFieldName(field->AsString());
                column->Title()->SetCaption(title->AsString());
                column->Title()->SetAlignment(taCenter);
                column->SetWidth(75);
                column->SetVisible(true);
                column->SetReadOnly(false);
                column->SetAlignment(taLeftJustify);
            }
            QryTable2->First();
        }
        btnPrior->SetEnabled(true);
        btnNext->SetCaption("下一步");
        break;
    case 3:
        ShowPage(TabSheet4);
        btnNext->SetCaption("完成");
        BuildPreview();
        btnPrior->SetEnabled(true);
        break;
    case 4:
        if (ImportRows()) {
            ShowMess(MsgImportDone, 0);
            SetModalResult(mrOk);
            Close();
        } else {
            // The preview stays with its rows: "完成" tries again, "上一步" goes to the map.
            FStep = 3;
        }
        break;
    default:
        break;
    }
}

bool TfrmExcelImport::OpenWorkbook(const String& file) {
    if (file.empty() || !FileExists(file)) return false;
    QryTable1->Close();
    ADOcnn->Close();
    ADOcnn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + file + "; " +
                               "Extended Properties=Excel 8.0; " + "Persist Security Info=False");
    try {
        ADOcnn->Open();
        ADOcnn->GetTableNames(cbbSheet->Items());
    } catch (const Exception&) {
        ADOcnn->Close();
        cbbSheet->Items()->Clear();
        return false;
    }
    if (cbbSheet->Items()->Count() == 0) {
        ADOcnn->Close();
        return false;
    }
    cbbSheet->SetItemIndex(0);
    ChooseSheet(cbbSheet->Items()->Strings(0));
    return true;
}

void TfrmExcelImport::ChooseSheet(const String& sheet) {
    QryTable1->Close();
    QryTable1->SQL()->SetText("select * from [" + sheet + "] ");
    try {
        QryTable1->Open();
    } catch (const Exception&) {
        QryTable1->Close();
        ShowMess(MsgOpenFailed, 3);
        return;
    }
    for (int i = 0; i < DBGridGx1->Columns()->Count(); ++i)
        DBGridGx1->Columns()->ColumnAt(i)->SetWidth(75);
    TColumnGx* excel = DBGridGx2->Columns()->ColumnAt(1);
    excel->PickList()->Clear();
    for (int i = 0; i < QryTable1->FieldCount(); ++i)
        excel->PickList()->Add(QryTable1->Fields()[i]->FieldName());
    DBGridGx2->Columns()->ColumnAt(0)->SetReadOnly(true);
}

void TfrmExcelImport::BuildPreview() {
    const TCursor cursor = Screen()->Cursor();
    Screen()->SetCursor(crHourGlass);
    ProgressBar1->SetMax(std::max(QryTable1->Active() ? QryTable1->RecordCount() - 1 : 0, 1));
    ProgressBar1->SetPosition(1);
    ProgressBar1->SetVisible(true);
    TScopeExit restore([this, cursor] {
        ProgressBar1->SetVisible(false);
        Screen()->SetCursor(cursor);
    });
    if (!dmData->OpenSQL("select * from " + FTarget + " where (1<>1)", QryTable3)) return;
    if (!QryTable1->Active() || QryTable1->IsEmpty() || !QryTable2->Active() || QryTable2->IsEmpty()) return;

    // The map rows that name a column: the preview field, the sheet's column and its title.
    struct TMapped {
        TField* Target;
        TField* Source;
        String Column;
    };
    std::vector<TMapped> mapped;
    {
        TField* sField = QryTable2->FieldByName("S_Field");
        TField* fField = QryTable2->FieldByName("F_Field");
        for (QryTable2->First(); !QryTable2->Eof(); QryTable2->Next()) {
            const String column = fField->AsString();
            if (column.empty()) continue;
            mapped.push_back({QryTable3->FindField(sField->AsString()), QryTable1->FindField(column), column});
        }
        QryTable2->First();
    }
    QryTable1->DisableControls();
    QryTable3->DisableControls();
    TScopeExit enable([this] {
        QryTable1->EnableControls();
        QryTable3->EnableControls();
    });
    int row = 0;
    for (QryTable1->First(); !QryTable1->Eof(); QryTable1->Next()) {
        ++row;
        QryTable3->Append();
        for (const TMapped& map : mapped) {
            try {
                if (!map.Target || !map.Source) throw EDatabaseError("no such column");
                if (map.Source->IsNull()) {
                    map.Target->Clear();
                    continue;
                }
                const String text = map.Source->AsString();
                if (TooLongFor(*map.Target, text)) throw EDatabaseError("too long");
                map.Target->SetAsString(text);
            } catch (const Exception&) {
                QryTable3->Cancel();
                ShowMess(ImportFieldFailed(map.Column), 3);
                QryTable3->First();
                return;
            }
        }
        if (mapped.empty())
            QryTable3->Cancel();
        else
            QryTable3->Post();
        ProgressBar1->SetPosition(row);
    }
    QryTable3->First();
}

String TfrmExcelImport::EditValue() {
    auto dialog = std::make_unique<TDLGeditCurList>(this);
    if (dialog->ShowModal() != mrOk) return String();
    return dialog->edtCurValue->Text();
}

String TfrmExcelImport::FieldTitle(const String& fieldName) const {
    for (int i = 0; i < DBGridGx3->Columns()->Count(); ++i) {
        TColumnGx* column = DBGridGx3->Columns()->ColumnAt(i);
        if (SameText(column->FieldName(), fieldName)) return column->Title()->Caption();
    }
    return fieldName;
}

void TfrmExcelImport::BatchEditClick() {
    TBookmarkListGx* marked = DBGridGx3->SelectedRows();
    if (!QryTable3->Active() || marked->BookmarkCount() == 0) {
        ShowMess(MsgImportSelectRows, 0);
        return;
    }
    TField* field = DBGridGx3->SelectedField();
    if (!field) return;
    const String value = EditValue();
    if (value.empty()) return;
    if (QryTable3->State() == dsEdit || QryTable3->State() == dsInsert) QryTable3->Post();
    std::vector<TBookmark> rows;
    for (int i = 0; i < marked->BookmarkCount(); ++i)
        rows.push_back(marked->BookmarkAt(i));
    for (const TBookmark& row : rows) {
        QryTable3->GotoBookmark(row);
        QryTable3->Edit();
        try {
            if (TooLongFor(*field, value)) throw EDatabaseError("too long");
            field->SetAsString(value);
            QryTable3->Post();
        } catch (const Exception&) {
            QryTable3->Cancel();
            ShowMess(ImportFieldFailed(FieldTitle(field->FieldName())), 3);
            return;
        }
    }
}

void TfrmExcelImport::DeleteRowsClick() {
    if (!QryTable3->Active()) return;
    TBookmarkListGx* marked = DBGridGx3->SelectedRows();
    if (marked->BookmarkCount() == 0) {
        if (ShowMess(MsgImportDeleteRow, 1) == 1 && !QryTable3->IsEmpty()) QryTable3->Delete();
        return;
    }
    if (ShowMess(MsgImportDeleteRows, 1) != 2) marked->DeleteMarkedRecords();
}

void TfrmExcelImport::OpenSampleClick() {
    const String sample = edtSample->Text();
    if (sample.empty() || !FileExists(sample)) {
        ShowMess(MsgImportNoSample, 0);
        return;
    }
    ShellOpenOrTell(sample);
}

void TfrmExcelImport::OpenFileClick() {
    if (OpenDialog1->Execute()) edtXlsFileName->SetText(OpenDialog1->FileName());
}

bool TfrmExcelImport::ImportRows() {
    if (!QryTable3->Active()) return false;
    if (QryTable3->State() == dsEdit || QryTable3->State() == dsInsert) {
        try {
            QryTable3->Post();
        } catch (const Exception&) {
            ShowMess(MsgImportFailed, 3);
            return false;
        }
    }
    const bool houses = SameText(FTarget, HouseTarget);
    // The fields the preview shows (one per map row): a row with all of them empty is skipped.
    std::vector<TField*> shown;
    for (int i = 0; i < DBGridGx3->Columns()->Count(); ++i)
        if (TField* field = DBGridGx3->Columns()->ColumnAt(i)->Field()) shown.push_back(field);
    std::vector<TField*> written;
    String columns, values;
    for (int i = 0; i < QryTable3->FieldCount(); ++i) {
        TField* field = QryTable3->Fields()[i];
        if (field->DataType() == ftAutoInc) continue;
        if (!written.empty()) {
            columns += ",";
            values += ",";
        }
        columns += field->FieldName();
        values += ":p" + IntToStr(static_cast<Int64>(written.size()));
        written.push_back(field);
    }
    if (written.empty()) return false;

    TADOConnection* cnn = dmData->ADOcnn();
    TADOQuery insert;
    insert.SetConnection(cnn);
    insert.SQL()->SetText("insert into " + FTarget + " (" + columns + ") values (" + values + ")");
    const TBookmark current = QryTable3->IsEmpty() ? TBookmark() : QryTable3->GetBookmark();
    QryTable3->DisableControls();
    TScopeExit enable([this] { QryTable3->EnableControls(); });
    TBookmark failedRow;
    TImportRefusal refusal{String(), 0};
    try {
        // Taken at once for writing: the checks see the table as the rows will meet it.
        cnn->BeginTrans();
        // The keys of the rows so far, folded as the database compares texts (ASCII letters).
        std::set<String> keys;
        for (QryTable3->First(); !QryTable3->Eof(); QryTable3->Next()) {
            bool blank = true;
            for (TField* field : shown)
                if (!Trim(field->AsString()).empty()) blank = false;
            if (blank) continue;
            failedRow = QryTable3->GetBookmark();
            for (TField* field : written) {
                if (TooLongFor(*field, TypedText(field->AsString()))) {
                    refusal = {ImportFieldFailed(FieldTitle(field->FieldName())), 3};
                    break;
                }
            }
            if (refusal.Message.empty() && houses) {
                const String estate = TypedText(QryTable3->FieldByName("F_XQname")->AsString());
                const String building = TypedText(QryTable3->FieldByName("F_LDcode")->AsString());
                const String code = TypedText(QryTable3->FieldByName("F_code")->AsString());
                const THouseRefusal check = CheckHouse(estate, building, code, 0);
                if (!check.Passed())
                    refusal = {check.Message, check.Kind};
                else if (!keys.insert(UpperCase(estate + "\x01" + building + "\x01" + code)).second)
                    refusal = {MsgHouseCodeTaken, 3};
            }
            if (!refusal.Message.empty()) break;
            for (size_t i = 0; i < written.size(); ++i) {
                TField* field = written[i];
                Variant value;
                if (IsText(field->DataType()))
                    value = field->DataType() == ftMemo
                                ? TypedMemo(field->AsString())
                                : TypedText(field->AsString());
                else if (field->IsNull() && IsNumber(field->DataType()))
                    value = field->DataType() == ftBCD || field->DataType() == ftCurrency ? Variant(Currency())
                                                                                         : Variant(0);
                else if (field->IsNull() && field->DataType() == ftBoolean)
                    value = false;
                else
                    value = field->Value();
                insert.Parameters()->ParamByName("p" + IntToStr(static_cast<Int64>(i)))->SetValue(value);
            }
            insert.ExecSQL();
        }
        if (!refusal.Message.empty()) {
            cnn->RollbackTrans();
        } else {
            cnn->CommitTrans();
            return true;
        }
    } catch (const Exception&) {
        if (cnn->InTransaction()) cnn->RollbackTrans();
        if (!current.empty()) QryTable3->GotoBookmark(current);
        ShowMess(MsgImportFailed, 3);
        return false;
    }
    // The row that failed becomes current.
    QryTable3->GotoBookmark(failedRow);
    ShowMess(refusal.Message, refusal.Kind);
    return false;
}

void RunImport(const String& target, TComponent* owner) {
    auto form = std::make_unique<TfrmExcelImport>(owner);
    form->SetTarget(target);
    form->edtSample->SetText(IncludeTrailingPathDelimiter(ProgramFolder()) + ImportSampleName);
    form->ShowModal();
}

void RegisterImportWindow() {
    RegisterActionWindow(107, [](TFrmMain* main) { RunImport(HouseTarget, main); });
}
