// Reading constant texts and the declaration texts by which hosts register functions.
#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "script/vs_iparser.h"
#include "script/vs_itools.h"

#include <limits>

Variant ParseConstant(const String& Text) {
    if (Text.empty()) return Null();
    if (Text[0] == '\'') return Variant(Text.size() >= 2 ? Text.substr(1, Text.size() - 2) : String());
    Int64 value = 0;
    if (TryStrToInt64(Text, value)) {
        if (value >= std::numeric_limits<Integer>::min() && value <= std::numeric_limits<Integer>::max())
            return Variant(static_cast<Integer>(value));
        return Variant(static_cast<long long>(value));
    }
    // A number with a fraction or an exponent, written with "." whatever the locale.
    String text = Text;
    const size_t point = text.find('.');
    if (point != String::npos) text[point] = FormatSettings().DecimalSeparator;
    return Variant(static_cast<double>(StrToFloat(text)));
}

TvsMethodHeader ParseMethodHeaderText(const String& Header, bool ExtendedIdentifiers) {
    TvsMethodHeader result;
    TvsParser lexer;
    if (ExtendedIdentifiers)
        for (int c = 128; c < 256; ++c)
            lexer.AddIdentChar(static_cast<unsigned char>(c));
    lexer.LoadText(Header);

    String kind = lexer.GetWord();
    if (StartsText("macro", kind)) {
        result.IsMacro = true;
        kind.erase(0, 5);
    }
    result.IsFunction = SameText(kind, "function");
    result.Name = lexer.GetWord();
    const Integer afterName = lexer.Position();

    if (result.IsFunction) {
        const size_t colon = Header.rfind(':');
        if (colon != String::npos) {
            lexer.SetPosition(static_cast<Integer>(colon) + 2);
            result.TypeName = lexer.GetWord();
        }
    }

    lexer.SetPosition(afterName);
    lexer.SkipSpaces();
    if (lexer.GetChar() != "(") return result;
    for (;;) {
        std::vector<String> names;
        bool isVar = false;
        for (;;) {
            const String word = lexer.GetWord();
            if (word.empty()) break;
            if (SameText(word, "var")) {
                isVar = true;
                continue;
            }
            if (SameText(word, "const")) continue;
            names.push_back(word);
            const Integer save = lexer.Position();
            lexer.SkipSpaces();
            if (lexer.GetChar() != ",") {
                lexer.SetPosition(save);
                break;
            }
        }
        lexer.SkipSpaces();
        String c = lexer.GetChar();
        if (c == ":") {
            const String typeName = lexer.GetWord();
            TvsHeaderParam last;
            const Integer save = lexer.Position();
            lexer.SkipSpaces();
            if (lexer.GetChar() == "=") {
                String text;
                if (!(text = lexer.GetNumber()).empty()) {
                    last.DefaultKind = TvsHeaderParam::TDefaultKind::Number;
                } else if (!(text = lexer.GetString()).empty()) {
                    last.DefaultKind = TvsHeaderParam::TDefaultKind::String;
                } else {
                    lexer.SkipSpaces();
                    const Integer beforeSign = lexer.Position();
                    if (lexer.GetChar() == "-" && !(text = lexer.GetNumber()).empty()) {
                        text = "-" + text;
                        last.DefaultKind = TvsHeaderParam::TDefaultKind::Number;
                    } else {
                        lexer.SetPosition(beforeSign);
                        if (!(text = lexer.GetWord()).empty())
                            last.DefaultKind = TvsHeaderParam::TDefaultKind::Name;
                    }
                }
                last.DefaultText = text;
            } else {
                lexer.SetPosition(save);
            }
            for (size_t i = 0; i < names.size(); ++i) {
                TvsHeaderParam param = i + 1 == names.size() ? last : TvsHeaderParam();
                param.Name = names[i];
                param.TypeName = typeName;
                param.IsVar = isVar;
                result.Params.push_back(param);
            }
            lexer.SkipSpaces();
            c = lexer.GetChar();
        }
        if (c != ";") break;
    }
    return result;
}
