// The dialog page: its window, the bounds kept in step with it, and its events run by the
// report's script.
#include "report/vrClassDialogPage.h"

#include "classes/MetaBuilder.h"
#include "report/vrClassCollaborators.h"
#include "report/vrClassReport.h"
#include "rtl/Variant.h"
#include "script/vs_iinterpreter.h"

#include <cmath>
#include <mutex>

namespace {
int Px(Extended v) {
    return static_cast<int>(std::lround(v));
}
} // namespace

ORV_META_IMPL(TvrDialogPage)
void TvrDialogPage::DeclareMeta(meta::Class<TvrDialogPage>& c) {
    using T = TvrDialogPage;
    c.Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored);
    c.Property("Visible", &T::Visible, &T::SetVisible).Default(true);
    c.Property("BorderStyle", &T::BorderStyle, &T::BorderStyle).Default(bsSizeable);
    c.Property("Caption", &T::Caption, &T::SetCaption);
    c.Property("Color", &T::Color, &T::SetColor).TypeName("TColor").Default(clBtnFace);
    c.Property("Left", &T::Left, &T::SetLeft);
    c.Property("Top", &T::Top, &T::SetTop);
    c.Property("Width", &T::Width, &T::SetWidth);
    c.Property("Height", &T::Height, &T::SetHeight);
    c.Property("ClientWidth", &T::ClientWidth, &T::SetClientWidth).Stored(&T::IsClientWidthStored);
    c.Property("ClientHeight", &T::ClientHeight, &T::SetClientHeight).Stored(&T::IsClientHeightStored);
    c.Property("Position", &T::Position, &T::Position).Default(poScreenCenter);
    c.Property("WindowState", &T::WindowState, &T::WindowState).Default(wsNormal);
    c.Property("OnActivate", &T::OnActivate, &T::OnActivate).TypeName("TvrNotifyEvent");
    c.Property("OnClick", &T::OnClick, &T::OnClick).TypeName("TvrNotifyEvent");
    c.Property("OnDeactivate", &T::OnDeactivate, &T::OnDeactivate).TypeName("TvrNotifyEvent");
    c.Property("OnHide", &T::OnHide, &T::OnHide).TypeName("TvrNotifyEvent");
    c.Property("OnResize", &T::OnResize, &T::OnResize).TypeName("TvrNotifyEvent");
    c.Property("OnShow", &T::OnShow, &T::OnShow).TypeName("TvrNotifyEvent");
    c.Property("OnCloseQuery", &T::OnCloseQuery, &T::OnCloseQuery).TypeName("TvrCloseQueryEvent");
    c.Property("OnKeyDown", &T::OnKeyDown, &T::OnKeyDown).TypeName("TvrKeyEvent");
    c.Property("OnKeyUp", &T::OnKeyUp, &T::OnKeyUp).TypeName("TvrKeyEvent");
    c.Property("OnKeyPress", &T::OnKeyPress, &T::OnKeyPress).TypeName("TvrKeyPressEvent");
}

TvrDialogPage::TvrDialogPage(TComponent* AOwner) : TvrPage(AOwner) {
    // A report that runs away from the user interface makes its dialog windows thread-safe.
    auto* report = dynamic_cast<TvrReport*>(AOwner);
    const Integer tag = Tag();
    if (report && report->EngineOptions()->HeadlessMode) SetTag(vrThreadSafeTag);
    FForm = std::make_unique<TvrDialogForm>(this);
    SetTag(tag);
    FForm->SetKeyPreview(true);
    FForm->SetShowHint(true);
    FForm->SetColor(FColor);
    TFont font;
    font.SetName("Tahoma");
    font.SetSize(8);
    font.SetCharset(DEFAULT_CHARSET);
    SetFont(&font);
}

TvrDialogPage::~TvrDialogPage() {
    // The controls belong to their report objects, which go after the window: take them off it.
    for (TvrComponent* c : AllObjects())
        if (auto* control = dynamic_cast<TvrDialogControl*>(c); control && control->Control())
            control->Control()->SetParent(nullptr);
    std::lock_guard<std::recursive_mutex> lock(LoadingLock());
    FForm.reset();
}

void TvrDialogPage::SetCaption(const String& Value) {
    FCaption = Value;
    FForm->SetCaption(Value);
}

void TvrDialogPage::SetColor(TColor Value) {
    FColor = Value;
    FForm->SetColor(Value);
}

void TvrDialogPage::SetLeft(Extended Value) {
    TvrPage::SetLeft(Value);
    FForm->SetLeft(Px(Value));
}

void TvrDialogPage::SetTop(Extended Value) {
    TvrPage::SetTop(Value);
    FForm->SetBounds(FForm->Left(), Px(Value), FForm->Width(), FForm->Height());
}

void TvrDialogPage::SetWidth(Extended Value) {
    TvrPage::SetWidth(Value);
    // While loading, a stored client width decides the window's size.
    if (!(InLoading && vrDiffers(FClientWidth, 0)))
        FForm->SetBounds(FForm->Left(), FForm->Top(), Px(Value), FForm->Height());
}

