// The calculator engine, its keys and the two keypad layouts.
#include "controls/KxCalc.h"

#include "classes/MetaBuilder.h"
#include "controls/kxStrUtils.h"
#include "controls/kxVclutils.h"
#include "gui/Clipbrd.h"
#include "gui/Colors.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <cmath>

namespace {

// Kinds 1 to 22 are positions 1 to 22 of the key string.
const char KeyString[] = "0123456789_./*-+Q%R=\bC";

struct TKeyPlace {
    int Left, Top, Width, Height;
    int Cell; // bitmap cell of the full layout, -1 for a caption
};
struct TKeyDef {
    const char* Caption;
    TColor Colour;
    TKeyPlace Compact; // Left -1: none
    TKeyPlace Full;
};

const TKeyDef Keys[28] = {
    {"0", clBtnText, {6, 75, 21, 21, -1}, {47, 104, 36, 22, -1}},
    {"1", clBtnText, {6, 52, 21, 21, -1}, {47, 80, 36, 22, -1}},
    {"2", clBtnText, {29, 52, 21, 21, -1}, {85, 80, 36, 22, -1}},
    {"3", clBtnText, {52, 52, 21, 21, -1}, {123, 80, 36, 22, -1}},
    {"4", clBtnText, {6, 29, 21, 21, -1}, {47, 56, 36, 22, -1}},
    {"5", clBtnText, {29, 29, 21, 21, -1}, {85, 56, 36, 22, -1}},
    {"6", clBtnText, {52, 29, 21, 21, -1}, {123, 56, 36, 22, -1}},
    {"7", clBtnText, {6, 6, 21, 21, -1}, {47, 32, 36, 22, -1}},
    {"8", clBtnText, {29, 6, 21, 21, -1}, {85, 32, 36, 22, -1}},
    {"9", clBtnText, {52, 6, 21, 21, -1}, {123, 32, 36, 22, -1}},
    {"\xC2\xB1", clBtnText, {52, 75, 21, 21, -1}, {85, 104, 36, 22, 2}},
    {"", clBtnText, {29, 75, 21, 21, -1}, {123, 104, 36, 22, -1}}, // the decimal separator
    {"/", clPurple, {75, 6, 21, 21, -1}, {161, 32, 36, 22, -1}},
    {"*", clPurple, {75, 29, 21, 21, -1}, {161, 56, 36, 22, 3}},
    {"-", clPurple, {75, 52, 21, 21, -1}, {161, 80, 36, 22, 4}},
    {"+", clPurple, {75, 75, 21, 44, -1}, {161, 104, 36, 22, 5}},
    {"sqrt", clNavy, {98, 6, 31, 21, -1}, {199, 32, 36, 22, -1}},
    {"%", clNavy, {98, 29, 31, 21, -1}, {199, 56, 36, 22, -1}},
    {"1/x", clNavy, {98, 52, 31, 21, -1}, {199, 80, 36, 22, -1}},
    {"=", clPurple, {98, 75, 31, 44, -1}, {199, 104, 36, 22, -1}},
    {"<-", clMaroon, {29, 98, 44, 21, -1}, {145, 6, 44, 22, -1}},
    {"C", clMaroon, {6, 98, 21, 21, -1}, {191, 6, 44, 22, -1}},
    {"MP", clNavy, {-1, 0, 0, 0, -1}, {5, 104, 36, 22, -1}},
    {"MS", clNavy, {-1, 0, 0, 0, -1}, {5, 80, 36, 22, -1}},
    {"MR", clNavy, {-1, 0, 0, 0, -1}, {5, 56, 36, 22, -1}},
    {"MC", clNavy, {-1, 0, 0, 0, -1}, {5, 32, 36, 22, -1}},
    {"", clBtnText, {-1, 0, 0, 0, -1}, {47, 6, 36, 22, 1}},
    {"", clBtnText, {-1, 0, 0, 0, -1}, {85, 6, 36, 22, 0}},
};

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c;
}

// Blanks and control characters removed from both ends.
String TrimControls(const String& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

} // namespace

void SetCalculatorFont(TFont* Font) {
    Font->SetName("MS Sans Serif");
    Font->SetSize(8);
    Font->SetColor(clWindowText);
    Font->SetStyle(TFontStyles{fsBold});
}

// ---------------------------------------------------------------------------------------------
// Keys

TCalcButton::TCalcButton(TComponent* AOwner, int Kind, TColor CaptionColor)
    : TKxSpeedButton(AOwner), FKind(Kind), FCaptionColor(CaptionColor) {
    SetTag(Kind >= 1 && Kind <= 22 ? Kind - 1 : -1);
    SetStyle(bsNew);
}

