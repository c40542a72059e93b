// Label, edit and memo.
#include "gui/StdCtrls.h"

#include "gui/Forms.h"
#include "gui/Menus.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/ItemStrings.h"
#include "gui/qt/QtSupport.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QRegularExpressionValidator>
#include <QTextBlock>
#include <QTextDocument>

// ---------------------------------------------------------------------------------------------
// Label

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    TControlAccess::I(this).ClickEvents = true;
    // A label shows on its parent's colour unless given one of its own.
    SetColor(clBtnFace);
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool v) {
    FAutoSize = v;
    AdjustBounds();
}
void TLabel::SetAlignment(TAlignment v) {
    FAlignment = v;
    Invalidate();
}
void TLabel::SetLayout(TTextLayout v) {
    FLayout = v;
    Invalidate();
}
void TLabel::SetWordWrap(bool v) {
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
}
void TLabel::SetTransparent(bool v) {
    FTransparent = v;
    Invalidate();
}
void TLabel::SetShowAccelChar(bool v) {
    FShowAccelChar = v;
    AdjustBounds();
    Invalidate();
}
void TLabel::SetFocusControl(TWinControl* v) {
    FFocusControl = v;
    if (v) v->FreeNotification(this);
}
void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TLabel::SetTextValue(const String& v) {
    TGraphicControl::SetTextValue(v);
    AdjustBounds();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::AdjustBounds() {
    if (!FAutoSize) return;
    QFontMetrics fm(QFontOf(*Font()));
    QString text = ToQString(Caption());
    if (FShowAccelChar) text = ToQString(StripHotkey(Caption()));
    if (text.isEmpty()) text = " ";
    QRect r = FWordWrap ? fm.boundingRect(QRect(0, 0, Width(), 100000), Qt::TextWordWrap, text)
                        : fm.boundingRect(QRect(0, 0, 100000, 100000), 0, text);
    int w = FWordWrap ? Width() : r.width();
    int h = std::max(r.height(), fm.height());
    int l = Left();
    // A right-aligned label keeps its right edge, a centred one its centre.
    if (!FWordWrap && FAlignment == taRightJustify) l = Left() + Width() - w;
    if (!FWordWrap && FAlignment == taCenter) l = Left() + (Width() - w) / 2;
    SetBounds(l, Top(), w, h);
}

void TLabel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetColor(Color());
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    Cardinal flags = DT_EXPANDTABS;
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    if (FAlignment == taCenter) flags |= DT_CENTER;
    if (FLayout != tlTop) {
        TRect calc = r;
        String text = Caption();
        c->DrawText(text, calc, flags | DT_CALCRECT);
        int dy = FLayout == tlBottom ? r.Height() - calc.Height() : (r.Height() - calc.Height()) / 2;
        r.Top += dy;
    }
    if (!Enabled()) c->Font()->SetColor(clGrayText);
    c->DrawText(Caption(), r, flags);
}

// ---------------------------------------------------------------------------------------------
// Edit

namespace {

QString CaseOf(const QString& s, TEditCharCase c) {
    switch (c) {
    case ecUpperCase:
        return s.toUpper();
    case ecLowerCase:
        return s.toLower();
    default:
        return s;
    }
}

} // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    if (dynamic_cast<TCustomMemo*>(this)) return; // the memo makes its own widget
    auto* e = new QLineEdit();
    TControlAccess::SetWidget(this, e);
    TControlAccess::I(this).ClickEvents = true;
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
    QObject::connect(e, &QLineEdit::textChanged, e, [this](const QString&) {
        FModified = !IsApplying(this) || FModified;
        Change();
    });
    QObject::connect(e, &QLineEdit::textEdited, e, [this, e](const QString& s) {
        FModified = true;
        if (FCharCase != ecNormal) {
            QString c = CaseOf(s, FCharCase);
            if (c != s) {
                int pos = e->cursorPosition();
                e->setText(c);
                e->setCursorPosition(pos);
            }
        }
    });
}

String TCustomEdit::GetText() const {
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this))) return FromQString(e->text());
    return TWinControl::GetText();
}

void TCustomEdit::SetTextValue(const String& v) {
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this))) {
        TApplyGuard guard(this);
        e->setText(CaseOf(ToQString(v), FCharCase));
        return;
    }
    TWinControl::SetTextValue(v);
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::SetMaxLength(int v) {
    FMaxLength = std::max(0, v);
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this)))
        e->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TCustomEdit::SetReadOnly(bool v) {
    FReadOnly = v;
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this))) e->setReadOnly(v);
}

