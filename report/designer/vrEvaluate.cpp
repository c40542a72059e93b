// The evaluate window and the value texts it shares with the watch list.
#include "report/designer/vrEvaluate.h"

#include "classes/MetaBuilder.h"
#include "gui/StdCtrls.h"
#include "report/vrRes.h"
#include "report/vrWindows.h"
#include "rtl/SysUtils.h"
#include "script/vs_iinterpreter.h"

String vrValueText(TvsScript* script, const String& expression) {
    Variant value;
    try {
        script->Evaluate(expression, value);
    } catch (const Exception& e) {
        // A run-time error of the expression reads as its message, as a compile error does.
        value = Variant(e.Message());
    }
    const TVarType t = VarType(value);
    if (t == varBoolean) return value.AsBoolean() ? "True" : "False";
    if (t == varString || t == varOleStr) return "'" + VarToStr(value) + "'";
    if (VarIsNull(value)) return "Null";
    return VarToStr(value);
}

ORV_META_IMPL(TvrEvaluateForm)
void TvrEvaluateForm::DeclareMeta(meta::Class<TvrEvaluateForm>&) {}

TvrEvaluateForm::TvrEvaluateForm(TComponent* AOwner) : TForm(AOwner) {
    SetName("vrEvaluateForm");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(281);
    SetClientHeight(163);
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    SetFont(&font);
    SetKeyPreview(true);
    Label1 = new TLabel(this);
    Label1->SetParent(this);
    Label1->SetBounds(8, 8, 265, 13);
    ExpressionE = new TEdit(this);
    ExpressionE->SetParent(this);
    ExpressionE->SetBounds(8, 24, 265, 21);
    ExpressionE->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { ExpressionKeyDown(s, k, sh); };
    Label2 = new TLabel(this);
    Label2->SetParent(this);
    Label2->SetBounds(8, 52, 265, 13);
    ResultM = new TMemo(this);
    ResultM->SetParent(this);
    ResultM->SetBounds(8, 68, 265, 87);
    ResultM->SetReadOnly(true);
    ResultM->SetScrollBars(ssVertical);
    OkB = new TButton(this);
    OkB->SetParent(this);
    OkB->SetBounds(118, 52, 75, 25);
    OkB->SetDefault(true);
    OkB->SetModalResult(mrOk);
    OkB->SetVisible(false);
    CancelB = new TButton(this);
    CancelB->SetParent(this);
    CancelB->SetBounds(198, 52, 75, 25);
    CancelB->SetCancel(true);
    CancelB->SetModalResult(mrCancel);
    CancelB->SetVisible(false);
    ExpressionE->SetTabOrder(0);

    SetCaption(GetResourceStringById(5500));
    Label1->SetCaption(GetResourceStringById(5501));
    Label2->SetCaption(GetResourceStringById(5502));
    OkB->SetCaption(GetResourceStringById(1));
    CancelB->SetCaption(GetResourceStringById(2));
    vrMirrorForReadingOrder(this);
}

void TvrEvaluateForm::DoShow() {
    TForm::DoShow();
    ExpressionE->SelectAll();
    ResultM->Clear();
    if (FWatchInput) {
        OkB->SetVisible(true);
        CancelB->SetVisible(true);
        ResultM->SetVisible(false);
        Label2->SetVisible(false);
        SetClientHeight(OkB->Top() + OkB->Height() + 4);
    }
}

void TvrEvaluateForm::EvaluateExpression() {
    if (!Script) return;
    ResultM->SetText(vrValueText(Script, ExpressionE->Text()));
    ExpressionE->SelectAll();
}

void TvrEvaluateForm::ExpressionKeyDown(TObject*, Word& key, TShiftState) {
    if (key == VK_RETURN && !FWatchInput) {
        key = 0;
        EvaluateExpression();
    } else if (key == VK_ESCAPE) {
        key = 0;
        SetModalResult(mrCancel);
        Close();
    }
}

void TvrEvaluateForm::KeyDown(Word& Key, TShiftState Shift) {
    TForm::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE) {
        SetModalResult(mrCancel);
        Key = 0;
    } else if (Key == VK_F1) {
        GetResources().ShowHelp(this);
        Key = 0;
    }
}