void TCalcButton::FontChanged() {
    TKxSpeedButton::FontChanged();
    if (FFontChanging) return;
    FFontChanging = true;
    Font()->SetColor(FCaptionColor);
    FFontChanging = false;
}

// ---------------------------------------------------------------------------------------------
// The panel

TCalculatorPanel::TCalculatorPanel(TComponent* AOwner, TCalcPanelLayout Layout)
    : TCustomPanel(AOwner), FLayout(Layout) {
    SetColor(clBtnFace);
    if (Layout == clPopup)
        SetBounds(0, 0, 131, 124);
    else
        SetBounds(0, 0, 240, 129);
    SetCalculatorFont(Font());
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetCaption("");
    TBitmap cells;
    if (Layout == clDialog) LoadKxBitmap(cells, "CALCBTNS");
    for (int kind = 1; kind <= 28; ++kind) {
        const TKeyDef& def = Keys[kind - 1];
        const TKeyPlace& place = Layout == clPopup ? def.Compact : def.Full;
        if (place.Left < 0) continue;
        auto* b = new TCalcButton(this, kind, def.Colour);
        b->SetBounds(place.Left, place.Top, place.Width, place.Height);
        if (place.Cell >= 0 && Layout == clDialog) {
            TBitmap glyph;
            CopyBitmapCell(&cells, &glyph, 6, 1, place.Cell);
            b->SetGlyph(&glyph);
            b->SetLayout(blGlyphLeft);
            b->SetMargin(-1);
        } else if (kind == 12) {
            b->SetCaption(String(1, FormatSettings().DecimalSeparator));
        } else {
            b->SetCaption(def.Caption);
        }
        b->SetParent(this);
        b->Font()->Assign(*Font());
        b->Font()->SetColor(def.Colour);
        b->OnClick = [this](TObject* s) { CalcButtonClick(s); };
        FButtons.push_back(b);
    }
    if (Layout == clDialog) {
        FMemoryPanel = new TCustomPanel(this);
        FMemoryPanel->SetBounds(6, 7, 34, 20);
        FMemoryPanel->SetBevelOuter(bvLowered);
        FMemoryPanel->SetCaption("");
        FMemoryPanel->SetParent(this);
        FMemoryLabel = new TLabel(this);
        FMemoryLabel->SetAutoSize(false);
        FMemoryLabel->SetBounds(3, 3, 26, 14);
        FMemoryLabel->SetAlignment(taCenter);
        FMemoryLabel->SetCaption("");
        FMemoryLabel->SetParent(FMemoryPanel);
    }
}

String TCalculatorPanel::MemoryText() const {
    return FMemoryLabel ? FMemoryLabel->Caption() : String();
}

TCalcButton* TCalculatorPanel::ButtonOfKind(int Kind) const {
    for (TCalcButton* b : FButtons)
        if (b->Kind() == Kind) return b;
    return nullptr;
}

void TCalculatorPanel::SetText(const String& Value) {
    if (Value == FText) return;
    FText = Value;
    DisplayTextChanged();
}

void TCalculatorPanel::DisplayTextChanged() {
    if (OnTextChange) OnTextChange(this);
}

void TCalculatorPanel::ShowError() {
    FStatus = csError;
    SetText("Error");
    if (FBeepOnError) KxBeep();
    if (OnError) OnError(this);
}

void TCalculatorPanel::SetDisplay(double Value) {
    if (!std::isfinite(Value)) {
        ShowError();
        return;
    }
    const String s = FloatToStrF(Value, TFloatFormat::ffGeneral, std::max<int>(2, FPrecision), 0);
    if (s != FText) {
        SetText(s);
        if (OnDisplayChange) OnDisplayChange(this);
    }
}

void TCalculatorPanel::ShowResult(double Value) {
    SetDisplay(Value);
}

double TCalculatorPanel::DisplayValue() const {
    if (FStatus == csError) return 0;
    double v = 0;
    if (!TryStrToFloat(TrimControls(FText), v)) return 0;
    return v;
}

void TCalculatorPanel::StartEntry() {
    if (FStatus == csFirst) {
        FStatus = csValid;
        SetText("0");
    }
}

void TCalculatorPanel::CheckFirst() {
    StartEntry();
}

void TCalculatorPanel::Clear() {
    FStatus = csFirst;
    SetDisplay(0);
    FOperator = u'=';
}

