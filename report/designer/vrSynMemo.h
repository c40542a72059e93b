// The code editor of the designer's script page: the script as a list of lines drawn in a fixed
// character grid, coloured by the script language's grammar (or by the SQL rules), with caret,
// selection, clipboard, a 32-step undo, block indentation, ten bookmarks, breakpoints, marks for
// executable lines, the current debug line, a message bar, search and a completion list whose
// entries the designer supplies.
//
// The text is UTF-8. Columns count as the program's code page counts its bytes: a character
// outside ASCII takes two columns and is drawn over both cells; the caret never stands inside
// one. Positions (X column, Y line) are 1-based; a column beyond a line's end stands on blanks
// that are not there yet.
#pragma once

#include "report/vrCtrls.h"
#include "rtl/StringList.h"

#include <array>
#include <functional>
#include <memory>

class TvsParser;
class TvrPopupForm;
class TListBox;
class TFont;

// Kinds of completion entries (attached to the entries as the object value).
enum TvrCompletionKind { ckVariable = 0, ckProperty = 1, ckProcedure = 2, ckFunction = 3 };

// The kind word a completion entry is drawn with ("constructor", "var", "property", "procedure",
// "function") and its colour.
String vrCompletionKindWord(const String& entry, int kind, TColor& color);

using TvrCompletionEvent = std::function<void(TObject* Sender, const String& Prefix, TStrings* List)>;

class TvrSyntaxMemo : public TvrScrollWin {
    ORV_META(TvrSyntaxMemo, TvrScrollWin)
    explicit TvrSyntaxMemo(TComponent* AOwner);
    ~TvrSyntaxMemo() override;

    static constexpr int MaxLineLength = 1024;
    static constexpr int UndoDepth = 32;

    // The text. The reading form marks the list as handed out: a change made through it counts as
    // a new text (caret, view, undo and colouring start afresh).
    TStringList& Lines();
    void SetLines(const TStrings& value);
    String Text() const { return FLines.Text(); }
    void SetText(const String& text);

    String SyntaxName() const { return FSyntaxName; }
    void SetSyntaxName(const String& value);
    int DebugLine() const { return FDebugLine; }
    void SetDebugLine(int value);
    String MessageText() const { return FMessageText; }
    void SetMessageText(const String& value);
    bool GutterVisible() const { return FGutterVisible; }
    void SetGutterVisible(bool value);
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor value) { FSelectionColor = value, Invalidate(); }
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor value) { FSelectionTextColor = value, Invalidate(); }

    TFont* TextFont() const { return FTextFont.get(); }
    TFont* CommentFont() const { return FCommentFont.get(); }
    TFont* KeywordFont() const { return FKeywordFont.get(); }
    TFont* StringFont() const { return FStringFont.get(); }
    TFont* NumberFont() const { return FNumberFont.get(); }

    // --- caret, selection, view ---
    TPoint CaretPos() const { return FCaret; }
    int CaretOffset() const;
    void MoveCaret(int x, int y);
    bool HasSelection() const { return FSelStart.X != 0; }
    TPoint SelStart() const { return FSelStart; }
    TPoint SelEnd() const { return FSelEnd; }
    void SetSelection(TPoint start, TPoint end);
    String SelectedText() const;
    void ReplaceSelection(const String& text);
    int FirstVisibleLine() const { return FTopLine; }
    int FirstVisibleColumn() const { return FLeftCol; }
    int VisibleLines() const { return FVisLines; }
    int VisibleColumns() const { return FVisCols; }
    int CharWidth() const { return FCharWidth; }
    int CharHeight() const { return FCharHeight; }
    int GutterWidth() const { return FGutter; }

    // --- commands ---
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void SelectAll();
    void Undo();
    int UndoCount() const { return FUndo.Count(); }
    // Searches from the 1-based offset in position (0 counts as 1) in the text with CR LF line
    // ends; a hit is selected, the caret goes to its start and position moves past it.
    bool FindText(const String& text, bool caseSensitive, int& position);

    // --- marks ---
    void AddBreakpoint(int line, const String& condition);
    void ToggleBreakpoint(int line, const String& condition);
    void DeleteBreakpoint(int line);
    bool IsBreakpoint(int line) const;
    String BreakpointCondition(int line) const;
    void DeleteRunToCursorBreakpoints();
    int BreakpointCount() const { return static_cast<int>(FBreakpoints.size()); }
    void SetExecutableLine(int line, bool flag);
    bool LineMarkedExecutable(int line) const;
    void SetBookmark(int lineIndex, int number);
    void ClearBookmark(int number);
    int BookmarkOfLine(int lineIndex) const;
    int BookmarkLine(int number) const { return number >= 0 && number < 10 ? FBookmarks[number] : -1; }
    void GotoBookmark(int number);

    // The attribute code of a character (1 text, 3 comment or blank, 4 keyword, 5 string,
    // 6 number) after colouring up to its line; 0 outside the text.
    int CharCode(int x, int y);
    // Lines coloured so far.
    int ColouredLines() const { return static_cast<int>(FColour.size()); }

    // The completion window while it is open (nullptr otherwise) and its list.
    TvrPopupForm* CompletionForm() const;
    TListBox* CompletionList() const { return FCompletionList; }
    // Asks for completion as Ctrl+Space does.
    void ShowCompletion();
    // Accepts the completion list's selected entry.
    void AcceptCompletion();

    TNotifyEvent OnCaretMoved;
    TNotifyEvent OnTextChanged;
    TvrCompletionEvent OnCompletion;

    // The characters of a text as the editor counts columns.
    static int ColumnCount(const String& text);

