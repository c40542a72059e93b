#include "grid/CalculatorGx.h"

#include "classes/MetaBuilder.h"
#include "grid/ToolCtrlsGxDropDown.h"
#include "gui/Bitmap.h"
#include "gui/Colors.h"
#include "gui/Forms.h"
#include "gui/Geometry.h"

#include <algorithm>

namespace {

constexpr char KeyChars[24] = {'\0', '7', '8', '9', '/', 'S', 'C',  '4', '5', '6', '*', '%',
                               'A',  '1', '2', '3', '-', 'R', '\b', '0', 'I', '.', '+', '='};

// The layout: name, caption, tag, left, top, width, height; red operators and control keys.
struct TCalcKeyLayout {
    const char* Name;
    const char* Caption;
    int Tag, Left, Top, Width, Height;
    bool Red;
};

constexpr TCalcKeyLayout Layout[] = {
    {"SpeedButton1", "7", 1, 6, 29, 27, 22, false},
    {"SpeedButton12", "8", 2, 35, 29, 27, 22, false},
    {"SpeedButton11", "9", 3, 64, 29, 27, 22, false},
    {"SpeedButton16", "/", 4, 93, 29, 27, 22, true},
    {"SpeedButton20", "sqrt", 5, 122, 29, 27, 22, false},
    {"SpeedButton23", "C", 6, 151, 29, 27, 46, true},
    {"SpeedButton10", "4", 7, 6, 53, 27, 22, false},
    {"SpeedButton9", "5", 8, 35, 53, 27, 22, false},
    {"SpeedButton8", "6", 9, 64, 53, 27, 22, false},
    {"SpeedButton15", "*", 10, 93, 53, 27, 22, true},
    {"SpeedButton19", "%", 11, 122, 53, 27, 22, false},
    {"SpeedButton7", "1", 13, 6, 77, 27, 22, false},
    {"SpeedButton6", "2", 14, 35, 77, 27, 22, false},
    {"SpeedButton5", "3", 15, 64, 77, 27, 22, false},
    {"SpeedButton14", "-", 16, 93, 77, 27, 22, true},
    {"SpeedButton18", "1/x", 17, 122, 77, 27, 22, false},
    {"SpeedButton22", "<-", 18, 151, 77, 27, 22, true},
    {"SpeedButton4", "0", 19, 6, 101, 27, 22, false},
    {"SpeedButton3", "+/-", 20, 35, 101, 27, 22, false},
    {"SpeedButton2", ".", 21, 64, 101, 27, 22, false},
    {"SpeedButton13", "+", 22, 93, 101, 27, 22, true},
    {"spEqual", "Ok", 23, 122, 101, 56, 22, true},
};

} // namespace

char KeyCharOfTag(int Tag) {
    return Tag >= 0 && Tag < 24 ? KeyChars[Tag] : '\0';
}

ORV_META_IMPL(TCalculatorGx)
void TCalculatorGx::DeclareMeta(meta::Class<TCalculatorGx>&) {}

TCalculatorGx::TCalculatorGx(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, CalculatorDesignWidth, CalculatorDesignHeight);
    SetColor(clBtnFace);
    Font()->SetHeight(CalculatorDesignFontHeight);
    FPanel1 = new TPanel(this);
    FPanel1->SetParent(this);
    FPanel1->SetBounds(6, 4, 171, 19);
    FPanel1->SetBevelOuter(bvNone);
    FPanel1->SetBorderWidth(2);
    FPanel1->SetColor(clWindow);
    FTextBox = new TLabel(this);
    FTextBox->SetParent(FPanel1);
    FTextBox->SetAlign(alClient);
    FTextBox->SetAlignment(taRightJustify);
    FTextBox->SetLayout(tlCenter);
    FTextBox->SetColor(clWindow);
    for (const TCalcKeyLayout& k : Layout) {
        auto* key = new TSpeedButtonGx(this);
        key->SetName(k.Name);
        key->SetParent(this);
        key->SetBounds(k.Left, k.Top, k.Width, k.Height);
        key->SetCaption(k.Caption);
        key->SetTag(k.Tag);
        key->SetFlat(true);
        key->SetStyle(ebsGlyphGx);
        key->SetActive(true);
        key->Font()->SetHeight(CalculatorDesignFontHeight);
        key->Font()->SetColor(k.Red ? clRed : clBlue);
        key->OnClick = [this](TObject* Sender) { SpeedButtonClick(Sender); };
        FKeys.push_back(key);
    }
    FState.OnDisplayChanged = [this] { ShowState(); };
    ShowState();
    ScaleToScreen(Screen()->PixelsPerInch());
}

int TCalculatorGx::DigitTextHeight() {
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(*Font());
    return measure.Canvas()->TextHeight("0");
}

int TCalculatorGx::DesignDigitTextHeight() {
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(*Font());
    measure.Canvas()->Font()->SetHeight(CalculatorDesignFontHeight);
    return measure.Canvas()->TextHeight("0");
}

