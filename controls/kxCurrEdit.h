// The numeric edits: single-line edits that hold one floating-point value. The user types the
// number in plain form while the control has the focus; when it loses the focus the control
// paints the value through its display format (thousands separators, currency sign, fixed
// decimals). Numbers are parsed and formatted only through the runtime's formatting module with
// the program's format settings.
//
//   TCustomNumEdit      value, range, rounding, key filtering, edit and display text, painting
//   TCurrencyEdit       no button; the default display format comes from the currency settings
//   TKxCustomCalcEdit   the button drops down the calculator
//   TKxCalcEdit         TKxCustomCalcEdit with the button properties published
#pragma once

#include "controls/kxToolEdit.h"

class TCustomNumEdit : public TCustomComboEdit {
    ORV_META(TCustomNumEdit, TCustomComboEdit)
    explicit TCustomNumEdit(TComponent* AOwner);
    ~TCustomNumEdit() override;

    // The value, re-read from the edit text unless designing; never raises (an unparsable text
    // reads as MinValue).
    Extended Value();
    void SetValue(Extended v);
    Extended MinValue() const { return FMinValue; }
    void SetMinValue(Extended v);
    Extended MaxValue() const { return FMaxValue; }
    void SetMaxValue(Extended v);
    int DecimalPlaces() const { return static_cast<int>(FDecimalPlaces); }
    void SetDecimalPlaces(int v);
    bool DecimalPlaceRound() const { return FRoundToPlaces; }
    void SetDecimalPlaceRound(bool v);
    String DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const String& v);
    bool ZeroEmpty() const { return FZeroEmpty; }
    void SetZeroEmpty(bool v);
    bool BeepOnError() const { return FBeepOnError; }
    void SetBeepOnError(bool v);
    bool CheckOnExit() const { return FCheckOnExit; }
    void SetCheckOnExit(bool v) { FCheckOnExit = v; }
    bool FormatOnEditing() const { return FFormatOnEditing; }
    void SetFormatOnEditing(bool v);
    // Where the display text is painted (default right).
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

    // The value to store for X: rounded to DecimalPlaces when DecimalPlaceRound, then kept in the
    // range. With RaiseOnError a changed value raises ERangeError "Value must be between ...".
    Extended ConstrainValue(Extended X, bool RaiseOnError);
    // Any text into one StrToFloat accepts when it is a plain number.
    static String StripFormatting(const String& S);
    // Thousands separators put into the integer part (Group) or not.
    static String InsertThousandSeparators(const String& S, bool Group);
    virtual void UpdateEditText();
    virtual String DefaultDisplayFormat() const;
    virtual bool CharIsAcceptable(char16_t Key);
    virtual String DisplayValueText();
    virtual void SyncPopupSettings();
    // The text painted now (the drop-down's while it is open, else the display text).
    String PaintedText();

    // Text := "" (value 0).
    void Clear();
    // The edit text rebuilt from the value and selected.
    void Reset();

    void KeyPress(char16_t& Key) override;
    void DoEnter() override;
    void DoExit() override;

protected:
    void SetTextValue(const String& v) override;
    void Change() override;
    void DoPaste() override;
    bool PaintsItself() const override;
    void PaintEdit(TCanvas* Canvas) override;
    void EnabledChanged() override;
    void FontChanged() override;
    TBitmap* DefaultGlyphBitmap(bool& DestroyAfterUse) override;
    void TakePopupValue(const Variant& Value) override;
    // Reads the value from the edit text (raises on an unparsable text).
    void ParseEditText();
    void FormatWhileEditing();
    void SetEditText(const String& v);

private:
    TAlignment FAlignment = taRightJustify;
    Extended FValue = 0;
    Extended FMinValue = 0;
    Extended FMaxValue = 0;
    Cardinal FDecimalPlaces = 2;
    bool FBeepOnError = true;
    bool FCheckOnExit = false;
    bool FZeroEmpty = true;
    bool FFormatOnEditing = false;
    bool FFormatting = false;
    String FDisplayFormat;
    bool FRoundToPlaces = false;
};

class TCurrencyEdit : public TCustomNumEdit {
    ORV_META(TCurrencyEdit, TCustomNumEdit)
    explicit TCurrencyEdit(TComponent* AOwner);
    String DefaultDisplayFormat() const override;
};

class TKxCustomCalcEdit : public TCustomNumEdit {
    ORV_META(TKxCustomCalcEdit, TCustomNumEdit)
    explicit TKxCustomCalcEdit(TComponent* AOwner);
    ~TKxCustomCalcEdit() override;
};

class TKxCalcEdit : public TKxCustomCalcEdit {
    ORV_META(TKxCalcEdit, TKxCustomCalcEdit)
    explicit TKxCalcEdit(TComponent* AOwner) : TKxCustomCalcEdit(AOwner) {}
};
