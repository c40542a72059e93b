// The run-time window of a report's dialog page. It refuses to close by itself (the page puts its
// own close question in place while it runs the dialog) and tells when the user has finished
// moving or sizing it.
#pragma once

#include "gui/Forms.h"

class TvrDialogForm : public TForm {
    ORV_META(TvrDialogForm, TForm)
    // creator: the dialog page; its Tag 318 at this moment makes the window thread-safe. The window
    // never has an owner.
    explicit TvrDialogForm(TComponent* creator);

    bool ThreadSafe() const { return FThreadSafe; }
    // The user finished moving or sizing the window.
    TNotifyEvent OnLayoutChanged;

    // The arrow keys and Tab reach the window itself when it has the focus.
    bool WantsKey(Word Key, TShiftState Shift) const override;

protected:
    void MoveSizeEnded() override;

private:
    bool FThreadSafe = false;
};

// The Tag a dialog page carries while it creates a thread-safe window.
constexpr int vrThreadSafeTag = 318;
