#include "app/core/FormControls.h"

#include "app/core/DataDm.h"
#include "app/core/NotSetDate.h"
#include "app/core/PubUnit.h"

#include "controls/kxCurrEdit.h"
#include "db/Field.h"
#include "gui/Buttons.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"

namespace {

template <class T>
T* Place(T* control, TWinControl* parent, const String& name, int left, int top, int width, int height) {
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left + DialogLabelWidth, top, width, height);
    return control;
}

} // namespace

TLabel* AddLabel(TComponent* owner, TWinControl* parent, const String& caption, int left, int top, int width) {
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetBounds(left, top + 4, width, 16);
    label->SetCaption(caption);
    return label;
}

TBitBtn* AddPanelButton(TComponent* owner, TWinControl* parent, const String& name, const String& caption, int left,
                        int top, int width) {
    auto* button = new TBitBtn(owner);
    button->SetName(name);
    button->SetParent(parent);
    button->SetCaption(caption);
    button->SetBounds(left, top, width, 28);
    button->SetTabStop(false);
    return button;
}

TEdit* AddEdit(TComponent* owner, TWinControl* parent, const String& name, const String& caption, int left,
               int top, int width) {
    AddLabel(owner, parent, caption, left, top);
    TEdit* edit = Place(new TEdit(owner), parent, name, left, top, width, 22);
    edit->SetText("");
    return edit;
}

TComboBox* AddCombo(TComponent* owner, TWinControl* parent, const String& name, const String& caption,
                    int left, int top, int width, const String& fillSql) {
    AddLabel(owner, parent, caption, left, top);
    TComboBox* combo = Place(new TComboBox(owner), parent, name, left, top, width, 22);
    if (!fillSql.empty())
        combo->OnEnter = [combo, fillSql](TObject*) {
            // Filling keeps what the box shows.
            const String text = combo->Text();
            dmData->FillCombo(fillSql, *combo->Items());
            combo->SetText(text);
        };
    return combo;
}

TComboBox* AddEstateCombo(TComponent* owner, TWinControl* parent, const String& name, const String& caption,
                          int left, int top, int width) {
    TComboBox* combo = AddCombo(owner, parent, name, caption, left, top, width);
    combo->OnEnter = [combo](TObject*) {
        const String text = combo->Text();
        dmData->FillCombo("select f_name from T_XQinfo where f_name <> '' " + XQNameScopeSQL, *combo->Items());
        combo->SetText(text);
    };
    return combo;
}

TMemo* AddMemo(TComponent* owner, TWinControl* parent, const String& name, const String& caption, int left,
               int top, int width, int height) {
    AddLabel(owner, parent, caption, left, top);
    TMemo* memo = Place(new TMemo(owner), parent, name, left, top, width, height);
    memo->SetScrollBars(ssVertical);
    memo->SetText("");
    return memo;
}

TCheckBox* AddCheck(TComponent* owner, TWinControl* parent, const String& name, const String& caption,
                    int left, int top) {
    auto* check = new TCheckBox(owner);
    check->SetName(name);
    check->SetParent(parent);
    check->SetBounds(left, top + 2, 90, 20);
    check->SetCaption(caption);
    return check;
}

TKxCalcEdit* AddCalcEdit(TComponent* owner, TWinControl* parent, const String& name, const String& caption,
                         int left, int top, int width) {
    AddLabel(owner, parent, caption, left, top);
    return Place(new TKxCalcEdit(owner), parent, name, left, top, width, 22);
}

TCurrencyEdit* AddCurrencyEdit(TComponent* owner, TWinControl* parent, const String& name,
                               const String& caption, int left, int top, int width) {
    AddLabel(owner, parent, caption, left, top);
    return Place(new TCurrencyEdit(owner), parent, name, left, top, width, 22);
}

TDateTimePicker* AddDatePicker(TComponent* owner, TWinControl* parent, const String& name,
                               const String& caption, int left, int top, int width) {
    AddLabel(owner, parent, caption, left, top);
    TDateTimePicker* picker = Place(new TDateTimePicker(owner), parent, name, left, top, width, 22);
    picker->SetFormat("yyyy-MM-dd");
    return picker;
}

Currency MoneyOf(TCustomNumEdit* edit) {
    return Currency::FromDouble(edit->Value());
}

void DateFieldToPicker(TDateTimePicker& picker, const TField& field) {
    picker.SetDate(IsDateNotSet(field) ? Date() : static_cast<TDateTime>(static_cast<int>(field.AsDateTime())));
}

String PickerDateText(const TDateTimePicker& picker) {
    return FormatDateTime("yyyy-mm-dd", picker.Date());
}