namespace {

// The style of a password edit: the application's, but hiding each character behind the edit's
// PasswordChar instead of the toolkit's bullet.
class TPasswordCharStyle : public QProxyStyle {
public:
    explicit TPasswordCharStyle(char c) : FChar(static_cast<unsigned char>(c)) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return FChar;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }

private:
    int FChar;
};

} // namespace

void TCustomEdit::SetPasswordChar(char v) {
    FPasswordChar = v;
    auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this));
    if (!e) return;
    // The style before goes once the edit has left it (a style lives as long as its edit).
    QPointer<QStyle> previous = dynamic_cast<TPasswordCharStyle*>(e->style());
    if (v) {
        auto* style = new TPasswordCharStyle(v);
        style->setParent(e);
        e->setStyle(style);
    } else if (previous) {
        e->setStyle(nullptr);
    }
    if (previous) delete previous.data();
    e->setEchoMode(v ? QLineEdit::Password : QLineEdit::Normal);
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
    FCharCase = v;
    if (v != ecNormal) SetTextValue(GetText());
}

void TCustomEdit::SetBorderStyle(TBorderStyle v) {
    FBorderStyle = v;
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this))) e->setFrame(v != bsNone);
}

void TCustomEdit::SetNumbersOnly(bool v) {
    FNumbersOnly = v;
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this))) {
        // The validator belongs to the edit; the one set before goes when it is replaced.
        const QValidator* previous = e->validator();
        e->setValidator(v ? new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e) : nullptr);
        delete previous;
    }
}

int TCustomEdit::SelStart() const {
    auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this));
    if (!e) return 0;
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TCustomEdit::SetSelStart(int v) {
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this))) {
        e->deselect();
        e->setCursorPosition(v);
    }
}

int TCustomEdit::SelLength() const {
    auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this));
    return e && e->hasSelectedText() ? static_cast<int>(e->selectedText().size()) : 0;
}

void TCustomEdit::SetSelLength(int v) {
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this))) {
        int start = SelStart();
        e->setSelection(start, v);
    }
}

String TCustomEdit::SelText() const {
    auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this));
    return e ? FromQString(e->selectedText()) : String();
}

void TCustomEdit::SetSelText(const String& v) {
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this))) e->insert(ToQString(v));
}

void TCustomEdit::SelectAll() {
    if (auto* e = qobject_cast<QLineEdit*>(TControlAccess::Widget(this))) e->selectAll();
}

// The clipboard commands and undo reach the widget of either kind of edit: a one-line edit or
// a memo's text box.
namespace {

template <class F> void OnEditWidget(QWidget* w, F f) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        f(e);
    else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
        f(m);
}

} // namespace

void TCustomEdit::CopyToClipboard() {
    OnEditWidget(TControlAccess::Widget(this), [](auto* e) { e->copy(); });
}
void TCustomEdit::CutToClipboard() {
    OnEditWidget(TControlAccess::Widget(this), [](auto* e) { e->cut(); });
}
void TCustomEdit::PasteFromClipboard() {
    OnEditWidget(TControlAccess::Widget(this), [](auto* e) { e->paste(); });
}
void TCustomEdit::Undo() {
    OnEditWidget(TControlAccess::Widget(this), [](auto* e) { e->undo(); });
}
bool TCustomEdit::CanUndo() const {
    QWidget* w = TControlAccess::Widget(this);
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->isUndoAvailable();
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) return m->document()->isUndoAvailable();
    return false;
}

bool TCustomEdit::WantsKey(Word Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TCustomEdit::DoEnter() {
    // Entering an edit by the keyboard selects its text.
    if (FAutoSelect && !dynamic_cast<TCustomMemo*>(this)) SelectAll();
    TWinControl::DoEnter();
}

// ---------------------------------------------------------------------------------------------
// Memo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
    auto* e = new QPlainTextEdit();
    e->setTabChangesFocus(true);
    TControlAccess::SetWidget(this, e);
    TControlAccess::I(this).ClickEvents = true;
    FLines = std::make_unique<TMemoStrings>(e);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
    SetScrollBars(ssNone);
    QObject::connect(e, &QPlainTextEdit::textChanged, e, [this] {
        if (!IsApplying(this)) FModified = true;
        Change();
    });
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::SetLines(TStrings* v) {
    if (v) FLines->Assign(*v);
}

String TCustomMemo::GetText() const {
    auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this));
    if (!e) return String();
    QString t = e->toPlainText();
    t.replace("\n", "\r\n");
    return FromQString(t);
}

