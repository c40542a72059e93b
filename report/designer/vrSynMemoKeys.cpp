// The code editor's caret and view, keys, mouse and completion list.
#include "report/designer/vrDesgnCtrls.h"
#include "report/designer/vrSynMemo.h"

#include "gui/Caret.h"
#include "gui/Forms.h"
#include "gui/StdCtrls.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

#include <algorithm>

namespace {

// Word characters: ASCII letters, digits, "_", and the letters beyond ASCII (code page bytes
// 192 to 255 in the program's code page); punctuation beyond ASCII separates words.
bool SynIsWordChar(char32_t c) {
    if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    if (c < 0xC0 || c == 0xD7 || c == 0xF7) return false;
    if (c >= 0x2000 && c <= 0x2BFF) return false;  // punctuation, symbols, arrows, boxes
    if (c >= 0x3000 && c <= 0x303F) return false;  // CJK punctuation, ideographic space
    if (c >= 0xFE30 && c <= 0xFE4F) return false;  // CJK compatibility forms
    if (c >= 0xFF00 && c <= 0xFF0F) return false;  // full-width punctuation
    if (c >= 0xFF1A && c <= 0xFF20) return false;
    if (c >= 0xFF3B && c <= 0xFF40) return false;
    if (c >= 0xFF5B && c <= 0xFF65) return false;
    return true;
}

// The characters of a line with their first columns.
struct TSynChar {
    char32_t Code;
    int Column;
    int Width;
};
std::vector<TSynChar> SynChars(const String& s) {
    std::vector<TSynChar> out;
    int col = 1;
    for (size_t i = 0; i < s.size();) {
        char32_t cp = static_cast<unsigned char>(s[i]);
        size_t len = 1;
        int w = 1;
        if (cp >= 0x80) {
            len = Utf8Decode(s, i, cp);
            if (len == 0) {
                len = 1;
            } else {
                w = 2;
            }
        }
        out.push_back({cp, col, w});
        col += w;
        i += len;
    }
    return out;
}

// The index of the character at a column (its count beyond the end).
size_t SynCharAt(const std::vector<TSynChar>& chars, int x) {
    for (size_t i = 0; i < chars.size(); ++i)
        if (chars[i].Column + chars[i].Width > x) return i;
    return chars.size();
}

} // namespace

String vrCompletionKindWord(const String& entry, int kind, TColor& color) {
    color = clBlue;
    if (entry.find("Constructor") != String::npos) return "constructor";
    if (kind == ckVariable) return "var";
    if (kind == ckProperty) return "property";
    color = clFuchsia;
    return kind == ckProcedure ? "procedure" : "function";
}

// --- caret and view --------------------------------------------------------------------------

void TvrSyntaxMemo::MoveCaret(int x, int y) {
    if (!FMessageText.empty()) {
        FMessageText.clear();
        Invalidate();
    }
    x = std::clamp(x, 1, MaxLineLength);
    y = std::clamp(y, 1, LineCount());
    x = SnapColumn(x, y);
    FCaret = TPoint(x, y);
    if (FVisLines > 0 && FVisCols > 0) {
        if (FTopLine > LineCount() - 1) FTopLine = LineCount() - 1;
        bool scrolled = false;
        if (x > FLeftCol + FVisCols) {
            FLeftCol = x - FVisCols;
            scrolled = true;
        } else if (x <= FLeftCol) {
            FLeftCol = x - 1;
            scrolled = true;
        }
        if (y > FTopLine + FVisLines) {
            FTopLine = y - FVisLines;
            scrolled = true;
        } else if (y <= FTopLine) {
            FTopLine = y - 1;
            scrolled = true;
        }
        if (scrolled) Invalidate();
    }
    PlaceCaret();
    UpdateScrollBars();
}

void TvrSyntaxMemo::PlaceCaret() {
    if (FCaret.X > FLeftCol)
        TControlCaret::SetPos(this, FGutter + (FCaret.X - FLeftCol - 1) * FCharWidth,
                              (FCaret.Y - FTopLine - 1) * FCharHeight);
    else
        TControlCaret::SetPos(this, -100, -100);
    if (OnCaretMoved) OnCaretMoved(this);
}

