// Small controls around the page workspace: the rulers, the colour and line-style drop-downs,
// the scroll box that passes the keyboard to the workspace and the borderless popup window.
#pragma once

#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "report/vrClassBase.h"

#include <array>
#include <vector>

enum TvrRulerUnits { ruCM, ruInches, ruPixels, ruChars };
ORV_ENUM(TvrRulerUnits, ruCM, ruInches, ruPixels, ruChars)

// One mark of a ruler: its position along the ruler in pixels, its tick length (0 for a label
// alone) and its label ("" for a tick).
struct TvrRulerMark {
    int Pos = 0;
    int Tick = 0;
    String Label;
};

class TvrRuler : public TPanel {
    ORV_META(TvrRuler, TPanel)
    explicit TvrRuler(TComponent* AOwner);

    Integer Offset() const { return FOffset; }
    void SetOffset(Integer Value);
    Extended Scale() const { return FScale; }
    void SetScale(Extended Value);
    Integer Start() const { return FStart; }
    void SetStart(Integer Value);
    TvrRulerUnits Units() const { return FUnits; }
    void SetUnits(TvrRulerUnits Value);
    Extended Position() const { return FPosition; }
    void SetPosition(Extended Value);
    Integer Size() const { return FSize; }
    void SetSize(Integer Value);

    bool IsVertical() const { return Align() == alLeft; }
    // The step between two ticks in pixels.
    Extended Step() const;
    // What Paint draws along the scale: ticks and labels in order.
    std::vector<TvrRulerMark> Marks();

protected:
    void Paint() override;

private:
    Integer FOffset = 0;
    Extended FScale = 1;
    Integer FStart = 0;
    TvrRulerUnits FUnits = ruCM;
    Extended FPosition = 0;
    Integer FSize = 0;
};

// The borderless window that hosts a drop-down (selectors, field list, inspector lists): closes
// and frees itself when it loses the focus.
class TvrPopupForm : public TForm {
    ORV_META(TvrPopupForm, TForm)
    explicit TvrPopupForm(TComponent* AOwner);

protected:
    void Deactivate() override;
    void DoClose(TCloseAction& Action) override;
};

// The tick count at which a popup window last lost the focus.
extern Cardinal PopupCloseTime;

// A drop-down shown in a popup window of its own just below its owner control.
class TvrCustomSelector : public TPanel {
    ORV_META(TvrCustomSelector, TPanel)
    TvrCustomSelector(TControl* OwnerControl, int PresetWidth, int PresetHeight);
    int PresetWidth() const { return FPresetWidth; }
    int PresetHeight() const { return FPresetHeight; }
    TvrPopupForm* PopupForm() const { return FForm; }
    virtual void Highlight(int x, int y, bool pressed) { (void)x, (void)y, (void)pressed; }

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

protected:
    void Paint() override;
    // The popup window goes out of sight.
    void HidePopup();
    TvrPopupForm* FForm = nullptr;

private:
    int FPresetWidth, FPresetHeight;
};

// The program's palette of the colour drop-down: 6 rows of 8; the button-face colour marks an
// empty slot.
std::array<TColor, 48>& vrColorPalette();
// The palette as the program starts.
void vrResetColorPalette();

class TvrColorSelector : public TvrCustomSelector {
    ORV_META(TvrColorSelector, TvrCustomSelector)
    explicit TvrColorSelector(TControl* OwnerControl);
    TColor SelectedColor = clNone;
    TNotifyEvent OnSelected;
    void Highlight(int x, int y, bool pressed) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // A colour chosen in the colour dialog joins the palette's custom slots.
    static void RememberColor(TColor color);

protected:
    void Paint() override;

private:
    TRect FHighlight{};
    bool FHighlighted = false;
};

class TvrLineSelector : public TvrCustomSelector {
    ORV_META(TvrLineSelector, TvrCustomSelector)
    explicit TvrLineSelector(TControl* OwnerControl);
    Integer SelectedStyle = 0;
    TNotifyEvent OnSelected;
    void Highlight(int x, int y, bool pressed) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The row under y.
    static int RowAt(int y);

protected:
    void Paint() override;

private:
    int FRow = -1;
    bool FPressed = false;
};

// The scroll box around the workspace: passes every key on to its windowed children and asks
// for the arrow keys and Tab.
class TvrScrollBox : public TScrollBox {
    ORV_META(TvrScrollBox, TScrollBox)
    explicit TvrScrollBox(TComponent* AOwner);
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
};
