// Panels, bevels, splitters, shapes, paint boxes, radio groups and timers.
#include "gui/ExtCtrls.h"

#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "gui/qt/ControlImpl.h"
#include "gui/qt/QtSupport.h"

#include "rtl/StringList.h"

#include <QGroupBox>
#include <QTimer>

void Frame3D(TCanvas* c, TRect& r, TColor topColor, TColor bottomColor, int width) {
    for (int i = 0; i < width; ++i) {
        c->Pen()->SetColor(topColor);
        c->MoveTo(r.Left, r.Bottom - 1);
        c->LineTo(r.Left, r.Top);
        c->LineTo(r.Right - 1, r.Top);
        c->Pen()->SetColor(bottomColor);
        c->MoveTo(r.Right - 1, r.Top);
        c->LineTo(r.Right - 1, r.Bottom - 1);
        c->LineTo(r.Left - 1, r.Bottom - 1);
        InflateRect(r, -1, -1);
    }
}

// ---------------------------------------------------------------------------------------------
// Panel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
    TControlAccess::Widget(this)->setFocusPolicy(Qt::NoFocus);
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
    FBevelInner = v;
    Realign();
    Invalidate();
}
void TCustomPanel::SetBevelOuter(TBevelCut v) {
    FBevelOuter = v;
    Realign();
    Invalidate();
}
void TCustomPanel::SetBevelWidth(int v) {
    FBevelWidth = std::max(1, v);
    Realign();
    Invalidate();
}
void TCustomPanel::SetBorderWidth(int v) {
    FBorderWidth = std::max(0, v);
    Realign();
    Invalidate();
}
void TCustomPanel::SetBorderStyle(TBorderStyle v) {
    FBorderStyle = v;
    Realign();
    Invalidate();
}
void TCustomPanel::SetAlignment(TAlignment v) {
    FAlignment = v;
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) const {
    int w = FBorderWidth;
    if (FBevelOuter != bvNone) w += FBevelWidth;
    if (FBevelInner != bvNone) w += FBevelWidth;
    if (FBorderStyle == bsSingle) w += 1;
    InflateRect(Rect, -w, -w);
}

void TCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (FBorderStyle == bsSingle) Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
    if (FBevelOuter != bvNone)
        Frame3D(c, r, FBevelOuter == bvLowered ? clBtnShadow : clBtnHighlight,
                FBevelOuter == bvLowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
    InflateRect(r, -FBorderWidth, -FBorderWidth);
    if (FBevelInner != bvNone)
        Frame3D(c, r, FBevelInner == bvLowered ? clBtnShadow : clBtnHighlight,
                FBevelInner == bvLowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    c->Brush()->SetStyle(bsClear);
    Cardinal flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (FAlignment == taCenter) flags |= DT_CENTER;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    c->DrawText(Caption(), r, flags);
}

// ---------------------------------------------------------------------------------------------
// Bevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape v) {
    FShape = v;
    Invalidate();
}
void TBevel::SetStyle(TBevelStyle v) {
    FStyle = v;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* c = Canvas();
    TColor c1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor c2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    TRect r = ClientRect();
    auto line = [&](int x1, int y1, int x2, int y2, TColor col) {
        c->Pen()->SetColor(col);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    switch (FShape) {
    case bsBox:
        Frame3D(c, r, c1, c2, 1);
        break;
    case bsFrame: {
        TRect o = r;
        o.Right--;
        o.Bottom--;
        Frame3D(c, o, c1, c1, 1);
        TRect i = r;
        OffsetRect(i, 1, 1);
        i.Right--;
        i.Bottom--;
        Frame3D(c, i, c2, c2, 1);
        break;
    }
    case bsTopLine:
        line(0, 0, Width(), 0, c1);
        line(0, 1, Width(), 1, c2);
        break;
    case bsBottomLine:
        line(0, Height() - 2, Width(), Height() - 2, c1);
        line(0, Height() - 1, Width(), Height() - 1, c2);
        break;
    case bsLeftLine:
        line(0, 0, 0, Height(), c1);
        line(1, 0, 1, Height(), c2);
        break;
    case bsRightLine:
        line(Width() - 2, 0, Width() - 2, Height(), c1);
        line(Width() - 1, 0, Width() - 1, Height(), c2);
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Splitter

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetAlign(alLeft);
    SetBounds(0, 0, 3, 100);
    SetCursor(crHSplit);
}

void TSplitter::Paint() {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

TControl* TSplitter::FindControl() const {
    // The visible control of the same alignment that touches the splitter's leading edge.
    if (!Parent()) return nullptr;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        switch (Align()) {
        case alLeft:
            if (c->Left() + c->Width() == Left()) return c;
            break;
        case alRight:
            if (c->Left() == Left() + Width()) return c;
            break;
        case alTop:
            if (c->Top() + c->Height() == Top()) return c;
            break;
        case alBottom:
            if (c->Top() == Top() + Height()) return c;
            break;
        default:
            break;
        }
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft) {
        FDragging = true;
        FDownPos = Point(X, Y);
    }
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    TControl* c = FindControl();
    if (!c) return;
    const int dx = X - FDownPos.X, dy = Y - FDownPos.Y;
    switch (Align()) {
    case alLeft:
        c->SetWidth(std::max(FMinSize, c->Width() + dx));
        break;
    case alRight:
        c->SetWidth(std::max(FMinSize, c->Width() - dx));
        break;
    case alTop:
        c->SetHeight(std::max(FMinSize, c->Height() + dy));
        break;
    case alBottom:
        c->SetHeight(std::max(FMinSize, c->Height() - dy));
        break;
    default:
        break;
    }
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (FDragging && Button == mbLeft) {
        FDragging = false;
        if (OnMoved) OnMoved(this);
    }
}

// ---------------------------------------------------------------------------------------------
// Shape and paint box

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 65, 65);
    FPen.OnChange = [this](TObject*) { Invalidate(); };
    FBrush.OnChange = [this](TObject*) { Invalidate(); };
}

