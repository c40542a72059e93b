// The desktop: a child window of the main window with five pages of large navigation buttons,
// each bound to one of the main window's actions (its caption, its visibility, its run).
#pragma once

#include "gui/Forms.h"

#include <typeinfo>
#include <vector>

class TWnPageControl;
class TButton;
class TImageList;

class TFrmBtnImage : public TForm {
public:
    explicit TFrmBtnImage(TComponent* AOwner);
    ~TFrmBtnImage() override;
    String ClassName() const override { return "TFrmBtnImage"; }

    TWnPageControl* PageControl1;
    // The pages' pictures (32 x 32), from the icon theme by the names of app/core/IconNames.h.
    TImageList* ImageList1;
    // The buttons of every page, in page order.
    std::vector<TButton*> Buttons;
    // The button of an action code (nullptr when none).
    TButton* ButtonOf(int code) const;
};

// The open desktop (nullptr when it is closed).
extern TFrmBtnImage* FrmBtnImage;

// Brings an open window of exactly class T to the front (restoring it when minimised) and stores
// it in the reference, or creates a new one with the owner.
template <class T> void ShowChildForm(T*& reference, TComponent* owner) {
    for (int i = 0; i < Screen()->FormCount(); ++i) {
        TCustomForm* form = Screen()->Forms(i);
        if (typeid(*form) != typeid(T)) continue;
        if (form->WindowState() == wsMinimized)
            form->SetWindowState(wsNormal);
        else
            form->Show();
        form->SetVisible(true);
        form->BringToFront();
        form->SetFocus();
        reference = static_cast<T*>(form);
        return;
    }
    reference = new T(owner);
    reference->Show();
}
