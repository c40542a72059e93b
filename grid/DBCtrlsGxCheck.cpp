// The data-aware check box: the three states read from and written to the link, the user's
// toggle, and its own painting.
#include "grid/DBCtrlsGxCheck.h"

#include "classes/MetaBuilder.h"
#include "grid/ToolCtrlsGxButtons.h"
#include "gui/ClassicEdges.h"
#include "gui/Colors.h"
#include "gui/ControlPaintHook.h"
#include "gui/Graphics.h"
#include "gui/Input.h"
#include "rtl/StrUtils.h"

ORV_META_IMPL(TCustomDBCheckBoxGx)
void TCustomDBCheckBoxGx::DeclareMeta(meta::Class<TCustomDBCheckBoxGx>& c) {
    c.Property("AllowGrayed", &TCustomDBCheckBoxGx::AllowGrayed, &TCustomDBCheckBoxGx::SetAllowGrayed).Default(false);
    c.Property("Flat", &TCustomDBCheckBoxGx::Flat, &TCustomDBCheckBoxGx::SetFlat).Default(false);
    c.Property("ValueChecked", &TCustomDBCheckBoxGx::ValueChecked, &TCustomDBCheckBoxGx::SetValueChecked);
    c.Property("ValueUnchecked", &TCustomDBCheckBoxGx::ValueUnchecked, &TCustomDBCheckBoxGx::SetValueUnchecked);
}
ORV_META_IMPL(TDBCheckBoxGx)
void TDBCheckBoxGx::DeclareMeta(meta::Class<TDBCheckBoxGx>&) {}

namespace {
const char* const kTrueText = "True";
const char* const kFalseText = "False";

String FirstEntry(const String& List) {
    const size_t semicolon = List.find(';');
    return Trim(semicolon == String::npos ? List : List.substr(0, semicolon));
}
} // namespace

TCustomDBCheckBoxGx::TCustomDBCheckBoxGx(TComponent* AOwner) : TButtonControl(AOwner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    SetParentColor(true);
    FDataLink = std::make_unique<TFieldDataLinkGx>(this);
    FDataLink->OnLinkDataChange = [this](TFieldDataLinkGx*) { Reload(); };
    FDataLink->OnLinkUpdateData = [this](TFieldDataLinkGx*) { StoreState(); };
    FDataLink->PutFieldValue(Variant(false));
    FState = cbUnchecked;
    FCheckModified = false;
    SetControlPaintHook(this, {[this](TCanvas* c) {
                                   const bool pressed = FSpaceDown || FMouseDown;
                                   DrawCheckBox(c, FState, Focused(), pressed, false);
                                   return true;
                               },
                               {}});
}

TCustomDBCheckBoxGx::~TCustomDBCheckBoxGx() {
    SetControlPaintHook(this, {});
    FDataLink->OnLinkDataChange = nullptr;
    FDataLink->OnLinkUpdateData = nullptr;
}

void TCustomDBCheckBoxGx::SetDataSource(TDataSource* Value) {
    FDataLink->SetDataSource(Value);
    if (Value) Value->FreeNotification(this);
}

void TCustomDBCheckBoxGx::Notification(TComponent* AComponent, TOperation Operation) {
    TButtonControl::Notification(AComponent, Operation);
    if (Operation == opRemove && FDataLink && AComponent == FDataLink->DataSource()) SetDataSource(nullptr);
}

void TCustomDBCheckBoxGx::SetFlat(bool Value) {
    if (Value == FFlat) return;
    FFlat = Value;
    Invalidate();
}

void TCustomDBCheckBoxGx::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomDBCheckBoxGx::SetValueChecked(const String& Value) {
    FValueChecked = Value;
    Reload();
}

void TCustomDBCheckBoxGx::SetValueUnchecked(const String& Value) {
    FValueUnchecked = Value;
    Reload();
}

// ---- the state and the link ------------------------------------------------------------------

bool TCustomDBCheckBoxGx::MatchesValueList(const String& Text, const String& List) {
    size_t from = 0;
    while (from <= List.size()) {
        const size_t semicolon = List.find(';', from);
        const String entry = Trim(List.substr(from, semicolon == String::npos ? String::npos : semicolon - from));
        if (semicolon == String::npos) {
            if (AnsiSameText(entry, Text)) return true;
            break;
        }
        if (AnsiSameText(entry, Text) && !entry.empty()) return true;
        from = semicolon + 1;
    }
    return Text.empty() && !List.empty() && List.back() == ';';
}

TCheckBoxState TCustomDBCheckBoxGx::FieldState() const {
    if (FDataLink->Standalone()) {
        const Variant& v = FDataLink->StandaloneValue();
        if (v.VType() == varBoolean) return v.AsBoolean() ? cbChecked : cbUnchecked;
        return cbGrayed;
    }
    TField* f = FDataLink->BoundField();
    if (!f) return cbUnchecked;
    if (f->DataType() == ftBoolean && FValueChecked == kTrueText && FValueUnchecked == kFalseText) {
        if (f->IsNull()) return cbGrayed;
        return f->AsBoolean() ? cbChecked : cbUnchecked;
    }
    const String text = f->EditText();
    if (MatchesValueList(text, FValueChecked)) return cbChecked;
    if (MatchesValueList(text, FValueUnchecked)) return cbUnchecked;
    return cbGrayed;
}

void TCustomDBCheckBoxGx::Reload() {
    PutState(FieldState());
    FCheckModified = false;
}

