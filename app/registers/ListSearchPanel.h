// The search panel of a list window: "查询类型：" chooses the search column (ComboBox1, nothing
// chosen at first), "查询内容：" takes the text (Edit1) or, for a coded column, a value from its
// option list or typed (ComboBox2, in the same place); SpeedButton1 runs the search again. Every
// keystroke in either box, every choice and the button run OnSearch.
#pragma once

#include "app/registers/SearchCondition.h"

#include "gui/ExtCtrls.h"

#include <functional>
#include <vector>

class TComboBox;
class TEdit;
class TLabel;
class TSpeedButton;

struct TSearchEntry {
    String Caption;
    String Field; // "" : an entry that adds no condition
    TTextMatch Match = tmContains;
    String CodeSql;            // the statement that fills ComboBox2 (FillCombo) for a coded column
    std::vector<String> Items; // fixed items of ComboBox2 for a coded column
    bool Coded() const { return !CodeSql.empty() || !Items.empty(); }
};

// The longest search text a box takes: no searched column is longer.
inline constexpr int SearchTextLimit = 255;

class TListSearchPanel : public TPanel {
public:
    // The controls are owned by the form (so it finds them by name) and shown in this panel.
    TListSearchPanel(TComponent* form, TWinControl* parent);
    String ClassName() const override { return "TListSearchPanel"; }

    TLabel* Label1;
    TComboBox* ComboBox1;
    TLabel* Label2;
    TEdit* Edit1;
    TComboBox* ComboBox2;
    TSpeedButton* SpeedButton1;

    void SetEntries(std::vector<TSearchEntry> entries);
    const std::vector<TSearchEntry>& Entries() const { return FEntries; }
    // The entry chosen (nullptr when none, or one without a field).
    const TSearchEntry* Current() const;
    // The text searched for: Edit1's or ComboBox2's, by the entry.
    String SearchText() const;
    // Appends the condition of the chosen entry and its text (nothing without one or for an
    // empty text).
    void AddCondition(TSqlStatement& statement) const;
    // ComboBox1 changed: the box of the new column is shown, both emptied; the search runs when
    // a text was emptied.
    void ColumnChanged();

    std::function<void()> OnSearch;

private:
    void Search();
    std::vector<TSearchEntry> FEntries;
    bool FSwitching = false;
};
