// A report whose script builds a form (an edit, a combo box, a check box, OK and Cancel), shows it
// and puts what was entered on the prepared page, for the headless and the desktop road.
#pragma once

#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "rtl/Types.h"

// The script of the report: the form's controls are named edName, cbMonth, chkPaid, btnOk and
// btnCancel; the title band shows the variable Entered.
inline String ScriptFormRoadScript() {
    return "var F: TForm; E: TEdit; C: TComboBox; K: TCheckBox; Ok, No: TButton;\r\n"
           "begin\r\n"
           "  F := TForm.Create(nil); F.Caption := '收费月份'; F.Name := 'ScriptForm';\r\n"
           "  F.SetBounds(200, 150, 320, 200);\r\n"
           "  E := TEdit.Create(F); E.Name := 'edName'; E.Parent := F; E.SetBounds(16, 16, 200, 24); E.Text := '';\r\n"
           "  C := TComboBox.Create(F); C.Name := 'cbMonth'; C.Parent := F; C.SetBounds(16, 48, 200, 24);\r\n"
           "  C.Items.Add('一月'); C.Items.Add('二月'); C.Items.Add('三月'); C.ItemIndex := 0;\r\n"
           "  K := TCheckBox.Create(F); K.Name := 'chkPaid'; K.Parent := F; K.Caption := '已付';\r\n"
           "  K.SetBounds(16, 80, 120, 24);\r\n"
           "  Ok := TButton.Create(F); Ok.Name := 'btnOk'; Ok.Parent := F; Ok.Caption := '确定';\r\n"
           "  Ok.ModalResult := mrOk; Ok.SetBounds(120, 120, 80, 28);\r\n"
           "  No := TButton.Create(F); No.Name := 'btnCancel'; No.Parent := F; No.Caption := '取消';\r\n"
           "  No.ModalResult := mrCancel; No.SetBounds(210, 120, 80, 28);\r\n"
           "  // A variable holds an expression: the text goes in quoted.\r\n"
           "  if F.ShowModal = mrOk then begin\r\n"
           "    if K.Checked then Set('Entered', '''' + E.Text + '/' + C.Text + '/已付''')\r\n"
           "    else Set('Entered', '''' + E.Text + '/' + C.Text + '/未付''');\r\n"
           "  end else Set('Entered', '''取消''');\r\n"
           "  F.Free;\r\n"
           "end.";
}

// Plays the user on the form: types the name, picks the month, ticks the box and presses OK.
inline void ScriptFormRoadFill(TCustomForm* form, const String& name) {
    if (auto* e = dynamic_cast<TEdit*>(form->FindComponent("edName"))) e->SetText(name);
    if (auto* c = dynamic_cast<TComboBox*>(form->FindComponent("cbMonth"))) c->SetItemIndex(1);
    if (auto* k = dynamic_cast<TCheckBox*>(form->FindComponent("chkPaid"))) k->SetChecked(true);
}