protected:
    void Paint() override;
    void Resize() override;
    void FontChanged() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void DoEnter() override;
    void DoExit() override;
    void HorzScrollChanged() override;
    void VertScrollChanged() override;

private:
    struct TPos {
        int X = 0, Y = 0;
    };
    // Lines as the editor changes them (the handed-out flag kept off).
    int LineCount() const { return FLines.Count(); }
    String Line(int y) const { return FLines[y - 1]; }
    void PutLine(int y, const String& s);
    void InsertLine(int y, const String& s);
    void DeleteLine(int y);
    int LineColumns(int y) const { return ColumnCount(Line(y)); }
    int TrimmedColumns(int y) const;
    // Byte offset of a column in a line (beyond the end: the size plus the missing columns).
    static size_t ByteOfColumn(const String& s, int x);
    static int ColumnOfByte(const String& s, size_t b);
    // A column inside a wide character becomes that character's first column.
    int SnapColumn(int x, int y) const;
    void LinesChanging(TObject*);
    void LinesChanged(TObject*);

    void SaveSnapshot();
    void Edited(int firstLine);
    void DiscardColouring(int fromLine);
    void ColourUpTo(int lineIndex);
    void MoveMarks(int afterLine, int delta);

    void PlaceCaret();
    void UpdateScrollBars();
    void MoveCaretKeepView(int x, int y);
    void Navigate(Word key, TShiftState shift);
    void ExtendOrClear(bool extend, TPos before);
    void InsertNewLine();
    void DeleteKey();
    void BackspaceKey();
    void DeleteCaretLine();
    void IndentBlock(bool indent);
    void TabKey();
    void WordLeft();
    void WordRight();
    void SelectWordAtCaret();
    void BookmarkKey(int number, bool set);
    TPos NormStart() const;
    TPos NormEnd() const;

    void DrawCompletionItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state);
    void CompletionKeyDown(TObject*, Word& key, TShiftState);
    void CompletionDblClick(TObject*);
    String CompletionPrefix() const;

    void PaintLine(int y, int row);
    TFont* FontOfCode(int code) const;

    TStringList FLines;
    bool FLinesHandedOut = false;
    bool FOwnChange = false;
    int FDebugLine = -1;
    TColor FSelectionColor = clHighlight;
    TColor FSelectionTextColor = clHighlightText;
    std::array<int, 10> FBookmarks;
    int FCharHeight = 16;
    int FCharWidth = 8;
    std::unique_ptr<TFont> FCommentFont, FKeywordFont, FNumberFont, FStringFont, FTextFont;
    TvrPopupForm* FCompletionForm = nullptr;
    TListBox* FCompletionList = nullptr;
    bool FIgnoreNextPress = false;
    bool FMouseSelecting = false;
    bool FGutterPress = false;
    int FGutter = 30;
    bool FMonospace = true;
    String FMessageText;
    bool FModified = false;
    bool FSnapshot = true;
    int FLeftCol = 0, FTopLine = 0;
    std::unique_ptr<TvsParser> FParser;
    TPoint FCaret{1, 1};
    TPoint FSelStart{0, 0}, FSelEnd{0, 0};
    bool FGutterVisible = true;
    std::vector<String> FColour; // per coloured line: one code per byte of the line
    String FSyntaxName;
    TStringList FUndo;
    bool FColouring = false;
    int FVisCols = 0, FVisLines = 0;
    struct TBreakpoint {
        int Line;
        String Condition;
    };
    std::vector<TBreakpoint> FBreakpoints;
    bool FSyncingBars = false;
    bool FHasCaret = false;
    char16_t FHighSurrogate = 0;
};
