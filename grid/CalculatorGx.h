// The grid library's keypad calculator: a display and 22 keys over the calculator's state
// machine, and its drop-down form that the grid's editor opens under a numeric cell.
#pragma once

#include "grid/CalculatorGxState.h"
#include "grid/ToolCtrlsGxButtons.h"
#include "gui/Controls.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/Variant.h"

#include <vector>

// The key character of each button tag (0 to 23).
char KeyCharOfTag(int Tag);

// The resolution, font height and client size the keypad's layout was made for.
constexpr int CalculatorDesignPixelsPerInch = 96;
constexpr int CalculatorDesignFontHeight = -11;
constexpr int CalculatorDesignWidth = 184;
constexpr int CalculatorDesignHeight = 127;

class TCalculatorGx : public TCustomControl {
    ORV_META(TCalculatorGx, TCustomControl)
    explicit TCalculatorGx(TComponent* AOwner);

    virtual void HandleKey(char Key);
    void SpeedButtonClick(TObject* Sender);
    String DisplayText() const { return FState.DisplayText(); }
    double DisplayValue() const { return FState.DisplayValue(); }
    void ShowValue(double Value) { FState.ShowValue(Value); }
    void ResetCalculator() { FState.ResetCalculator(); }
    TCalculatorStateGx& State() { return FState; }
    // The key named as in the layout ("SpeedButton1" ... "spEqual"); nullptr for another name.
    TSpeedButtonGx* Key(const String& Name) const;
    TLabel* TextBox() const { return FTextBox; }
    // Scales the keypad as forms scale for a screen's resolution: the font height by screen /
    // design pixels per inch; then, when the text height of "0" in that font differs from the
    // one in the design font, the display, every key and the client size by that ratio.
    void ScaleToScreen(int ScreenPixelsPerInch);
    // The width that shows the whole keypad: its display and keys with the left margin kept on the right.
    int KeypadWidth() const;
    // The text height of "0" in the keypad's font, and in the design font.
    int DigitTextHeight();
    int DesignDigitTextHeight();

protected:
    void KeyPress(char16_t& Key) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void ShowState();

    TCalculatorStateGx FState;
    TPanel* FPanel1 = nullptr;
    TLabel* FTextBox = nullptr;
    std::vector<TSpeedButtonGx*> FKeys;
};

// The drop-down form: closes its owner's drop-down with Enter (when the equal key shows "Ok") or
// Esc, and hands the value back.
class TPopupCalculatorGx : public TCalculatorGx {
    ORV_META(TPopupCalculatorGx, TCalculatorGx)
    explicit TPopupCalculatorGx(TComponent* AOwner);

    bool CanCloseOnEnter() const;
    // An error value (code -1) in the error state, else the displayed number.
    Variant GetPopupValue() const;
    void SetPopupValue(const Variant& Value);
    bool GetPopupFlat() const { return FPopupFlat; }
    void SetPopupFlat(bool Value);
    // Called with Accept when the drop-down wants to close (the owner's CloseDropDown).
    std::function<void(bool Accept)> CloseDropDown;
    // A key the owner forwards while the drop-down shows.
    void ForwardKey(char Key);
    Integer Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) override;

private:
    bool FPopupFlat = true;
};
