// The numeric edit engine: value, range and rounding, edit and display texts, key filtering,
// paste, entering and leaving, painting; the currency edit and the calculator edit.
#include "controls/kxCurrEdit.h"

#include "classes/MetaBuilder.h"
#include "controls/KxCalc.h"
#include "controls/kxStrUtils.h"
#include "controls/kxVclutils.h"
#include "gui/Colors.h"
#include "gui/Forms.h"
#include "rtl/Format.h"
#include "rtl/SysUtils.h"

#include <cmath>

namespace {

// The calculator glyph of the numeric edits' button, loaded once and shared.
TBitmap* CalcGlyph() {
    static std::unique_ptr<TBitmap> glyph = [] {
        auto b = std::make_unique<TBitmap>();
        LoadKxBitmap(*b, "CEDITBMP");
        return b;
    }();
    return glyph.get();
}

// Rewrites of the edit text by the control itself: no change handling meanwhile.
class TFormattingMark {
public:
    explicit TFormattingMark(bool& flag) : FFlag(flag), FOld(flag) { FFlag = true; }
    ~TFormattingMark() { FFlag = FOld; }

private:
    bool& FFlag;
    bool FOld;
};

char Sep() {
    return FormatSettings().DecimalSeparator;
}

} // namespace

TCustomNumEdit::TCustomNumEdit(TComponent* AOwner) : TCustomComboEdit(AOwner) {
    SetMaxLength(0);
    FDisplayFormat = DefaultDisplayFormat();
    SetEditAlignment(taLeftJustify);
    FDefNumGlyphs = 2;
    UpdateEditText();
    FCreating = true;
    SetGlyphKind(gkDefault);
    SetButtonWidth(21);
    FCreating = false;
    LayoutButton();
}

TCustomNumEdit::~TCustomNumEdit() {
    if (FPopup) {
        FPopup->OnPopupClosed = nullptr;
        delete FPopup;
        FPopup = nullptr;
    }
}

TBitmap* TCustomNumEdit::DefaultGlyphBitmap(bool& DestroyAfterUse) {
    DestroyAfterUse = false;
    return CalcGlyph();
}

String TCustomNumEdit::DefaultDisplayFormat() const {
    return ",0.##";
}

// ---------------------------------------------------------------------------------------------
// Value, range, rounding

Extended TCustomNumEdit::ConstrainValue(Extended X, bool RaiseOnError) {
    Extended result = X;
    if (FRoundToPlaces) {
        // Rounding half away from zero with a bias of 0.00000001 units of the last place, all in
        // floating point: values beyond the range of a 64-bit integer stay as large as they are.
        const Extended n = static_cast<Extended>(FDecimalPlaces);
        const Extended up = std::exp(n * std::log(10.0L));
        const Extended down = std::exp(-n * std::log(10.0L));
        const Extended s = X > 0 ? 1 : X < 0 ? -1 : 0;
        const Extended scaled = X * up + s * 0.50000001L;
        if (std::isfinite(scaled)) result = std::trunc(scaled) * down;
        X = result;
    }
    if (FMinValue < FMaxValue) {
        if (result < FMinValue)
            result = FMinValue;
        else if (result > FMaxValue)
            result = FMaxValue;
    } else if (FMinValue > FMaxValue) {
        if (FMaxValue == 0) {
            if (result < FMinValue) result = FMinValue;
        } else if (FMinValue == 0) {
            if (result > FMaxValue) result = FMaxValue;
        }
    }
    if (RaiseOnError && result != X) {
        const int places = static_cast<int>(FDecimalPlaces);
        throw ERangeError(
            Format("Value must be between %.*f and %.*f", {places, FMinValue, places, FMaxValue}));
    }
    return result;
}

Extended TCustomNumEdit::Value() {
    if (ComponentState().Contains(csDesigning)) return FValue;
    try {
        ParseEditText();
    } catch (const Exception&) {
        FValue = FMinValue;
    }
    return FValue;
}

void TCustomNumEdit::ParseEditText() {
    FValue = ConstrainValue(StrToFloat(StripFormatting(TCustomEdit::GetText())), false);
}

void TCustomNumEdit::SetValue(Extended v) {
    FValue = ConstrainValue(v, false);
    UpdateEditText();
    Invalidate();
}

