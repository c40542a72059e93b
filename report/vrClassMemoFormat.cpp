// How a text object gets its text for one printing: data fields, delimited expressions with
// inline formats, value formatting, page macros, zero and repeat suppression, highlight, flow.
#include "report/vrClassDataSets.h"
#include "report/vrClassMemo.h"
#include "report/vrClassReport.h"
#include "report/vrVariables.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <algorithm>

// --- formats ------------------------------------------------------------------------------------

void TvrFormat::Assign(const TPersistent* Source) {
    auto* s = dynamic_cast<const TvrFormat*>(Source);
    if (!s) return;
    DecimalSeparator = s->DecimalSeparator;
    ThousandSeparator = s->ThousandSeparator;
    FormatStr = s->FormatStr;
    Kind = s->Kind;
}

void TvrFormat::ParseInline(const String& Text) {
    String f = Text;
    const char k = f.empty() ? '\0' : f[0];
    switch (k) {
    case 'B':
    case 'b':
        Kind = fkBoolean;
        break;
    case 'D':
    case 'd':
    case 'T':
    case 't':
        Kind = fkDateTime;
        break;
    case 'N':
    case 'n': {
        Kind = fkNumeric;
        // Only the last separator is the decimal one: "#,##0.00" keeps its grouping comma.
        const size_t at = f.find_last_of(",-.");
        if (at != String::npos && at > 0) {
            DecimalSeparator = String(1, f[at]);
            f[at] = '.';
        }
        break;
    }
    default:
        Kind = fkText;
        break;
    }
    FormatStr = f.empty() ? String() : f.substr(1, 255);
}

String vrFormatValue(const Variant& Value, const TvrFormat& F) {
    if (VarIsNull(Value)) return String();
    try {
        switch (F.Kind) {
        case fkNumeric: {
            // An amount is formatted as the amount it is, not as its nearest double.
            const bool money = VarType(Value) == varCurrency;
            String s;
            if (F.FormatStr.find('#') != String::npos)
                s = money ? FormatCurr(F.FormatStr, Value.AsCurrency())
                          : FormatFloat(F.FormatStr, Value.AsDouble());
            else if (F.FormatStr.find_first_of("du") != String::npos)
                s = Format(F.FormatStr, {static_cast<long long>(Value.AsInt64())});
            else if (money)
                s = Format(F.FormatStr, {Value.AsCurrency()});
            else
                s = Format(F.FormatStr, {Value.AsDouble()});
            const TFormatSettings& fs = FormatSettings();
            size_t decimalAt = String::npos;
            if (F.DecimalSeparator.size() == 1 && F.DecimalSeparator[0] != fs.DecimalSeparator)
                decimalAt = s.rfind(fs.DecimalSeparator);
            if (F.ThousandSeparator.size() == 1 && F.ThousandSeparator[0] != fs.ThousandSeparator)
                std::replace(s.begin(), s.end(), fs.ThousandSeparator, F.ThousandSeparator[0]);
            if (decimalAt != String::npos) s[decimalAt] = F.DecimalSeparator[0];
            return s;
        }
        case fkDateTime:
            return FormatDateTime(F.FormatStr, Value.AsDateTime());
        case fkBoolean: {
            const size_t comma = F.FormatStr.find(',');
            const bool isTrue = Value == Variant(true);
            if (comma == String::npos) return isTrue ? F.FormatStr : String();
            return isTrue ? F.FormatStr.substr(comma + 1, 255) : F.FormatStr.substr(0, comma);
        }
        case fkText:
            break;
        }
    } catch (const Exception&) {
    }
    try {
        return VarToStr(Value);
    } catch (const Exception&) {
        return String();
    }
}

// --- the text object's data ---------------------------------------------------------------------

WideString TvrCustomMemoView::FormatValue(const Variant& AValue, const TvrFormat* F) {
    return Utf8ToWide(vrFormatValue(AValue, F ? *F : *FDisplayFormat));
}

WideString TvrCustomMemoView::EvaluateExpression(const WideString& Expression) {
    String expr = WideToUtf8(Expression);
    std::unique_ptr<TvrFormat> inlineFormat;
    const size_t mark = expr.find(" #");
    if (mark != String::npos) {
        const String formatText = expr.substr(mark + 2);
        if (formatText.find(')') == String::npos) {
            inlineFormat = std::make_unique<TvrFormat>();
            inlineFormat->ParseInline(formatText);
            expr = expr.substr(0, mark);
        }
    }
    if (SameText(expr, "TOTALPAGES#"))
        Value = Variant(String("[TotalPages#]"));
    else if (SameText(expr, "COPYNAME#"))
        Value = Variant(String("[CopyName#]"));
    else if (TvrReport* report = GetReport())
        Value = report->Calc(expr);
    else
        Value = Null();
    if (HideZeros && !VarIsStr(Value) && !VarIsNull(Value) && !VarIsEmpty(Value)) {
        try {
            if (Value.AsDouble() == 0) return WideString();
        } catch (const Exception&) {
        }
    }
    return FormatValue(Value, inlineFormat.get());
}

