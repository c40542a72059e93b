// The edit dialog of the register family: adds one record or edits the list window's current
// one, with 连续新增 (continuous add) while adding, a record navigator over the list while
// editing, and one transaction per save.
//
//   EditDialog.cpp      the bottom bar, the modes, loading from the list (and the row as loaded)
//   EditDialogKeys.cpp  Enter moves on (not in a memo), Ctrl+S 确定, Esc 取消
//   EditDialogSave.cpp  确定: checks, the member's statement in one transaction that first
//                       compares the stored row with the row as loaded, the list re-opened on
//                       the saved row, then the next record or closing
//
// A member builds its controls in its constructor and implements LoadEditorFields, CheckFields
// and WriteRecord. The list window creates the dialog with itself as owner, places it with
// DispFormPos(dialog, 1), calls ShowEditor and frees the dialog when it returns.
#pragma once

#include "app/registers/SaveTransaction.h"

#include "gui/Forms.h"

class TButton;
class TCheckBox;
class TDBNavigator;
class TListWindow;
class TPanel;

class TEditDialog : public TForm {
public:
    // title: the dialog's title without " - 新增" / " - 修改".
    TEditDialog(TListWindow* list, const String& title);
    ~TEditDialog() override;

    TListWindow* List() const { return FList; }
    TPanel* PanelBottom;
    TCheckBox* CheckBox1; // 连续新增
    TDBNavigator* DBNavigator1;
    TButton* Button1; // 确定
    TButton* Button2; // 取消

    // SetEditorMode, LoadEditorFields (the list's row when editing, empty fields and the next
    // code when adding), then the dialog modally. Returns the modal result.
    int ShowEditor(bool editMode);
    // The flag, 连续新增 visible only while adding, the navigator only while editing, the caption.
    virtual void SetEditorMode(bool editMode);
    bool EditMode() const { return FEditMode; }
    // The member copies the list's current row into its controls (fromList) or empties them.
    virtual void LoadEditorFields(bool fromList) = 0;

    // "确定": see EditDialogSave.cpp. True when the record was written.
    bool SaveClick();

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;

    // Checks that need no transaction (empty required fields); false stops the save (the member
    // showed its message and focused the field).
    virtual bool CheckFields() { return true; }
    // Writes the record inside the save's transaction and returns its F_ID. Refusals raise
    // ESaveRefused, a changed row EStaleRecord (VerifyLoaded).
    virtual int WriteRecord() = 0;
    // Whether this save inserts (adding) or updates (editing).
    virtual bool Inserting() const { return !FEditMode; }
    // Whether 连续新增 applies to the mode the dialog is in.
    virtual bool ContinuousAddAllowed() const { return !FEditMode; }
    // After a committed save, before the next record or closing (the house list rebuilds its tree).
    virtual void AfterSave(int id) { (void)id; }
    // The control that takes the focus for the next record of a continuous add.
    virtual TWinControl* FirstField() const { return nullptr; }

    // The list's current row as loaded now (members call it from LoadEditorFields(true)).
    void RememberLoadedRow();
    // The id of the row being edited: the list's current row at the moment of saving.
    int RecordId() const;
    // Raises EStaleRecord when the stored row differs from the row as loaded (inside WriteRecord).
    // ignored: upper-cased names of fields the save does not write (see TRowSnapshot::Verify).
    void VerifyLoaded(const String& table, const std::vector<String>& ignored = {}) const;
    // The F_ID of the row just inserted (inside WriteRecord, after the insert).
    int InsertedId(const String& table) const;

    // The check state 连续新增 has when the dialog is created (the family: checked).
    void SetContinuousAddDefault(bool checked);

private:
    TListWindow* FList;
    String FTitle;
    bool FEditMode = false;
    TRowSnapshot FLoaded;
};
