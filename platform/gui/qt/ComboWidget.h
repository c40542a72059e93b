// Internal to platform/gui: the widget of a combo box. It tells the control when its list opens
// and closes, lets a control that paints its own frame and button do so (with the edit where the
// control puts it), places the open list as the control asks, and draws owner-drawn entries
// through the control.
#pragma once

#include "gui/StdCtrls.h"

#include <QComboBox>

struct TComboAccess {
    static void DropDown(TCustomComboBox* c) { c->DropDown(); }
    static void CloseUp(TCustomComboBox* c) { c->CloseUp(); }
    static void Change(TCustomComboBox* c) { c->Change(); }
    static void Selected(TCustomComboBox* c) {
        c->Click();
        c->Select();
    }
    static void PaintFrame(TCustomComboBox* c) { c->PaintFrame(); }
    static void PlaceList(TCustomComboBox* c, TCustomComboBox::TListPlacement& p) { c->PlaceList(p); }
    static void DrawItem(TCustomComboBox* c, int index, const TRect& r, TOwnerDrawState s) {
        c->DrawItem(index, r, s);
    }
    static bool OwnFrame(const TCustomComboBox* c) { return c->FOwnFrame; }
    static bool OwnerDrawnStyle(const TCustomComboBox* c) {
        return c->FStyle == csOwnerDrawFixed || c->FStyle == csOwnerDrawVariable;
    }
    static bool OwnerDrawnItems(const TCustomComboBox* c) { return c->FOwnerDrawnItems || OwnerDrawnStyle(c); }
    static const TRect& EditBounds(const TCustomComboBox* c) { return c->FEditBounds; }
};

class TOrvComboBox : public QComboBox {
public:
    explicit TOrvComboBox(TCustomComboBox* owner);
    void showPopup() override;
    void hidePopup() override;
    // Puts the edit where a control with its own frame wants it.
    void PlaceEdit();
    // The entry the user chose in the open list (by a click or Enter), -1 while none.
    int ChosenRow = -1;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlacePopup();
    TCustomComboBox* FOwner;
    bool FWatchingList = false;
    QWidget* FWatchedEdit = nullptr;
};
