#include "report/designer/vrScriptTemplates.h"

#include "report/vrRes.h"
#include "rtl/StrUtils.h"

namespace {

const char* const Languages[] = {"PascalScript", "D++Idezer", "VuzirUzezid", "JScript"};

struct TLanguageTemplate {
    const char* Language;
    const char* Text;
};

// VuzirUzezid's comment marks "/\" stand for a comment that never occurs.
const TLanguageTemplate LanguageTemplates[] = {
    {"PascalScript",
     "proc=\"procedure\" begin=\"begin\" end=\"end;\" lastend=\"end.\" openquote=\"{\" closequote=\"}\""},
    {"D++Idezer", "proc=\"void\" begin=\"{\" end=\"}\" lastend=\"}\" openquote=\"/*\" closequote=\"*/\""},
    {"VuzirUzezid",
     "proc=\"sub\" begin=\"\" end=\"end sub\" lastend=\"\" openquote=\"/\\\" closequote=\"/\\\""},
    {"JScript", "proc=\"function\" begin=\"{\" end=\"}\" lastend=\"\" openquote=\"/*\" closequote=\"*/\""},
};

// The parameter lists of one event type, in the order of Languages.
struct TEventParams {
    const char* EventType;
    const char* Params[4];
};

const TEventParams EventParams[] = {
    {"TvrNotifyEvent", {"(Sender: TvrComponent);", "(TvrComponent Sender)", "(Sender)", "(Sender)"}},
    {"TvrCloseQueryEvent",
     {"(Sender: TvrComponent; var CanClose: Boolean);", "(TvrComponent Sender, bool &CanClose)",
      "(Sender, byref CanClose)", "(Sender, &CanClose)"}},
    {"TvrKeyEvent",
     {"(Sender: TvrComponent; var Key: Word; Shift: Integer);", "(TvrComponent Sender, word &Key, int Shift)",
      "(Sender, byref Key, Shift)", "(Sender, &Key, Shift)"}},
    {"TvrKeyPressEvent",
     {"(Sender: TvrComponent; var Key: Char);", "(TvrComponent Sender, char &Key)", "(Sender, byref Key)",
      "(Sender, &Key)"}},
    {"TvrMouseEvent",
     {"(Sender: TvrComponent; Button: TMouseButton; Shift: Integer; X, Y: Integer);",
      "(TvrComponent Sender, TMouseButton Button, int Shift, int X, int Y)", "(Sender, Button, Shift, X, Y)",
      "(Sender, Button, Shift, X, Y)"}},
    {"TvrMouseMoveEvent",
     {"(Sender: TvrComponent; Shift: Integer; X, Y: Integer);",
      "(TvrComponent Sender, int Shift, int X, int Y)", "(Sender, Shift, X, Y)", "(Sender, Shift, X, Y)"}},
    {"TvrPreviewClickEvent",
     {"(Sender: TvrView; Button: TMouseButton; Shift: Integer; var Modified: Boolean);",
      "(TvrView Sender, TMouseButton Button, int Shift, bool &Modified)",
      "(Sender, Button, Shift, byref Modified)", "(Sender, Button, Shift, &Modified)"}},
    {"TvrRunDialogsEvent", {"(var Result: Boolean);", "(bool &Result)", "(byref Result)", "(&Result)"}},
};

// The resource text of a name, or empty when no table holds it.
String ResourceOrEmpty(const String& name) {
    const String text = GetResources().GetString(name);
    return text == name ? String() : text;
}

// True when the line holds the mark; an empty mark is in no line.
bool Holds(const String& line, const String& mark) {
    return !mark.empty() && line.find(mark) != String::npos;
}

bool BeginsWith(const String& line, const String& head) {
    return !head.empty() && line.compare(0, head.size(), head) == 0;
}

// The comment marks of a language and the running depth of block comments, line by line from the
// first.
class TCommentDepth {
public:
    explicit TCommentDepth(const String& language)
        : FOpen(GetTemplateValue(language, "openquote")), FClose(GetTemplateValue(language, "closequote")) {}
    // Counts the line's marks; true when the line is outside comments afterwards.
    bool Outside(const String& line) {
        if (Holds(line, FClose)) --FDepth;
        if (Holds(line, FOpen)) ++FDepth;
        return FDepth == 0;
    }

private:
    String FOpen, FClose;
    int FDepth = 0;
};

} // namespace

void RegisterScriptTemplates() {
    TvrResources& resources = GetResources();
    for (const TLanguageTemplate& t : LanguageTemplates)
        resources.AddAnsiString(t.Language, t.Text);
    for (const TEventParams& e : EventParams) {
        String text;
        for (int i = 0; i < 4; ++i) {
            if (i) text += "\r\n";
            text += String(Languages[i]) + "=" + e.Params[i];
        }
        resources.AddAnsiString(e.EventType, text);
    }
}