TShape::~TShape() = default;

void TShape::SetShape(TShapeType v) {
    FShape = v;
    Invalidate();
}

void TShape::Paint() {
    TCanvas* c = Canvas();
    c->SetPen(FPen);
    c->SetBrush(FBrush);
    const int pw = FPen.Width();
    int x = pw / 2, y = pw / 2, w = Width() - pw + 1, h = Height() - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    if (w < h && (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle)) {
        y += (h - w) / 2;
        h = w;
    } else if (h < w && (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle)) {
        x += (w - h) / 2;
        w = h;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare:
        c->Rectangle(x, y, x + w, y + h);
        break;
    case stRoundRect:
    case stRoundSquare:
        c->RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4);
        break;
    default:
        c->Ellipse(x, y, x + w, y + h);
        break;
    }
}

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint() {
    Canvas()->Font()->Assign(*Font());
    Canvas()->Brush()->SetColor(Color());
    if (OnPaint) OnPaint(this);
}

// ---------------------------------------------------------------------------------------------
// Radio group

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TWinControl(AOwner) {
    TControlAccess::SetWidget(this, new QGroupBox());
    auto items = std::make_unique<TStringList>();
    items->OnChange = [this](TObject*) { UpdateButtons(); };
    FItems = std::move(items);
    SetColor(clBtnFace);
    SetParentColor(true);
    SetBounds(0, 0, 185, 105);
    SetTabStop(true);
}

TCustomRadioGroup::~TCustomRadioGroup() {
    Destroying();
    // The buttons are held (and freed) by the group as its controls.
    FButtons.clear();
}

void TCustomRadioGroup::SetItems(TStrings* v) {
    if (v) FItems->Assign(*v);
}

void TCustomRadioGroup::SetTextValue(const String& v) {
    TControlAccess::SetTextField(this, v);
    TControlAccess::As<QGroupBox>(this)->setTitle(ToQString(v));
}

String TCustomRadioGroup::GetText() const {
    return TControlAccess::TextField(this);
}

TRadioButton* TCustomRadioGroup::Buttons(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FButtons.size())) ListIndexError(Index);
    return FButtons[static_cast<size_t>(Index)];
}

void TCustomRadioGroup::UpdateButtons() {
    const int n = FItems->Count();
    while (static_cast<int>(FButtons.size()) > n) {
        TRadioButton* b = FButtons.back();
        FButtons.pop_back();
        delete b; // leaves this group's controls
    }
    while (static_cast<int>(FButtons.size()) < n) {
        auto* b = new TRadioButton(nullptr); // held and freed by the group as its control
        b->SetParent(this);
        TRadioButton* self = b;
        b->OnClick = [this, self](TObject*) {
            if (FUpdating) return;
            for (size_t i = 0; i < FButtons.size(); ++i)
                if (FButtons[i] == self && self->Checked()) {
                    FItemIndex = static_cast<int>(i);
                    Click();
                }
        };
        FButtons.push_back(b);
    }
    for (int i = 0; i < n; ++i)
        FButtons[static_cast<size_t>(i)]->SetCaption(FItems->Strings(i));
    if (FItemIndex >= n) FItemIndex = -1;
    SetItemIndex(FItemIndex);
    ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
    const int n = static_cast<int>(FButtons.size());
    if (n == 0) return;
    QFontMetrics fm(TControlAccess::Widget(this)->font());
    const int top = fm.height() + 2;
    const int cols = std::max(1, FColumns);
    const int rows = (n + cols - 1) / cols;
    const int colWidth = (Width() - 10) / cols;
    const int rowHeight = std::max(1, (Height() - top - 4) / rows);
    for (int i = 0; i < n; ++i) {
        int col = i / rows, row = i % rows;
        FButtons[static_cast<size_t>(i)]->SetBounds(8 + col * colWidth, top + row * rowHeight, colWidth - 4,
                                                    std::min(rowHeight, fm.height() + 6));
    }
}

void TCustomRadioGroup::SetItemIndex(int v) {
    if (v < -1 || v >= static_cast<int>(FButtons.size())) v = -1;
    FItemIndex = v;
    FUpdating = true;
    for (size_t i = 0; i < FButtons.size(); ++i)
        FButtons[i]->SetChecked(static_cast<int>(i) == v);
    FUpdating = false;
}

void TCustomRadioGroup::SetColumns(int v) {
    FColumns = std::clamp(v, 1, 16);
    ArrangeButtons();
}

void TCustomRadioGroup::Resize() {
    ArrangeButtons();
    TWinControl::Resize();
}

// ---------------------------------------------------------------------------------------------
// Timer

struct TTimer::Impl {
    QTimer Timer;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FImpl(std::make_unique<Impl>()) {
    EnsureQtApp();
    QObject::connect(&FImpl->Timer, &QTimer::timeout, &FImpl->Timer, [this] {
        try {
            Timer();
        } catch (...) {
            Application()->HandleException(this);
        }
    });
    UpdateTimer();
}

TTimer::~TTimer() {
    FImpl->Timer.stop();
    FImpl->Timer.disconnect();
}

void TTimer::SetEnabled(bool v) {
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal v) {
    FInterval = v;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    FImpl->Timer.stop();
    if (FEnabled && FInterval > 0 && !ComponentState().Contains(csDesigning))
        FImpl->Timer.start(static_cast<int>(FInterval));
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}
