// The option code window (action 209, 选项...): one tab per category of t_code, a grid of the
// category's option texts, and a toolbar to add, change, delete, save, cancel, print and
// refresh. Additions and changes stay in the query's client batch until "保存" writes them all
// (or "取消" drops them); a deletion is written at once. The tabs are locked while editing, so a
// batch never spans two categories.
#pragma once

#include "gui/Forms.h"

#include <vector>

class TADOQuery;
class TDataSource;
class TDBGridGx;
class TStatusBar;
class TToolBar;
class TToolButton;
class TWnPageControl;
class TWnTabSheet;

inline const String MsgCodeListEmptyNothingToDelete = "此表是空表，不需要删除！";

// A category of t_code with its tab caption, in the order of the tabs.
struct TCodeCategory {
    const char* Type;
    const char* Caption;
};
const std::vector<TCodeCategory>& CodeCategories();

// The question before an option is deleted: 真的要删除 "楼层结构"一层吗？
String DeleteCodeQuestion(const String& tabCaption, const String& name);

class TFrmCodeMan : public TForm {
public:
    explicit TFrmCodeMan(TComponent* AOwner);
    ~TFrmCodeMan() override;
    String ClassName() const override { return "TFrmCodeMan"; }

    TToolBar* ToolBar1;
    TToolButton* tbNew;
    TToolButton* tbEdit;
    TToolButton* tbDel;
    TToolButton* tbSave;
    TToolButton* tbCancel;
    TToolButton* tbPrint;
    TToolButton* tbRefresh;
    TToolButton* tbExit;
    TWnPageControl* PageControl1;
    TDBGridGx* DBGridGx1;
    TStatusBar* StatusBar1;
    TADOQuery* QryTable;
    TDataSource* dsTable;

    // Shows the window modally.
    int ShowCodeTables();
    // Loads the active tab's category.
    void OpenCodeType();
    // Browsing: add, change, delete, refresh, print, exit and the tabs; editing: save and cancel.
    void SetEditMode(bool browsing);
    // Puts the current category into every loaded row of another category (the new ones).
    void StampCodeType();
    const String& CurrentType() const { return FCurType; }
    bool Browsing() const { return FBrowsing; }

    void NewClick();
    void EditClick();
    void DeleteClick();
    // "保存": true when the batch was written; otherwise the window stays in edit mode with its
    // rows (another station's change is told with MsgRecordChanged; other errors reach the caller).
    bool SaveClick();
    void CancelClick();
    void RefreshClick();
    void PrintClick();

protected:
    void DoShow() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;

private:
    TToolButton* AddButton(const char* name, const char* caption, std::function<void()> click);
    void AddSeparator();
    // An option text keeps no NUL (a stored text would end at it).
    void DropNuls();
    String FCurType;
    bool FBrowsing = true;
};
