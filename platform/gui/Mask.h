// A single-line edit with the platform's edit masks (rtl/EditMask.h): typed characters must fit
// the mask's positions, literals stand in place and empty positions show the blank character.
// Besides the edit's own services it answers the character under a point, the caret position and
// the selection's ends, and takes a text rectangle inside the control (margins).
#pragma once

#include "gui/StdCtrls.h"

class TCustomMaskEdit : public TCustomEdit {
    ORV_META(TCustomMaskEdit, TCustomEdit)
    explicit TCustomMaskEdit(TComponent* AOwner);

    const String& EditMask() const { return FEditMask; }
    // An empty mask makes a plain edit.
    void SetEditMask(const String& Value);
    bool IsMasked() const { return !FEditMask.empty(); }
    // The text as shown, literals and blanks included.
    String EditText() const;

    // The index of the character nearest to a client point.
    int CharFromPos(const TPoint& P) const;
    // Caret index, and the selection's start and end (the caret is one of them).
    int CaretPosition() const;
    void SetCaretPosition(int Index);
    int SelEnd() const { return SelStart() + SelLength(); }
    void SetSelection(int Start, int End);
    // The text area inside the control (EM_SETRECTNP): the text keeps to R.
    void SetTextRect(const TRect& R);
    TRect TextRect() const { return FTextRect; }
    // Where the text sits in the text area: left (the default), right or centred.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

private:
    String FEditMask;
    TRect FTextRect;
    TAlignment FAlignment = taLeftJustify;
};

class TMaskEdit : public TCustomMaskEdit {
    ORV_META(TMaskEdit, TCustomMaskEdit)
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
