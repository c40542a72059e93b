// Moving a form by its client area, as by a title bar, and the end of the window system's moves
// and sizes of a form.
#include "gui/qt/FormMoving.h"

#include "gui/qt/ControlImpl.h"
#include "gui/qt/FormAccess.h"

#include <QApplication>
#include <QMouseEvent>

// Watches every mouse press of the application: a left press on a widget of the form that no
// tab stop owns starts moving the window with the pointer until the button is released.
class TFormMoving::TPressFilter : public QObject {
public:
    explicit TPressFilter(TCustomForm* form) : FForm(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() != Qt::LeftButton || !Moves(watched)) return false;
            FMoving = true;
            FStart = e->globalPosition().toPoint();
            FOrigin = QPoint(FForm->Left(), FForm->Top());
            return true;
        }
        case QEvent::MouseMove: {
            if (!FMoving) return false;
            auto* e = static_cast<QMouseEvent*>(event);
            if (!(e->buttons() & Qt::LeftButton)) {
                FMoving = false;
                return false;
            }
            const QPoint p = FOrigin + e->globalPosition().toPoint() - FStart;
            FForm->SetBounds(p.x(), p.y(), FForm->Width(), FForm->Height());
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (!FMoving) return false;
            FMoving = false;
            return true;
        default:
            return false;
        }
    }

private:
    // The press lands on the form itself or on one of its controls that is no tab stop.
    bool Moves(QObject* watched) const {
        TControl* c = TControlAccess::FromWidget(watched);
        if (!c || !c->Enabled()) return false;
        if (c != FForm) {
            if (c->GetParentForm() != FForm) return false;
            if (auto* w = dynamic_cast<TWinControl*>(c); w && w->TabStop()) return false;
        }
        return true;
    }

    TCustomForm* FForm;
    bool FMoving = false;
    QPoint FStart, FOrigin;
};

TFormMoving::TFormMoving(TCustomForm* form) : FForm(form) {}

TFormMoving::~TFormMoving() {
    SetDragging(false);
    delete FRest.data();
}

void TFormMoving::SetDragging(bool v) {
    if (v == Dragging()) return;
    if (v) {
        FFilter = new TPressFilter(FForm);
        qApp->installEventFilter(FFilter);
    } else {
        delete FFilter; // leaves the application's filters
        FFilter = nullptr;
    }
}

void TFormMoving::MovedOrSized() {
    if (!FRest) {
        FRest = new QTimer();
        FRest->setSingleShot(true);
        FRest->setInterval(RestInterval);
        TCustomForm* form = FForm;
        QObject::connect(FRest.data(), &QTimer::timeout, FRest.data(), [form] {
            try {
                TFormAccess::MoveSizeEnded(form);
            } catch (...) {
                Application()->HandleException(form);
            }
        });
    }
    FRest->start();
}

bool TCustomForm::DragsByClientArea() const {
    return FMoving->Dragging();
}

void TCustomForm::SetDragsByClientArea(bool v) {
    FMoving->SetDragging(v);
}

void TFormAccess::WindowSystemMovedOrSized(TCustomForm* Form) {
    Form->FMoving->MovedOrSized();
}

void TFormAccess::MoveSizeEnded(TCustomForm* Form) {
    Form->MoveSizeEnded();
}
