// The edit that may paint itself: an event filter on its line edit takes the paint events while
// the control paints itself and the paste keys and menu entry, which it hands to the control.
#include "gui/PaintEdit.h"

#include "classes/MetaBuilder.h"
#include "gui/Forms.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/QtSupport.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

class TCustomPaintEdit::TEditFilter : public QObject {
public:
    explicit TEditFilter(TCustomPaintEdit* edit) : FEdit(edit) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (FEdit->ComponentState().Contains(csDestroying)) return false;
        auto* line = qobject_cast<QLineEdit*>(watched);
        if (!line) return false;
        try {
            switch (event->type()) {
            case QEvent::Paint:
                if (!FEdit->PaintsItself()) return false;
                Paint(line);
                return true;
            case QEvent::KeyPress: {
                auto* k = static_cast<QKeyEvent*>(event);
                if (!k->matches(QKeySequence::Paste)) return false;
                FEdit->DoPaste();
                return true;
            }
            case QEvent::ContextMenu: {
                // The standard menu, its paste going through the control.
                auto* ce = static_cast<QContextMenuEvent*>(event);
                QMenu* menu = line->createStandardContextMenu();
                menu->setAttribute(Qt::WA_DeleteOnClose);
                for (QAction* a : menu->actions())
                    if (a->shortcut().matches(QKeySequence(QKeySequence::Paste)) ==
                        QKeySequence::ExactMatch) {
                        a->disconnect();
                        QObject::connect(a, &QAction::triggered, menu, [this] { FEdit->DoPaste(); });
                    }
                menu->popup(ce->globalPos());
                return true;
            }
            default:
                return false;
            }
        } catch (...) {
            Application()->HandleException(FEdit);
            return true;
        }
    }

private:
    void Paint(QLineEdit* line) {
        QPainter p(line);
        p.fillRect(line->rect(), ToQColor(FEdit->Color()));
        if (line->hasFrame()) {
            QStyleOptionFrame opt;
            opt.initFrom(line);
            opt.rect = line->rect();
            opt.lineWidth = line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, line);
            opt.midLineWidth = 0;
            opt.state |= QStyle::State_Sunken;
            opt.state &= ~QStyle::State_HasFocus;
            line->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &opt, &p, line);
        }
        if (!FEdit->FPaintCanvas) FEdit->FPaintCanvas = std::make_unique<TControlCanvas>(FEdit);
        auto* canvas = static_cast<TControlCanvas*>(FEdit->FPaintCanvas.get());
        canvas->Font()->Assign(*FEdit->Font());
        canvas->Brush()->SetColor(FEdit->Color());
        canvas->AttachPainter(&p);
        try {
            FEdit->PaintEdit(canvas);
        } catch (...) {
            canvas->DetachPainter();
            throw;
        }
        canvas->DetachPainter();
    }

    TCustomPaintEdit* FEdit;
};

TCustomPaintEdit::TCustomPaintEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    FFilter = new TEditFilter(this);
    if (QWidget* w = TControlAccess::Widget(this)) {
        FFilter->setParent(w);
        w->installEventFilter(FFilter);
    }
}

TCustomPaintEdit::~TCustomPaintEdit() {
    if (QWidget* w = TControlAccess::Widget(this)) w->removeEventFilter(FFilter);
}

void TCustomPaintEdit::SetEditAlignment(TAlignment v) {
    FEditAlignment = v;
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this))) {
        Qt::Alignment a = v == taRightJustify ? Qt::AlignRight
                          : v == taCenter     ? Qt::AlignHCenter
                                              : Qt::AlignLeft;
        e->setAlignment(a | Qt::AlignVCenter);
    }
}

void TCustomPaintEdit::SetTextMargins(int Left, int Top, int Right, int Bottom) {
    FTextMargins = TRect(Left, Top, Right, Bottom);
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this)))
        e->setTextMargins(Left, Top, Right, Bottom);
}

int TCustomPaintEdit::FrameWidth() const {
    auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this));
    if (!e || !e->hasFrame()) return 0;
    return e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e);
}

int TCustomPaintEdit::EditLeftMargin() const {
    // The line edit keeps its text two pixels inside the frame.
    return 2 + FTextMargins.Left;
}

void TCustomPaintEdit::PasteText() {
    DoPaste();
}

void TCustomPaintEdit::PlatformPaste() {
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this)))
        if (!e->isReadOnly()) e->paste();
}

void TCustomPaintEdit::SetCaretPosition(int Position) {
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this))) e->setCursorPosition(Position);
}

ORV_META_IMPL(TCustomPaintEdit)
void TCustomPaintEdit::DeclareMeta(meta::Class<TCustomPaintEdit>&) {}
