// The code editor's text: lines and columns, colouring, edits, undo, marks and search.
#include "report/designer/vrSynMemo.h"

#include "classes/MetaBuilder.h"
#include "gui/Caret.h"
#include "gui/Clipbrd.h"
#include "report/designer/vrDesgnCtrls.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"
#include "script/vs_iparser.h"
#include "script/vs_itools.h"
#include "script/vs_xml.h"

#include <algorithm>

namespace {

const char* const SqlKeywordList =
    "active,after,all,alter,and,any,as,asc,ascending,at,auto,base_name,before,begin,between,by,"
    "cache,call,cast,check,column,commit,committed,computed,conditional,constraint,containing,"
    "count,create,current,cursor,database,debug,declare,default,delete,desc,descending,distinct,"
    "do,domain,drop,else,end,entry_point,escape,exception,execute,exists,exit,external,extract,"
    "filter,for,foreign,from,full,function,generator,grant,group,having,if,in,inactive,index,"
    "inner,insert,into,is,isolation,join,key,left,level,like,merge,names,no,not,null,of,on,only,"
    "or,order,outer,parameter,password,plan,position,primary,privileges,procedure,protected,read,"
    "retain,returns,revoke,right,rollback,schema,select,set,shadow,shared,snapshot,some,suspend,"
    "table,then,to,transaction,trigger,uncommitted,union,unique,update,user,using,values,view,"
    "wait,when,where,while,with,work";

// Columns of the character that starts at byte i (its length in len): two for every character
// outside ASCII, as the program's code page counts its bytes.
int SynCharColumns(const String& s, size_t i, size_t& len) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        len = 1;
        return 1;
    }
    char32_t cp = 0;
    len = Utf8Decode(s, i, cp);
    if (len == 0) {
        len = 1;
        return 1;
    }
    return 2;
}

