// Docking of the report library's windows: the thin panel that hosts a control among tool
// buttons, the dock site that tool windows dock into with the splitter beside it, and the routines
// that keep forms, tool bars and dock sites where the user left them in the settings store
// ("Form4.", "ToolBar4." and "Dock4." sections).
#pragma once

#include "gui/Docking.h"
#include "gui/ExtCtrls.h"

class TCustomIniFile;
class TToolBar;
class TDockSplitter;

// A panel among tool buttons that hosts a control other than a button (a combo, an edit): it
// lies along the tool bar (on top in a vertical one, to the left in a horizontal one).
class TvrTBPanel : public TPanel {
    ORV_META(TvrTBPanel, TPanel)
    explicit TvrTBPanel(TComponent* AOwner);
    void SetParent(TWinControl* NewParent) override;

protected:
    void Paint() override;
};

// A panel that tool windows dock into: only controls owned by a form named as its designer form
// dock here, the size of what was dragged over it comes back after a drop, and its splitter
// resizes, collapses and restores it.
class TvrDockSite : public TPanel {
    ORV_META(TvrDockSite, TPanel)
    explicit TvrDockSite(TComponent* AOwner);

    // The form whose controls may dock here (none by default).
    TCustomForm* DesignerForm() const { return FDesignerForm; }
    void SetDesignerForm(TCustomForm* value);
    // The width or height a collapsed site returns to.
    int Size() const { return FSize; }
    void SetSize(int value) { FSize = value; }
    TDockSplitter* Splitter() const { return FSplitter; }
    // The width (left or right aligned) or height (top or bottom aligned) of the control last
    // dragged over the site.
    int DraggedSize() const { return FDraggedSize; }
    // Aligned to the top or the bottom: its size is a height.
    bool Horizontal() const { return Align() == alTop || Align() == alBottom; }

    void SetParent(TWinControl* NewParent) override;
    void DockOver(TDragDockObject& Source, int X, int Y, bool& Accept) override;
    void DockDrop(TDragDockObject& Source, int X, int Y) override;
    bool DoUnDock(TWinControl* NewTarget, TControl* Client) override;
    // The first component of the designer form whose name contains the name, else the
    // application's global component of that name.
    void ReloadDockedControl(const String& ControlName, TControl*& Control) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void BoundsChanged() override;

private:
    // The control may dock here: its owner's name is the designer form's.
    bool Welcomes(const TControl* control) const;
    TCustomForm* FDesignerForm = nullptr;
    TDockSplitter* FSplitter = nullptr;
    int FSize = 0;
    int FDraggedSize = 0;
};

// The bar beside a dock site: dragging resizes the site, a click on the grip in its middle
// collapses the site or brings it back to its Size.
class TDockSplitter : public TGraphicControl {
    ORV_META(TDockSplitter, TGraphicControl)
    explicit TDockSplitter(TvrDockSite* site);
    TvrDockSite* DockSite() const { return FDockSite; }
    // Lies along the top or bottom of its site.
    bool Horizontal() const { return Align() == alTop || Align() == alBottom; }
    // The grip's colour, size and dots.
    static constexpr TColor GripColor = 0xC0D0D0;
    static constexpr int GripLength = 29;
    static constexpr int Thickness = 6;
    // The cursor shown at a point: the hand near the middle, else the splitting cursor.
    TCursor CursorAt(int X, int Y) const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // Collapses the site to nothing, or brings a collapsed one back to its Size.
    void ToggleSite();
    TvrDockSite* FDockSite;
    bool FDragging = false;
};

// The settings of a form: its bounds, whether it is maximized and visible, and the dock site
// holding it.
void SaveFormState(TCustomIniFile* settings, TCustomForm* form);
void RestoreFormState(TCustomIniFile* settings, TCustomForm* form);
// The settings of a tool bar: floating or docked (in which control bar), visible, its bounds.
void SaveToolBarState(TCustomIniFile* settings, TToolBar* toolBar);
void RestoreToolBarState(TCustomIniFile* settings, TToolBar* toolBar);
// The settings of a dock site: its dock manager's arrangement, its size and Size.
void SaveDockSiteLayout(TCustomIniFile* settings, TvrDockSite* site);
void RestoreDockSiteLayout(TCustomIniFile* settings, TvrDockSite* site);
