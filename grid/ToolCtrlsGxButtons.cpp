#include "grid/ToolCtrlsGxButtons.h"

#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "gui/ClassicEdges.h"
#include "gui/Colors.h"
#include "gui/Forms.h"
#include "gui/SystemMetrics.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

int DrawStyleOf(TEditButtonStyleGx Style) {
    switch (Style) {
    case ebsDropDownGx:
        return bdsDropDownGx;
    case ebsEllipsisGx:
        return bdsEllipsisGx;
    case ebsUpDownGx:
        return bdsUpDownGx;
    case ebsPlusGx:
        return bdsPlusGx;
    case ebsMinusGx:
        return bdsMinusGx;
    default:
        return -1;
    }
}

// ---- geometry ------------------------------------------------------------------------------------

TEllipsisDotsGx EllipsisDots(const TRect& Face, bool Pressed) {
    const int w = Face.Width(), h = Face.Height();
    const int G = w < 12 ? 1 : 2;
    const int D = w < 8 ? 1 : 2;
    const int P = Pressed ? 1 : 0;
    const int X = Face.Left + w / 2 - D / 2 + P;
    const int Y = Face.Top + h / 2 - D / 2 + P;
    TEllipsisDotsGx r;
    r.Dots[0] = Bounds(X - G - D, Y, D, D);
    r.Dots[1] = Bounds(X, Y, D, D);
    r.Dots[2] = Bounds(X + D + G, Y, D, D);
    return r;
}

TPlusMinusBarsGx PlusMinusBars(const TRect& Face, bool Plus, bool Flat, bool Pressed) {
    const int w = Face.Width(), h = Face.Height();
    const int M = std::min(w, h);
    int L = std::max(M * 4 / 7, 1);
    const int T = std::max(L / 3, 1);
    if (Flat) --L;
    if ((L & 1) != (M & 1)) ++L;
    if (Plus && (L & 1) != (T & 1)) L += M < 12 ? 1 : -1;
    const int P = Pressed ? 1 : 0;
    const int X = Face.Left + (w - L) / 2 + P;
    const int Y = Face.Top + (h - T) / 2 + P;
    TPlusMinusBarsGx r;
    r.Horizontal = Bounds(X, Y, L, T);
    if (Plus) r.Vertical = Bounds(X + L / 2 - T / 2, Y - (L / 2 - T / 2), T, L);
    return r;
}

TUpDownPartsGx UpDownParts(const TRect& Rect, bool Framed) {
    TUpDownPartsGx p;
    TRect r = Rect;
    const int half = r.Height() / 2;
    p.Upper = TRect(r.Left, r.Top, r.Right, r.Top + half);
    p.Lower = TRect(r.Left, r.Bottom - half, r.Right, r.Bottom);
    if (Framed) {
        InflateRect(p.Upper, -1, -1);
        InflateRect(p.Lower, -1, -1);
        InflateRect(r, -1, -1);
    }
    if ((r.Height() & 1) || Framed) {
        const int middle = (r.Top + r.Bottom) / 2;
        p.Line = TRect(r.Left, middle, r.Right, middle + (r.Height() & 1 ? 1 : 0));
        if (Framed) {
            --p.Line.Top;
            ++p.Line.Bottom;
        }
    }
    return p;
}

int CheckBoxWidth() {
    return StandardCheckBoxSize().cx;
}

int CheckBoxHeight() {
    return StandardCheckBoxSize().cy;
}

TRect PlaceCheckBox(const TRect& Client, TAlignment Alignment, TCheckLayoutGx Layout) {
    const int w = std::min(CheckBoxWidth(), Client.Width());
    const int h = std::min(CheckBoxHeight(), Client.Height());
    TRect r = Bounds(Client.Left, Client.Top, w, h);
    if (CheckBoxWidth() < Client.Width()) {
        if (Alignment == taRightJustify)
            r.Left = Client.Right - w;
        else if (Alignment == taCenter)
            r.Left = Client.Left + Client.Width() / 2 - w / 2;
        r.Right = r.Left + w;
    }
    if (CheckBoxHeight() < Client.Height()) {
        if (Layout == tlCenterGx)
            r.Top = Client.Top + Client.Height() / 2 - h / 2;
        else if (Layout == tlBottomGx)
            r.Top = Client.Bottom - h;
        r.Bottom = r.Top + h;
    }
    return r;
}