void TCustomMemo::SetTextValue(const String& v) {
    auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this));
    if (!e) return;
    QString t = ToQString(v);
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    TApplyGuard guard(this);
    e->setPlainText(t);
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
    FScrollBars = v;
    auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this));
    if (!e) return;
    const bool h = v == ssHorizontal || v == ssBoth;
    const bool vert = v == ssVertical || v == ssBoth;
    e->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    e->setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    SetWordWrap(FWordWrap);
}

void TCustomMemo::SetWordWrap(bool v) {
    FWordWrap = v;
    // A horizontal scroll bar turns wrapping off, as on the platform.
    const bool wrap = v && FScrollBars != ssHorizontal && FScrollBars != ssBoth;
    if (auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this)))
        e->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TCustomMemo::SetWantTabs(bool v) {
    FWantTabs = v;
    if (auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this))) e->setTabChangesFocus(!v);
}

void TCustomMemo::SetAlignment(TAlignment v) {
    FAlignment = v;
}

void TCustomMemo::SetReadOnly(bool v) {
    FReadOnly = v;
    if (auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this))) e->setReadOnly(v);
}

void TCustomMemo::SetMaxLength(int v) {
    FMaxLength = std::max(0, v);
}

TPoint TCustomMemo::CaretPos() const {
    auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this));
    if (!e) return {};
    QTextCursor c = e->textCursor();
    return {c.positionInBlock(), c.blockNumber()};
}

void TCustomMemo::SetCaretPos(const TPoint& p) {
    auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this));
    if (!e) return;
    QTextBlock b = e->document()->findBlockByNumber(p.Y);
    if (!b.isValid()) return;
    QTextCursor c(b);
    c.setPosition(b.position() + std::min(p.X, b.length() - 1));
    e->setTextCursor(c);
}

namespace {
// Positions in the platform's text count a line break as two characters (CR LF).
int PlatformPos(QPlainTextEdit* e, int qtPos) {
    QTextBlock b = e->document()->findBlock(qtPos);
    return qtPos + (b.isValid() ? b.blockNumber() : 0);
}
int QtPos(QPlainTextEdit* e, int pos) {
    int lineBreaks = 0;
    for (QTextBlock b = e->document()->begin(); b.isValid(); b = b.next()) {
        int end = b.position() + b.length() - 1 + lineBreaks; // platform position of the line's end
        if (pos <= end + 1 || !b.next().isValid())
            return std::min(pos - lineBreaks, b.position() + b.length() - 1);
        ++lineBreaks;
    }
    return 0;
}
} // namespace

int TCustomMemo::SelStart() const {
    auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this));
    return e ? PlatformPos(e, e->textCursor().selectionStart()) : 0;
}

void TCustomMemo::SetSelStart(int v) {
    auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this));
    if (!e) return;
    QTextCursor c = e->textCursor();
    c.setPosition(QtPos(e, v));
    e->setTextCursor(c);
}

int TCustomMemo::SelLength() const {
    auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this));
    if (!e) return 0;
    QTextCursor c = e->textCursor();
    return PlatformPos(e, c.selectionEnd()) - PlatformPos(e, c.selectionStart());
}

void TCustomMemo::SetSelLength(int v) {
    auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this));
    if (!e) return;
    QTextCursor c = e->textCursor();
    int start = SelStart();
    c.setPosition(QtPos(e, start));
    c.setPosition(QtPos(e, start + v), QTextCursor::KeepAnchor);
    e->setTextCursor(c);
}

String TCustomMemo::SelText() const {
    auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this));
    if (!e) return String();
    QString s = e->textCursor().selectedText();
    s.replace(QChar::ParagraphSeparator, "\r\n");
    return FromQString(s);
}

void TCustomMemo::SetSelText(const String& v) {
    auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this));
    if (!e) return;
    QString t = ToQString(v);
    t.replace("\r\n", "\n");
    e->textCursor().insertText(t);
}

void TCustomMemo::SelectAll() {
    if (auto* e = qobject_cast<QPlainTextEdit*>(TControlAccess::Widget(this))) e->selectAll();
}

bool TCustomMemo::WantsKey(Word Key, TShiftState Shift) const {
    if (Key == VK_RETURN) return FWantReturns;
    if (Key == VK_TAB) return FWantTabs && !Shift.Contains(ssCtrl);
    return TCustomEdit::WantsKey(Key, Shift);
}

void TCustomMemo::KeyPress(char16_t& Key) {
    TCustomEdit::KeyPress(Key);
    if (Key == u'\r' && !FWantReturns) Key = 0;
}