void TCalculatorPanel::SetValue(double Value) {
    FStatus = csFirst;
    SetDisplay(Value);
    if (FStatus == csError) return;
    FStatus = csFirst;
    FOperator = u'=';
}

void TCalculatorPanel::UpdateMemoryLabel() {
    if (FMemoryLabel) FMemoryLabel->SetCaption(FMemory != 0 ? "M" : "");
}

void TCalculatorPanel::CalcKey(char16_t Key) {
    Key = Upper(Key);
    if (FStatus == csError && Key != u'C') Key = 0;
    if (OnCalcKey) OnCalcKey(this, Key);
    const char sep = FormatSettings().DecimalSeparator;
    if (Key == u',' || Key == u'.' || Key == static_cast<char16_t>(static_cast<unsigned char>(sep))) {
        CheckFirst();
        if (FText.find(sep) == String::npos) SetText(FText + sep);
        return;
    }
    switch (Key) {
    case 3:
        Clipboard()->SetAsText(FText);
        break;
    case 22:
        if (Clipboard()->HasFormat(CF_TEXT)) {
            String s = TrimControls(ReplaceAll(Clipboard()->AsText(), FormatSettings().CurrencyString, ""));
            double v = 0;
            if (TryStrToFloat(s, v))
                SetDisplay(v);
            else
                SetText("0");
        }
        break;
    case 8:
        CheckFirst();
        if (FText.size() == 1 || (FText.size() == 2 && FText[0] == '-'))
            SetText("0");
        else
            SetText(FText.substr(0, FText.size() - 1));
        break;
    case 13:
    case u'%':
    case u'*':
    case u'+':
    case u'-':
    case u'/':
    case u'=':
        if (FStatus == csValid) {
            FStatus = csFirst;
            double r = DisplayValue();
            if (Key == u'%') {
                if (FOperator == u'*' || FOperator == u'/')
                    r = r / 100;
                else if (FOperator == u'+' || FOperator == u'-')
                    r = FOperand * r / 100;
            }
            switch (FOperator) {
            case u'+':
                ShowResult(FOperand + r);
                break;
            case u'-':
                ShowResult(FOperand - r);
                break;
            case u'*':
                ShowResult(FOperand * r);
                break;
            case u'/':
                if (r == 0)
                    ShowError();
                else
                    ShowResult(FOperand / r);
                break;
            default:
                break;
            }
        }
        FOperator = Key;
        FOperand = DisplayValue();
        if ((Key == 13 || Key == u'%' || Key == u'=') && OnResult) OnResult(this);
        break;
    case 27:
    case u'C':
        Clear();
        break;
    case u'Q':
        if (FStatus != csError) {
            FStatus = csFirst;
            const double v = DisplayValue();
            if (v < 0)
                ShowError();
            else
                ShowResult(std::sqrt(v));
        }
        break;
    case u'R':
        if (FStatus != csError) {
            FStatus = csFirst;
            const double v = DisplayValue();
            if (v == 0)
                ShowError();
            else
                ShowResult(1.0 / v);
        }
        break;
    case u'_':
        ShowResult(-DisplayValue());
        break;
    default:
        if (Key >= u'0' && Key <= u'9') {
            CheckFirst();
            String text = FText == "0" ? String() : FText;
            if (text.find_first_of("Ee") != String::npos) {
                SetText(text.empty() ? "0" : text);
                break;
            }
            const size_t limit =
                static_cast<size_t>(std::max<int>(2, FPrecision)) + (text.find('-') != String::npos ? 1 : 0);
            if (text.size() < limit) {
                SetText(text + static_cast<char>(Key));
            } else {
                SetText(text.empty() ? "0" : text);
                if (FBeepOnError) KxBeep();
            }
        }
        break;
    }
}

void TCalculatorPanel::CalcButtonClick(TObject* Sender) {
    auto* b = dynamic_cast<TCalcButton*>(Sender);
    if (!b) return;
    const int kind = b->Kind();
    if (kind >= 1 && kind <= 22) {
        char16_t key = static_cast<char16_t>(static_cast<unsigned char>(KeyString[kind - 1]));
        if (kind == 12)
            key = static_cast<char16_t>(static_cast<unsigned char>(FormatSettings().DecimalSeparator));
        CalcKey(key);
        return;
    }
    switch (kind) {
    case 23:
        if (FStatus != csError) {
            FStatus = csFirst;
            FMemory = DisplayValue() + FMemory;
            UpdateMemoryLabel();
        }
        break;
    case 24:
        if (FStatus != csError) {
            FStatus = csFirst;
            FMemory = DisplayValue();
            UpdateMemoryLabel();
        }
        break;
    case 25:
        if (FStatus != csError) {
            FStatus = csFirst;
            CheckFirst();
            SetDisplay(FMemory);
        }
        break;
    case 26:
        FMemory = 0;
        UpdateMemoryLabel();
        break;
    case 27:
        if (FStatus == csError) {
            if (FBeepOnError) KxBeep();
        } else {
            SetDisplay(DisplayValue());
            if (OnOk) OnOk(this);
        }
        break;
    case 28:
        if (OnCancel) OnCancel(this);
        break;
    default:
        break;
    }
}

