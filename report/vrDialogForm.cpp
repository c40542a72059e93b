#include "report/vrDialogForm.h"

#include "classes/MetaBuilder.h"
#include "report/vrWindows.h"

ORV_META_IMPL(TvrDialogForm)
void TvrDialogForm::DeclareMeta(meta::Class<TvrDialogForm>&) {}

TvrDialogForm::TvrDialogForm(TComponent* creator) : TForm(nullptr) {
    FThreadSafe = creator && creator->Tag() == vrThreadSafeTag;
    SetCaption(" ");
    SetClientWidth(115);
    SetClientHeight(59);
    SetKeyPreview(true);
    OnCloseQuery = [](TObject*, bool& canClose) { canClose = false; };
    vrMirrorForReadingOrder(this);
}

bool TvrDialogForm::WantsKey(Word Key, TShiftState Shift) const {
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN || Key == VK_TAB) return true;
    return TForm::WantsKey(Key, Shift);
}

void TvrDialogForm::MoveSizeEnded() {
    TForm::MoveSizeEnded();
    if (OnLayoutChanged) OnLayoutChanged(this);
}