void TvrSyntaxMemo::UpdateScrollBars() {
    FSyncingBars = true;
    const TScopeExit done([this] { FSyncingBars = false; });
    SetVertExtent(LineCount());
    SetVertPageSize(FVisLines);
    SetLargeChange(std::max(1, FVisLines));
    SetVertScrollOffset(FTopLine);
    SetHorzExtent(MaxLineLength);
    SetHorzPageSize(FVisCols);
    SetHorzScrollOffset(FLeftCol);
}

void TvrSyntaxMemo::HorzScrollChanged() {
    if (FSyncingBars) return;
    FLeftCol = std::min(HorzScrollOffset(), MaxLineLength);
    PlaceCaret();
    Invalidate();
}

void TvrSyntaxMemo::VertScrollChanged() {
    if (FSyncingBars) return;
    FTopLine = std::min(VertScrollOffset(), LineCount() - 1);
    PlaceCaret();
    Invalidate();
}

bool TvrSyntaxMemo::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
    const int top = std::clamp(FTopLine + (wheelDelta > 0 ? -SmallChange() : SmallChange()), 0, LineCount() - 1);
    if (top != FTopLine) {
        FTopLine = top;
        PlaceCaret();
        UpdateScrollBars();
        Invalidate();
    }
    return true;
}

void TvrSyntaxMemo::FontChanged() {
    TvrScrollWin::FontChanged();
    for (TFont* f : {FCommentFont.get(), FKeywordFont.get(), FNumberFont.get(), FStringFont.get(), FTextFont.get()}) {
        f->SetName(Font()->Name());
        f->SetSize(Font()->Size());
        f->SetCharset(Font()->Charset());
    }
    TCanvas* c = Canvas();
    c->Font()->Assign(*Font());
    c->Font()->SetStyle(TFontStyles{fsBold});
    FCharHeight = std::max(1, c->TextHeight("Wg") + 1);
    FCharWidth = std::max(1, c->TextWidth("W"));
    FMonospace = UpperCase(Font()->Name()).find("COURIER NEW") != String::npos;
    Resize();
    if (FHasCaret) {
        TControlCaret::Create(this, 2, FCharHeight);
        TControlCaret::Show(this);
        PlaceCaret();
    }
}

void TvrSyntaxMemo::Resize() {
    TvrScrollWin::Resize();
    const TRect r = ClientRect();
    FVisCols = std::max(0, (r.Width() - FGutter) / FCharWidth);
    FVisLines = std::max(0, r.Height() / FCharHeight);
    UpdateScrollBars();
}

void TvrSyntaxMemo::SetGutterVisible(bool value) {
    FGutterVisible = value;
    FGutter = value ? 30 : 0;
    Resize();
    Invalidate();
}

void TvrSyntaxMemo::SetDebugLine(int value) {
    FDebugLine = value;
    Invalidate();
}

void TvrSyntaxMemo::SetMessageText(const String& value) {
    FMessageText = value;
    Invalidate();
}

void TvrSyntaxMemo::DoEnter() {
    TvrScrollWin::DoEnter();
    FHasCaret = true;
    TControlCaret::Create(this, 2, FCharHeight);
    TControlCaret::Show(this);
    PlaceCaret();
}

void TvrSyntaxMemo::DoExit() {
    TvrScrollWin::DoExit();
    FHasCaret = false;
    TControlCaret::Destroy(this);
}

// --- keys ------------------------------------------------------------------------------------

void TvrSyntaxMemo::ExtendOrClear(bool extend, TPos before) {
    if (extend) {
        if (!HasSelection()) FSelStart = TPoint(before.X, before.Y);
        FSelEnd = FCaret;
    } else {
        FSelStart = FSelEnd = TPoint(0, 0);
    }
    Invalidate();
}