TCalcButton* TCalculatorPanel::FindCalcButton(char16_t Key) const {
    const char16_t sep = static_cast<char16_t>(static_cast<unsigned char>(FormatSettings().DecimalSeparator));
    if (Key == u',' || Key == u'.' || Key == sep) Key = u'.';
    if (Key == 13) Key = u'=';
    if (Key == 27) Key = u'C';
    Key = Upper(Key);
    for (int i = 0; i < 22; ++i)
        if (static_cast<char16_t>(static_cast<unsigned char>(KeyString[i])) == Key) {
            for (TCalcButton* b : FButtons)
                if (b->Tag() + 1 == i + 1) return b;
            return nullptr;
        }
    return nullptr;
}

void TCalculatorPanel::CalcKeyPress(char16_t Key) {
    if (TCalcButton* b = FindCalcButton(Key))
        PressButtonBriefly(b);
    else
        CalcKey(Key);
}

// ---------------------------------------------------------------------------------------------
// The panel in the drop-down, and the drop-down

TLocCalculator::TLocCalculator(TComponent* AOwner) : TCalculatorPanel(AOwner, clPopup) {
    SetTabStop(false);
}

TPopupCalculator::TPopupCalculator(TCustomComboEdit* AOwner) : TPopupWindow(AOwner) {
    SetBounds(Left(), Top(), 137, 127);
    SetColor(clBtnFace);
    SetCalculatorFont(Font());
    if (!ComponentState().Contains(csDesigning)) {
        FCalcPanel = new TLocCalculator(this);
        FCalcPanel->SetParent(this);
        FCalcPanel->SetAlign(alClient);
        FCalcPanel->SetBevelOuter(bvRaised);
        FCalcPanel->SetPrecision(15);
        FCalcPanel->OnTextChange = [this](TObject* s) { TextChanged(s); };
        FCalcPanel->OnResult = [this](TObject* s) { ResultAccepted(s); };
    }
}

void TPopupCalculator::TextChanged(TObject*) {
    InvalidateEditor();
}

void TPopupCalculator::ResultAccepted(TObject*) {
    if (!FCalcPanel || FCalcPanel->Status() == csError) return;
    FCalcPanel->SetDisplay(FCalcPanel->DisplayValue());
    CloseUp(true);
}

Variant TPopupCalculator::GetValue() {
    if (!FCalcPanel) return Variant(0.0);
    if (FCalcPanel->Status() == csError) {
        if (FCalcPanel->BeepOnError()) KxBeep();
        return Variant(0.0);
    }
    FCalcPanel->SetDisplay(FCalcPanel->DisplayValue());
    return Variant(FCalcPanel->DisplayValue());
}

void TPopupCalculator::SetValue(const Variant& Value) {
    if (!FCalcPanel) return;
    double v = 0;
    if (!VarIsNull(Value) && !VarIsEmpty(Value)) {
        try {
            v = Value.VType() == varString ? static_cast<double>(StrToFloat(Value.AsString()))
                                           : Value.AsDouble();
        } catch (const Exception&) {
            v = 0;
        }
    }
    FCalcPanel->SetValue(v);
}

String TPopupCalculator::GetPopupText() {
    return FCalcPanel ? FCalcPanel->DisplayText() : String();
}

void TPopupCalculator::KeyPress(char16_t& Key) {
    if (FCalcPanel) FCalcPanel->CalcKeyPress(Key);
    TPopupWindow::KeyPress(Key);
}

ORV_META_IMPL(TCalcButton)
void TCalcButton::DeclareMeta(meta::Class<TCalcButton>&) {}
ORV_META_IMPL(TCalculatorPanel)
void TCalculatorPanel::DeclareMeta(meta::Class<TCalculatorPanel>&) {}
ORV_META_IMPL(TLocCalculator)
void TLocCalculator::DeclareMeta(meta::Class<TLocCalculator>&) {}
ORV_META_IMPL(TPopupCalculator)
void TPopupCalculator::DeclareMeta(meta::Class<TPopupCalculator>&) {}