// Lines of a text split at CR LF, LF or CR.
std::vector<String> SynSplitLines(const String& text) {
    std::vector<String> out(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

} // namespace

ORV_META_IMPL(TvrSyntaxMemo)
void TvrSyntaxMemo::DeclareMeta(meta::Class<TvrSyntaxMemo>& c) {
    using T = TvrSyntaxMemo;
    c.Property("SyntaxName", &T::SyntaxName, &T::SetSyntaxName);
    c.Property("GutterVisible", &T::GutterVisible, &T::SetGutterVisible).Default(true);
}

TvrSyntaxMemo::TvrSyntaxMemo(TComponent* AOwner) : TvrScrollWin(AOwner) {
    FBookmarks.fill(-1);
    auto makeFont = [](TColor color, TFontStyles style) {
        auto f = std::make_unique<TFont>();
        f->SetColor(color);
        f->SetStyle(style);
        return f;
    };
    FCommentFont = makeFont(TColor(0x800000), TFontStyles{fsItalic});
    FKeywordFont = makeFont(clWindowText, TFontStyles{fsBold});
    FNumberFont = makeFont(TColor(0x008000), TFontStyles{});
    FStringFont = makeFont(TColor(0x800000), TFontStyles{});
    FTextFont = makeFont(clWindowText, TFontStyles{});
    FParser = std::make_unique<TvsParser>();
    FParser->SkipBlanks = false;
    FParser->TrackLines = false;
    FLines.Add(String());
    FLines.OnChanging = [this](TObject* s) { LinesChanging(s); };
    FLines.OnChange = [this](TObject* s) { LinesChanged(s); };
    SetTabStop(true);
    SetCursor(crIBeam);
    SetColor(clWindow);
    TFont font;
    font.SetName("Courier New");
    font.SetSize(10);
    SetFont(&font);
    SetSmallChange(1);
    FontChanged();
}

TvrSyntaxMemo::~TvrSyntaxMemo() {
    FLines.OnChange = nullptr;
    FLines.OnChanging = nullptr;
    TControlCaret::Destroy(this);
    if (FCompletionForm) FCompletionForm->Release();
}

// --- lines and columns -----------------------------------------------------------------------

int TvrSyntaxMemo::ColumnCount(const String& text) {
    int cols = 0;
    for (size_t i = 0; i < text.size();) {
        size_t len = 1;
        cols += SynCharColumns(text, i, len);
        i += len;
    }
    return cols;
}

size_t TvrSyntaxMemo::ByteOfColumn(const String& s, int x) {
    int col = 1;
    size_t i = 0;
    while (i < s.size()) {
        size_t len = 1;
        const int w = SynCharColumns(s, i, len);
        if (col + w > x) return i;
        col += w;
        i += len;
    }
    return s.size() + static_cast<size_t>(std::max(0, x - col));
}

int TvrSyntaxMemo::ColumnOfByte(const String& s, size_t b) {
    int col = 1;
    size_t i = 0;
    while (i < s.size() && i < b) {
        size_t len = 1;
        col += SynCharColumns(s, i, len);
        i += len;
    }
    if (b > s.size()) col += static_cast<int>(b - s.size());
    return col;
}

int TvrSyntaxMemo::SnapColumn(int x, int y) const {
    if (y < 1 || y > LineCount()) return x;
    const String s = Line(y);
    const size_t b = ByteOfColumn(s, x);
    return b < s.size() ? ColumnOfByte(s, b) : x;
}

int TvrSyntaxMemo::TrimmedColumns(int y) const {
    return ColumnCount(TrimRight(Line(y)));
}

void TvrSyntaxMemo::PutLine(int y, const String& s) {
    FOwnChange = true;
    TObject* mark = FLines.Objects(y - 1);
    FLines.SetStrings(y - 1, s);
    FLines.SetObjects(y - 1, mark);
    FOwnChange = false;
}

void TvrSyntaxMemo::InsertLine(int y, const String& s) {
    FOwnChange = true;
    FLines.Insert(y - 1, s);
    FOwnChange = false;
}

void TvrSyntaxMemo::DeleteLine(int y) {
    FOwnChange = true;
    FLines.Delete(y - 1);
    FOwnChange = false;
}

TStringList& TvrSyntaxMemo::Lines() {
    FLinesHandedOut = true;
    return FLines;
}

void TvrSyntaxMemo::SetLines(const TStrings& value) {
    FLinesHandedOut = true;
    FLines.Assign(value);
}

void TvrSyntaxMemo::SetText(const String& text) {
    FLinesHandedOut = true;
    FLines.SetText(text);
}

void TvrSyntaxMemo::LinesChanging(TObject*) {}

// A change made through the handed-out list: the editor starts afresh.
void TvrSyntaxMemo::LinesChanged(TObject*) {
    if (FOwnChange || !FLinesHandedOut) return;
    FLinesHandedOut = false;
    if (FLines.Count() == 0) {
        FOwnChange = true;
        FLines.Add(String());
        FOwnChange = false;
    }
    DiscardColouring(1);
    FSnapshot = true;
    FUndo.Clear();
    FCaret = TPoint(1, 1);
    FLeftCol = 0;
    FTopLine = 0;
    FSelStart = FSelEnd = TPoint(0, 0);
    PlaceCaret();
    UpdateScrollBars();
    Invalidate();
}

// --- colouring -------------------------------------------------------------------------------

void TvrSyntaxMemo::SetSyntaxName(const String& value) {
    FSyntaxName = value;
    TvsParser& p = *FParser;
    p.Keywords().Clear();
    if (SameText(value, "SQL")) {
        TStringList words;
        words.SetCommaText(SqlKeywordList);
        for (int i = 0; i < words.Count(); ++i)
            p.Keywords().Add(words[i]);
        p.CommentLine1 = "--";
        p.CommentLine2.clear();
        p.SetCommentBlock1("/*,*/");
        p.SetCommentBlock2(String());
        p.StringQuotes = "\"";
        p.HexSequence = "0x";
    } else {
        TStringList langs;
        GetLanguageList(langs);
        bool known = false;
        for (int i = 0; i < langs.Count() && !known; ++i)
            known = SameText(langs[i], value);
        if (known) {
            TvsXMLDocument doc;
            doc.LoadFromString(GetLanguageGrammar(value));
            TvsXMLItem* parser = doc.Root()->FindItem("parser");
            TvsXMLItem* keywords = parser->FindItem("keywords");
            for (int i = 0; i < keywords->Count(); ++i)
                p.Keywords().Add(keywords->Items(i)->Name());
            for (int i = 0; i < parser->Count(); ++i) {
                TvsXMLItem* item = parser->Items(i);
                const String key = LowerCase(item->Name());
                const String text = item->Prop("text");
                if (key == "identchars")
                    p.SetIdentChars(text);
                else if (key == "commentline1")
                    p.CommentLine1 = text;
                else if (key == "commentline2")
                    p.CommentLine2 = text;
                else if (key == "commentblock1")
                    p.SetCommentBlock1(text);
                else if (key == "commentblock2")
                    p.SetCommentBlock2(text);
                else if (key == "stringquotes")
                    p.StringQuotes = text;
                else if (key == "hexsequence")
                    p.HexSequence = text;
            }
        }
    }
    // Keywords match without regard to case whatever the grammar says.
    p.CaseSensitive = false;
    DiscardColouring(1);
    Invalidate();
}

// Colouring from line n (1-based) is redone: the lines from the one above it on are dropped, so
// that a comment or string opened on an earlier line is read again.
void TvrSyntaxMemo::DiscardColouring(int fromLine) {
    const size_t keep = static_cast<size_t>(std::max(0, fromLine - 2));
    if (FColour.size() > keep) FColour.resize(keep);
}

void TvrSyntaxMemo::ColourUpTo(int lineIndex) {
    lineIndex = std::min(lineIndex, LineCount() - 1);
    if (lineIndex < 0 || static_cast<int>(FColour.size()) > lineIndex) return;
    FColouring = true;
    const TScopeExit done([this] { FColouring = false; });
    for (int i = static_cast<int>(FColour.size()); i <= lineIndex; ++i)
        FColour.push_back(FLines[i]);
    // The lexer restarts at the last run of plain text: plain text is never inside a comment or a
    // string.
    int startLine = 0;
    size_t startByte = 0;
    bool found = false;
    for (int i = lineIndex; i >= 0 && !found; --i) {
        const String& c = FColour[static_cast<size_t>(i)];
        for (size_t j = c.size(); j > 0; --j)
            if (c[j - 1] == 1) {
                size_t k = j - 1;
                while (k > 0 && c[k - 1] == 1)
                    --k;
                startLine = i;
                startByte = k;
                found = true;
                break;
            }
    }
    String source, colour;
    std::vector<size_t> lineStarts;
    for (int i = startLine; i <= lineIndex; ++i) {
        if (i > startLine) {
            source += "\r\n";
            colour += "\r\n";
        }
        lineStarts.push_back(colour.size());
        const size_t from = i == startLine ? startByte : 0;
        source += FLines[i].substr(std::min(from, FLines[i].size()));
        colour += FColour[static_cast<size_t>(i)].substr(std::min(from, FColour[static_cast<size_t>(i)].size()));
    }
    TvsParser& p = *FParser;
    p.SetText(source);
    const Integer size = p.Size();
    auto mark = [&](Integer from, Integer to, char code) {
        for (Integer q = from; q < to && q <= size; ++q) {
            char& ch = colour[static_cast<size_t>(q - 1)];
            if (static_cast<unsigned char>(ch) > 31) ch = code;
        }
    };
    while (p.Position() <= size) {
        Integer at = p.Position();
        p.SkipSpaces();
        mark(at, p.Position(), 3);
        at = p.Position();
        if (at > size) break;
        const String word = p.GetKeyword();
        if (!word.empty()) {
            mark(at, p.Position(), p.IsKeyword(word) ? 4 : 1);
        } else if (!p.GetNumber().empty()) {
            mark(at, p.Position(), 6);
        } else if (!p.GetString().empty()) {
            mark(at, p.Position(), 5);
        } else {
            p.SetPosition(at + 1);
            mark(at, at + 1, 1);
        }
    }
    for (int i = startLine; i <= lineIndex; ++i) {
        const size_t from = lineStarts[static_cast<size_t>(i - startLine)];
        const size_t to = i < lineIndex ? lineStarts[static_cast<size_t>(i - startLine + 1)] - 2 : colour.size();
        String& c = FColour[static_cast<size_t>(i)];
        const size_t keep = i == startLine ? std::min(startByte, c.size()) : 0;
        c = c.substr(0, keep) + colour.substr(from, to - from);
    }
}

int TvrSyntaxMemo::CharCode(int x, int y) {
    if (y < 1 || y > LineCount()) return 0;
    const String s = Line(y);
    const size_t b = ByteOfColumn(s, x);
    if (b >= s.size()) return 0;
    ColourUpTo(y - 1);
    const char c = FColour[static_cast<size_t>(y - 1)][b];
    return static_cast<unsigned char>(c) <= 31 ? c : 1;
}

// --- undo ------------------------------------------------------------------------------------

void TvrSyntaxMemo::SaveSnapshot() {
    if (!FSnapshot) return;
    FUndo.Add(Format("%5d%5d", {FCaret.X, FCaret.Y}) + FLines.Text());
    while (FUndo.Count() > UndoDepth)
        FUndo.Delete(0);
    FSnapshot = false;
}

void TvrSyntaxMemo::Undo() {
    FSnapshot = true;
    if (FUndo.Count() == 0) return;
    const String snap = FUndo[FUndo.Count() - 1];
    const int x = StrToIntDef(Trim(snap.substr(0, 5)), 1);
    const int y = StrToIntDef(Trim(snap.substr(5, 5)), 1);
    const std::vector<String> lines = SynSplitLines(snap.size() > 10 ? snap.substr(10) : String());
    FOwnChange = true;
    FLines.BeginUpdate();
    FLines.Clear();
    // The snapshot's text ends with a line break.
    const size_t n = lines.size() > 1 && lines.back().empty() ? lines.size() - 1 : lines.size();
    for (size_t i = 0; i < n; ++i)
        FLines.Add(lines[i]);
    if (FLines.Count() == 0) FLines.Add(String());
    FLines.EndUpdate();
    FOwnChange = false;
    FUndo.Delete(FUndo.Count() - 1);
    FSelStart = FSelEnd = TPoint(0, 0);
    MoveCaret(x, y);
    FColour.clear();
    FModified = true;
    UpdateScrollBars();
    Invalidate();
    if (OnTextChanged) OnTextChanged(this);
}

// --- edits -----------------------------------------------------------------------------------

void TvrSyntaxMemo::Edited(int firstLine) {
    DiscardColouring(firstLine);
    FModified = true;
    UpdateScrollBars();
    Invalidate();
    if (OnTextChanged) OnTextChanged(this);
}

void TvrSyntaxMemo::MoveMarks(int afterLine, int delta) {
    if (delta == 0) return;
    for (int& b : FBookmarks)
        if (b >= 0 && b + 1 > afterLine) b = std::max(0, b + delta);
    for (TBreakpoint& bp : FBreakpoints)
        if (bp.Line > afterLine) bp.Line = std::max(1, bp.Line + delta);
}

TvrSyntaxMemo::TPos TvrSyntaxMemo::NormStart() const {
    const bool swap = FSelStart.Y * 1024 + FSelStart.X > FSelEnd.Y * 1024 + FSelEnd.X;
    const TPoint p = swap ? FSelEnd : FSelStart;
    return {p.X, p.Y};
}

TvrSyntaxMemo::TPos TvrSyntaxMemo::NormEnd() const {
    const bool swap = FSelStart.Y * 1024 + FSelStart.X > FSelEnd.Y * 1024 + FSelEnd.X;
    const TPoint p = swap ? FSelStart : FSelEnd;
    return {p.X, p.Y};
}

void TvrSyntaxMemo::SetSelection(TPoint start, TPoint end) {
    FSelStart = start;
    FSelEnd = end;
    Invalidate();
}

String TvrSyntaxMemo::SelectedText() const {
    if (!HasSelection()) return String();
    TPos s = NormStart(), e = NormEnd();
    s.Y = std::clamp(s.Y, 1, LineCount());
    e.Y = std::clamp(e.Y, 1, LineCount());
    // A start beyond its line's end is the beginning of the next line.
    if (s.X > LineColumns(s.Y) + 1 && s.Y < LineCount()) s = {1, s.Y + 1};
    String out;
    for (int y = s.Y; y <= e.Y; ++y) {
        const String line = Line(y);
        const size_t from = y == s.Y ? std::min(ByteOfColumn(line, s.X), line.size()) : 0;
        const size_t to = y == e.Y ? std::min(ByteOfColumn(line, e.X), line.size()) : line.size();
        if (to > from) out += line.substr(from, to - from);
        if (y < e.Y) out += "\r\n";
    }
    return out;
}

void TvrSyntaxMemo::ReplaceSelection(const String& text) {
    SaveSnapshot();
    TPos s{FCaret.X, FCaret.Y}, e = s;
    if (HasSelection()) {
        s = NormStart();
        e = NormEnd();
    }
    s.Y = std::clamp(s.Y, 1, LineCount());
    e.Y = std::clamp(e.Y, 1, LineCount());
    String first = Line(s.Y);
    // A range starting beyond its line's end: the line is filled with blanks up to there.
    const int firstCols = ColumnCount(first);
    if (s.X > firstCols + 1) {
        first.append(static_cast<size_t>(s.X - 1 - firstCols), ' ');
        if (e.Y == s.Y && e.X < s.X) e.X = s.X;
    }
    const String last = e.Y == s.Y ? first : Line(e.Y);
    const size_t from = ByteOfColumn(first, s.X);
    const size_t to = std::min(ByteOfColumn(last, e.X), last.size());
    const String head = first.substr(0, std::min(from, first.size()));
    const String tail = last.substr(to);
    std::vector<String> parts = SynSplitLines(text);
    const String caretLineText = parts.back();
    parts.front() = head + parts.front();
    parts.back() += tail;
    // The lines of the range give way to the new ones.
    FOwnChange = true;
    FLines.BeginUpdate();
    for (int y = e.Y; y > s.Y; --y)
        FLines.Delete(y - 1);
    FLines.EndUpdate();
    FOwnChange = false;
    PutLine(s.Y, parts.front());
    for (size_t i = 1; i < parts.size(); ++i)
        InsertLine(s.Y + static_cast<int>(i), parts[i]);
    const int caretLine = s.Y + static_cast<int>(parts.size()) - 1;
    const String caretText = parts.size() == 1 ? head + caretLineText : caretLineText;
    MoveMarks(e.Y, caretLine - e.Y);
    FSelStart = FSelEnd = TPoint(0, 0);
    MoveCaret(ColumnOfByte(caretText, caretText.size()), caretLine);
    Edited(s.Y);
}

void TvrSyntaxMemo::InsertNewLine() {
    SaveSnapshot();
    FSelStart = FSelEnd = TPoint(0, 0);
    const int y = FCaret.Y;
    const String line = TrimRight(Line(y));
    const size_t at = ByteOfColumn(line, FCaret.X);
    const String left = line.substr(0, std::min(at, line.size()));
    String right = at < line.size() ? line.substr(at) : String();
    // The new line keeps at most the editor's line length.
    if (ColumnCount(right) > MaxLineLength) right = right.substr(0, ByteOfColumn(right, MaxLineLength + 1));
    const String leftTrim = TrimLeft(left);
    const int indent = leftTrim.empty() ? FCaret.X : ColumnCount(left) - ColumnCount(leftTrim) + 1;
    MoveMarks(FCaret.X == 1 ? y - 1 : y, 1);
    PutLine(y, left);
    InsertLine(y + 1, right);
    MoveCaret(1, y + 1);
    if (indent > 1) {
        ReplaceSelection(String(static_cast<size_t>(indent - 1), ' '));
    } else {
        Edited(y);
    }
}

void TvrSyntaxMemo::DeleteKey() {
    if (HasSelection()) {
        ReplaceSelection(String());
        return;
    }
    SaveSnapshot();
    const int y = FCaret.Y;
    const String line = Line(y);
    if (FCaret.X > TrimmedColumns(y) && y < LineCount()) {
        String joined = TrimRight(line);
        const int cols = ColumnCount(joined);
        if (cols < FCaret.X - 1) joined.append(static_cast<size_t>(FCaret.X - 1 - cols), ' ');
        joined += TrimRight(Line(y + 1));
        PutLine(y, joined);
        DeleteLine(y + 1);
        MoveMarks(y, -1);
        Edited(y);
        return;
    }
    const size_t b = ByteOfColumn(line, FCaret.X);
    if (b >= line.size()) return;
    size_t len = 1;
    SynCharColumns(line, b, len);
    PutLine(y, line.substr(0, b) + line.substr(b + len));
    Edited(y);
}

void TvrSyntaxMemo::BackspaceKey() {
    if (HasSelection()) {
        ReplaceSelection(String());
        return;
    }
    const int y = FCaret.Y;
    if (FCaret.X == 1) {
        if (y == 1) return;
        SaveSnapshot();
        const String prev = TrimRight(Line(y - 1));
        PutLine(y - 1, prev + Line(y));
        DeleteLine(y);
        MoveMarks(y, -1);
        MoveCaret(ColumnCount(prev) + 1, y - 1);
        Edited(y - 1);
        return;
    }
    const String line = Line(y);
    const String trimmed = TrimLeft(line);
    const int firstNonBlank = ColumnCount(line) - ColumnCount(trimmed) + 1;
    const bool blank = Trim(line).empty();
    SaveSnapshot();
    if (blank || FCaret.X == firstNonBlank) {
        // The indentation steps back to that of the nearest line above indented less.
        int target = 1;
        if (y == 1) {
            target = SnapColumn(FCaret.X - 1, y);
        } else {
            for (int k = y - 1; k >= 1; --k) {
                const String above = Line(k);
                if (Trim(above).empty()) continue;
                const int col = ColumnCount(above) - ColumnCount(TrimLeft(above)) + 1;
                if (col < FCaret.X) {
                    target = col;
                    break;
                }
            }
        }
        const size_t from = std::min(ByteOfColumn(line, target), line.size());
        const size_t to = std::min(ByteOfColumn(line, FCaret.X), line.size());
        PutLine(y, line.substr(0, from) + line.substr(to));
        MoveCaret(target, y);
        Edited(y);
        return;
    }
    if (FCaret.X > ColumnCount(line) + 1) {
        MoveCaret(FCaret.X - 1, y);
        return;
    }
    const size_t at = ByteOfColumn(line, FCaret.X);
    size_t b = 0, prev = 0;
    while (b < at) {
        prev = b;
        size_t len = 1;
        SynCharColumns(line, b, len);
        b += len;
    }
    PutLine(y, line.substr(0, prev) + line.substr(at));
    MoveCaret(ColumnOfByte(line, prev), y);
    Edited(y);
}

void TvrSyntaxMemo::DeleteCaretLine() {
    SaveSnapshot();
    const int y = FCaret.Y;
    if (y < LineCount()) {
        DeleteLine(y);
        MoveMarks(y, -1);
        FSelStart = FSelEnd = TPoint(0, 0);
        MoveCaret(FCaret.X, y);
    } else {
        PutLine(y, String());
        FSelStart = FSelEnd = TPoint(0, 0);
        MoveCaret(1, y);
    }
    Edited(y);
}

void TvrSyntaxMemo::IndentBlock(bool indent) {
    if (!HasSelection()) return;
    SaveSnapshot();
    const TPos s = NormStart(), e = NormEnd();
    const int first = std::clamp(s.Y, 1, LineCount());
    int last = std::clamp(e.Y, 1, LineCount());
    if (e.X == 1 && last > first) --last;
    if (indent) {
        for (int y = first; y <= last; ++y)
            PutLine(y, "  " + Line(y));
    } else {
        int least = 2;
        for (int y = first; y <= last; ++y) {
            const String l = Line(y);
            if (Trim(l).empty()) continue;
            least = std::min(least, static_cast<int>(l.size() - TrimLeft(l).size()));
        }
        if (least > 0)
            for (int y = first; y <= last; ++y) {
                const String l = Line(y);
                if (!Trim(l).empty()) PutLine(y, l.substr(static_cast<size_t>(least)));
            }
    }
    Edited(first);
}

void TvrSyntaxMemo::TabKey() {
    ReplaceSelection(String(static_cast<size_t>(8 - FCaret.X % 8), ' '));
}

void TvrSyntaxMemo::CopyToClipboard() {
    if (HasSelection()) Clipboard()->SetAsText(SelectedText());
}

void TvrSyntaxMemo::CutToClipboard() {
    if (!HasSelection()) return;
    Clipboard()->SetAsText(SelectedText());
    ReplaceSelection(String());
    Invalidate();
}

void TvrSyntaxMemo::PasteFromClipboard() {
    ReplaceSelection(Clipboard()->AsText());
}

void TvrSyntaxMemo::SelectAll() {
    const int last = LineCount();
    const TPoint end(LineColumns(last) + 1, last);
    FSelStart = TPoint(1, 1);
    FSelEnd = end;
    MoveCaret(end.X, end.Y);
    Invalidate();
}

int TvrSyntaxMemo::CaretOffset() const {
    int offset = 0;
    for (int y = 1; y < FCaret.Y; ++y)
        offset += LineColumns(y) + 2;
    return offset + FCaret.X;
}

// --- search ----------------------------------------------------------------------------------

bool TvrSyntaxMemo::FindText(const String& text, bool caseSensitive, int& position) {
    if (text.empty()) return false;
    String whole;
    for (int y = 1; y <= LineCount(); ++y) {
        if (y > 1) whole += "\r\n";
        whole += Line(y);
    }
    // Upper-casing folds ASCII only, so byte offsets stay those of the text.
    const String needle = caseSensitive ? text : UpperCase(text);
    const String hay = caseSensitive ? whole : UpperCase(whole);
    // The position counts as columns do (bytes of the program's code page); the text is UTF-8.
    const size_t startUtf8 = position <= 1 ? 0 : AnsiLeft(whole, position - 1).size();
    const size_t hit = hay.find(needle, std::min(startUtf8, hay.size()));
    if (hit == String::npos) return false;
    int y = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < hit; ++i)
        if (whole[i] == '\n') {
            ++y;
            lineStart = i + 1;
        }
    const String line = Line(y);
    const int x = ColumnOfByte(line, hit - lineStart);
    const int len = ColumnCount(whole.substr(hit, needle.size()));
    position = AnsiLength(whole.substr(0, hit)) + len + 1;
    FSelStart = TPoint(x, y);
    FSelEnd = TPoint(x + len, y);
    MoveCaret(x, y);
    Invalidate();
    return true;
}

