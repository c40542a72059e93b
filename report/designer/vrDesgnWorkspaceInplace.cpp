// The in-place editor of the page workspace: a memo over a text object, in the object's font at
// the workspace's scale, growing with its text and writing it back when closed.
#include "report/designer/vrDesgnWorkspace.h"

#include "classes/MetaBuilder.h"
#include "rtl/Format.h"

#include "rtl/CodePage.h"

#include <algorithm>
#include <cmath>

ORV_META_IMPL(TInplaceMemo)
void TInplaceMemo::DeclareMeta(meta::Class<TInplaceMemo>& c) { (void)c; }

TInplaceMemo::TInplaceMemo(TComponent* AOwner) : TUnicodeMemo(AOwner) {
    SetBorderStyle(bsNone);
    SetWordWrap(false);
    SetWantTabs(false);
    OnChange = [this](TObject*) { Grow(); };
}

void TInplaceMemo::Open(TvrCustomMemoView* Memo) {
    if (IsOpen()) Close();
    Target = Memo;
    const Extended s = Workspace->Scale;
    auto rnd = [](Extended v) { return static_cast<int>(std::nearbyint(v)); };
    StartWidth = rnd(Memo->Width() * s + 1);
    StartHeight = rnd(Memo->Height() * s + 1);
    SetBounds(rnd(Memo->AbsLeft() * s), rnd(Memo->AbsTop() * s), StartWidth, StartHeight);
    TFont font;
    font.Assign(*Memo->Font());
    font.SetHeight(rnd(Memo->Font()->Height() * s));
    SetFont(&font);
    SetColor(Memo->Color == clTransparent ? clWhite : Memo->Color);
    // The text, lines joined with CR LF, without the final line break.
    WideString text = Memo->Text();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, u"\r\n") == 0) text.erase(text.size() - 2);
    const TNotifyEvent change = OnChange;
    OnChange = nullptr;
    SetWideText(this, text);
    OnChange = change;
    SetModified(false);
    SetVisible(true);
    BringToFront();
    if (CanFocus()) SetFocus();
    SelectAll();
}

void TInplaceMemo::Grow() {
    if (!IsOpen()) return;
    const int n = std::max(1, Lines()->Count());
    const int h = Font()->Height() < 0 ? Font()->Height() : -Font()->Height();
    const int needed = n * (3 - h) + 4;
    if (Height() - h < needed) SetBounds(Left(), Top(), Width(), needed);
    TCanvas* canvas = Workspace->Canvas();
    canvas->Font()->Assign(*Font());
    int widest = 0;
    for (int i = 0; i < Lines()->Count(); ++i) widest = std::max(widest, canvas->TextWidth(Lines()->Strings(i)));
    if (widest + 6 > Width()) SetBounds(Left(), Top(), widest + 6, Height());
}

void TInplaceMemo::Close() {
    if (!IsOpen()) return;
    TvrCustomMemoView* target = Target;
    Target = nullptr;
    const bool changed = Modified();
    if (changed) {
        target->SetText(GetWideText(this));
        const Extended s = Workspace->Scale;
        if (Width() != StartWidth) target->SetWidth((Width() + 5) / s);
        if (Height() != StartHeight) target->SetHeight((Height() + 5) / s);
    }
    SetModified(false);
    SetVisible(false);
    Workspace->InplaceEditDone(changed);
}

void TInplaceMemo::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE) {
        SetModified(false);
        Key = 0;
        Close();
        return;
    }
    TMemo::KeyDown(Key, Shift);
}

void TInplaceMemo::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TMemo::MouseDown(Button, Shift, X, Y);
    Close();
}