int EditButtonHeightFor(int Width, bool Flat) {
    if (!Flat) return Width;
    return static_cast<int>(std::nearbyint(Width * 3 / 2.0));
}

int FlatButtonWidthFor(int FontHeight, int ScrollBarWidth) {
    int w = static_cast<int>(std::nearbyint(FontHeight * 2 / 3.0));
    if ((w & 1) == 0) ++w;
    return std::min(w, ScrollBarWidth);
}

int FlatButtonWidth() {
    static const int width = [] {
        TBitmap probe;
        probe.SetSize(1, 1);
        return FlatButtonWidthFor(probe.Canvas()->TextHeight("0"), GetSystemMetrics(SM_CXVSCROLL));
    }();
    return width;
}

// ---- the bitmap cache ----------------------------------------------------------------------------

namespace {

struct TButtonBitmapKey {
    int Width, Height, DrawStyle;
    bool Flat, Pressed, Active, Enabled;
    int Half, BoxState;
    bool operator==(const TButtonBitmapKey&) const = default;
};

struct TButtonBitmapInfoBitmapGx {
    TButtonBitmapKey Key;
    std::unique_ptr<TBitmap> Bitmap;
};

std::vector<TButtonBitmapInfoBitmapGx>& Cache() {
    static std::vector<TButtonBitmapInfoBitmapGx> cache;
    return cache;
}

// The cache goes whenever the system colours or the themed look change.
const int CacheListener = AddSysColorChangeListener([] { FlushButtonBitmaps(); });

void Fill(TCanvas* c, const TRect& r, TColor color) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FillRect(r);
}

void Frame(TCanvas* c, const TRect& r, TColor color) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FrameRect(r);
}

TThemedState ThemedStateOf(bool Enabled, bool Pressed, bool Active) {
    if (!Enabled) return TThemedState::Disabled;
    if (Pressed) return TThemedState::Pressed;
    if (Active) return TThemedState::Hot;
    return TThemedState::Normal;
}

void DrawDots(TCanvas* c, const TRect* dots, int count, bool Enabled) {
    if (!Enabled) {
        for (int i = 0; i < count; ++i) {
            TRect r = dots[i];
            r.Left += 1, r.Right += 1, r.Top += 1, r.Bottom += 1;
            Fill(c, r, clBtnHighlight);
        }
        for (int i = 0; i < count; ++i)
            Fill(c, dots[i], clBtnShadow);
    } else {
        for (int i = 0; i < count; ++i)
            Fill(c, dots[i], clBtnText);
    }
}

} // namespace

TBitmap* ButtonBitmap(int Width, int Height, int DrawStyle, bool Flat, bool Pressed, bool Active,
                      bool Enabled, int Half, int BoxState) {
    const TButtonBitmapKey key{
        std::max(Width, 0), std::max(Height, 0), DrawStyle, Flat, Pressed, Active, Enabled, Half, BoxState};
    for (auto& entry : Cache())
        if (entry.Key == key) return entry.Bitmap.get();
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(key.Width, key.Height);
    if (key.Width > 0 && key.Height > 0) {
        const TRect r(0, 0, key.Width, key.Height);
        if (DrawStyle == bdsCheckBoxGx)
            PaintCheckBox(bitmap->Canvas(), r, BoxState, Enabled, Flat, Pressed, Active);
        else if (DrawStyle >= 0 && DrawStyle <= 5)
            PaintButtonFace(bitmap->Canvas(), DrawStyle, r, Enabled, Flat, Active, Pressed, Half);
    }
    Cache().push_back({key, std::move(bitmap)});
    return Cache().back().Bitmap.get();
}

void FlushButtonBitmaps() {
    Cache().clear();
}

int ButtonBitmapCount() {
    return static_cast<int>(Cache().size());
}