void TCustomNumEdit::SetMinValue(Extended v) {
    if (v == FMinValue) return;
    FMinValue = v;
    SetValue(FValue);
}

void TCustomNumEdit::SetMaxValue(Extended v) {
    if (v == FMaxValue) return;
    FMaxValue = v;
    SetValue(FValue);
}

void TCustomNumEdit::SetDecimalPlaces(int v) {
    const Cardinal places = static_cast<Cardinal>(std::max(0, v));
    if (places == FDecimalPlaces) return;
    FDecimalPlaces = places;
    FValue = ConstrainValue(FValue, false);
    UpdateEditText();
    Invalidate();
}

void TCustomNumEdit::SetDecimalPlaceRound(bool v) {
    if (v == FRoundToPlaces) return;
    FRoundToPlaces = v;
    FValue = ConstrainValue(FValue, false);
    Invalidate();
}

void TCustomNumEdit::SetDisplayFormat(const String& v) {
    if (v == FDisplayFormat) return;
    FDisplayFormat = v;
    Invalidate();
    UpdateEditText();
}

void TCustomNumEdit::SetZeroEmpty(bool v) {
    if (v == FZeroEmpty) return;
    FZeroEmpty = v;
    UpdateEditText();
}

void TCustomNumEdit::SetBeepOnError(bool v) {
    if (v == FBeepOnError) return;
    FBeepOnError = v;
    SyncPopupSettings();
}

void TCustomNumEdit::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

void TCustomNumEdit::SetFormatOnEditing(bool v) {
    FFormatOnEditing = v;
    SetEditAlignment(v ? FAlignment : taLeftJustify);
    if (!FFocused) return;
    if (v) {
        FormatWhileEditing();
    } else {
        TFormattingMark mark(FFormatting);
        Value();
        UpdateEditText();
    }
}

void TCustomNumEdit::SyncPopupSettings() {
    if (auto* calc = dynamic_cast<TPopupCalculator*>(FPopup))
        if (calc->Calculator()) {
            calc->Calculator()->SetPrecision(15);
            calc->Calculator()->SetBeepOnError(FBeepOnError);
        }
}

// ---------------------------------------------------------------------------------------------
// Texts

String TCustomNumEdit::StripFormatting(const String& S) {
    const TFormatSettings& fs = FormatSettings();
    String r = TrimSpaces(S);
    if (fs.DecimalSeparator != fs.ThousandSeparator) r = RemoveChar(r, fs.ThousandSeparator);
    if (fs.DecimalSeparator != '.' && fs.ThousandSeparator != '.')
        r = ReplaceAll(r, ".", String(1, fs.DecimalSeparator));
    if (fs.DecimalSeparator != ',' && fs.ThousandSeparator != ',')
        r = ReplaceAll(r, ",", String(1, fs.DecimalSeparator));
    if (r.empty()) r = "0";
    if (r == "-") r = "-0";
    return r;
}

String TCustomNumEdit::InsertThousandSeparators(const String& S, bool Group) {
    String sign, body = S;
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
        sign = body.substr(0, 1);
        body.erase(0, 1);
    }
    const size_t end = body.find_first_of(String(1, Sep()) + "Ee");
    String integer = body.substr(0, end), rest = end == String::npos ? String() : body.substr(end);
    String grouped;
    int digits = 0;
    for (size_t i = integer.size(); i > 0; --i) {
        grouped.insert(grouped.begin(), integer[i - 1]);
        if (++digits % 3 == 0 && i > 1 && Group)
            grouped.insert(grouped.begin(), FormatSettings().ThousandSeparator);
    }
    return sign + grouped + rest;
}

void TCustomNumEdit::SetEditText(const String& v) {
    TCustomEdit::SetTextValue(v);
}

void TCustomNumEdit::UpdateEditText() {
    String pattern = "0";
    if (FDecimalPlaces > 0) pattern += "." + RepeatChar('#', static_cast<int>(FDecimalPlaces));
    if (FValue != 0 || !FZeroEmpty)
        SetEditText(FormatFloat(pattern, ConstrainValue(FValue, false)));
    else
        SetEditText(String());
}

String TCustomNumEdit::DisplayValueText() {
    if (!FDisplayFormat.empty()) return FormatFloat(FDisplayFormat, FValue);
    return FloatToStr(FValue);
}

