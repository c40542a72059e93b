// The base of the report objects that wrap a platform control of a dialog page: the object's
// state forwarded to the control, and its picture drawn from the control.
#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "report/vrClassDialogPage.h"

#include <cmath>

ORV_META_IMPL(TvrDialogControl)
void TvrDialogControl::DeclareMeta(meta::Class<TvrDialogControl>& c) {
    using T = TvrDialogControl;
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored);
    c.Property("GroupIndex", &T::GroupIndex, &T::GroupIndex).Default(0);
    c.Property("ParentFont", &T::ParentFont, &T::SetParentFont).Default(true);
    c.Property("Enabled", &T::Enabled, &T::SetEnabled).Default(true);
    c.Property("Hint", &T::Hint, &T::SetHint);
    c.Property("ShowHint", &T::ShowHint, &T::SetShowHint).Default(false);
    c.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
}

TvrDialogControl::TvrDialogControl(TComponent* AOwner) : TvrReportComponent(AOwner) {}

TvrDialogControl::~TvrDialogControl() = default;

String TvrDialogControl::NamePrefix() const {
    String s = ClassName();
    if (s.rfind("Tvr", 0) == 0) s.erase(0, 3);
    if (const size_t at = s.find("Control"); at != String::npos) s.erase(at, 7);
    return s;
}

void TvrDialogControl::SetControl(std::unique_ptr<TControl> Control) {
    FControl = std::move(Control);
    if (!FControl) return;
    UpdateParent();
    UpdateBounds();
    FControl->Font()->Assign(*Font());
}

void TvrDialogControl::UpdateBounds() {
    if (!FControl) return;
    auto px = [](Extended v) { return static_cast<int>(std::lround(v)); };
    FControl->SetBounds(px(Left()), px(Top()), px(Width()), px(Height()));
}

void TvrDialogControl::UpdateParent() {
    if (!FControl) return;
    TWinControl* parent = nullptr;
    if (auto* p = dynamic_cast<TvrDialogControl*>(Parent()))
        parent = dynamic_cast<TWinControl*>(p->Control());
    else if (auto* page = dynamic_cast<TvrDialogPage*>(Parent()))
        parent = page->Form();
    FControl->SetParent(parent);
}

bool TvrDialogControl::Enabled() const {
    return FControl ? FControl->Enabled() : true;
}
void TvrDialogControl::SetEnabled(bool Value) {
    if (FControl) FControl->SetEnabled(Value);
}
String TvrDialogControl::Hint() const {
    return FControl ? FControl->Hint() : String();
}
void TvrDialogControl::SetHint(const String& Value) {
    if (FControl) FControl->SetHint(Value);
}
bool TvrDialogControl::ShowHint() const {
    return FControl && FControl->ShowHint();
}
void TvrDialogControl::SetShowHint(bool Value) {
    if (FControl) FControl->SetShowHint(Value);
}

void TvrDialogControl::SetVisible(bool Value) {
    TvrReportComponent::SetVisible(Value);
    if (FControl) FControl->SetVisible(Value);
}

void TvrDialogControl::SetLeft(Extended Value) {
    TvrReportComponent::SetLeft(Value);
    UpdateBounds();
}
void TvrDialogControl::SetTop(Extended Value) {
    TvrReportComponent::SetTop(Value);
    UpdateBounds();
}
void TvrDialogControl::SetWidth(Extended Value) {
    TvrReportComponent::SetWidth(Value);
    UpdateBounds();
}
void TvrDialogControl::SetHeight(Extended Value) {
    TvrReportComponent::SetHeight(Value);
    UpdateBounds();
}

void TvrDialogControl::SetParent(TvrComponent* Value) {
    TvrReportComponent::SetParent(Value);
    UpdateParent();
}

void TvrDialogControl::FontChanged() {
    TvrReportComponent::FontChanged();
    if (FControl) FControl->Font()->Assign(*Font());
}

void TvrDialogControl::SetParentFont(bool Value) {
    TvrReportComponent::SetParentFont(Value);
    if (!FControl) return;
    FControl->Font()->Assign(*Font());
    FControl->SetParentFont(Value);
}

void TvrDialogControl::SetColor(TColor Value) {
    if (FControl) FControl->SetColor(Value);
}

String TvrDialogControl::Text() const {
    return FControl ? FControl->Text() : String();
}

void TvrDialogControl::SetText(const String& Value) {
    if (FControl) FControl->SetText(Value);
}

void TvrDialogControl::Draw(TCanvas* Canvas, Extended, Extended, Extended, Extended) {
    if (!FControl) return;
    const int w = static_cast<int>(std::lround(Width())), h = static_cast<int>(std::lround(Height()));
    if (w <= 0 || h <= 0) return;
    TBitmap picture(w, h);
    picture.Canvas()->Brush()->SetColor(clBtnFace);
    picture.Canvas()->FillRect(TRect{0, 0, w, h});
    TBitmap shot;
    GrabControl(FControl.get(), shot);
    picture.Canvas()->Draw(0, 0, &shot);
    Canvas->Lock();
    Canvas->Draw(static_cast<int>(std::lround(AbsLeft())), static_cast<int>(std::lround(AbsTop())), &picture);
    Canvas->Unlock();
}