void TvrDialogPage::SetHeight(Extended Value) {
    TvrPage::SetHeight(Value);
    if (!(InLoading && vrDiffers(FClientHeight, 0)))
        FForm->SetBounds(FForm->Left(), FForm->Top(), FForm->Width(), Px(Value));
}

Extended TvrDialogPage::ClientWidth() const {
    return FForm->ClientWidth();
}

Extended TvrDialogPage::ClientHeight() const {
    return FForm->ClientHeight();
}

void TvrDialogPage::SetClientWidth(Extended Value) {
    FForm->SetClientWidth(Px(Value));
    FClientWidth = Value;
    TvrPage::SetWidth(FForm->Width());
}

void TvrDialogPage::SetClientHeight(Extended Value) {
    FForm->SetClientHeight(Px(Value));
    FClientHeight = Value;
    TvrPage::SetHeight(FForm->Height());
}

void TvrDialogPage::FontChanged() {
    TvrPage::FontChanged();
    FForm->Font()->Assign(*Font());
}

Integer TvrDialogPage::ModalResult() const {
    return FForm->ModalResult();
}

void TvrDialogPage::SetModalResult(Integer Value) {
    FForm->SetModalResult(static_cast<TModalResult>(Value));
}

void TvrDialogPage::TakeWindowBounds() {
    TvrPage::SetLeft(FForm->Left());
    TvrPage::SetTop(FForm->Top());
    TvrPage::SetWidth(FForm->Width());
    TvrPage::SetHeight(FForm->Height());
}

bool TvrDialogPage::EventsAllowed() const {
    TvrReport* report = GetReport();
    if (!report) return false;
    const TvrCustomEngine* engine = report->Engine();
    return EventsOutsideRun || (engine && engine->Running);
}

void TvrDialogPage::RunEvent(const String& ProcName) {
    if (ProcName.empty() || !EventsAllowed()) return;
    GetReport()->DoNotifyEvent(this, ProcName, true);
}

void TvrDialogPage::PrepareWindow() {
    TvrReport* report = GetReport();
    EventsOutsideRun = report && !report->EngineOptions()->DestroyForms;
    if (FForm->Visible()) FForm->Hide();
    FForm->SetPosition(Position);
    FForm->SetWindowState(WindowState);
    TvrDialogForm* f = FForm.get();
    f->OnActivate = [this](TObject*) {
        TakeWindowBounds();
        RunEvent(OnActivate);
        for (TvrComponent* c : AllObjects())
            if (auto* control = dynamic_cast<TvrDialogControl*>(c); control && control->OnActivate)
                control->OnActivate(this);
    };
    f->OnClick = [this](TObject*) { RunEvent(OnClick); };
    f->OnDeactivate = [this](TObject*) { RunEvent(OnDeactivate); };
    f->OnHide = [this](TObject*) { RunEvent(OnHide); };
    f->OnShow = [this](TObject*) { RunEvent(OnShow); };
    f->OnResize = [this](TObject*) { RunEvent(OnResize); };
    auto keyEvent = [this](const String& proc) {
        return [this, &proc](TObject*, Word& Key, TShiftState Shift) {
            if (proc.empty() || !EventsAllowed()) return;
            Variant params = VarArrayOf({vsObjectToVariant(this), Variant(Integer(Key)),
                                         Variant(static_cast<Integer>(Shift.Bits()))});
            GetReport()->DoParamEvent(proc, params, true);
            Key = static_cast<Word>(VarArrayGet(params, {1}).AsInteger());
        };
    };
    f->OnKeyDown = keyEvent(OnKeyDown);
    f->OnKeyUp = keyEvent(OnKeyUp);
    f->OnKeyPress = [this](TObject*, char16_t& Key) {
        if (OnKeyPress.empty() || !EventsAllowed()) return;
        Variant params = VarArrayOf({vsObjectToVariant(this), Variant(WideString(1, Key))});
        GetReport()->DoParamEvent(OnKeyPress, params, true);
        const WideString back = VarArrayGet(params, {1}).AsWideString();
        Key = back.empty() ? u'\0' : back[0];
    };
    f->OnCloseQuery = [this](TObject*, bool& CanClose) {
        if (OnCloseQuery.empty() || !EventsAllowed()) return;
        Variant params = VarArrayOf({vsObjectToVariant(this), Variant(CanClose)});
        GetReport()->DoParamEvent(OnCloseQuery, params, true);
        CanClose = VarArrayGet(params, {1}).AsBoolean();
    };
}

Integer TvrDialogPage::ShowModal() {
    PrepareWindow();
    FForm->SetBorderStyle(BorderStyle);
    FForm->SetFormStyle(fsNormal);
    const Integer result = FForm->ShowModal();
    TakeWindowBounds();
    FForm->SetFormStyle(fsStayOnTop);
    return result;
}