String TCustomNumEdit::PaintedText() {
    if (FPopupVisible && FPopup) return FPopup->GetPopupText();
    return DisplayValueText();
}

void TCustomNumEdit::SetTextValue(const String& v) {
    if (ComponentState().Contains(csLoading)) return;
    // An unparsable text raises here, before anything changes.
    const Extended parsed = StrToFloat(StripFormatting(v));
    FValue = ConstrainValue(parsed, false);
    UpdateEditText();
    Invalidate();
}

void TCustomNumEdit::Clear() {
    SetText(String());
    if (TCustomEdit::GetText().empty()) SetTextValue(String());
}

void TCustomNumEdit::Reset() {
    UpdateEditText();
    if (DirectInput()) SelectAll();
}

void TCustomNumEdit::FormatWhileEditing() {
    TFormattingMark mark(FFormatting);
    String text = TCustomEdit::GetText();
    const int length = static_cast<int>(text.size());
    const int start = SelStart();
    if (!text.empty() && text != "-") text = StripFormatting(text);
    text = InsertThousandSeparators(text, FDisplayFormat.find(',') != String::npos);
    SetEditText(text);
    if (FFocused) SetCaretPosition(static_cast<int>(text.size()) - length + start);
}

void TCustomNumEdit::Change() {
    if (FFormatting) return;
    if (FFormatOnEditing && FFocused) FormatWhileEditing();
    TCustomComboEdit::Change();
}

// ---------------------------------------------------------------------------------------------
// Keys and paste

bool TCustomNumEdit::CharIsAcceptable(char16_t Key) {
    if (Key > 0xFF) return false;
    const String text = TCustomEdit::GetText();
    const size_t start = std::min(text.size(), static_cast<size_t>(std::max(0, SelStart())));
    const size_t length = std::min(text.size() - start, static_cast<size_t>(std::max(0, SelLength())));
    String t = text.substr(0, start) + static_cast<char>(Key) + text.substr(start + length);
    t = StripFormatting(t);
    const char sep = Sep();
    const size_t p = t.find(sep);
    if (p != String::npos) {
        const size_t e = t.find_first_of("Ee", p + 1);
        const size_t decimals = (e == String::npos ? t.size() : e) - p - 1;
        if (decimals > FDecimalPlaces) return false;
    }
    // TextIsValidNumber: digits, signs, exponent marks and the decimal separator, parsable; a
    // lone sign stands for a number being typed (minus zero).
    for (char c : t)
        if (!(c == '+' || c == '-' || (c >= '0' && c <= '9') || c == 'E' || c == 'e' || c == sep))
            return false;
    Extended v = 0;
    const String cut = t.substr(0, 63);
    if (cut != "-" && cut != "+" && !TryStrToFloat(cut, v)) return false;
    if (FMinValue >= 0 && FMaxValue > 0 && v < 0) return false;
    return true;
}

void TCustomNumEdit::KeyPress(char16_t& Key) {
    const TFormatSettings& fs = FormatSettings();
    if (FPopupVisible) {
        const char16_t k = Key >= u'a' && Key <= u'z' ? static_cast<char16_t>(Key - 32) : Key;
        static const std::u16string accepted = u"\b\r%*+,-./0123456789=CQR_";
        if ((accepted.find(k) != std::u16string::npos || k == static_cast<char16_t>(fs.DecimalSeparator)) &&
            k != static_cast<char16_t>(fs.ThousandSeparator)) {
            if (auto* calc = dynamic_cast<TPopupCalculator*>(FPopup)) {
                char16_t forwarded = k;
                calc->KeyPress(forwarded);
            }
            Key = 0;
            return;
        }
    }
    if ((Key == u',' || Key == u'.') && Key != static_cast<char16_t>(fs.ThousandSeparator))
        Key = static_cast<char16_t>(static_cast<unsigned char>(fs.DecimalSeparator));
    TCustomComboEdit::KeyPress(Key);
    if (Key >= 32 && !CharIsAcceptable(Key)) {
        if (FBeepOnError) KxBeep();
        Key = 0;
    } else if (Key == 27) {
        Reset();
        Key = 0;
    }
}

