// The repair dialog ("住户报修记录"): adds a repair record with its material lines or edits a saved
// record's own fields. The lines are the repair register's detail query (QryDetail): while adding,
// lines come from the part picker (TDLGpjInfoXZ) or are typed by part code and looked up on Enter,
// and stay pending until the save writes them with the record and the stock in one transaction.
// A saved record's lines are read-only: its stock has moved already, and editing never moves it.
//
// A line keeps the part row it was picked or looked up from (F_PJid); the save takes each line's
// quantity from that row's stock. A line without one (typed and never looked up) is looked up at
// saving as Enter does: one part and the save goes on, none or several and it stops there (the
// message, or the picker).
#pragma once

#include "app/registers/EditDialog.h"

class TAction;
class TActionList;
class TButton;
class TComboBox;
class TCurrencyEdit;
class TDateTimePicker;
class TDBGridGx;
class TEdit;
class TfrmCltBXGL;
class TGroupBox;
class TMemo;
class TPanel;
class TPopupMenu;
class TSpeedButton;

inline const String RepairDialogTitle = "住户报修记录";
inline const String MsgOwnerNameEmpty = "当前业主姓名不能为空！";
inline const String MsgRepairSaveFailed = "保存失败，请检测数据库连接！";
// `配件编号 "code" 不存在，请检查输入？`
String UnknownPartMessage(const String& code);

class TfrmCltBXedit : public TEditDialog {
public:
    explicit TfrmCltBXedit(TfrmCltBXGL* list);
    ~TfrmCltBXedit() override;
    String ClassName() const override { return "TfrmCltBXedit"; }

    TfrmCltBXGL* Register() const { return FRegister; }

    TGroupBox* GroupBox1;
    TEdit* edtFZcode;
    TSpeedButton* sbFind; // the house picker
    TEdit* edtFZname;
    TEdit* edtXQname;
    TEdit* edtLDcode;
    TMemo* Memo1; // 故障现象
    TComboBox* cbbJDemp;
    TDateTimePicker* dtpBXdate;
    TMemo* Memo2; // 处理结果
    TComboBox* cbbWXemp;
    TDateTimePicker* dtpXFdate;
    TComboBox* cbbMYtype;
    TCurrencyEdit* ceFWprice;
    TCurrencyEdit* ceWLprice; // hidden: the material cost as loaded
    TEdit* edtCode;           // 记录编号
    TPanel* PanelLines;
    TButton* btnAdd;
    TButton* btnDel;
    TActionList* ActionList1;
    TAction* Action1; // 新增 (the picker)
    TAction* Action2; // 删除 (the current line)
    TDBGridGx* DBGridGx1; // the material lines
    TPopupMenu* PopupMenu1;

    // The house of the record (-1 when none was chosen).
    int HouseId() const { return FHouseId; }

    void SetEditorMode(bool editMode) override;
    void LoadEditorFields(bool fromList) override;
    int ShowEditorModal(bool editMode) { return ShowEditor(editMode); }

    // sbFind: the house picker; a house chosen fills 房间编号, 小区名称, 楼幢号 and 业主姓名.
    void FindHouse();
    // The part picker in material mode (Action1 and the 配件名称 button).
    void PickParts();
    // Action2: the current line, after the question, out of the batch.
    void DeleteLine();
    // Enter in the material grid on the part code column (adding only): the part of the typed
    // code prefix; true when the line took exactly one part.
    bool LookUpMaterialCode();
    // "确定" / Ctrl+S. True when the record was written.
    bool SaveRepair();

    // The material cost: the sum of the lines' amounts.
    Currency MaterialCost() const;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    int WriteRecord() override { return 0; }

private:
    void BuildFields();
    void BuildLines();
    void FillPickLists();
    // Stamps and charges the lines of a new record (CommitPartLines): every line with a part code
    // gets the record code and gives its quantity from its part row; a line without a code goes.
    void CommitPartLines(const String& code);
    // The lines that do not yet name their part row are looked up; false stops the save.
    bool ResolvePartRows();
    void WriteRepairRecord(const String& code, int id);
    TfrmCltBXGL* FRegister;
    int FHouseId = -1;
    bool FPickListsFilled = false;
};
