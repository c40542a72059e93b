// The controls the report library's windows and its designer share: a flat combo box drawn in
// the style of a tool bar, a font combo box with the recently used fonts on top and a large
// preview of the font under the mouse, a combo box with a button beside its edit, and the
// scrolling window under the preview's pages and the designer's code editor.
#pragma once

#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"

#include <memory>

class TBitmap;
class TSpeedButton;

// Mixes two colours: a per cent of c1 (a per mille from 100 on) and the rest of c2, each channel
// rounded; system colours are resolved first.
TColor MixColors(TColor c1, TColor c2, int a);

// --- the scrolling window -------------------------------------------------------------------

// A window that scrolls its contents through its own scroll bars. Positions, page sizes and
// extents are in the descendant's units (the preview uses pixels). A bsSingle border is a sunken
// edge of BorderWidth() pixels that the window paints inside its client area.
class TvrScrollWin : public TCustomControl {
    ORV_META(TvrScrollWin, TCustomControl)
    explicit TvrScrollWin(TComponent* AOwner);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    int BorderWidth() const { return FBorderStyle == bsSingle ? 2 : 0; }

    int HorzPageSize() const { return FHorzPage; }
    void SetHorzPageSize(int value);
    int HorzScrollOffset() const { return FHorzOffset; }
    // Clamped to 0 .. HorzExtent - HorzPageSize; a change moves the bar and runs
    // HorzScrollChanged.
    void SetHorzScrollOffset(int value);
    int HorzExtent() const { return FHorzExtent; }
    // Sets the bar's range (none while the extent is below the page), page and position.
    void SetHorzExtent(int value);
    int VertPageSize() const { return FVertPage; }
    void SetVertPageSize(int value);
    int VertScrollOffset() const { return FVertOffset; }
    void SetVertScrollOffset(int value);
    int VertExtent() const { return FVertExtent; }
    void SetVertExtent(int value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value) { FSmallChange = value; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int value) { FLargeChange = value; }

    // Every key reaches the window (arrows and Tab included).
    bool WantsKey(Word Key, TShiftState Shift) const override;
    // The user scrolled: lines by SmallChange, pages by LargeChange, the thumb, the ends.
    void Scroll(TScrollBarKind Kind, TScrollCode Code, int& Pos) override;

protected:
    // The scroll offsets changed; descendants move their contents.
    virtual void HorzScrollChanged() {}
    virtual void VertScrollChanged() {}
    // Fills the client area with Color and draws the border.
    void Paint() override;

private:
    void ApplyRange(int bar);
    int NewPosition(int bar, TScrollCode code, int pos) const;
    TBorderStyle FBorderStyle = bsNone;
    int FHorzPage = 0, FHorzOffset = 0, FHorzExtent = 0;
    int FVertPage = 0, FVertOffset = 0, FVertExtent = 0;
    int FSmallChange = 1, FLargeChange = 10;
};

// --- the flat combo box ---------------------------------------------------------------------

// A combo box drawn flat, as tool bars draw their controls, that lights up (hot) while the mouse
// is over it, its edit has the focus or its list is open.
class TvrCustomComboBox : public TCustomComboBox {
    ORV_META(TvrCustomComboBox, TCustomComboBox)
    explicit TvrCustomComboBox(TComponent* AOwner);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    // The width of the open list (0: the combo's).
    int ListWidth() const { return FListWidth; }
    void SetListWidth(int value) { FListWidth = value; }
    // The list's height for the entries it shows at once.
    int ListHeight() const;
    // The list opened upward the last time it opened (no room below it on the screen).
    bool ListOpensUpward() const { return FListUpward; }
    // The frame and button show the hot state now.
    bool Hot() const;
    int ButtonWidth() const { return FButtonWidth; }
    int EditOffset() const { return FEditOffset; }

protected:
    void PaintFrame() override;
    void DropDown() override;
    void PlaceList(TListPlacement& Placement) override;
    void Resize() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void Change() override;
    void CloseUp() override;
    void DoEnter() override;
    void DoExit() override;
    void MouseEnter() override;
    void MouseLeave() override;
    // The pixels left free before the edit (for a picture).
    void SetEditOffset(int value);
    // The height of a line of the control's font.
    int FontTextHeight();

private:
    void PlaceEdit();
    int ListWidthShown() const;
    void PaintButton(TCanvas* c, bool dropped, bool hot);
    bool FReadOnly = false;
    int FListWidth = 0;
    int FButtonWidth = 11;
    int FEditOffset = 0;
    bool FListUpward = false;
    bool FMouseInControl = false;
};

