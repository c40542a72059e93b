#include "office/ExcelNumberFormat.h"

#include "rtl/StrUtils.h"

#include <vector>

namespace {

// One piece of a format section.
struct TFormatToken {
    enum TKind { Literal, Quoted, Digits, Exponent };
    TKind Kind;
    String Text;
};

std::vector<String> SplitSections(const String& format) {
    std::vector<String> sections(1);
    char quote = 0;
    for (char c : format) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

bool IsDigitCode(char c) {
    return c == '0' || c == '#' || c == '.' || c == ',';
}

std::vector<TFormatToken> Tokenize(const String& section) {
    std::vector<TFormatToken> tokens;
    auto append = [&tokens](TFormatToken::TKind kind, char c) {
        if (tokens.empty() || tokens.back().Kind != kind || kind == TFormatToken::Quoted)
            tokens.push_back({kind, String()});
        tokens.back().Text += c;
    };
    for (size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '"' || c == '\'') {
            const size_t end = section.find(c, i + 1);
            const size_t stop = end == String::npos ? section.size() : end;
            tokens.push_back({TFormatToken::Quoted, section.substr(i + 1, stop - i - 1)});
            i = stop;
        } else if (IsDigitCode(c)) {
            append(TFormatToken::Digits, c);
        } else if ((c == 'E' || c == 'e') && i + 1 < section.size() &&
                   (section[i + 1] == '+' || section[i + 1] == '-')) {
            tokens.push_back({TFormatToken::Exponent, String("E") + section[i + 1]});
            ++i;
        } else {
            append(TFormatToken::Literal, c);
        }
    }
    return tokens;
}

// The ASCII characters the spreadsheet shows as they are without quoting; any other ASCII
// character outside quotes is a code there (or may be), so it is escaped.
bool PlainLiteral(char c) {
    return static_cast<unsigned char>(c) >= 0x80 || String("$-+/():!^&'~{}<>= ").find(c) != String::npos;
}

String LiteralText(const String& text) {
    String out;
    for (char c : text) {
        if (!PlainLiteral(c)) out += '\\';
        out += c;
    }
    return out;
}

// A quoted literal as "..."; a double quote inside it is escaped between quoted parts.
String QuotedText(const String& text) {
    String out;
    size_t start = 0;
    while (true) {
        const size_t quote = text.find('"', start);
        const String part = text.substr(start, quote == String::npos ? String::npos : quote - start);
        if (!part.empty()) out += "\"" + part + "\"";
        if (quote == String::npos) return out;
        out += "\\\"";
        start = quote + 1;
    }
}

// The number's digits: grouping as a "," before the last three integer digits, no point
// without decimals.
String NumberDigits(const String& digits, bool grouping) {
    String plain = digits;
    std::erase(plain, ',');
    const size_t point = plain.find('.');
    String integer = plain.substr(0, point);
    String decimals = point == String::npos ? String() : plain.substr(point + 1);
    std::erase(decimals, '.');
    if (grouping) {
        if (integer.size() < 4) integer.insert(0, 4 - integer.size(), '#');
        integer.insert(integer.size() - 3, 1, ',');
    }
    return decimals.empty() ? integer : integer + "." + decimals;
}

String TranslateSection(const String& section) {
    const std::vector<TFormatToken> tokens = Tokenize(section);
    bool grouping = false;
    for (const TFormatToken& t : tokens)
        if (t.Kind == TFormatToken::Digits && t.Text.find(',') != String::npos) grouping = true;
    String out;
    bool numberDone = false;
    for (const TFormatToken& t : tokens) {
        switch (t.Kind) {
        case TFormatToken::Literal:
            out += LiteralText(t.Text);
            break;
        case TFormatToken::Quoted:
            out += QuotedText(t.Text);
            break;
        case TFormatToken::Exponent:
            out += t.Text;
            break;
        case TFormatToken::Digits:
            if (t.Text.find_first_of("0#") == String::npos) {
                // Points and commas without a digit: shown as they are.
                String marks = t.Text;
                std::erase(marks, ',');
                out += LiteralText(marks);
            } else if (!numberDone) {
                out += NumberDigits(t.Text, grouping);
                numberDone = true;
            } else {
                // The exponent's digits, or digits after a literal: no point, no grouping.
                String more = t.Text;
                std::erase(more, ',');
                std::erase(more, '.');
                out += more;
            }
            break;
        }
    }
    return out;
}

} // namespace

String ExcelNumberFormat(const String& displayFormat) {
    if (Trim(displayFormat).empty()) return "General";
    String out;
    bool first = true;
    for (const String& section : SplitSections(displayFormat)) {
        if (!first) out += ';';
        out += TranslateSection(section);
        first = false;
    }
    return out;
}
