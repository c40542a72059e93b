// The spare-parts register (action 206, 配件管理, "库存配件管理"): the family's list window over
// T_PJinfo built differently: a header of speed buttons run by actions (添加配件 F2, 修改配件 F3,
// 删除配件 F4, 配件进退货 F5, 查询 F8) instead of the toolbar, one search box over code, name and
// place of origin, a category filter, and a question before Esc closes it. Cards in
// TfrmPJdepotEdit, stock in and returns in TDLGpjDepotJTH.
#pragma once

#include "app/registers/ListWindow.h"

class TAction;
class TActionList;
class TLabel;
class TSpeedButton;

inline const String MsgNoPartToMove = "配件列表为空，请选择进货的配件！";

// "真的要退 "<caption>" 操作界面吗？": the question before Esc closes a window of the register.
String LeaveQuestion(const String& caption);

class TfrmPJdepotGL : public TListWindow {
public:
    explicit TfrmPJdepotGL(TComponent* AOwner);
    String ClassName() const override { return "TfrmPJdepotGL"; }

    TPanel* PanelHeader;
    TActionList* ActionList1;
    TAction* Action1; // 配件进退货(F5)
    TAction* Action2; // 添加配件(F2)
    TAction* Action3; // 修改配件(F3)
    TAction* Action4; // 删除配件(F4)
    TAction* Action5; // 查询(F8)
    TSpeedButton* sbAddGood;
    TSpeedButton* sbEditGood;
    TSpeedButton* sbDelGood;
    TSpeedButton* sbDepotGood;
    TSpeedButton* sbPrint;  // SpeedButton1 打印
    TSpeedButton* sbSet;    // SpeedButton2 设置
    TSpeedButton* sbExport; // SpeedButton3 导出
    TSpeedButton* sbClose;  // SpeedButton4 关闭
    TPanel* PanelFilter;
    TEdit* edtQryCode;
    TSpeedButton* sbFind;
    TComboBox* cbbPJtype;

    void NewClick() override;
    void EditClick() override;
    // 配件进退货: the stock dialog on the current part.
    void StockClick();

protected:
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;
    String DeleteQuestion() const override;
    bool ConfirmDelete(const String& question) override;
    // F2 to F5, F8 and Esc are the window's own: taken here and not passed on to the focused
    // control (a key passed on would come back to the window once the dialog it opened closed).
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    bool HandleStockKey(Word key, TShiftState shift);
};