void TCustomNumEdit::DoPaste() {
    const String old = TCustomEdit::GetText();
    TCustomComboEdit::DoPaste();
    try {
        ParseEditText();
    } catch (const Exception&) {
        SetEditText(old);
        if (DirectInput()) SelectAll();
        if (CanFocus()) SetFocus();
        if (FBeepOnError) KxBeep();
    }
}

void TCustomNumEdit::TakePopupValue(const Variant& Value) {
    TCustomComboEdit::TakePopupValue(Value);
    double v = 0;
    try {
        v = Value.AsDouble();
    } catch (const Exception&) {
        v = 0;
    }
    SetValue(ConstrainValue(v, false));
}

// ---------------------------------------------------------------------------------------------
// Entering and leaving

void TCustomNumEdit::DoEnter() {
    {
        TFormattingMark mark(FFormatting);
        FFocused = true;
        UpdateEditText();
    }
    Invalidate();
    if (FFormatOnEditing) FormatWhileEditing();
    TCustomComboEdit::DoEnter();
}

void TCustomNumEdit::DoExit() {
    try {
        if (FCheckOnExit && !ComponentState().Contains(csDesigning))
            ConstrainValue(StrToFloat(StripFormatting(TCustomEdit::GetText())), true);
        ParseEditText();
    } catch (...) {
        // The exit does not complete: the text is selected and the focus stays here.
        if (DirectInput()) SelectAll();
        throw;
    }
    {
        TFormattingMark mark(FFormatting);
        FFocused = false;
        UpdateEditText();
    }
    Invalidate();
    SetCaretPosition(0);
    TCustomComboEdit::DoExit();
}

// ---------------------------------------------------------------------------------------------
// Painting

bool TCustomNumEdit::PaintsItself() const {
    return !FFocused || FPopupVisible;
}

void TCustomNumEdit::PaintEdit(TCanvas* Canvas) {
    Canvas->Font()->Assign(*Font());
    if (!Enabled() && !ComponentState().Contains(csDesigning) && Color() != clGrayText)
        Canvas->Font()->SetColor(clGrayText);
    const int f = FrameWidth();
    TRect r(f, f, Width() - f, Height() - f);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(r);
    const String text = PaintedText();
    int w = Canvas->TextWidth(text);
    const int button = ButtonWidth();
    if (button > 0) ++w;
    const int left = EditLeftMargin();
    const int clientWidth = r.Width();
    int x;
    if (FPopupVisible)
        x = left;
    else if (FAlignment == taRightJustify)
        x = clientWidth - button - w - left - 2;
    else if (FAlignment == taCenter)
        x = (clientWidth - button - w) / 2;
    else
        x = left;
    // Centred as the platform edit centres its own text.
    const int y = (r.Height() - Canvas->TextHeight(text.empty() ? String("0") : text) + 1) / 2;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextRect(r, r.Left + x, r.Top + y, text);
}

void TCustomNumEdit::EnabledChanged() {
    TCustomComboEdit::EnabledChanged();
    if (!FFocused) Invalidate();
}