WideString TvrCustomMemoView::ExpandExpressions(const WideString& Text) {
    const size_t comma = ExpressionDelimiters.find(',');
    if (comma == String::npos) return Text;
    const WideString open = Utf8ToWide(ExpressionDelimiters.substr(0, comma));
    const WideString close = Utf8ToWide(ExpressionDelimiters.substr(comma + 1, 255));
    if (open.empty() || Text.find(open) == WideString::npos) return Text;
    WideString s = Text;
    size_t pos = 0;
    while (true) {
        pos = s.find(open, pos);
        if (pos == WideString::npos) break;
        WideString inner;
        Integer start = static_cast<Integer>(pos) + 1, endPos = start;
        ExtractBracketedTextW(s, open, close, inner, endPos, start);
        if (endPos == start) break;
        // An open delimiter without its close delimiter stays literal text, with all after it.
        const size_t endIndex = static_cast<size_t>(endPos); // one past the last character taken
        if (endIndex < close.size() || s.compare(endIndex - close.size(), close.size(), close) != 0) break;
        const WideString value = EvaluateExpression(inner);
        s = s.substr(0, pos) + value + s.substr(endIndex);
        pos += value.size();
    }
    return s;
}

void TvrCustomMemoView::GetData() {
    TvrView::GetData();
    TvrReport* report = GetReport();
    if (IsDataField()) {
        TvrDataSet* ds = DataSet();
        Value = ds->Value(DataField);
        WideString text;
        if (FDisplayFormat->Kind != fkText)
            text = FormatValue(Value);
        else
            text = ds->DisplayText(DataField);
        if (HideZeros && !VarIsStr(Value) && !VarIsNull(Value)) {
            try {
                if (Value.AsDouble() == 0) text.clear();
            } catch (const Exception&) {
            }
        }
        SetText(text);
    } else if (AllowExpressions) {
        SetText(ExpandExpressions(Text()));
    }
    if (report) report->SetValueVariable(Value);
    FHighlight->Active = false;
    if (!Trim(FHighlight->Condition).empty() && report) {
        const Variant v = report->Calc(FHighlight->Condition);
        try {
            FHighlight->Active = v.AsBoolean();
        } catch (const Exception&) {
        }
    }
    if (SuppressRepeated) {
        const Variant current(WideToUtf8(Text()));
        if (!VarIsNull(PreviousValue) && VarToStr(PreviousValue) == WideToUtf8(Text()))
            SetText(WideString());
        else
            PreviousValue = current;
    }
    if (FFlowTo) {
        InitPart();
        DrawPart();
        FFlowTo->SetText(PartText);
        FFlowTo->AllowExpressions = false;
    }
}

namespace {
// Replaces the first occurrence of Macro (case ignored) by Value; false when there is none.
bool ReplaceFirstNoCase(WideString& Text, const WideString& Macro, const WideString& Value) {
    const String upperText = UpperCase(WideToUtf8(Text));
    const String upperMacro = UpperCase(WideToUtf8(Macro));
    const size_t at8 = upperText.find(upperMacro);
    if (at8 == String::npos) return false;
    // Macros are ASCII: find the same place in UTF-16 units.
    const size_t at = Utf8ToWide(WideToUtf8(Text).substr(0, at8)).size();
    Text = Text.substr(0, at) + Value + Text.substr(at + Macro.size());
    return true;
}
} // namespace

bool TvrCustomMemoView::PrintMacroText(WideString& filled) const {
    if (!AllowExpressions) return false;
    WideString s = Text();
    bool changed = ReplaceFirstNoCase(s, u"[TOTALPAGES#]", Utf8ToWide(IntToStr(TotalPages)));
    const Variant copyName = vrGlobalVariables()->Variables("CopyName" + IntToStr(CopyNo));
    changed |= ReplaceFirstNoCase(s, u"[COPYNAME#]", Utf8ToWide(VarToStr(copyName)));
    if (changed) filled = std::move(s);
    return changed;
}

void TvrCustomMemoView::ApplyPrintMacros() {
    WideString s;
    if (PrintMacroText(s)) SetText(s);
}

String TvrCustomMemoView::GetComponentText() {
    WideString s = Text();
    if (AllowExpressions) ReplaceFirstNoCase(s, u"[TOTALPAGES]", Utf8ToWide(IntToStr(TotalPages)));
    return AnsiFromUtf8(WideToUtf8(s));
}