void TvrSyntaxMemo::WordLeft() {
    int x = FCaret.X, y = FCaret.Y;
    const int trimmed = TrimmedColumns(y);
    if (x > trimmed + 1) x = trimmed + 1;
    if (x == 1) {
        // The line end before the caret stops the step: the caret goes to the end of the line above.
        if (y > 1) MoveCaret(TrimmedColumns(y - 1) + 1, y - 1);
        else MoveCaret(1, 1);
        return;
    }
    const std::vector<TSynChar> chars = SynChars(Line(y));
    size_t i = SynCharAt(chars, x); // the character at the caret; the one before is i - 1
    while (i > 0 && !SynIsWordChar(chars[i - 1].Code))
        --i;
    while (i > 0 && SynIsWordChar(chars[i - 1].Code))
        --i;
    MoveCaret(i < chars.size() ? chars[i].Column : x, y);
}

void TvrSyntaxMemo::WordRight() {
    int x = FCaret.X, y = FCaret.Y;
    if (x > TrimmedColumns(y) && y < LineCount()) {
        x = 1;
        ++y;
    }
    const std::vector<TSynChar> chars = SynChars(TrimRight(Line(y)));
    size_t i = SynCharAt(chars, x);
    while (i < chars.size() && SynIsWordChar(chars[i].Code))
        ++i;
    while (i < chars.size() && !SynIsWordChar(chars[i].Code))
        ++i;
    const int end = chars.empty() ? 1 : chars.back().Column + chars.back().Width;
    MoveCaret(i < chars.size() ? chars[i].Column : std::max(end, std::min(x, end)), y);
}

// Double click: the word found as Ctrl+Left finds it, selected over its word characters.
void TvrSyntaxMemo::SelectWordAtCaret() {
    WordLeft();
    const std::vector<TSynChar> chars = SynChars(Line(FCaret.Y));
    size_t i = SynCharAt(chars, FCaret.X);
    const int start = FCaret.X;
    while (i < chars.size() && SynIsWordChar(chars[i].Code))
        ++i;
    const int end = i < chars.size() ? chars[i].Column : (chars.empty() ? 1 : chars.back().Column + chars.back().Width);
    FSelStart = TPoint(start, FCaret.Y);
    MoveCaret(std::max(start, end), FCaret.Y);
    FSelEnd = FCaret;
    if (FSelEnd == FSelStart) FSelStart = FSelEnd = TPoint(0, 0);
    Invalidate();
}

void TvrSyntaxMemo::BookmarkKey(int number, bool set) {
    const int index = FCaret.Y - 1;
    if (!set) {
        GotoBookmark(number);
        return;
    }
    const int current = BookmarkOfLine(index);
    if (current == -1)
        SetBookmark(index, number);
    else if (current == number)
        ClearBookmark(number);
}

void TvrSyntaxMemo::Navigate(Word key, TShiftState shift) {
    const TPos before{FCaret.X, FCaret.Y};
    const bool ctrl = shift.Contains(ssCtrl);
    const int x = FCaret.X, y = FCaret.Y;
    switch (key) {
    case VK_LEFT:
        if (ctrl) {
            WordLeft();
        } else if (x > 1) {
            const std::vector<TSynChar> chars = SynChars(Line(y));
            const size_t i = SynCharAt(chars, x);
            MoveCaret(i > 0 && i <= chars.size() && x <= chars.back().Column + chars.back().Width ? chars[i - 1].Column : x - 1, y);
        }
        break;
    case VK_RIGHT:
        if (ctrl) {
            WordRight();
        } else {
            const std::vector<TSynChar> chars = SynChars(Line(y));
            const size_t i = SynCharAt(chars, x);
            MoveCaret(std::min(MaxLineLength, i < chars.size() ? chars[i].Column + chars[i].Width : x + 1), y);
        }
        break;
    case VK_UP:
        MoveCaret(x, y - 1);
        break;
    case VK_DOWN:
        MoveCaret(x, y + 1);
        break;
    case VK_HOME:
        MoveCaret(1, ctrl ? 1 : y);
        break;
    case VK_END:
        if (ctrl)
            MoveCaret(LineColumns(LineCount()) + 1, LineCount());
        else
            MoveCaret(TrimmedColumns(y) + 1, y);
        break;
    case VK_PRIOR: {
        const int page = std::max(1, FVisLines - 1);
        if (FTopLine > page) {
            FTopLine -= page;
            MoveCaret(x, y - page);
        } else if (FTopLine == 0) {
            MoveCaret(x, 1);
        } else {
            const int offset = FTopLine;
            FTopLine = 0;
            MoveCaret(x, y - offset);
        }
        Invalidate();
        break;
    }
    case VK_NEXT: {
        const int page = std::max(1, FVisLines - 1);
        if (FTopLine + page + FVisLines <= LineCount()) {
            FTopLine += page;
            MoveCaret(x, y + page);
        } else {
            FTopLine = LineCount() - 1;
            MoveCaret(x, LineCount());
        }
        Invalidate();
        break;
    }
    default:
        return;
    }
    ExtendOrClear(shift.Contains(ssShift), before);
    FSnapshot = true;
}