// --- marks -----------------------------------------------------------------------------------

void TvrSyntaxMemo::AddBreakpoint(int line, const String& condition) {
    FBreakpoints.push_back({line, condition});
    Invalidate();
}

void TvrSyntaxMemo::ToggleBreakpoint(int line, const String& condition) {
    if (IsBreakpoint(line))
        DeleteBreakpoint(line);
    else
        AddBreakpoint(line, condition);
}

void TvrSyntaxMemo::DeleteBreakpoint(int line) {
    for (auto it = FBreakpoints.begin(); it != FBreakpoints.end(); ++it)
        if (it->Line == line) {
            FBreakpoints.erase(it);
            Invalidate();
            return;
        }
}

bool TvrSyntaxMemo::IsBreakpoint(int line) const {
    return std::any_of(FBreakpoints.begin(), FBreakpoints.end(), [line](const TBreakpoint& b) { return b.Line == line; });
}

String TvrSyntaxMemo::BreakpointCondition(int line) const {
    for (const TBreakpoint& b : FBreakpoints)
        if (b.Line == line) return b.Condition;
    return String();
}

void TvrSyntaxMemo::DeleteRunToCursorBreakpoints() {
    std::erase_if(FBreakpoints, [](const TBreakpoint& b) { return b.Condition == "F4"; });
    Invalidate();
}

