// The grid library's data-aware check box: shows one field (or its own Boolean value when it has
// neither data source nor field) as checked, unchecked or grayed through two lists of accepted
// texts, toggles on a click or Space, and draws box and caption itself, flat or 3D.
#pragma once

#include "grid/DBCtrlsGxLink.h"
#include "gui/StdCtrls.h"

#include <memory>

class TCustomDBCheckBoxGx : public TButtonControl {
    ORV_META(TCustomDBCheckBoxGx, TButtonControl)
    explicit TCustomDBCheckBoxGx(TComponent* AOwner);
    ~TCustomDBCheckBoxGx() override;

    TFieldDataLinkGx* DataLink() const { return FDataLink.get(); }
    String DataField() const { return FDataLink->BoundFieldName(); }
    void SetDataField(const String& Value) { FDataLink->SetBoundFieldName(Value); }
    TDataSource* DataSource() const { return FDataLink->DataSource(); }
    void SetDataSource(TDataSource* Value);
    // The link's read-only flag.
    bool ReadOnly() const { return FDataLink->ReadOnly(); }
    void SetReadOnly(bool Value) { FDataLink->SetReadOnly(Value); }

    TCheckBoxState State() const { return FState; }
    // Stores at once (a bound box puts the data set in edit state first).
    void SetState(TCheckBoxState Value);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // Entries separated by ";", matched without regard to case; a trailing ";" accepts the empty
    // text.
    const String& ValueChecked() const { return FValueChecked; }
    void SetValueChecked(const String& Value);
    const String& ValueUnchecked() const { return FValueUnchecked; }
    void SetValueUnchecked(const String& Value);
    bool CheckModified() const { return FCheckModified; }

    // The state the link's value stands for.
    TCheckBoxState FieldState() const;
    // Whether Text is one of the entries of the value list.
    static bool MatchesValueList(const String& Text, const String& List);

    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoExit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    virtual void PutState(TCheckBoxState Value);
    virtual void WriteStateToField();
    virtual void ToggleState();
    virtual void StoreState();
    virtual void DrawCheckBox(TCanvas* Canvas, TCheckBoxState State, bool Focused, bool Pressed, bool MouseAbove);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void Reload();

    std::unique_ptr<TFieldDataLinkGx> FDataLink;
    TCheckBoxState FState = cbUnchecked;
    TAlignment FAlignment = taRightJustify;
    bool FAllowGrayed = false;
    bool FFlat = false;
    bool FCheckModified = false;
    bool FInUpdateDataEvent = false;
    bool FSpaceDown = false;
    bool FMouseDown = false;
    bool FClicksSuppressed = false;
    String FValueChecked = "True";
    String FValueUnchecked = "False";
};

class TDBCheckBoxGx : public TCustomDBCheckBoxGx {
    ORV_META(TDBCheckBoxGx, TCustomDBCheckBoxGx)
    explicit TDBCheckBoxGx(TComponent* AOwner) : TCustomDBCheckBoxGx(AOwner) {}
};