void TvrSyntaxMemo::KeyDown(Word& Key, TShiftState Shift) {
    TvrScrollWin::KeyDown(Key, Shift);
    if (Key == 0) return;
    const bool ctrl = Shift.Contains(ssCtrl), shiftKey = Shift.Contains(ssShift), alt = Shift.Contains(ssAlt);
    bool handled = true;
    if (Key >= '0' && Key <= '9' && ctrl && !alt) {
        BookmarkKey(Key - '0', shiftKey);
    } else if ((Key >= VK_PRIOR && Key <= VK_DOWN) && !alt) {
        Navigate(Key, Shift);
    } else if (Key == VK_RETURN && !ctrl && !shiftKey && !alt) {
        InsertNewLine();
        FSnapshot = true;
    } else if (Key == VK_TAB && !ctrl && !alt) {
        TabKey();
        FSnapshot = true;
    } else if (Key == VK_BACK && ctrl) {
        SelectWordAtCaret();
        if (HasSelection()) ReplaceSelection(String());
        FSnapshot = true;
    } else if (Key == VK_BACK && !alt) {
        BackspaceKey();
        FSnapshot = true;
    } else if (Key == VK_DELETE && shiftKey) {
        CutToClipboard();
    } else if (Key == VK_DELETE && ctrl) {
        SelectWordAtCaret();
        if (HasSelection()) ReplaceSelection(String());
        FSnapshot = true;
    } else if (Key == VK_DELETE) {
        DeleteKey();
        FSnapshot = true;
    } else if (Key == VK_INSERT && ctrl) {
        CopyToClipboard();
    } else if (Key == VK_INSERT && shiftKey) {
        PasteFromClipboard();
    } else if (Key == VK_INSERT) {
        FSnapshot = true;
    } else if (ctrl && !alt && Key == 'Y') {
        FSnapshot = true;
        DeleteCaretLine();
    } else if (ctrl && !alt && Key == 'I') {
        IndentBlock(true);
    } else if (ctrl && !alt && Key == 'U') {
        IndentBlock(false);
    } else if (ctrl && !alt && Key == 'Z') {
        Undo();
    } else if (ctrl && !alt && Key == 'X') {
        CutToClipboard();
    } else if (ctrl && !alt && Key == 'C') {
        CopyToClipboard();
    } else if (ctrl && !alt && Key == 'V') {
        PasteFromClipboard();
    } else if (ctrl && !alt && Key == 'A') {
        SelectAll();
    } else if (ctrl && !alt && Key == VK_SPACE) {
        if (OnCompletion) ShowCompletion();
    } else {
        handled = false;
    }
    if (handled) Key = 0;
}

void TvrSyntaxMemo::KeyPress(char16_t& Key) {
    TvrScrollWin::KeyPress(Key);
    const char16_t key = Key;
    if (key == 0) return;
    Key = 0;
    const bool ctrlHeld = (GetKeyState(VK_LCONTROL) < 0 || GetKeyState(VK_RCONTROL) < 0 || GetKeyState(VK_CONTROL) < 0) &&
                          GetKeyState(VK_RMENU) >= 0;
    // A character beyond the basic plane comes as a pair of UTF-16 units.
    if (key >= 0xD800 && key <= 0xDBFF) {
        FHighSurrogate = key;
        return;
    }
    char32_t cp = key;
    if (key >= 0xDC00 && key <= 0xDFFF) {
        if (!FHighSurrogate) return;
        cp = 0x10000 + ((static_cast<char32_t>(FHighSurrogate) - 0xD800) << 10) + (key - 0xDC00);
    }
    FHighSurrogate = 0;
    if (cp == 127 || (cp < 33 && cp != 32)) return;
    if (cp == 32 && ctrlHeld) return;
    if (cp >= 0x80 && cp < 0xA0) return;
    String text;
    Utf8Append(text, cp);
    ReplaceSelection(text);
    FSnapshot = false;
}