String GetTemplateValue(const String& language, const String& key) {
    const String text = ResourceOrEmpty(language);
    if (text.empty()) return String();
    const String head = UpperCase(key) + "=\"";
    const size_t at = UpperCase(text).find(head);
    if (at == String::npos || (at > 0 && text[at - 1] != ' ')) return String();
    const size_t start = at + head.size();
    const size_t stop = text.find('"', start);
    return text.substr(start, stop == String::npos ? String::npos : stop - start);
}

String GetEventParams(const String& eventType, const String& language) {
    const String text = ResourceOrEmpty(eventType);
    if (text.empty()) return String();
    TStringList lines;
    lines.SetText(text);
    for (Integer i = 0; i < lines.Count(); ++i) {
        const String line = lines.Strings(i);
        const size_t eq = line.find('=');
        if (eq != String::npos && SameText(line.substr(0, eq), language)) return line.substr(eq + 1);
    }
    return String();
}

void GetEventHandlers(const TStrings& lines, const String& language, const String& eventType,
                      TStrings& list) {
    list.Clear();
    const String params = GetEventParams(eventType, language);
    const String proc = UpperCase(GetTemplateValue(language, "proc"));
    TCommentDepth comments(language);
    for (Integer i = 0; i < lines.Count(); ++i) {
        const String line = lines.Strings(i);
        if (!comments.Outside(line) || !BeginsWith(UpperCase(line), proc)) continue;
        const String rest = line.substr(proc.size());
        const size_t paren = rest.find('(');
        if (paren == String::npos) continue;
        const String name = Trim(rest.substr(0, paren));
        const String found = Trim(LeftStr(rest.substr(paren), 255));
        if (SameText(found, params)) list.Add(name);
    }
}

Integer FindEventHandler(const TStrings& lines, const String& language, const String& name) {
    const String proc = GetTemplateValue(language, "proc");
    if (proc.empty()) return -1;
    const String head = UpperCase(proc + " " + name + "(");
    TCommentDepth comments(language);
    for (Integer i = 0; i < lines.Count(); ++i) {
        const String line = lines.Strings(i);
        if (comments.Outside(line) && BeginsWith(UpperCase(line), head)) return i;
    }
    return -1;
}

Integer FindMainBlock(const TStrings& lines, const String& language) {
    const String lastEnd = UpperCase(GetTemplateValue(language, "lastend"));
    // Without a main block new handlers go before the last line, or first into an empty script.
    if (lastEnd.empty()) return lines.Count() > 0 ? lines.Count() - 1 : 0;
    const String openMark = GetTemplateValue(language, "openquote");
    const String closeMark = GetTemplateValue(language, "closequote");
    // Walking up, a closing mark enters a comment and an opening mark leaves it.
    int depth = 0;
    Integer last = lines.Count() - 1;
    for (; last >= 0; --last) {
        const String line = lines.Strings(last);
        if (Holds(line, closeMark)) ++depth;
        if (Holds(line, openMark)) --depth;
        if (depth == 0 && Holds(UpperCase(line), lastEnd)) break;
    }
    if (last <= 0) return -1;
    const String beginWord = UpperCase(GetTemplateValue(language, "begin"));
    const String endWord = UpperCase(GetTemplateValue(language, "end"));
    int nesting = 1;
    for (Integer i = last - 1; i >= 0; --i) {
        const String line = UpperCase(lines.Strings(i));
        if (Holds(line, endWord)) ++nesting;
        if (Holds(line, beginWord)) --nesting;
        if (nesting == 0) return i;
    }
    return 0;
}

Integer AddEventHandler(TStrings& lines, const String& language, const String& eventType,
                        const String& name) {
    const Integer at = FindMainBlock(lines, language);
    if (at < 0) return -1;
    const String head = GetTemplateValue(language, "proc") + " " + name + GetEventParams(eventType, language);
    const String added[] = {head, GetTemplateValue(language, "begin"), String(),
                            GetTemplateValue(language, "end"), String()};
    for (int i = 0; i < 5; ++i)
        lines.Insert(at + i, added[i]);
    return at + 3;
}

void EmptyScript(TStrings& lines, const String& language) {
    lines.Clear();
    const String lastEnd = GetTemplateValue(language, "lastend");
    if (lastEnd.empty()) return;
    lines.Add(GetTemplateValue(language, "begin"));
    lines.Add(String());
    lines.Add(lastEnd);
}
