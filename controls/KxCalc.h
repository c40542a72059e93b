// The pocket calculator that drops down under a calculator edit: TCalculatorPanel (engine and
// keypad), TCalcButton (one key), TLocCalculator (the panel inside the drop-down) and
// TPopupCalculator (the drop-down window). The engine works in double precision and evaluates
// strictly left to right as keys arrive: each operator key applies the pending operator to the
// stored operand and the number on display. A result that overflows to infinity or is not a
// number shows "Error", as a division by zero does, until "C".
#pragma once

#include "controls/KXCtrls.h"
#include "controls/kxToolEdit.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"

class TCalculatorPanel;

enum TCalcPanelLayout { clDialog, clPopup };
ORV_ENUM(TCalcPanelLayout, clDialog, clPopup)
// Ready: a result shows and the next digit starts a new number; entering: digits append.
enum TCalcState { csFirst, csValid, csError };
ORV_ENUM(TCalcState, csFirst, csValid, csError)

using TCalcKeyEvent = std::function<void(TObject* Sender, char16_t& Key)>;

// One key: kinds 1 to 22 are the characters of the key string "0123456789_./*-+Q%R=", Backspace
// and "C"; 23 to 26 the memory keys MP, MS, MR, MC; 27 OK and 28 Cancel.
class TCalcButton : public TKxSpeedButton {
    ORV_META(TCalcButton, TKxSpeedButton)
    TCalcButton(TComponent* AOwner, int Kind, TColor CaptionColor);
    int Kind() const { return FKind; }
    TColor CaptionColor() const { return FCaptionColor; }

protected:
    void FontChanged() override;

private:
    int FKind;
    TColor FCaptionColor;
    bool FFontChanging = false;
};

class TCalculatorPanel : public TCustomPanel {
    ORV_META(TCalculatorPanel, TCustomPanel)
    TCalculatorPanel(TComponent* AOwner, TCalcPanelLayout Layout);

    String DisplayText() const { return FText; }
    TCalcState Status() const { return FStatus; }
    char16_t Operator() const { return FOperator; }
    double Operand() const { return FOperand; }
    double Memory() const { return FMemory; }
    int Precision() const { return FPrecision; }
    void SetPrecision(int v) { FPrecision = static_cast<Byte>(std::max(2, v)); }
    bool BeepOnError() const { return FBeepOnError; }
    void SetBeepOnError(bool v) { FBeepOnError = v; }
    TCalcPanelLayout Layout() const { return FLayout; }
    // The memory label's text ("M" while the memory is not 0); empty in the compact layout.
    String MemoryText() const;

    // The engine: one key character.
    void CalcKey(char16_t Key);
    // A typed key: its button is pressed visibly when there is one, else the key goes to CalcKey.
    void CalcKeyPress(char16_t Key);
    // The button of a key character, nullptr when none.
    TCalcButton* FindCalcButton(char16_t Key) const;
    // The button of a kind, nullptr when the layout has none.
    TCalcButton* ButtonOfKind(int Kind) const;
    // Clears to "0", ready, pending "=".
    void Clear();
    // Shows the value (general format, max(2, Precision) digits).
    void SetDisplay(double Value);
    double DisplayValue() const;
    // A new value: the display shows it, ready, pending "=".
    void SetValue(double Value);

    TNotifyEvent OnError;
    TNotifyEvent OnOk;
    TNotifyEvent OnCancel;
    TCalcKeyEvent OnCalcKey;
    TNotifyEvent OnDisplayChange;
    // After Enter, "%" and "=".
    TNotifyEvent OnResult;
    TNotifyEvent OnTextChange;

protected:
    virtual void DisplayTextChanged();

private:
    void CalcButtonClick(TObject* Sender);
    void SetText(const String& Value);
    void StartEntry();
    void ShowError();
    void CheckFirst();
    void UpdateMemoryLabel();
    // Shows the result of an operation, or "Error" when it is not a finite number.
    void ShowResult(double Value);

    TCalcPanelLayout FLayout;
    String FText = "0";
    TCalcState FStatus = csFirst;
    char16_t FOperator = 0;
    double FOperand = 0;
    double FMemory = 0;
    Byte FPrecision = 15;
    bool FBeepOnError = true;
    TCustomPanel* FMemoryPanel = nullptr;
    TLabel* FMemoryLabel = nullptr;
    std::vector<TCalcButton*> FButtons;
};

// The panel inside the drop-down: compact layout, never takes the keyboard focus.
class TLocCalculator : public TCalculatorPanel {
    ORV_META(TLocCalculator, TCalculatorPanel)
    explicit TLocCalculator(TComponent* AOwner);
};

// The drop-down window that holds a TLocCalculator.
class TPopupCalculator : public TPopupWindow {
    ORV_META(TPopupCalculator, TPopupWindow)
    explicit TPopupCalculator(TCustomComboEdit* AOwner);
    TLocCalculator* Calculator() const { return FCalcPanel; }
    Variant GetValue() override;
    void SetValue(const Variant& Value) override;
    String GetPopupText() override;
    void KeyPress(char16_t& Key) override;

private:
    void TextChanged(TObject*);
    void ResultAccepted(TObject*);
    TLocCalculator* FCalcPanel = nullptr;
};

// The calculator font: the system's message font, bold.
void SetCalculatorFont(TFont* Font);