// --- mouse -----------------------------------------------------------------------------------

void TvrSyntaxMemo::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TvrScrollWin::MouseDown(Button, Shift, X, Y);
    if (FIgnoreNextPress) {
        FIgnoreNextPress = false;
        return;
    }
    if (Button != mbLeft) return;
    FSnapshot = true;
    if (CanFocus()) SetFocus();
    FMouseSelecting = true;
    FGutterPress = X < FGutter;
    const TPos before{FCaret.X, FCaret.Y};
    MoveCaret((X - FGutter) / FCharWidth + FLeftCol + 1, Y / FCharHeight + FTopLine + 1);
    ExtendOrClear(Shift.Contains(ssShift), before);
}

void TvrSyntaxMemo::MouseMove(TShiftState Shift, int X, int Y) {
    TvrScrollWin::MouseMove(Shift, X, Y);
    SetCursor(X < FGutter ? crArrow : crIBeam);
    if (!FMouseSelecting || !Shift.Contains(ssLeft)) return;
    const TPos before{FCaret.X, FCaret.Y};
    const int x = std::max(1, (X - FGutter) / FCharWidth + FLeftCol + 1);
    const int y = std::max(1, Y / FCharHeight + FTopLine + 1);
    if (x == FCaret.X && y == FCaret.Y) return;
    MoveCaret(x, y);
    if (FCaret.X != before.X || FCaret.Y != before.Y) ExtendOrClear(true, before);
}

void TvrSyntaxMemo::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TvrScrollWin::MouseUp(Button, Shift, X, Y);
    FMouseSelecting = false;
    if (FGutterPress && X < FGutter) ToggleBreakpoint(FCaret.Y, String());
    FGutterPress = false;
}

void TvrSyntaxMemo::DblClick() {
    TvrScrollWin::DblClick();
    // The press that comes with the double click is not a new press.
    FIgnoreNextPress = true;
    FGutterPress = false;
    SelectWordAtCaret();
    FMouseSelecting = false;
}

// --- completion ------------------------------------------------------------------------------

String TvrSyntaxMemo::CompletionPrefix() const {
    const String line = Line(FCaret.Y);
    String s = line.substr(0, std::min(line.size(), ByteOfColumn(line, FCaret.X)));
    s = Trim(s);
    if (!s.empty()) s.pop_back();
    String prefix;
    bool single = false, dbl = false;
    int paren = 0, bracket = 0;
    for (size_t i = s.size(); i > 0; --i) {
        const char c = s[i - 1];
        if (c == '\'' && !dbl) {
            single = !single;
            continue;
        }
        if (c == '"' && !single) {
            dbl = !dbl;
            continue;
        }
        if (single || dbl) continue;
        if (c == ')') {
            ++paren;
            continue;
        }
        if (c == '(') {
            if (paren > 0) --paren;
            continue;
        }
        if (c == ']') {
            ++bracket;
            continue;
        }
        if (c == '[') {
            if (bracket > 0) --bracket;
            continue;
        }
        if (paren > 0 || bracket > 0) continue;
        const bool ok = c == ' ' || c == '.' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                        (c >= 'a' && c <= 'z');
        if (!ok) break;
        prefix.insert(prefix.begin(), c);
    }
    // A blank before the name ("x := Report.") is not part of it.
    return Trim(prefix);
}

TvrPopupForm* TvrSyntaxMemo::CompletionForm() const {
    return FCompletionForm;
}

