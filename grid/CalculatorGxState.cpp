#include "grid/CalculatorGxState.h"

#include "gui/Clipbrd.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <cctype>
#include <cmath>

void TCalculatorStateGx::PutDisplayText(const String& Text) {
    FDisplay = Text;
    if (OnDisplayChanged) OnDisplayChanged();
}

void TCalculatorStateGx::ResetCalculator() {
    FState = esReady;
    FDisplay.assign(1, '0'); // (assigning the literal trips a false -Wrestrict of GCC 12)
    FPendingOperator = '=';
    FOperand = 0;
    UpdateEqualKey();
    if (OnDisplayChanged) OnDisplayChanged();
}

double TCalculatorStateGx::DisplayValue() const {
    if (FState == esError) return 0;
    return static_cast<double>(StrToFloat(Trim(FDisplay)));
}

void TCalculatorStateGx::ShowValue(double Value) {
    if (!std::isfinite(Value)) {
        EnterError();
        return;
    }
    PutDisplayText(FloatToStrF(Value, TFloatFormat::ffGeneral, 15, 0));
}

void TCalculatorStateGx::BeginEntry() {
    if (FState != esReady) return;
    FState = esEntering;
    PutDisplayText("0");
}

void TCalculatorStateGx::EnterError() {
    FState = esError;
    PutDisplayText("Error");
}

void TCalculatorStateGx::UpdateEqualKey() {
    const bool pending = FPendingOperator == '*' || FPendingOperator == '+' || FPendingOperator == '-' ||
                         FPendingOperator == '/';
    String caption = FState == esEntering && pending ? "=" : "Ok";
    if (caption == FEqualCaption) return;
    FEqualCaption = caption;
    if (OnDisplayChanged) OnDisplayChanged();
}

void TCalculatorStateGx::CopyDisplay() {
    if (CopyHook)
        CopyHook(FDisplay);
    else
        Clipboard()->SetAsText(FDisplay);
}

void TCalculatorStateGx::PasteDisplay() {
    String text;
    bool has = false;
    if (PasteHook) {
        has = PasteHook(text);
    } else if (Clipboard()->HasFormat(CF_TEXT)) {
        text = Clipboard()->AsText();
        has = true;
    }
    if (has) ShowValue(static_cast<double>(StrToFloat(Trim(text))));
}

void TCalculatorStateGx::HandleKey(char Key) {
    char k = static_cast<char>(std::toupper(static_cast<unsigned char>(Key)));
    if (FState == esError && k != 'C') k = 0;
    const char separator = FormatSettings().DecimalSeparator;
    if (k != 0 && (k == separator || k == ',' || k == '.')) {
        BeginEntry();
        if (FDisplay.find(separator) == String::npos) PutDisplayText(FDisplay + separator);
        return;
    }
    switch (k) {
    case 3:
        CopyDisplay();
        break;
    case 22:
        PasteDisplay();
        break;
    case 8:
        BeginEntry();
        if (FDisplay.size() == 1 || (FDisplay.size() == 2 && FDisplay[0] == '-'))
            PutDisplayText("0");
        else
            PutDisplayText(FDisplay.substr(0, FDisplay.size() - 1));
        break;
    case 27:
    case 'C':
        ResetCalculator();
        break;
    case 'I':
        ShowValue(-DisplayValue());
        break;
    case 'R':
    case 'S':
        if (FState == esReady || FState == esEntering) {
            FState = esReady;
            const double value = DisplayValue();
            if (k == 'R') {
                if (value == 0)
                    EnterError();
                else
                    ShowValue(1 / value);
            } else {
                if (value < 0)
                    EnterError();
                else
                    ShowValue(std::sqrt(value));
            }
        }
        break;
    case 13:
    case '%':
    case '*':
    case '+':
    case '-':
    case '/':
    case '=':
        if (FState == esEntering) {
            FState = esReady;
            double r = DisplayValue();
            if (k == '%') {
                if (FPendingOperator == '*' || FPendingOperator == '/')
                    r = r / 100;
                else if (FPendingOperator == '+' || FPendingOperator == '-')
                    r = FOperand * r / 100;
            }
            switch (FPendingOperator) {
            case '*':
                ShowValue(FOperand * r);
                break;
            case '+':
                ShowValue(FOperand + r);
                break;
            case '-':
                ShowValue(FOperand - r);
                break;
            case '/':
                if (r == 0)
                    EnterError();
                else
                    ShowValue(FOperand / r);
                break;
            default:
                break;
            }
        }
        FPendingOperator = k;
        FOperand = DisplayValue();
        break;
    default:
        if (k >= '0' && k <= '9') {
            BeginEntry();
            String text = FDisplay == "0" ? String() : FDisplay;
            const size_t minus = text.find('-');
            const size_t limit = 15 + (minus == String::npos ? 0 : minus + 1);
            if (text.find('E') == String::npos && text.size() < limit) text += k;
            PutDisplayText(text);
        }
        break;
    }
    UpdateEqualKey();
}
