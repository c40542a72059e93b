// The watch list: a dockable tool window that keeps expressions, each enabled or disabled, and
// shows their values while a script run started from the designer is stopped.
#pragma once

#include "gui/Forms.h"
#include "rtl/StringList.h"

class TToolBar;
class TToolButton;
class TCheckListBox;
class TvsScript;

class TvrWatchForm : public TForm {
    ORV_META(TvrWatchForm, TForm)
    explicit TvrWatchForm(TComponent* AOwner);

    TToolBar* ToolBar1;
    TToolButton* AddB;
    TToolButton* DeleteB;
    TToolButton* EditB;
    TCheckListBox* WatchLB;

    TvsScript* Script = nullptr;
    // Set by the designer only while a script run started from it is under way.
    bool EvaluationAllowed() const { return FEvaluationAllowed; }
    void SetEvaluationAllowed(bool value) { FEvaluationAllowed = value; }
    // The expressions, one per line; the attached object is 1 for an enabled one, 0 otherwise.
    TStringList& Watches() { return FWatches; }
    // The expressions one per line (the designer's "WatchList" setting); restored ones disabled.
    String WatchText() const;
    void SetWatchText(const String& text);
    bool WatchEnabled(int index) const;

    void UpdateWatches();
    void AddWatch();
    void DeleteWatch();
    void EditWatch();
    // The entry's box was ticked or unticked.
    void WatchChecked();

    bool CloseQuery() override;

protected:
    void DoShow() override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    bool FEvaluationAllowed = false;
    TStringList FWatches;
};