void TvrSyntaxMemo::ShowCompletion() {
    if (!OnCompletion) return;
    if (FCompletionForm) FCompletionForm->Release();
    auto* form = new TvrPopupForm(this);
    FCompletionForm = form;
    FCompletionList = new TListBox(form);
    FCompletionList->SetParent(form);
    FCompletionList->SetAlign(alClient);
    FCompletionList->SetSorted(true);
    FCompletionList->SetStyle(lbOwnerDrawFixed);
    FCompletionList->SetItemHeight(FCompletionList->ItemHeight() + 2);
    FCompletionList->OnDrawItem = [this](TWinControl* c, int i, TRect r, TOwnerDrawState s) {
        DrawCompletionItem(c, i, r, s);
    };
    FCompletionList->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { CompletionKeyDown(s, k, sh); };
    FCompletionList->OnDblClick = [this](TObject* s) { CompletionDblClick(s); };
    form->OnDestroy = [this, form](TObject*) {
        if (FCompletionForm == form) {
            FCompletionForm = nullptr;
            FCompletionList = nullptr;
        }
    };
    OnCompletion(this, CompletionPrefix(), FCompletionList->Items());
    if (FCompletionList->Items()->Count() > 0) FCompletionList->SetItemIndex(0);
    const TPoint at = ClientToScreen(
        TPoint(FGutter + (FCaret.X - FLeftCol - 1) * FCharWidth, (FCaret.Y - FTopLine) * FCharHeight));
    form->SetBounds(at.X, at.Y, 300, 100);
    form->Show();
}

void TvrSyntaxMemo::DrawCompletionItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
    auto* list = static_cast<TListBox*>(control);
    TCanvas* c = list->Canvas();
    const bool selected = state.Contains(odSelected);
    c->Brush()->SetColor(selected ? clHighlight : clWindow);
    c->FillRect(rect);
    c->Brush()->SetStyle(bsClear);
    const String entry = list->Items()->Strings(index);
    const auto kind = static_cast<int>(reinterpret_cast<std::uintptr_t>(list->Items()->Objects(index)));
    TColor color = clBlue;
    const String word = vrCompletionKindWord(entry, kind, color);
    c->Font()->SetStyle(TFontStyles{});
    c->Font()->SetColor(selected ? clWhite : color);
    c->TextOut(rect.Left + 2, rect.Top + 2, word);
    int x = rect.Left + c->TextWidth("constructor") + 6;
    size_t n = 0;
    while (n < entry.size() && (n == 0 || SynIsWordChar(static_cast<unsigned char>(entry[n]))))
        ++n;
    const String ident = entry.substr(0, n);
    String rest = entry.substr(n);
    const size_t cut = rest.find(": Constructor");
    if (cut != String::npos) rest = rest.substr(0, cut);
    c->Font()->SetStyle(TFontStyles{fsBold});
    c->Font()->SetColor(selected ? clWhite : clBlack);
    c->TextOut(x, rect.Top + 2, ident);
    x += c->TextWidth(ident);
    c->Font()->SetStyle(TFontStyles{});
    c->TextOut(x, rect.Top + 2, rest);
}

void TvrSyntaxMemo::AcceptCompletion() {
    if (!FCompletionList) return;
    const int i = FCompletionList->ItemIndex();
    TvrPopupForm* form = FCompletionForm;
    if (i >= 0) {
        const String entry = FCompletionList->Items()->Strings(i);
        size_t n = 0;
        while (n < entry.size() && (n == 0 || SynIsWordChar(static_cast<unsigned char>(entry[n]))))
            ++n;
        const bool params = n < entry.size() && entry[n] == '(';
        ReplaceSelection(entry.substr(0, n) + (params ? "()" : ""));
        if (params) MoveCaret(FCaret.X - 1, FCaret.Y);
    }
    if (form) form->Close();
}

void TvrSyntaxMemo::CompletionKeyDown(TObject*, Word& key, TShiftState) {
    if (key == VK_RETURN) {
        key = 0;
        AcceptCompletion();
    } else if (key == VK_ESCAPE) {
        key = 0;
        if (FCompletionForm) FCompletionForm->Close();
    }
}

void TvrSyntaxMemo::CompletionDblClick(TObject*) {
    AcceptCompletion();
}
