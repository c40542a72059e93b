// The calculator's logic: a displayed text, one pending operator and one stored operand, driven
// by one key character at a time. The keypad control and its drop-down show it.
#pragma once

#include "rtl/Types.h"

#include <functional>

enum TCalcEntryStateGx { esReady = 0, esEntering = 1, esError = 2 };

class TCalculatorStateGx {
public:
    TCalculatorStateGx() { ResetCalculator(); }

    // Applies one key: digits, the decimal separator ("," or "."), backspace (8), Esc (27) or
    // "C", "I" (change sign), "R" (1/x), "S" (sqrt), the operators CR (13), "%", "*", "+", "-",
    // "/", "=", Ctrl+C (3) and Ctrl+V (22). Keys are taken without regard to case.
    void HandleKey(char Key);
    void ResetCalculator();
    // 0 in the error state, else the display text as a number (EConvertError when it is none).
    double DisplayValue() const;
    // Shows the value in the general format with 15 significant digits; a value that is not
    // finite puts the calculator into its error state.
    void ShowValue(double Value);

    const String& DisplayText() const { return FDisplay; }
    void PutDisplayText(const String& Text);
    TCalcEntryStateGx EntryState() const { return FState; }
    char PendingOperator() const { return FPendingOperator; }
    double Operand() const { return FOperand; }
    // "=" while an operator waits for the number being typed, else "Ok".
    const String& EqualKeyCaption() const { return FEqualCaption; }

    // Called when the display or the equal key's caption changed.
    std::function<void()> OnDisplayChanged;
    // The clipboard the copy and paste keys use; unset: the program's clipboard.
    std::function<void(const String& Text)> CopyHook;
    std::function<bool(String& Text)> PasteHook;

private:
    void BeginEntry();
    void EnterError();
    void UpdateEqualKey();
    void CopyDisplay();
    void PasteDisplay();

    String FDisplay = "0";
    TCalcEntryStateGx FState = esReady;
    char FPendingOperator = '=';
    double FOperand = 0;
    String FEqualCaption = "Ok";
};