void TCalculatorGx::ScaleToScreen(int ScreenPixelsPerInch) {
    if (ScreenPixelsPerInch <= 0) ScreenPixelsPerInch = CalculatorDesignPixelsPerInch;
    const int height = MulDiv(CalculatorDesignFontHeight, ScreenPixelsPerInch, CalculatorDesignPixelsPerInch);
    Font()->SetHeight(height);
    for (TSpeedButtonGx* k : FKeys)
        k->Font()->SetHeight(height);
    // Laid out again from the design, so scaling twice never compounds. The design's text height
    // is that of the design font here: the fonts standing in for the designed one measure a
    // little differently, and that alone must not resize the keypad.
    const int textHeight = DigitTextHeight(), designHeight = DesignDigitTextHeight();
    const bool same = textHeight <= 0 || designHeight <= 0 || textHeight == designHeight;
    auto scale = [=](int v) { return same ? v : MulDiv(v, textHeight, designHeight); };
    FPanel1->SetBounds(scale(6), scale(4), scale(171), scale(19));
    for (size_t i = 0; i < FKeys.size(); ++i) {
        const TCalcKeyLayout& k = Layout[i];
        FKeys[i]->SetBounds(scale(k.Left), scale(k.Top), scale(k.Width), scale(k.Height));
    }
    // Sized to the scaled design client size plus the border.
    SetBounds(Left(), Top(), scale(CalculatorDesignWidth) + Width() - ClientWidth(),
              scale(CalculatorDesignHeight) + Height() - ClientHeight());
}

int TCalculatorGx::KeypadWidth() const {
    int right = FPanel1->Left() + FPanel1->Width();
    for (const TSpeedButtonGx* k : FKeys)
        right = std::max(right, k->Left() + k->Width());
    return right + FPanel1->Left() + Width() - ClientWidth();
}

TSpeedButtonGx* TCalculatorGx::Key(const String& Name) const {
    for (TSpeedButtonGx* k : FKeys)
        if (k->Name() == Name) return k;
    return nullptr;
}

void TCalculatorGx::ShowState() {
    if (FTextBox) FTextBox->SetCaption(FState.DisplayText());
    if (TSpeedButtonGx* equal = Key("spEqual")) equal->SetCaption(FState.EqualKeyCaption());
}

void TCalculatorGx::HandleKey(char Key) {
    FState.HandleKey(Key);
}

void TCalculatorGx::SpeedButtonClick(TObject* Sender) {
    if (auto* c = dynamic_cast<TComponent*>(Sender)) HandleKey(KeyCharOfTag(c->Tag()));
}

void TCalculatorGx::KeyPress(char16_t& Key) {
    TCustomControl::KeyPress(Key);
    if (Key != 0 && Key < 128) HandleKey(static_cast<char>(Key));
}

void TCalculatorGx::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_DELETE) HandleKey('C');
}

bool TCalculatorGx::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    if (FState.EntryState() == esError) return false;
    FState.ShowValue(FState.DisplayValue() + (WheelDelta > 0 ? 1 : -1));
    return true;
}

// ---- the drop-down -------------------------------------------------------------------------------

ORV_META_IMPL(TPopupCalculatorGx)
void TPopupCalculatorGx::DeclareMeta(meta::Class<TPopupCalculatorGx>&) {}

TPopupCalculatorGx::TPopupCalculatorGx(TComponent* AOwner) : TCalculatorGx(AOwner) {
    SetTabStop(false);
}

bool TPopupCalculatorGx::CanCloseOnEnter() const {
    return FState.EqualKeyCaption() == "Ok";
}

Variant TPopupCalculatorGx::GetPopupValue() const {
    if (FState.EntryState() == esError) return VarAsError(-1);
    return Variant(FState.DisplayValue());
}

void TPopupCalculatorGx::SetPopupValue(const Variant& Value) {
    FState.ResetCalculator();
    FState.ShowValue(VarIsNull(Value) || VarIsEmpty(Value) ? 0.0 : Value.AsDouble());
}

void TPopupCalculatorGx::SetPopupFlat(bool Value) {
    if (Value == FPopupFlat) return;
    FPopupFlat = Value;
    for (TSpeedButtonGx* k : FKeys)
        k->SetFlat(false);
}

void TPopupCalculatorGx::ForwardKey(char Key) {
    if ((Key == '\r' || Key == '=') && CanCloseOnEnter()) {
        if (CloseDropDown) CloseDropDown(true);
    } else if (Key == 27) {
        if (CloseDropDown) CloseDropDown(false);
    } else {
        HandleKey(Key);
    }
}

Integer TPopupCalculatorGx::Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) {
    if (Msg == DropDownCloseMessage) {
        if (CloseDropDown) CloseDropDown(false);
        return 0;
    }
    return TCalculatorGx::Perform(Msg, WParam, LParam);
}
