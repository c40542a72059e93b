// The parking register (action 306, 车位管理): the family's list window over T_carPos with eight
// search columns and the side grouping list (state, handler). A space is created in
// TfrmCarPosEdit; its sale or rent to a house is recorded, and corrected, in TfrmCarPosEdit1.
#pragma once

#include "app/registers/ListWindow.h"

class TSpeedButton;

inline const String MsgNoSpaceToSell = "此表为空，没有车位需要销售或租赁！";
inline const String MsgSpaceTaken = "此车位已经销售或租赁！";
inline const String MsgNoSpaceToEdit = "此表为空，没有车位需要修改！";

class TfrmCarPosGL : public TListWindow {
public:
    explicit TfrmCarPosGL(TComponent* AOwner);
    String ClassName() const override { return "TfrmCarPosGL"; }

    TToolButton* tbPZ; // 销售
    TPopupMenu* pmPrint;
    TMenuItem* nPrint1; // 车位档案统计列表
    TMenuItem* nPrint2; // 车位销售租赁表格
    TPopupMenu* pmSet;
    TMenuItem* nSet1;
    TMenuItem* nSet2;
    TSpeedButton* SpeedButton2; // shows or hides the side list

    void NewClick() override;
    void EditClick() override;
    // 销售: the sale/rent dialog for a new deal of the current space, unless it is sold or let.
    void SellSpace();
    // The two print formats: 0 the space list, 1 the sale and rent form.
    void PrintFormat(int format);
    void DesignFormat(int format);

protected:
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;
    String DeleteQuestion() const override;
};
