// The house import (action 107, 导入住户信息): a wizard that reads a workbook (".xls") through
// its own connection, maps the workbook's columns to the target table's fields with the map of
// cfg_import, shows the rows as an editable preview and inserts them in one step.
//
//   step 0 数据准备   the sample workbook and the file to import
//   step 1 源文件     the workbook's sheets; the chosen sheet's rows
//   step 2 对应字段   the map (源字段名 -> 对应的Excel字段), reloaded from cfg_import each time
//   step 3 结果预览   the preview rows (marked with Ctrl and Shift on the indicator), its menu
//                    批量修改当前所选列 and 删除当前指定所选行
//   step 4            the import: rows whose mapped cells are all empty are skipped, every other
//                    row passes the house dialog's checks (HouseChecks.h) and fits its fields;
//                    then all rows are written in one transaction. The first row that fails
//                    stops the import with its message and becomes current, nothing written,
//                    and the wizard stays on the preview ("完成" tries again).
// Nothing reaches the database before step 4; the map in cfg_import is never written.
#pragma once

#include "gui/Forms.h"

class TADOConnection;
class TADOQuery;
class TButton;
class TComboBox;
class TDataSource;
class TDBGridGx;
class TEdit;
class TLabel;
class TMenuItem;
class TOpenDialog;
class TPanel;
class TPopupMenu;
class TProgressBar;

inline const String MsgImportNoWorkbook = "请选择要导入的excel源文件！";
inline const String MsgImportDone = "导入非常成功，请检查资料表核对！";
inline const String MsgImportFailed = "导入失败，请联系管理人员.....";
inline const String MsgImportNoSample = "例子Excel文件不存在，请检查！";
inline const String MsgImportDeleteRow = "真的要删除当前行吗？";
inline const String MsgImportDeleteRows = "真的要删除当前选中的多行数据吗？";
inline const String MsgImportSelectRows = "请选中要更新的行，前面的固定行显示为箭头，\r\n表示选中行！";
inline const String ImportSampleName = "sample.xls";
// "字段“" + the column + "”出错，导入失败！"
String ImportFieldFailed(const String& column);

class TfrmExcelImport : public TForm {
public:
    explicit TfrmExcelImport(TComponent* AOwner);
    ~TfrmExcelImport() override;
    String ClassName() const override { return "TfrmExcelImport"; }

    // The pages of the four steps; only the current one is shown.
    TPanel* TabSheet1; // 数据准备
    TPanel* TabSheet2; // 源文件
    TPanel* TabSheet3; // 对应字段
    TPanel* TabSheet4; // 结果预览
    TPanel* pnlButtons;
    TEdit* edtSample;
    TButton* btnOpenSample;
    TEdit* edtXlsFileName;
    TButton* btnOpenFile;
    TComboBox* cbbSheet;
    TDBGridGx* DBGridGx1; // the sheet
    TDBGridGx* DBGridGx2; // the map
    TDBGridGx* DBGridGx3; // the preview
    TPopupMenu* PopupMenu1;
    TMenuItem* miBatchEdit;
    TMenuItem* miDeleteRows;
    TButton* btnPrior;
    TButton* btnNext;
    TButton* btnCancel;
    TProgressBar* ProgressBar1;
    TOpenDialog* OpenDialog1;

    TADOConnection* ADOcnn; // the workbook
    TADOQuery* QryTable1;   // the sheet's rows
    TADOQuery* QryTable2;   // the map (in memory)
    TADOQuery* QryTable3;   // the preview rows (in memory until the import)
    TDataSource* dsTable1;
    TDataSource* dsTable2;
    TDataSource* dsTable3;

    const String& Target() const { return FTarget; }
    void SetTarget(const String& target) { FTarget = target; }
    int Step() const { return FStep; }

    // "下一步" / "完成" and "上一步".
    void NextClick();
    void PriorClick();
    // Shows the page of the current step and does its work.
    void WizardStep();
    // Connects to the workbook and lists its sheets; the first is chosen.
    bool OpenWorkbook(const String& file);
    // Loads a sheet of the list: its rows, and its column titles as the map's pick list.
    void ChooseSheet(const String& sheet);
    // Fills the preview from the sheet and the map.
    void BuildPreview();
    // The batch value dialog: the typed text on "确定", empty text on "取消".
    String EditValue();
    void BatchEditClick();
    void DeleteRowsClick();
    // The first and second "打开".
    void OpenSampleClick();
    void OpenFileClick();
    // Step 4: true when every row was written.
    bool ImportRows();

protected:
    void DoShow() override;

private:
    TPanel* AddPage(const String& name, const String& caption);
    void ShowPage(TPanel* page);
    // The title of the preview column of a field (its field name when it has none).
    String FieldTitle(const String& fieldName) const;
    String FTarget;
    int FStep = 0;
};

// Remembers the target, sets the sample path, shows the wizard modally and destroys it.
void RunImport(const String& target, TComponent* owner = nullptr);
// Registers action 107 (the house import into T_FCinfo).
void RegisterImportWindow();
