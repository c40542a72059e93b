// The filter panel of a statistics window: labelled edits, combo boxes filled on entry, date
// pickers with a check box; and the conditions a filled filter adds. Typed texts go into the
// statement as parameters with the wildcards of their rule around them, so a quote typed into a
// filter is a character like any other.
#include "app/fees/StatisticsWindow.h"

#include "app/core/DataDm.h"
#include "app/core/EstateScope.h"
#include "app/core/PubUnit.h"
#include "app/core/TypedInput.h"

#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

namespace {

constexpr int FilterLabelWidth = 66;

void AddLabel(TComponent* owner, TWinControl* parent, const String& caption, TWinControl* focus, int left,
              int top) {
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetCaption(caption);
    label->SetBounds(left, top + 4, FilterLabelWidth, 16);
    label->SetFocusControl(focus);
}

} // namespace

TEdit* TStatisticsWindow::AddEdit(const String& name, const String& label, int left, int top, int width) {
    auto* edit = new TEdit(this);
    edit->SetName(name);
    edit->SetParent(GroupBox1);
    edit->SetText("");
    edit->SetBounds(left + FilterLabelWidth, top, width, 21);
    AddLabel(this, GroupBox1, label, edit, left, top);
    return edit;
}

TComboBox* TStatisticsWindow::AddCombo(const String& name, const String& label, int left, int top,
                                       std::function<String()> fillStatement, int width) {
    auto* combo = new TComboBox(this);
    combo->SetName(name);
    combo->SetParent(GroupBox1);
    combo->SetBounds(left + FilterLabelWidth, top, width, 21);
    combo->SetText("");
    combo->OnEnter = [combo, fillStatement](TObject*) {
        // The typed text stays while the list is filled anew.
        const String typed = combo->Text();
        dmData->FillCombo(fillStatement(), *combo->Items());
        combo->SetText(typed);
    };
    AddLabel(this, GroupBox1, label, combo, left, top);
    return combo;
}

TComboBox* TStatisticsWindow::AddEstateCombo(int left, int top) {
    return AddCombo("cbbXQname", "小区名称：", left, top,
                    [] { return "select f_name from T_XQinfo where f_name <> '' " + XQNameScopeSQL; });
}

TDateTimePicker* TStatisticsWindow::AddDatePicker(const String& name, const String& label, int left, int top,
                                                  bool from) {
    auto* picker = new TDateTimePicker(this);
    picker->SetName(name);
    picker->SetParent(GroupBox1);
    picker->SetBounds(left + (label.empty() ? 0 : FilterLabelWidth), top, 110, 21);
    picker->SetFormat("yyyy-MM-dd");
    picker->SetShowCheckbox(true);
    // "From" pickers: today written as "yyyy-mm-01" and read back; "to" pickers: now.
    picker->SetDateTime(from ? StrToDate(FormatDateTime("yyyy-mm-01", Now())) : Now());
    picker->SetChecked(false);
    if (!label.empty()) AddLabel(this, GroupBox1, label, picker, left, top);
    return picker;
}

void TStatisticsWindow::AddPrefix(TSqlStatement& statement, const String& head, const String& text) {
    const String value = TypedText(text);
    if (value.empty()) return;
    statement.Add(head + " :" + statement.NewParam(value + "%") + " ");
}

void TStatisticsWindow::AddContains(TSqlStatement& statement, const String& head, const String& text) {
    const String value = TypedText(text);
    if (value.empty()) return;
    statement.Add(head + " :" + statement.NewParam("%" + value + "%") + " ");
}

void TStatisticsWindow::AddDateBound(TSqlStatement& statement, const String& head, const TDateTimePicker* picker) {
    if (!picker || !picker->Checked()) return;
    statement.Add(head + " #" + FormatDateTime("yyyy-mm-dd", picker->Date()) + "# ");
}

String TStatisticsWindow::QualifiedScope(const String& qualifier) {
    return XQScopeFlag == 1 ? BuildXQScopeSQL(OperXQList, qualifier) : String();
}
