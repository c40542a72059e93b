#include "grid/PropFilerGx.h"

#include "classes/MetaBuilder.h"
#include "gui/Geometry.h"

#include <utility>
#include <vector>

namespace {

struct TInterceptorRegistry {
    std::vector<const meta::TClassInfo*> Targets;
    std::vector<const meta::TClassInfo*> Interceptors;
};

TInterceptorRegistry& Registry() {
    static TInterceptorRegistry registry;
    return registry;
}

// Forms are read through their interceptor from the start.
const bool FormsRegistered = [] {
    RegisterInterceptorClass(&TCustomForm::StaticClassInfo(),
                             &TFormStoragePropertyInterceptor::StaticClassInfo());
    return true;
}();

} // namespace

void RegisterInterceptorClass(const meta::TClassInfo* Target, const meta::TClassInfo* Interceptor) {
    TInterceptorRegistry& r = Registry();
    for (size_t i = r.Targets.size(); i-- > 0;)
        if (r.Targets[i] == Target) {
            r.Targets.erase(r.Targets.begin() + static_cast<std::ptrdiff_t>(i));
            r.Interceptors.erase(r.Interceptors.begin() + static_cast<std::ptrdiff_t>(i));
        }
    r.Targets.push_back(Target);
    r.Interceptors.push_back(Interceptor);
}

void UnregisterInterceptorClass(const meta::TClassInfo* Target, const meta::TClassInfo* Interceptor) {
    TInterceptorRegistry& r = Registry();
    for (size_t i = r.Targets.size(); i-- > 0;)
        if (r.Targets[i] == Target && r.Interceptors[i] == Interceptor) {
            r.Targets.erase(r.Targets.begin() + static_cast<std::ptrdiff_t>(i));
            r.Interceptors.erase(r.Interceptors.begin() + static_cast<std::ptrdiff_t>(i));
        }
}

const meta::TClassInfo* InterceptorClassFor(const meta::TClassInfo* Target) {
    (void)FormsRegistered;
    const TInterceptorRegistry& r = Registry();
    for (size_t i = 0; i < r.Targets.size(); ++i)
        if (r.Targets[i] == Target) return r.Interceptors[i];
    return nullptr;
}

ORV_META_IMPL(TStoragePropertyInterceptor)
void TStoragePropertyInterceptor::DeclareMeta(meta::Class<TStoragePropertyInterceptor>&) {}

ORV_META_IMPL(TFormStoragePropertyInterceptor)
void TFormStoragePropertyInterceptor::DeclareMeta(meta::Class<TFormStoragePropertyInterceptor>& c) {
    c.Property("ActiveControl", &TFormStoragePropertyInterceptor::ActiveControl,
               &TFormStoragePropertyInterceptor::SetActiveControl);
    c.Property("Height", &TFormStoragePropertyInterceptor::Height,
               &TFormStoragePropertyInterceptor::SetHeight);
    c.Property("Left", &TFormStoragePropertyInterceptor::Left, &TFormStoragePropertyInterceptor::SetLeft);
    c.Property("PixelsPerInch", &TFormStoragePropertyInterceptor::PixelsPerInch,
               &TFormStoragePropertyInterceptor::SetPixelsPerInch);
    c.Property("Top", &TFormStoragePropertyInterceptor::Top, &TFormStoragePropertyInterceptor::SetTop);
    c.Property("Width", &TFormStoragePropertyInterceptor::Width, &TFormStoragePropertyInterceptor::SetWidth);
    c.Property("WindowState", &TFormStoragePropertyInterceptor::WindowState,
               &TFormStoragePropertyInterceptor::SetWindowState);
}

TFormStoragePropertyInterceptor::TFormStoragePropertyInterceptor(TObject* Target)
    : TStoragePropertyInterceptor(Target) {
    if (TCustomForm* f = Form()) {
        FLeft = f->Left();
        FTop = f->Top();
        FWidth = f->Width();
        FHeight = f->Height();
        FPixelsPerInch = ScreenPixelsPerInch();
        FWindowState = f->WindowState();
        FActiveControl = f->ActiveControl();
    }
}

// Reading the placement gives the form's current one; the stored values wait for ReadingDone.
int TFormStoragePropertyInterceptor::Left() const {
    return Form() ? Form()->Left() : 0;
}
int TFormStoragePropertyInterceptor::Top() const {
    return Form() ? Form()->Top() : 0;
}
int TFormStoragePropertyInterceptor::Width() const {
    return Form() ? Form()->Width() : 0;
}
int TFormStoragePropertyInterceptor::Height() const {
    return Form() ? Form()->Height() : 0;
}

void TFormStoragePropertyInterceptor::SetLeft(int Value) {
    FLeft = Value;
    FPositionAssigned = true;
}

void TFormStoragePropertyInterceptor::SetTop(int Value) {
    FTop = Value;
    FPositionAssigned = true;
}

int TFormStoragePropertyInterceptor::ScreenPixelsPerInch() const {
    return Screen() ? Screen()->PixelsPerInch() : 96;
}

void TFormStoragePropertyInterceptor::ReadingDone() {
    const int ppi = ScreenPixelsPerInch();
    if (FPixelsPerInch > 0 && ppi != FPixelsPerInch) {
        FHeight = MulDiv(FHeight, ppi, FPixelsPerInch);
        FLeft = MulDiv(FLeft, ppi, FPixelsPerInch);
        FTop = MulDiv(FTop, ppi, FPixelsPerInch);
        FWidth = MulDiv(FWidth, ppi, FPixelsPerInch);
    }
    TCustomForm* f = Form();
    if (!f) return;
    // The bounds first: they are the restored placement of a minimised or maximised form.
    f->SetBounds(FLeft, FTop, FWidth, FHeight);
    f->SetWindowState(FWindowState);
    if (FActiveControl) f->SetActiveControl(FActiveControl);
    if (FPositionAssigned && (f->Position() == poScreenCenter || f->Position() == poDesktopCenter))
        f->SetPosition(poDesigned);
}
