// The evaluate window: computes one expression with the report's script and shows its value; in
// its watch-input mode it is only the box through which the watch list asks for an expression.
#pragma once

#include "gui/Forms.h"
#include "rtl/Variant.h"

class TLabel;
class TEdit;
class TMemo;
class TButton;
class TvsScript;

// The text a watch or an evaluation shows for an expression's value: "True" or "False", a
// string between apostrophes (the compiler's message of an expression that does not compile is
// such a string), "Null", anything else as the value converts to text.
String vrValueText(TvsScript* script, const String& expression);

class TvrEvaluateForm : public TForm {
    ORV_META(TvrEvaluateForm, TForm)
    explicit TvrEvaluateForm(TComponent* AOwner);

    TLabel* Label1;
    TEdit* ExpressionE;
    TLabel* Label2;
    TMemo* ResultM;
    TButton* OkB;
    TButton* CancelB;

    TvsScript* Script = nullptr;
    bool WatchInput() const { return FWatchInput; }
    void SetWatchInput(bool value) { FWatchInput = value; }
    // Enter in the expression box: the value goes into ResultM.
    void EvaluateExpression();

protected:
    void DoShow() override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    void ExpressionKeyDown(TObject* sender, Word& key, TShiftState shift);
    bool FWatchInput = false;
};
