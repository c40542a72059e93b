// The house list (action 301, 房产住户): the houses of T_FCinfo, narrowed by the estate/building
// tree on the left (the operator's estates) and by a state filter, with the house life cycle on
// the toolbar: 新增, 销售, 修改, 入住, 置空 (vacate), 复制, 删除; a list and a detail sheet to
// print; title clicks sort. The one dialog, TfrmFCinfoEdit, works in five modes.
//
//   uFrmFCinfoGL.cpp          the window, the tree, the list statement
//   uFrmFCinfoGLCommands.cpp  the toolbar's commands, the vacate and the guarded deletion
#pragma once

#include "app/registers/ListWindow.h"

class TMenuItem;
class TPopupMenu;
class TRadioGroup;
class TSplitter;
class TTreeView;

inline const String MsgHouseAlreadySold = "此房间已经销售！";

class TfrmFCinfoGL : public TListWindow {
public:
    explicit TfrmFCinfoGL(TComponent* AOwner);
    String ClassName() const override { return "TfrmFCinfoGL"; }

    TToolButton* tbSale;
    TToolButton* tbRZ;
    TToolButton* tbZK;
    TToolButton* tbCopy;
    TPopupMenu* PopupPrint;
    TMenuItem* miPrint1;
    TMenuItem* miPrint2;
    TPopupMenu* PopupSet;
    TMenuItem* miSet1;
    TMenuItem* miSet2;
    TTreeView* tvTree;
    TSplitter* Splitter1;
    TSpeedButton* SpeedButton2; // shows or hides the tree
    TRadioGroup* RadioGroup1;

    // The tree anew (after a save a new estate or building appears in it); no node is selected.
    void BuildEstateTree();

    // The commands of the toolbar.
    void SaleClick();
    void MoveInClick();
    void VacateClick();
    void CopyClick();
    void PrintDetailClick();
    void SetDetailClick();
    void EditClick() override;
    void NewClick() override;

    // Opens the house dialog in a mode (0 新增, 1 修改, 2 复制, 3 销售, 4 入住).
    void OpenHouseDialog(int mode);

protected:
    bool BuildListStatement(TSqlStatement& statement) override;
    void OpenEditor(bool editMode) override;
    String DeleteQuestion() const override;
    int DependentRows(int id) const override;
    String RefusedDeleteMessage(int count) const override;
    bool EnterRunsSearch() const override { return true; }
    bool HandleListKey(Word key, TShiftState shift) override;
};
