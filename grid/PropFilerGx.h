// Stored-property interceptors: a registry pairing a class whose stored properties may need
// translation when read back with an interceptor class that stands in for it while reading, the
// interceptor base class and the interceptor for forms (placement scaled to the screen).
#pragma once

#include "classes/Persistent.h"
#include "gui/Forms.h"

namespace meta {
class TClassInfo;
}

class TStoragePropertyInterceptor : public TPersistent {
    ORV_META(TStoragePropertyInterceptor, TPersistent)
    explicit TStoragePropertyInterceptor(TObject* Target = nullptr) : FTarget(Target) {}
    TObject* Target() const { return FTarget; }
    virtual bool WantsInterception() { return true; }
    // All stored properties were read: apply them to the target.
    virtual void ReadingDone() {}

protected:
    TObject* FTarget;
};

// Stands in for a form: its placement, resolution, window state and active control.
class TFormStoragePropertyInterceptor : public TStoragePropertyInterceptor {
    ORV_META(TFormStoragePropertyInterceptor, TStoragePropertyInterceptor)
    explicit TFormStoragePropertyInterceptor(TObject* Target = nullptr);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int Value);
    void SetTop(int Value);
    void SetWidth(int Value) { FWidth = Value; }
    void SetHeight(int Value) { FHeight = Value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value) { FWindowState = Value; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Value) { FActiveControl = Value; }
    bool PositionAssigned() const { return FPositionAssigned; }

    // Scales the placement from the stored resolution to the screen's and gives it to the form.
    void ReadingDone() override;

protected:
    // The resolution the form is read back on.
    virtual int ScreenPixelsPerInch() const;

private:
    TCustomForm* Form() const { return dynamic_cast<TCustomForm*>(FTarget); }
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    int FPixelsPerInch = 96;
    TWindowState FWindowState = wsNormal;
    TWinControl* FActiveControl = nullptr;
    bool FPositionAssigned = false;
};

// Pairs the target class with its interceptor; a pair registered before for the same target is
// removed first.
void RegisterInterceptorClass(const meta::TClassInfo* Target, const meta::TClassInfo* Interceptor);
// Removes every pair of exactly these two classes.
void UnregisterInterceptorClass(const meta::TClassInfo* Target, const meta::TClassInfo* Interceptor);
// The interceptor registered for the target class, nullptr when none.
const meta::TClassInfo* InterceptorClassFor(const meta::TClassInfo* Target);