class TvrComboBox : public TvrCustomComboBox {
    ORV_META(TvrComboBox, TvrCustomComboBox)
    explicit TvrComboBox(TComponent* AOwner) : TvrCustomComboBox(AOwner) {}
};

// --- the font combo box ---------------------------------------------------------------------

// The large preview of a font that shows beside an open font list: a tool window with one panel
// that writes the font's name in that font.
class TvrFontPreview : public TWinControl {
    ORV_META(TvrFontPreview, TWinControl)
    explicit TvrFontPreview(TComponent* AOwner);
    TPanel* Panel() const { return FPanel; }
    // Writes the name in the font of that name.
    void ShowFont(const String& name);

private:
    TPanel* FPanel;
};

// A combo box of the font families of the screen and the current printer, with the five fonts
// chosen last on top (kept in the settings under MRURegKey, "Font0" .. "Font4" with their kinds
// "FontType0" .. "FontType4") and a preview of the font under the mouse beside the open list.
class TvrFontComboBox : public TvrCustomComboBox {
    ORV_META(TvrFontComboBox, TvrCustomComboBox)
    explicit TvrFontComboBox(TComponent* AOwner);
    ~TvrFontComboBox() override;

    bool ShowMRU() const { return FShowMRU; }
    void SetShowMRU(bool value) { FShowMRU = value; }
    const String& MRURegKey() const { return FMRURegKey; }
    void SetMRURegKey(const String& value) { FMRURegKey = value; }
    // The key of the settings: MRURegKey, or "\Software\Vure Vuviror\MRUFont" when empty.
    String SettingsKey() const;
    // The index of the last recently used entry at the top (-1: none).
    int LastMRUIndex() const { return FLastMRUIndex; }
    TvrFontPreview* Preview() const { return FPreview; }
    // Fills the list with the font families and the recently used fonts; item 0 is selected when
    // the text names none.
    void Populate();
    // The kind of an entry: TRUETYPE_FONTTYPE or DEVICE_FONTTYPE bits.
    int FontTypeOf(int index) const;

    void Loaded() override;
    void SetParent(TWinControl* NewParent) override;
    void Click() override;

protected:
    void DropDown() override;
    void PlaceList(TListPlacement& Placement) override;
    void CloseUp() override;
    void PaintFrame() override;
    void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    void FontChanged() override;

private:
    // The picture of a kind of font (nullptr for none).
    TBitmap* PictureOf(int fontType) const;
    void AdjustItemHeight();
    void RememberChoice(int index);
    void WriteMRU();
    bool FShowMRU = true;
    String FMRURegKey;
    int FLastMRUIndex = -1;
    bool FPopulating = false;
    bool FPopulated = false;
    TvrFontPreview* FPreview = nullptr;
    std::unique_ptr<TBitmap> FTrueTypeBitmap;
    std::unique_ptr<TBitmap> FDeviceBitmap;
};

// --- the combo box with a button ------------------------------------------------------------

// An edit with a button beside it (a combo box without a list): the button takes the focus to
// the control and runs OnButtonClick. Enter and Esc typed in the edit reach the form's default
// and cancel buttons.
class TvrComboEdit : public TComboBox {
    ORV_META(TvrComboEdit, TComboBox)
    explicit TvrComboEdit(TComponent* AOwner);

    TBitmap* Glyph() const;
    void SetGlyph(TBitmap* value);
    bool ButtonEnabled() const;
    void SetButtonEnabled(bool value);
    const String& ButtonHint() const;
    void SetButtonHint(const String& value);
    TSpeedButton* Button() const { return FButton; }
    TNotifyEvent OnButtonClick;

protected:
    void PaintFrame() override;
    void Resize() override;

private:
    void PlaceParts();
    TPanel* FPanel;
    TSpeedButton* FButton;
};
