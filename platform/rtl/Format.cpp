// Format: the platform's percent directives.
#include "rtl/CodePage.h"
#include "rtl/FormatDecimal.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

namespace {

// Widths and precisions beyond this are refused as invalid rather than allocated.
constexpr int MaxFormatNumber = 1000000;

class TFormatter {
public:
    TFormatter(const String& fmt, const TFormatArg* args, size_t count, const TFormatSettings& fs)
        : F(fmt), Args(args), Count(count), Fs(fs) {}

    String Run() {
        String out;
        size_t n = F.size();
        size_t i = 0;
        while (i < n) {
            size_t pct = F.find('%', i);
            if (pct == String::npos) {
                out.append(F, i, String::npos);
                break;
            }
            out.append(F, i, pct - i);
            i = pct + 1;
            if (i >= n) Error(false);
            if (F[i] == '%') {
                out += '%';
                ++i;
                continue;
            }
            i = Directive(out, i);
        }
        return out;
    }

private:
    const String& F;
    const TFormatArg* Args;
    size_t Count;
    const TFormatSettings& Fs;
    size_t ArgIndex = 0;

    // The platform's message quotes at most the first 31 bytes of the format.
    [[noreturn]] void Error(bool missingArgument) const {
        String shown = AnsiLeft(F, 31);
        if (missingArgument) throw EConvertError("No argument for format '" + shown + "'");
        throw EConvertError("Format '" + shown + "' invalid or incompatible with argument");
    }

    const TFormatArg& NextArg() {
        if (ArgIndex >= Count) Error(true);
        return Args[ArgIndex++];
    }

    // Digits or "*" (the next argument, which must be an integer). False when neither is there.
    bool Number(size_t& i, int& value) {
        if (i < F.size() && F[i] == '*') {
            ++i;
            const TFormatArg& a = NextArg();
            if (a.kind != TFormatArg::Kind::Integer) Error(false);
            if (a.i > MaxFormatNumber) Error(false);
            value = static_cast<int>(a.i);
            return true;
        }
        if (i >= F.size() || F[i] < '0' || F[i] > '9') return false;
        Int64 v = 0;
        while (i < F.size() && F[i] >= '0' && F[i] <= '9') {
            v = v * 10 + (F[i++] - '0');
            if (v > MaxFormatNumber) Error(false);
        }
        value = static_cast<int>(v);
        return true;
    }

    static String ZeroPad(String digits, int precision) {
        bool negative = !digits.empty() && digits[0] == '-';
        size_t len = digits.size() - (negative ? 1 : 0);
        if (precision > 0 && len < static_cast<size_t>(precision))
            digits.insert(negative ? 1 : 0, static_cast<size_t>(precision) - len, '0');
        return digits;
    }

    size_t Directive(String& out, size_t i) {
        int number = 0;
        bool hasNumber = Number(i, number);
        if (hasNumber && i < F.size() && F[i] == ':') {
            ArgIndex = static_cast<size_t>(number < 0 ? 0 : number);
            ++i;
            hasNumber = false;
        }
        bool left = false;
        if (!hasNumber && i < F.size() && F[i] == '-') {
            left = true;
            ++i;
        }
        if (!hasNumber) hasNumber = Number(i, number);
        int width = hasNumber && number > 0 ? number : 0;
        int precision = -1;
        if (i < F.size() && F[i] == '.') {
            ++i;
            if (!Number(i, precision)) precision = 0;
        }
        if (i >= F.size()) Error(false);
        char type = F[i++];
        type = UpCase(type);
        String text = Convert(type, precision);
        int used = AnsiLength(text);
        if (used < width) {
            String pad(static_cast<size_t>(width - used), ' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
        return i;
    }

    String Convert(char type, int precision) {
        using K = TFormatArg::Kind;
        switch (type) {
        case 'D':
        case 'U':
        case 'X': {
            const TFormatArg& a = NextArg();
            if (a.kind != K::Integer) Error(false);
            if (type == 'D') return ZeroPad(std::to_string(a.i), precision);
            UInt64 bits = a.Is64 ? static_cast<UInt64>(a.i) : static_cast<UInt64>(static_cast<Cardinal>(a.i));
            if (type == 'U') return ZeroPad(std::to_string(bits), precision);
            return IntToHex(bits, precision);
        }
        case 'E':
        case 'F':
        case 'G':
        case 'N':
        case 'M': {
            const TFormatArg& a = NextArg();
            TNumberSource value;
            if (a.kind == K::Float)
                value.Float = a.f;
            else if (a.kind == K::Currency)
                value = TNumberSource{true, 0, Currency::FromRaw(a.i)};
            else
                Error(false);
            switch (type) {
            case 'E':
                return FloatToText(value, TFloatFormat::ffExponent, precision < 0 ? 15 : precision, 3, Fs);
            case 'F':
                return FloatToText(value, TFloatFormat::ffFixed, 18, precision < 0 ? 2 : precision, Fs);
            case 'G':
                return FloatToText(value, TFloatFormat::ffGeneral, precision < 0 ? 15 : precision, 3, Fs);
            case 'N':
                return FloatToText(value, TFloatFormat::ffNumber, 18, precision < 0 ? 2 : precision, Fs);
            default:
                return FloatToText(value, TFloatFormat::ffCurrency, 18,
                                   precision < 0 ? Fs.CurrencyDecimals : precision, Fs);
            }
        }
        case 'S': {
            const TFormatArg& a = NextArg();
            if (a.kind != K::String && a.kind != K::Char) Error(false);
            return precision >= 0 ? AnsiLeft(a.s, precision) : a.s;
        }
        case 'P': {
            const TFormatArg& a = NextArg();
            if (a.kind != K::Pointer) Error(false);
            return IntToHex(static_cast<UInt64>(reinterpret_cast<uintptr_t>(a.p)),
                            static_cast<int>(2 * sizeof(void*)));
        }
        default:
            Error(false);
        }
    }
};

} // namespace

String Format(const String& fmt, std::initializer_list<TFormatArg> args) {
    return TFormatter(fmt, args.begin(), args.size(), FormatSettings()).Run();
}

String Format(const String& fmt, std::initializer_list<TFormatArg> args, const TFormatSettings& fs) {
    return TFormatter(fmt, args.begin(), args.size(), fs).Run();
}

String Format(const String& fmt, const std::vector<TFormatArg>& args) {
    return TFormatter(fmt, args.data(), args.size(), FormatSettings()).Run();
}

String Format(const String& fmt, const std::vector<TFormatArg>& args, const TFormatSettings& fs) {
    return TFormatter(fmt, args.data(), args.size(), fs).Run();
}
