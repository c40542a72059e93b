// TCustomPaintEdit: the single-line edit with the controls an edit that formats its own text
// needs: it may paint itself instead of the platform edit (a value shown formatted while the
// edit is not being typed in), hears of a paste before the text changes and may refuse it, and
// sets the alignment of the typed text and the area the text may use (room for a button inside
// the edit). Typed characters reach KeyPress before the text changes; setting the key to 0 drops
// the character.
#pragma once

#include "gui/StdCtrls.h"

class TCustomPaintEdit : public TCustomEdit {
    ORV_META(TCustomPaintEdit, TCustomEdit)
    explicit TCustomPaintEdit(TComponent* AOwner);
    ~TCustomPaintEdit() override;

    // Alignment of the text inside the platform edit while it is being typed.
    TAlignment EditAlignment() const { return FEditAlignment; }
    void SetEditAlignment(TAlignment v);
    // The text keeps this far from the edges inside the frame (the formatting rectangle).
    void SetTextMargins(int Left, int Top, int Right, int Bottom);
    TRect TextMargins() const { return FTextMargins; }
    // The width of the edit's frame (0 without border).
    int FrameWidth() const;
    // The distance of the text from the left edge of the text area, as the platform edit keeps it.
    int EditLeftMargin() const;
    // Pastes the clipboard's text as the user's paste does (through DoPaste).
    void PasteText();
    // Runs the platform edit's own paste (when it is not read-only).
    void PlatformPaste();
    // Caret position without changing the selection's anchor (SelStart clears the selection).
    void SetCaretPosition(int Position);

protected:
    // Whether the control paints itself now instead of the platform edit.
    virtual bool PaintsItself() const { return false; }
    // Paints the control when PaintsItself: the frame and the background are drawn already;
    // Canvas covers the whole control.
    virtual void PaintEdit(TCanvas* Canvas) { (void)Canvas; }
    // A paste asked for by the user (keys, menu) or by PasteText: the platform's paste by default.
    virtual void DoPaste() { PlatformPaste(); }

private:
    class TEditFilter;
    friend class TEditFilter;
    TEditFilter* FFilter = nullptr;
    std::unique_ptr<TCanvas> FPaintCanvas;
    TAlignment FEditAlignment = taLeftJustify;
    TRect FTextMargins{0, 0, 0, 0};
};
