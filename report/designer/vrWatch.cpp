// The watch list and its commands.
#include "report/designer/vrWatch.h"

#include "classes/MetaBuilder.h"
#include "gui/CheckLst.h"
#include "gui/ComCtrls.h"
#include "gui/ImgList.h"
#include "gui/StdCtrls.h"
#include "report/designer/vrEvaluate.h"
#include "report/vrRes.h"
#include "report/vrWindows.h"
#include "rtl/ScopeGuards.h"

#include <memory>

namespace {
TObject* WatchFlag(bool enabled) {
    return reinterpret_cast<TObject*>(std::uintptr_t(enabled ? 1 : 0));
}
} // namespace

ORV_META_IMPL(TvrWatchForm)
void TvrWatchForm::DeclareMeta(meta::Class<TvrWatchForm>&) {}

TvrWatchForm::TvrWatchForm(TComponent* AOwner) : TForm(AOwner) {
    SetName("vrWatchForm");
    SetBorderStyle(bsSizeToolWin);
    SetDragKind(dkDock);
    SetDragMode(dmAutomatic);
    SetFormStyle(fsStayOnTop);
    SetKeyPreview(true);
    SetShowHint(true);
    SetWidth(411);
    SetHeight(158);
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    SetFont(&font);
    ToolBar1 = new TToolBar(this);
    ToolBar1->SetParent(this);
    ToolBar1->SetFlat(true);
    ToolBar1->SetHeight(30);
    ToolBar1->SetAlign(alTop);
    auto button = [this](const char* name, int image, std::function<void()> action) {
        auto* b = new TToolButton(this);
        b->SetName(name);
        b->SetImageIndex(image);
        b->SetParent(ToolBar1);
        b->OnClick = [action](TObject*) { action(); };
        return b;
    };
    AddB = button("AddB", 97, [this] { AddWatch(); });
    DeleteB = button("DeleteB", 98, [this] { DeleteWatch(); });
    EditB = button("EditB", 68, [this] { EditWatch(); });
    WatchLB = new TCheckListBox(this);
    WatchLB->SetParent(this);
    WatchLB->SetAlign(alClient);
    WatchLB->SetItemHeight(13);
    WatchLB->OnClickCheck = [this](TObject*) { WatchChecked(); };
    WatchLB->OnDblClick = [this](TObject*) { EditWatch(); };

    SetCaption(GetResourceStringById(5900));
    AddB->SetHint(GetResourceStringById(5901));
    DeleteB->SetHint(GetResourceStringById(5902));
    EditB->SetHint(GetResourceStringById(5903));
    vrMirrorForReadingOrder(this);
}

void TvrWatchForm::DoShow() {
    TForm::DoShow();
    ToolBar1->SetImages(GetResources().GetDesignerImages());
}

void TvrWatchForm::KeyDown(Word& Key, TShiftState Shift) {
    TForm::KeyDown(Key, Shift);
    if (Key == VK_F1) {
        GetResources().ShowHelp(this);
        Key = 0;
    }
}

// The user cannot close the list; the designer hides and shows it.
bool TvrWatchForm::CloseQuery() {
    return false;
}

bool TvrWatchForm::WatchEnabled(int index) const {
    return reinterpret_cast<std::uintptr_t>(FWatches.Objects(index)) == 1;
}

String TvrWatchForm::WatchText() const {
    TStringList copy;
    for (int i = 0; i < FWatches.Count(); ++i)
        copy.Add(FWatches[i]);
    return copy.Text();
}

void TvrWatchForm::SetWatchText(const String& text) {
    TStringList lines;
    lines.SetText(text);
    FWatches.Clear();
    for (int i = 0; i < lines.Count(); ++i)
        FWatches.AddObject(lines[i], WatchFlag(false));
    UpdateWatches();
}

void TvrWatchForm::UpdateWatches() {
    TStrings* items = WatchLB->Items();
    items->BeginUpdate();
    const TScopeExit done([items] { items->EndUpdate(); });
    items->Clear();
    for (int i = 0; i < FWatches.Count(); ++i) {
        const String expression = FWatches[i];
        if (!WatchEnabled(i))
            items->Add(expression + ": disabled");
        else if (!Script || !FEvaluationAllowed)
            items->Add(expression + ": not accessible");
        else
            items->Add(expression + ": " + vrValueText(Script, expression));
        WatchLB->SetChecked(i, WatchEnabled(i));
    }
}

void TvrWatchForm::AddWatch() {
    auto form = std::make_unique<TvrEvaluateForm>(Owner());
    form->SetWatchInput(true);
    if (form->ShowModal() != mrOk) return;
    FWatches.AddObject(form->ExpressionE->Text(), WatchFlag(true));
    UpdateWatches();
}

void TvrWatchForm::DeleteWatch() {
    const int i = WatchLB->ItemIndex();
    if (i < 0 || i >= FWatches.Count()) return;
    FWatches.Delete(i);
    UpdateWatches();
}

void TvrWatchForm::EditWatch() {
    const int i = WatchLB->ItemIndex();
    if (i < 0 || i >= FWatches.Count()) return;
    auto form = std::make_unique<TvrEvaluateForm>(Owner());
    form->SetWatchInput(true);
    form->ExpressionE->SetText(FWatches[i]);
    if (form->ShowModal() != mrOk) return;
    FWatches.SetStrings(i, form->ExpressionE->Text());
    UpdateWatches();
    WatchLB->SetItemIndex(i);
}

void TvrWatchForm::WatchChecked() {
    const int i = WatchLB->ItemIndex();
    if (i < 0 || i >= FWatches.Count()) return;
    FWatches.SetObjects(i, WatchFlag(!WatchEnabled(i)));
    UpdateWatches();
    WatchLB->SetItemIndex(i);
}
