#include "gui/Mask.h"

#include "classes/MetaBuilder.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/QtSupport.h"
#include "rtl/EditMask.h"

#include <QLineEdit>

namespace {

QLineEdit* LineEditOf(const TControl* c) {
    return qobject_cast<QLineEdit*>(TControlAccess::Widget(c));
}

// The toolkit's mask notation for a platform mask: the same positions with the toolkit's class
// letters, meta characters among the literals quoted, the blank character as its section.
QString ToolkitMask(const TEditMaskInfo& info) {
    QString out;
    int caseMode = 0;
    for (const TEditMaskInfo::TSlot& s : info.Slots) {
        if (s.Kind == 0) {
            if (QString("AaNnXx90Dd#HhBb><!;[]{}\\").contains(QChar(s.Literal))) out += '\\';
            out += QString::fromLatin1(&s.Literal, 1);
            continue;
        }
        if (s.Case != caseMode) {
            out += s.Case > 0 ? '>' : s.Case < 0 ? '<' : '!';
            caseMode = s.Case;
        }
        switch (s.Kind) {
        case '0':
            out += '9';
            break; // digit required
        case '9':
            out += '0';
            break; // digit optional
        case '#':
            out += '#';
            break; // digit or sign, optional
        case 'L':
            out += 'A';
            break; // letter required
        case 'l':
            out += 'a';
            break;
        case 'A':
            out += 'N';
            break; // letter or digit required
        case 'a':
            out += 'n';
            break;
        case 'C':
        case '&':
            out += 'X';
            break; // any character required
        case 'c':
            out += 'x';
            break;
        default:
            break;
        }
    }
    out += ';';
    out += QChar(info.Blank);
    return out;
}

} // namespace

ORV_META_IMPL(TCustomMaskEdit)
void TCustomMaskEdit::DeclareMeta(meta::Class<TCustomMaskEdit>& c) {
    c.Property("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask);
}
ORV_META_IMPL(TMaskEdit)
void TMaskEdit::DeclareMeta(meta::Class<TMaskEdit>&) {}

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const String& Value) {
    if (Value == FEditMask) return;
    FEditMask = Value;
    if (QLineEdit* e = LineEditOf(this)) {
        TApplyGuard guard(this);
        e->setInputMask(Value.empty() ? QString() : ToolkitMask(ReadEditMask(Value)));
    }
}

String TCustomMaskEdit::EditText() const {
    QLineEdit* e = LineEditOf(this);
    return e ? FromQString(IsMasked() ? e->displayText() : e->text()) : String();
}

int TCustomMaskEdit::CharFromPos(const TPoint& P) const {
    QLineEdit* e = LineEditOf(this);
    return e ? e->cursorPositionAt(QPoint(P.X, P.Y)) : 0;
}

int TCustomMaskEdit::CaretPosition() const {
    QLineEdit* e = LineEditOf(this);
    return e ? e->cursorPosition() : 0;
}

void TCustomMaskEdit::SetCaretPosition(int Index) {
    if (QLineEdit* e = LineEditOf(this)) {
        e->deselect();
        e->setCursorPosition(Index);
    }
}

void TCustomMaskEdit::SetSelection(int Start, int End) {
    if (QLineEdit* e = LineEditOf(this)) {
        // The caret stays at End, as after a selection made with the keyboard.
        e->setCursorPosition(Start);
        e->cursorForward(true, End - Start);
    }
}

void TCustomMaskEdit::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    if (QLineEdit* e = LineEditOf(this)) {
        const Qt::Alignment a = Value == taRightJustify ? Qt::AlignRight
                                : Value == taCenter     ? Qt::AlignHCenter
                                                        : Qt::AlignLeft;
        e->setAlignment(a | Qt::AlignVCenter);
    }
}

void TCustomMaskEdit::SetTextRect(const TRect& R) {
    FTextRect = R;
    if (QLineEdit* e = LineEditOf(this))
        e->setTextMargins(R.Left, R.Top, std::max(0, e->width() - R.Right),
                          std::max(0, e->height() - R.Bottom));
}