void TCustomDBCheckBoxGx::PutState(TCheckBoxState Value) {
    if (Value == FState) return;
    FState = Value;
    if (!FClicksSuppressed && OnClick) OnClick(this);
    Invalidate();
    FCheckModified = true;
}

void TCustomDBCheckBoxGx::ToggleState() {
    if (!FDataLink->StartEdit()) return;
    TCheckBoxState next = cbChecked;
    if (FState == cbUnchecked)
        next = FAllowGrayed ? cbGrayed : cbChecked;
    else if (FState == cbChecked)
        next = cbUnchecked;
    PutState(next);
    FDataLink->MarkModified();
    Invalidate();
}

void TCustomDBCheckBoxGx::WriteStateToField() {
    if (FDataLink->Standalone()) {
        FDataLink->PutFieldValue(FState == cbGrayed ? Null() : Variant(FState == cbChecked));
        return;
    }
    TField* f = FDataLink->BoundField();
    if (!f) return;
    if (FState == cbGrayed)
        f->Clear();
    else if (f->DataType() == ftBoolean)
        f->SetAsBoolean(FState == cbChecked);
    else
        f->SetEditText(FirstEntry(FState == cbChecked ? FValueChecked : FValueUnchecked));
}

void TCustomDBCheckBoxGx::StoreState() {
    FInUpdateDataEvent = true;
    try {
        WriteStateToField();
    } catch (...) {
        FInUpdateDataEvent = false;
        throw;
    }
    FInUpdateDataEvent = false;
}

void TCustomDBCheckBoxGx::SetState(TCheckBoxState Value) {
    if (!FDataLink->Standalone() && DataSource() && DataSource()->DataSet()) DataSource()->DataSet()->Edit();
    PutState(Value);
    if (FInUpdateDataEvent) return;
    try {
        StoreState();
    } catch (...) {
        FDataLink->Revert();
        throw;
    }
}

// ---- input -----------------------------------------------------------------------------------

bool TCustomDBCheckBoxGx::WantsKey(Word Key, TShiftState Shift) const {
    if (Key == VK_ESCAPE) return FCheckModified;
    return TButtonControl::WantsKey(Key, Shift);
}

void TCustomDBCheckBoxGx::KeyDown(Word& Key, TShiftState Shift) {
    TButtonControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE) {
        FSpaceDown = true;
        Invalidate();
    }
}

void TCustomDBCheckBoxGx::KeyUp(Word& Key, TShiftState Shift) {
    TButtonControl::KeyUp(Key, Shift);
    if (Key == VK_SPACE && FSpaceDown) {
        FSpaceDown = false;
        Invalidate();
        ToggleState();
    }
}

void TCustomDBCheckBoxGx::KeyPress(char16_t& Key) {
    TButtonControl::KeyPress(Key);
    if (Key == 8 || Key == u' ') {
        FDataLink->StartEdit();
    } else if (Key == 27) {
        FDataLink->Revert();
        Key = 0;
    }
}

void TCustomDBCheckBoxGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && !Focused()) {
        FClicksSuppressed = true;
        if (CanFocus()) SetFocus();
        FClicksSuppressed = false;
        if (!Focused()) return; // the press is dropped
    }
    if (Button == mbLeft) {
        FMouseDown = true;
        Invalidate();
    }
    TButtonControl::MouseDown(Button, Shift, X, Y);
}

void TCustomDBCheckBoxGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const bool wasDown = FMouseDown;
    FMouseDown = false;
    TButtonControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && wasDown) {
        Invalidate();
        if (PtInRect(ClientRect(), TPoint(X, Y))) ToggleState();
    }
}

void TCustomDBCheckBoxGx::DoExit() {
    try {
        FDataLink->UpdateRecord();
    } catch (...) {
        SetFocus();
        throw;
    }
    TButtonControl::DoExit();
}

// ---- painting --------------------------------------------------------------------------------

void TCustomDBCheckBoxGx::DrawCheckBox(TCanvas* Canvas, TCheckBoxState State, bool Focused, bool Pressed,
                                       bool MouseAbove) {
    const TRect client = ClientRect();
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(client);
    const TSize box = StandardCheckBoxSize();
    const int top = (client.Height() - box.cy) / 2;
    const bool boxLeft = FAlignment == taRightJustify;
    const TRect boxRect = boxLeft ? Rect(0, top, box.cx, top + box.cy)
                                  : Rect(client.Right - box.cx, top, client.Right, top + box.cy);
    PaintCheckBox(Canvas, boxRect, static_cast<int>(State), Enabled(), FFlat, Pressed, Focused || MouseAbove);
    TRect text = boxLeft ? Rect(box.cx + 4, 0, client.Right, client.Bottom)
                         : Rect(0, 0, client.Right - box.cx - 4, client.Bottom);
    Canvas->Font()->Assign(*Font());
    if (!Enabled()) Canvas->Font()->SetColor(clGrayText);
    Canvas->Brush()->SetStyle(bsClear);
    const String caption = Text();
    // "Match &Case" reads "Match Case" with the C underlined; "&&" is one '&'.
    const Cardinal flags = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    TRect measured = text;
    Canvas->DrawText(caption, measured, flags | DT_CALCRECT);
    Canvas->DrawText(caption, text, flags);
    Canvas->Brush()->SetStyle(bsSolid);
    if (Focused)
        Canvas->DrawFocusRect(Rect(text.Left - 1, 0, std::min(text.Right, text.Left + measured.Width() + 2), client.Bottom));
}