void TCustomNumEdit::FontChanged() {
    TCustomComboEdit::FontChanged();
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// The currency edit and the calculator edit

TCurrencyEdit::TCurrencyEdit(TComponent* AOwner) : TCustomNumEdit(AOwner) {
    SetDisplayFormat(DefaultDisplayFormat());
    SetButtonWidth(0);
}

String TCurrencyEdit::DefaultDisplayFormat() const {
    const TFormatSettings& fs = FormatSettings();
    String s = ",0." + RepeatChar('0', fs.CurrencyDecimals);
    String c;
    for (char ch : fs.CurrencyString)
        c += ch == ',' || ch == '.' ? String("'") + ch + "'" : String(1, ch);
    if (!c.empty()) {
        switch (fs.CurrencyFormat) {
        case 0:
            s = c + s;
            break;
        case 1:
            s = s + c;
            break;
        case 2:
            s = c + " " + s;
            break;
        case 3:
            s = s + " " + c;
            break;
        default:
            break;
        }
    }
    return s + ";-" + s;
}

TKxCustomCalcEdit::TKxCustomCalcEdit(TComponent* AOwner) : TCustomNumEdit(AOwner) {
    auto* popup = new TPopupCalculator(this);
    FPopup = popup;
    popup->OnPopupClosed = [this](TObject* s, bool accept) { ClosePopup(s, accept); };
    SyncPopupSettings();
}

TKxCustomCalcEdit::~TKxCustomCalcEdit() = default;

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {
bool DisplayFormatStored(TCustomNumEdit& e) {
    return e.DisplayFormat() != e.DefaultDisplayFormat();
}
bool MinValueStored(TCustomNumEdit& e) {
    return e.MinValue() != 0;
}
bool MaxValueStored(TCustomNumEdit& e) {
    return e.MaxValue() != 0;
}
bool ValueStored(TCustomNumEdit& e) {
    return e.Value() != 0;
}
} // namespace

ORV_META_IMPL(TCustomNumEdit)
void TCustomNumEdit::DeclareMeta(meta::Class<TCustomNumEdit>& c) {
    c.Property("Alignment", &TCustomNumEdit::Alignment, &TCustomNumEdit::SetAlignment)
        .Default(taRightJustify);
    c.Property("BeepOnError", &TCustomNumEdit::BeepOnError, &TCustomNumEdit::SetBeepOnError).Default(true);
    c.Property("CheckOnExit", &TCustomNumEdit::CheckOnExit, &TCustomNumEdit::SetCheckOnExit).Default(false);
    c.Property("DecimalPlaceRound", &TCustomNumEdit::DecimalPlaceRound, &TCustomNumEdit::SetDecimalPlaceRound)
        .Default(false);
    c.Property("DecimalPlaces", &TCustomNumEdit::DecimalPlaces, &TCustomNumEdit::SetDecimalPlaces).Default(2);
    c.Property("DisplayFormat", &TCustomNumEdit::DisplayFormat, &TCustomNumEdit::SetDisplayFormat)
        .Stored(&DisplayFormatStored);
    c.Property("FormatOnEditing", &TCustomNumEdit::FormatOnEditing, &TCustomNumEdit::SetFormatOnEditing)
        .Default(false);
    c.Property("MaxValue", &TCustomNumEdit::MaxValue, &TCustomNumEdit::SetMaxValue).Stored(&MaxValueStored);
    c.Property("MinValue", &TCustomNumEdit::MinValue, &TCustomNumEdit::SetMinValue).Stored(&MinValueStored);
    c.Property("ReadOnly", &TCustomNumEdit::ReadOnly, &TCustomNumEdit::SetReadOnly).Default(false);
    c.Property("Value", &TCustomNumEdit::Value, &TCustomNumEdit::SetValue).Stored(&ValueStored);
    c.Property("ZeroEmpty", &TCustomNumEdit::ZeroEmpty, &TCustomNumEdit::SetZeroEmpty).Default(true);
    c.Redeclare("Text").Stored(false);
}

ORV_META_IMPL(TCurrencyEdit)
void TCurrencyEdit::DeclareMeta(meta::Class<TCurrencyEdit>&) {}
ORV_META_IMPL(TKxCustomCalcEdit)
void TKxCustomCalcEdit::DeclareMeta(meta::Class<TKxCustomCalcEdit>&) {}
ORV_META_IMPL(TKxCalcEdit)
void TKxCalcEdit::DeclareMeta(meta::Class<TKxCalcEdit>& c) {
    c.Property("ButtonHint", &TKxCalcEdit::ButtonHint, &TKxCalcEdit::SetButtonHint);
    c.Property("ButtonWidth", &TKxCalcEdit::ButtonWidth, &TKxCalcEdit::SetButtonWidth).Default(21);
    c.Property("ClickKey", &TKxCalcEdit::ClickKey, &TKxCalcEdit::SetClickKey)
        .TypeName("TShortCut")
        .Default(scAltDown);
    c.Property("DirectInput", &TKxCalcEdit::DirectInput, &TKxCalcEdit::SetDirectInput).Default(true);
    c.Property("GlyphKind", &TKxCalcEdit::GlyphKind, &TKxCalcEdit::SetGlyphKind).Default(gkDefault);
    c.Property("NumGlyphs", &TKxCalcEdit::NumGlyphs, &TKxCalcEdit::SetNumGlyphs).Default(2);
    c.Property("PopupAlign", &TKxCalcEdit::PopupAlign, &TKxCalcEdit::SetPopupAlign).Default(epaRight);
    c.Event("OnButtonClick", &TKxCalcEdit::OnButtonClick);
}