void TvrSyntaxMemo::SetExecutableLine(int line, bool flag) {
    if (line < 1 || line > LineCount()) return;
    FOwnChange = true;
    FLines.SetObjects(line - 1, flag ? reinterpret_cast<TObject*>(std::uintptr_t(1)) : nullptr);
    FOwnChange = false;
    Invalidate();
}

bool TvrSyntaxMemo::LineMarkedExecutable(int line) const {
    if (line < 1 || line > LineCount()) return false;
    return reinterpret_cast<std::uintptr_t>(FLines.Objects(line - 1)) == 1;
}

void TvrSyntaxMemo::SetBookmark(int lineIndex, int number) {
    if (number < 0 || number >= 10) return;
    FBookmarks[static_cast<size_t>(number)] = lineIndex;
    Invalidate();
}

void TvrSyntaxMemo::ClearBookmark(int number) {
    if (number < 0 || number >= 10) return;
    FBookmarks[static_cast<size_t>(number)] = -1;
    Invalidate();
}

int TvrSyntaxMemo::BookmarkOfLine(int lineIndex) const {
    for (int i = 0; i < 10; ++i)
        if (FBookmarks[static_cast<size_t>(i)] == lineIndex) return i;
    return -1;
}

void TvrSyntaxMemo::GotoBookmark(int number) {
    if (number < 0 || number >= 10 || FBookmarks[static_cast<size_t>(number)] < 0) return;
    FSelStart = FSelEnd = TPoint(0, 0);
    MoveCaret(1, FBookmarks[static_cast<size_t>(number)] + 1);
    Invalidate();
}