// ---- faces ---------------------------------------------------------------------------------------

void PaintButtonFace(TCanvas* Canvas, int DrawStyle, const TRect& Rect, bool Enabled, bool Flat, bool Active,
                     bool Pressed, int Half) {
    const bool themed = ThemedElementsEnabled();
    TRect r = Rect;
    const bool clip = Active && Flat && !themed;
    if (clip) {
        Canvas->SelectClipRect(nullptr);
        TRect inner = r;
        InflateRect(inner, -1, -1);
        Canvas->IntersectClipRect(inner);
    }
    int grown = 0;
    if (Flat && !themed) {
        grown = Active ? 1 : 2;
        InflateRect(r, grown, grown);
    }
    const TThemedState state = ThemedStateOf(Enabled, Pressed, Active);
    switch (DrawStyle) {
    case bdsDropDownGx:
    case bdsUpDownGx: {
        if (themed) {
            const TThemedElement element = DrawStyle == bdsDropDownGx ? TThemedElement::ComboDropDown
                                           : Half == 0                ? TThemedElement::SpinUp
                                                                      : TThemedElement::SpinDown;
            DrawThemedElement(Canvas, r, element, state);
        } else {
            unsigned flags = DrawStyle == bdsDropDownGx ? DFCS_SCROLLCOMBOBOX
                             : Half == 0                ? DFCS_SCROLLUP
                                                        : DFCS_SCROLLDOWN;
            if (Pressed) flags |= DFCS_PUSHED;
            if (Flat) flags |= DFCS_FLAT;
            if (!Enabled) flags |= DFCS_INACTIVE;
            DrawFrameControl(Canvas, r, DFC_SCROLL, flags);
        }
        break;
    }
    default: {
        TRect face = r;
        if (themed) {
            DrawThemedElement(Canvas, face, Flat ? TThemedElement::ToolButton : TThemedElement::PushButton,
                              state);
            InflateRect(face, Flat ? -1 : -2, Flat ? -1 : -2);
        } else if (Flat) {
            Fill(Canvas, face, clBtnFace);
            InflateRect(face, -1, -1);
        } else {
            DrawEdge(Canvas, face, Pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
            if (DrawStyle != bdsEllipsisGx) Fill(Canvas, face, clBtnFace);
        }
        if (DrawStyle == bdsEllipsisGx) {
            const TEllipsisDotsGx dots = EllipsisDots(face, Pressed);
            DrawDots(Canvas, dots.Dots, 3, Enabled);
        } else {
            const TPlusMinusBarsGx bars = PlusMinusBars(face, DrawStyle == bdsPlusGx, Flat, Pressed);
            const TRect parts[2] = {bars.Horizontal, bars.Vertical};
            DrawDots(Canvas, parts, DrawStyle == bdsPlusGx ? 2 : 1, Enabled);
        }
        break;
    }
    }
    if (grown) InflateRect(r, -grown, -grown);
    if (clip) {
        Canvas->SelectClipRect(nullptr);
        TRect edge = r;
        DrawEdge(Canvas, edge, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
}

void PaintCheckBox(TCanvas* Canvas, const TRect& Rect, int BoxState, bool Enabled, bool Flat, bool Pressed,
                   bool Active) {
    const int side = std::min(Rect.Width(), Rect.Height());
    TRect square =
        Bounds(Rect.Left + (Rect.Width() - side) / 2, Rect.Top + (Rect.Height() - side) / 2, side, side);
    TRect draw = square;
    if (Flat) {
        TRect inner = square;
        InflateRect(inner, -1, -1);
        Canvas->IntersectClipRect(inner);
        InflateRect(draw, 1, 1);
    }
    if (ThemedElementsEnabled()) {
        DrawThemedElement(Canvas, draw, TThemedElement::CheckBox,
                          Enabled ? TThemedState::Normal : TThemedState::Disabled, BoxState);
    } else {
        unsigned flags = DFCS_BUTTONCHECK;
        if (BoxState == 1) flags |= DFCS_CHECKED;
        if (BoxState == 2) flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
        if (!Enabled) flags |= DFCS_INACTIVE;
        if (Pressed) flags |= DFCS_PUSHED;
        DrawFrameControl(Canvas, draw, DFC_BUTTON, flags);
    }
    if (Flat) {
        Canvas->SelectClipRect(nullptr);
        Frame(Canvas, square, Active ? clBtnFace : clBtnShadow);
    }
}

void PaintEditButton(TCanvas* Canvas, const TRect& Rect, TColor ParentColor, int DrawStyle, int DownButton,
                     bool Flat, bool Active, bool Enabled, int BoxState) {
    TRect r = Rect;
    if (DrawStyle == bdsCheckBoxGx) {
        const int side = std::min(r.Width(), r.Height());
        r = Bounds(r.Left + (r.Width() - side) / 2, r.Top + (r.Height() - side) / 2, side, side);
        if (Flat) InflateRect(r, -1, -1);
        TBitmap* b = ButtonBitmap(r.Width(), r.Height(), bdsCheckBoxGx, Flat, DownButton != 0, Active,
                                  Enabled, 0, BoxState);
        if (r.Width() > 0 && r.Height() > 0) Canvas->Draw(r.Left, r.Top, b);
        if (Flat) {
            InflateRect(r, 1, 1);
            if (Active) {
                DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT);
            } else {
                Frame(Canvas, r, ParentColor);
            }
        }
        return;
    }
    const bool F = Flat && !Active && !ThemedElementsEnabled();
    if (F) InflateRect(r, -1, -1);
    auto copy = [&](const TRect& part, bool pressed, int half) {
        TBitmap* b =
            ButtonBitmap(part.Width(), part.Height(), DrawStyle, Flat, pressed, Active, Enabled, half, 0);
        if (part.Width() > 0 && part.Height() > 0) Canvas->Draw(part.Left, part.Top, b);
    };
    if (DrawStyle == bdsUpDownGx) {
        if (F) InflateRect(r, 1, 1);
        const TUpDownPartsGx parts = UpDownParts(r, F);
        copy(parts.Upper, DownButton == 1, 0);
        copy(parts.Lower, DownButton == 2, 1);
        if (F) InflateRect(r, -1, -1);
        if (parts.Line.Height() > 0) Fill(Canvas, parts.Line, ParentColor);
    } else {
        copy(r, DownButton != 0, 0);
    }
    if (F) {
        InflateRect(r, 1, 1);
        Frame(Canvas, r, ParentColor);
    }
}

// ---- tree glyphs ---------------------------------------------------------------------------------

void DrawDottedLine(TCanvas* Canvas, TPoint Start, int Length, bool Horizontal, int DotPhase) {
    const int penWidth = std::max(Canvas->Pen()->Width(), 1);
    TPoint p = Start;
    if (((p.X + p.Y) % 2 + 2) % 2 != DotPhase) {
        (Horizontal ? p.X : p.Y) += 1;
        --Length;
    }
    if (Length <= 0) return;
    const int step = 2 * penWidth;
    const int n = Length / step + (Length % 2);
    std::vector<TPoint> points;
    std::vector<int> counts;
    for (int i = 0; i < n; ++i) {
        const int d = i * step;
        const TPoint a = Horizontal ? Point(p.X + d, p.Y) : Point(p.X, p.Y + d);
        const TPoint b = Horizontal ? Point(a.X + 1, a.Y) : Point(a.X, a.Y + 1);
        points.push_back(a);
        points.push_back(b);
        counts.push_back(2);
    }
    Canvas->PolyPolyline(points.data(), counts.data(), static_cast<int>(counts.size()));
}

void PaintTreeGlyph(TCanvas* Canvas, const TRect& Rect, int Kind, int DotPhase, double HorzScale,
                    double VertScale, bool ShiftLeft) {
    const TPoint C((Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2);
    auto X = [&](int n) { return static_cast<int>(HorzScale * n); };
    auto Y = [&](int n) { return static_cast<int>(VertScale * n); };
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(clBtnShadow);
    if (Kind >= 6) {
        if (Kind == 6 || Kind == 9)
            DrawDottedLine(Canvas, Point(C.X, Rect.Top), Rect.Height(), false, DotPhase);
        if (Kind == 7) DrawDottedLine(Canvas, Point(C.X, Rect.Top), C.Y - Rect.Top, false, DotPhase);
        if (Kind == 8) DrawDottedLine(Canvas, C, Rect.Bottom - C.Y, false, DotPhase);
        if (Kind != 9) DrawDottedLine(Canvas, C, Rect.Right - C.X, true, 0);
        return;
    }
    TRect box(C.X - X(4), C.Y - Y(4), C.X + X(4) + 1, C.Y + Y(4) + 1);
    TRect outline = box;
    if (ShiftLeft) {
        --outline.Left;
        --outline.Right;
    }
    Fill(Canvas, outline, clWindow);
    Frame(Canvas, outline, clBtnShadow);
    Canvas->Pen()->SetColor(clWindowText);
    Canvas->MoveTo(box.Left + X(2), C.Y);
    Canvas->LineTo(box.Right - X(2), C.Y);
    if (Kind >= 3) {
        Canvas->MoveTo(C.X, box.Top + Y(2));
        Canvas->LineTo(C.X, box.Bottom - Y(2));
    }
    Canvas->Pen()->SetColor(clBtnShadow);
    DrawDottedLine(Canvas, Point(box.Right + X(1), C.Y), Rect.Right - box.Right, true, 0);
    if (Kind == 0 || Kind == 1 || Kind == 3 || Kind == 4)
        DrawDottedLine(Canvas, Point(C.X, Rect.Top), box.Top - Rect.Top, false, DotPhase);
    if (Kind == 0 || Kind == 2 || Kind == 3 || Kind == 5)
        DrawDottedLine(Canvas, Point(C.X, box.Bottom + Y(1)), Rect.Bottom - box.Bottom, false, DotPhase);
}

void DrawRequiredLine(TCanvas* Canvas, int Left, int Right, int Y) {
    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetStyle(psDot);
    Canvas->Pen()->SetWidth(1);
    Canvas->MoveTo(Left, Y);
    Canvas->LineTo(Right, Y);
    Canvas->Pen()->SetStyle(psSolid);
}

// ---- edit buttons --------------------------------------------------------------------------------

ORV_META_IMPL(TEditButtonGx)
void TEditButtonGx::DeclareMeta(meta::Class<TEditButtonGx>& c) {
    c.Property("Enabled", &TEditButtonGx::Enabled, &TEditButtonGx::SetEnabled).Default(true);
    c.Property("Hint", &TEditButtonGx::Hint, &TEditButtonGx::SetHint);
    c.Property("NumGlyphs", &TEditButtonGx::NumGlyphs, &TEditButtonGx::SetNumGlyphs).Default(1);
    c.Property("ShortCut", &TEditButtonGx::ShortCut, &TEditButtonGx::SetShortCut).Default(0);
    c.Property("Style", &TEditButtonGx::Style, &TEditButtonGx::SetStyle).Default(ebsDropDownGx);
    c.Property("Visible", &TEditButtonGx::Visible, &TEditButtonGx::SetVisible).Default(false);
    c.Property("Width", &TEditButtonGx::Width, &TEditButtonGx::SetWidth).Default(0);
}

TEditButtonGx::TEditButtonGx(TCollection* Collection) : TCollectionItem(Collection) {}

TEditButtonGx::TEditButtonGx(TWinControl* EditControl, bool Visible, TShortCut ShortCut)
    : TCollectionItem(nullptr), FEditControl(EditControl), FShortCut(ShortCut), FVisible(Visible) {}

void TEditButtonGx::ButtonChanged() {
    if (ChangeHook)
        ChangeHook(this);
    else
        Changed(false);
}

void TEditButtonGx::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    ButtonChanged();
}

void TEditButtonGx::SetHint(const String& Value) {
    if (Value == FHint) return;
    FHint = Value;
    ButtonChanged();
}

void TEditButtonGx::SetNumGlyphs(int Value) {
    Value = std::clamp(Value, 1, 4);
    if (Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    ButtonChanged();
}

void TEditButtonGx::SetShortCut(TShortCut Value) {
    if (Value == FShortCut) return;
    FShortCut = Value;
    ButtonChanged();
}

void TEditButtonGx::SetStyle(TEditButtonStyleGx Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    ButtonChanged();
}

void TEditButtonGx::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    ButtonChanged();
}

void TEditButtonGx::SetWidth(int Value) {
    if (Value == FWidth) return;
    FWidth = Value;
    ButtonChanged();
}

void TEditButtonGx::SetDropdownMenu(TPopupMenu* Value) {
    if (Value == FDropdownMenu) return;
    FDropdownMenu = Value;
    ButtonChanged();
}

void TEditButtonGx::Assign(const TPersistent* Source) {
    auto* src = dynamic_cast<const TEditButtonGx*>(Source);
    if (!src) {
        TCollectionItem::Assign(Source);
        return;
    }
    FEnabled = src->FEnabled;
    FHint = src->FHint;
    FNumGlyphs = src->FNumGlyphs;
    FShortCut = src->FShortCut;
    FStyle = src->FStyle;
    FVisible = src->FVisible;
    FWidth = src->FWidth;
    FDropdownMenu = src->FDropdownMenu;
    OnClick = src->OnClick;
    OnDown = src->OnDown;
    ButtonChanged();
}

TEditButtonControlGx* TEditButtonGx::NewEditButtonControl() {
    auto* control = new TEditButtonControlGx(FEditControl);
    control->SetParent(FEditControl);
    control->SetBounds(0, 0, 10, 17);
    control->SetVisible(true);
    return control;
}

void TEditButtonGx::ExecuteClick(TObject* Sender, bool& Handled) {
    if (OnClick) OnClick(Sender, Handled);
}

ORV_META_IMPL(TVisibleEditButtonGx)
void TVisibleEditButtonGx::DeclareMeta(meta::Class<TVisibleEditButtonGx>& c) {
    c.Property("Visible", &TVisibleEditButtonGx::Visible, &TVisibleEditButtonGx::SetVisible).Default(true);
    c.Property("ShortCut", &TVisibleEditButtonGx::ShortCut, &TVisibleEditButtonGx::SetShortCut)
        .Default(static_cast<TShortCut>(static_cast<int>(scAlt) | static_cast<int>(VK_DOWN)));
}

TVisibleEditButtonGx::TVisibleEditButtonGx(TCollection* Collection) : TEditButtonGx(Collection) {
    SetVisible(true);
    SetShortCut(static_cast<TShortCut>(static_cast<int>(scAlt) | static_cast<int>(VK_DOWN)));
}

ORV_META_IMPL(TEditButtonsGx)
void TEditButtonsGx::DeclareMeta(meta::Class<TEditButtonsGx>&) {}

TEditButtonsGx::TEditButtonsGx(TPersistent* Owner)
    : TCollection(TVisibleEditButtonGx::StaticClassInfo(), Owner) {}

TEditButtonsGx::TEditButtonsGx(TPersistent* Owner, const meta::TClassInfo& ItemClass)
    : TCollection(ItemClass, Owner) {}

void TEditButtonsGx::Update(TCollectionItem* Item) {
    if (CollectionHook) CollectionHook(Item);
}

// ---- the button control --------------------------------------------------------------------------

ORV_META_IMPL(TEditButtonControlGx)
void TEditButtonControlGx::DeclareMeta(meta::Class<TEditButtonControlGx>&) {}

ORV_META_IMPL(TSpeedButtonGx)
void TSpeedButtonGx::DeclareMeta(meta::Class<TSpeedButtonGx>& c) {
    c.Property("Active", &TSpeedButtonGx::Active, &TSpeedButtonGx::SetActive).Default(false);
    c.Property("Style", &TSpeedButtonGx::Style, &TSpeedButtonGx::SetStyle).Default(ebsDropDownGx);
}

TEditButtonControlGx::TEditButtonControlGx(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TEditButtonControlGx::SetStyle(TEditButtonStyleGx Value) {
    if (Value == FStyle) return;
    FStyle = Value;
    Invalidate();
}

void TEditButtonControlGx::SetActive(bool Value) {
    if (Value == FActive) return;
    FActive = Value;
    Invalidate();
}

void TEditButtonControlGx::SetHeldDown(bool Value) {
    FHeldDown = Value;
    if (Value) {
        SetGroupIndex(1);
        SetDown(true);
        SetAllowAllUp(false);
        FDownButton = 1;
    } else {
        SetAllowAllUp(true);
        SetDown(false);
        SetGroupIndex(0);
        FDownButton = 0;
    }
    Invalidate();
}

Cardinal TEditButtonControlGx::RepeatInterval() const {
    return FRepeatTimer && FRepeatTimer->Enabled() ? FRepeatTimer->Interval() : 0;
}

void TEditButtonControlGx::UpdateDownButton(int Y) {
    int down = 0;
    if (FPressed || FHeldDown) {
        if (FStyle == ebsUpDownGx) {
            const int half = Height() / 2;
            down = Y < half ? 1 : Y > Height() - half ? 2 : 0;
        } else {
            down = 1;
        }
    }
    if (down == FDownButton) return;
    FDownButton = down;
    Invalidate();
}

void TEditButtonControlGx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button != mbLeft) {
        TSpeedButton::MouseDown(Button, Shift, X, Y);
        return;
    }
    bool autoRepeat = FStyle == ebsUpDownGx;
    FSuppressClick = false;
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    FPressed = Enabled();
    UpdateDownButton(Y);
    if (FDownButton == 1 || FDownButton == 2) {
        bool handled = false;
        if (DownHook) DownHook(this, FDownButton == 1, autoRepeat, handled);
        if (autoRepeat) {
            if (!FRepeatTimer) {
                FRepeatTimer = new TTimer(this);
                FRepeatTimer->OnTimer = [this](TObject*) { RepeatTick(); };
            }
            FRepeatTimer->SetInterval(400);
            FRepeatTimer->SetEnabled(true);
        }
    }
}

void TEditButtonControlGx::MouseMove(TShiftState Shift, int X, int Y) {
    TSpeedButton::MouseMove(Shift, X, Y);
    if (FStyle != ebsUpDownGx || !FPressed) return;
    const int half = Height() / 2;
    if ((Y < half && FDownButton == 2) || (Y > Height() - half && FDownButton == 1)) {
        FPressed = false; // entering the other half releases the button; it does not switch halves
        Invalidate();
    }
}

void TEditButtonControlGx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const bool wasPressed = FPressed;
    FPressed = false;
    // The click of this release comes after it through the input path: it is swallowed there.
    FSuppressClick = FStyle == ebsUpDownGx && !wasPressed;
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    UpdateDownButton(Y);
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TEditButtonControlGx::RepeatTick() {
    if (!FPressed) return;
    if (FRepeatTimer && FRepeatTimer->Interval() == 400) FRepeatTimer->SetInterval(100);
    bool autoRepeat = FStyle == ebsUpDownGx;
    bool handled = false;
    if (DownHook) DownHook(this, FDownButton == 1, autoRepeat, handled);
    if (!autoRepeat && FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TEditButtonControlGx::Click() {
    if (FSuppressClick) {
        FSuppressClick = false;
        return;
    }
    TSpeedButton::Click();
}

void TEditButtonControlGx::Paint() {
    const int style = DrawStyleOf(FStyle);
    if (style < 0) {
        TSpeedButton::Paint();
        if (Flat() && !ThemedElementsEnabled()) {
            TRect r(0, 0, Width(), Height());
            if (FActive)
                DrawEdge(Canvas(), r, FPressed || FHeldDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
            else
                Frame(Canvas(), r, Parent() ? Parent()->Color() : clBtnFace);
        }
        return;
    }
    PaintEditButton(Canvas(), TRect(0, 0, Width(), Height()), Parent() ? Parent()->Color() : clBtnFace, style,
                    FPressed || FHeldDown ? FDownButton : 0, Flat(), FActive, Enabled(), 0);
}
