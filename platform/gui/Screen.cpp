// TScreen: the forms, the active form and control, the application cursor, fonts and the screen's
// size and work area.
#include "gui/Forms.h"

#include "gui/qt/ControlImpl.h"
#include "gui/qt/QtSupport.h"

#include "rtl/StringList.h"

#include <QApplication>
#include <QFontDatabase>
#include <QScreen>

#include <algorithm>

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
    EnsureQtApp();
}
TScreen::~TScreen() = default;

TScreen* Screen() {
    static std::unique_ptr<TScreen> screen = std::make_unique<TScreen>(nullptr);
    return screen.get();
}

namespace {
QScreen* Primary() {
    EnsureQtApp();
    return QGuiApplication::primaryScreen();
}
} // namespace

int TScreen::Width() const {
    QScreen* s = Primary();
    return s ? s->geometry().width() : 1024;
}

int TScreen::Height() const {
    QScreen* s = Primary();
    return s ? s->geometry().height() : 768;
}

TRect TScreen::WorkAreaRect() const {
    QScreen* s = Primary();
    if (!s) return Rect(0, 0, 1024, 768);
    QRect r = s->availableGeometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

TRect TScreen::DesktopRect() const {
    QScreen* s = Primary();
    if (!s) return Rect(0, 0, 1024, 768);
    QRect r = s->virtualGeometry();
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

int TScreen::MonitorCount() const {
    EnsureQtApp();
    return static_cast<int>(QGuiApplication::screens().size());
}

void TScreen::SetCursor(TCursor v) {
    if (v == FCursor) return;
    EnsureQtApp();
    if (FCursor != crDefault) QApplication::restoreOverrideCursor();
    FCursor = v;
    if (v != crDefault) QApplication::setOverrideCursor(QtCursorOf(v));
}

TCustomForm* TScreen::Forms(int Index) const {
    if (Index < 0 || Index >= FormCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FForms[static_cast<size_t>(Index)];
}

TWinControl* TScreen::ActiveControl() const {
    return FActiveForm ? FActiveForm->ActiveControl() : nullptr;
}

TStrings* TScreen::Fonts() {
    if (!FFonts) {
        EnsureQtApp();
        auto list = std::make_unique<TStringList>();
        for (const QString& f : QFontDatabase::families())
            list->Add(FromQString(f));
        list->SetSorted(true);
        FFonts = std::move(list);
    }
    return FFonts.get();
}

void TScreen::AddForm(TCustomForm* Form) {
    FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    if (FActiveForm == Form) {
        FActiveForm = nullptr;
        if (OnActiveFormChange) OnActiveFormChange(this);
    }
}

void TScreen::FormActivated(TCustomForm* Form) {
    if (Form == FActiveForm) return;
    TCustomForm* old = FActiveForm;
    FActiveForm = Form;
    // The most recently active form goes first in the list, as on the platform.
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    FForms.insert(FForms.begin(), Form);
    if (old) old->Deactivate();
    if (Form) Form->Activate();
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::FormHidden(TCustomForm* Form) {
    if (Form != FActiveForm) return;
    TCustomForm* next = nullptr;
    for (TCustomForm* f : FForms)
        if (f != Form && f->Visible()) {
            next = f;
            break;
        }
    FActiveForm = nullptr;
    Form->Deactivate();
    if (next)
        FormActivated(next);
    else if (OnActiveFormChange)
        OnActiveFormChange(this);
}

void TScreen::ActiveControlChanged() {
    if (OnActiveControlChange) OnActiveControlChange(this);
}
