#include "gridprint/RichTextHolder.h"

#include "gui/Graphics.h"
#include "rtl/CodePage.h"

#include <cctype>
#include <vector>

String TRichTextHolder::NormalizeBreaks(const String& text) {
    String out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

void TRichTextHolder::SetText(const String& text) {
    FText = NormalizeBreaks(text);
    FRichText.clear();
}

void TRichTextHolder::Replace(int start, int length, const String& text) {
    start = std::clamp(start, 0, TextLength());
    length = std::clamp(length, 0, TextLength() - start);
    FText.replace(static_cast<size_t>(start), static_cast<size_t>(length), text);
    FRichText.clear();
}

void TRichTextHolder::LoadPlainText(const std::string& bytes) {
    SetText(IsValidUtf8(bytes) ? String(bytes) : Utf8FromAnsi(bytes));
}

namespace {

// Reads the plain text of a rich text document; false when the bytes are not one.
bool ReadRichText(const std::string& s, String& text) {
    if (s.compare(0, 5, "{\\rtf") != 0) return false;
    struct Group {
        bool skip = false;
        int uc = 1;
    };
    std::vector<Group> groups;
    std::string pendingAnsi; // \'hh bytes waiting to be decoded together
    WideString pendingWide;  // \uN units (surrogate pairs come as two)
    String out;
    auto flushAnsi = [&] {
        if (!pendingAnsi.empty()) out += Utf8FromAnsi(pendingAnsi);
        pendingAnsi.clear();
        if (!pendingWide.empty()) out += WideToUtf8(pendingWide);
        pendingWide.clear();
    };
    int skipChars = 0; // characters after \uN standing in for it
    size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        bool skipping = !groups.empty() && groups.back().skip;
        if (c == '{') {
            flushAnsi();
            Group g = groups.empty() ? Group{} : groups.back();
            groups.push_back(g);
            ++i;
            if (s.compare(i, 2, "\\*") == 0) groups.back().skip = true;
            continue;
        }
        if (c == '}') {
            flushAnsi();
            if (groups.empty()) return false;
            groups.pop_back();
            ++i;
            if (groups.empty()) break;
            continue;
        }
        if (groups.empty()) return false;
        if (c == '\\') {
            ++i;
            if (i >= s.size()) return false;
            char n = s[i];
            if (n == '\\' || n == '{' || n == '}') {
                flushAnsi();
                if (!skipping) {
                    if (skipChars > 0)
                        --skipChars;
                    else
                        out += n;
                }
                ++i;
                continue;
            }
            if (n == '\'') {
                if (i + 2 >= s.size()) return false;
                unsigned v = static_cast<unsigned>(std::stoul(s.substr(i + 1, 2), nullptr, 16));
                i += 3;
                if (skipping) continue;
                if (skipChars > 0) {
                    --skipChars;
                    continue;
                }
                if (!pendingWide.empty()) flushAnsi(); // keep the order of the two kinds
                pendingAnsi += static_cast<char>(v);
                continue;
            }
            if (!std::isalpha(static_cast<unsigned char>(n))) {
                ++i; // a control symbol (\~, \-, newline ...)
                continue;
            }
            size_t start = i;
            while (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i])))
                ++i;
            std::string word = s.substr(start, i - start);
            bool hasNum = false;
            long num = 0;
            size_t numStart = i;
            if (i < s.size() && (s[i] == '-' || std::isdigit(static_cast<unsigned char>(s[i])))) {
                ++i;
                while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
                    ++i;
                num = std::stol(s.substr(numStart, i - numStart));
                hasNum = true;
            }
            if (i < s.size() && s[i] == ' ') ++i;
            if (word != "u") flushAnsi(); // a surrogate pair comes as two \u in a row
            if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" ||
                word == "pict" || word == "object" || word == "header" || word == "footer") {
                groups.back().skip = true;
                continue;
            }
            if (skipping) continue;
            if (word == "par" || word == "line") {
                out += "\r\n";
            } else if (word == "tab") {
                out += '\t';
            } else if (word == "uc" && hasNum) {
                groups.back().uc = static_cast<int>(num);
            } else if (word == "u" && hasNum) {
                if (!pendingAnsi.empty()) flushAnsi();
                pendingWide += static_cast<char16_t>(num < 0 ? num + 65536 : num);
                skipChars = groups.back().uc;
            }
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        ++i;
        if (skipping) continue;
        if (skipChars > 0) {
            --skipChars;
            continue;
        }
        flushAnsi();
        out += c;
    }
    flushAnsi();
    // The rich edit ends a document with a paragraph mark of its own: the last one is not a line.
    if (out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0) out.resize(out.size() - 2);
    text = out;
    return true;
}

} // namespace

bool TRichTextHolder::LoadRichText(const std::string& bytes) {
    String text;
    if (!ReadRichText(bytes, text)) return false;
    FText = TRichTextHolder::NormalizeBreaks(text);
    FRichText = bytes;
    return true;
}

std::string TRichTextHolder::SaveRichText() const {
    if (!FRichText.empty()) return FRichText;
    std::string out = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil Tahoma;}}\r\n\\pard\\f0 ";
    WideString wide = Utf8ToWide(FText);
    for (size_t i = 0; i < wide.size(); ++i) {
        char16_t ch = wide[i];
        if (ch == u'\r') {
            if (i + 1 < wide.size() && wide[i + 1] == u'\n') ++i;
            out += "\\par\r\n";
        } else if (ch == u'\n') {
            out += "\\par\r\n";
        } else if (ch == u'\t') {
            out += "\\tab ";
        } else if (ch == u'\\' || ch == u'{' || ch == u'}') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch < 0x80) {
            out += static_cast<char>(ch);
        } else {
            out += "\\u" + std::to_string(static_cast<int>(static_cast<int16_t>(ch))) + "?";
        }
    }
    out += "\\par\r\n}\r\n";
    return out;
}

int TRichTextHolder::FormatRange(TCanvas& canvas, const TRect& r, int first, bool measureOnly,
                                 int& usedHeight) const {
    usedHeight = 0;
    int length = TextLength();
    first = std::clamp(first, 0, length);
    int width = std::max(1, r.Width());
    int lineHeight = std::max(1, canvas.TextHeight("Wg"));
    int y = r.Top;
    int pos = first;
    while (pos < length) {
        size_t eol = FText.find("\r\n", static_cast<size_t>(pos));
        size_t paraEnd = eol == String::npos ? FText.size() : eol;
        String para = FText.substr(static_cast<size_t>(pos), paraEnd - static_cast<size_t>(pos));
        // The paragraph's wrapped height, laid out as one block.
        TRect box(r.Left, y, r.Left + width, y);
        String measured = para.empty() ? String(" ") : para;
        int h = canvas.DrawText(measured, box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        h = std::max(h, lineHeight);
        if (y + h > r.Bottom && y > r.Top) break;
        if (!measureOnly && !para.empty()) {
            TRect out(r.Left, y, r.Left + width, y + h);
            canvas.DrawText(para, out, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        }
        y += h;
        pos = eol == String::npos ? length : static_cast<int>(eol) + 2;
    }
    usedHeight = y - r.Top;
    return pos;
}
