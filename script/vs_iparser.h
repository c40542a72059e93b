// The lexer of the script interpreter: a cursor over one text with token readers configured by
// a language's settings. It builds no token stream: every reader starts at the current position,
// returns the token text (empty when that kind of token is not there) and moves past what it
// read. Callers back-track by saving and restoring Position().
//
// Positions are 1-based indexes into the text. The text carries a NUL after its last character,
// and no reader moves past it. All readers work on bytes: text in UTF-8 passes through unchanged,
// and with the characters 128 to 255 in the identifier set UTF-8 letters make up words.
#pragma once

#include "rtl/Object.h"
#include "rtl/StringList.h"
#include "rtl/Types.h"

#include <bitset>
#include <vector>

class TvsParser : public TObject {
public:
    TvsParser();
    String ClassName() const override { return "TvsParser"; }

    // --- settings (a grammar's "parser" keys; see SetDefaults for the defaults) ---
    String CommentLine1;        // opens a comment to the end of the line ("//")
    String CommentLine2;        // a second line-comment mark (none)
    String StringQuotes;        // its first character quotes string literals ("'")
    String HexSequence;         // prefix of hexadecimal numbers ("$")
    String SkipChar;            // its first character joins the next line to this one (none)
    bool CaseSensitive = false; // keywords compare with regard to case
    bool SpecStrChar = false;   // backslash escapes in strings; a quote always ends a string
    bool SkipEOL = true;        // off: carriage returns are tokens (GetEOL) instead of blanks
    // Switches without a grammar key; the code editor turns both off.
    bool SkipBlanks = true; // readers skip blanks and comments before their token
    bool TrackLines = true; // keep the line starts that GetXYPosition needs

    // Every setting of the table to its default, the keyword list emptied, SkipBlanks on.
    void SetDefaults();
    // Block comments: "open,close" (an empty mark when the list is shorter).
    void SetCommentBlock1(const String& Text);
    void SetCommentBlock2(const String& Text);
    const String& CommentBlock1() const { return FCommentBlock1; }
    const String& CommentBlock2() const { return FCommentBlock2; }
    // The identifier set becomes exactly the characters of Text.
    void SetIdentChars(const String& Text);
    void AddIdentChar(unsigned char C) { FIdentChars.set(C); }
    bool IsIdentChar(unsigned char C) const { return FIdentChars.test(C); }

    // Reserved words: a string list kept sorted without regard to case.
    TStringList& Keywords() { return FKeywords; }
    const TStringList& Keywords() const { return FKeywords; }
    // With CaseSensitive off, Word is looked up without regard to case; with it on, exactly.
    bool IsKeyword(const String& Word) const;

    // --- text and position ---
    // Takes the text; position 1. SetText is the same operation under the designer's name.
    void LoadText(const String& Text);
    void SetText(const String& Text) { LoadText(Text); }
    const String& Text() const { return FSource; }
    Integer Size() const { return static_cast<Integer>(FSource.size()); }
    Integer Position() const { return FPosition; }
    // Where the last token began (set by SkipSpaces).
    Integer LastPosition() const { return FLastPosition; }
    void SetPosition(Integer Index);

    // --- readers ---
    // Skips blanks (codes 0 to 32; a carriage return only with SkipEOL on), continuation
    // characters and comments, then marks the start of the next token.
    void SkipSpaces();
    // True after skipping a run of line ends; primitive "eol".
    bool GetEOL();
    // A word: a character of the identifier set that is not a digit, and all that follow.
    String GetWord();
    // GetWord, but a keyword gives empty text; primitive "ident".
    String GetIdent();
    // GetWord with keywords; primitive "keyword".
    String GetKeyword();
    // One punctuation character (33-47, 58-64, 91-96, 123-126), skipping no blanks; "char".
    String GetChar();
    // A string literal as its value between single quotes, whatever the language's quote; "string".
    String GetString();
    // A number as written, the language's hexadecimal prefix replaced by "$"; "number".
    String GetNumber();
    // The text up to the bracket that closes the one just read; the position stays on that
    // bracket. Primitive "frstring".
    String GetBracketText();

    // The position as "line:column", both 1-based.
    String GetXYPosition() const;
    String PositionText(Integer Pos) const;
    // The 1-based position of column X on line Y; -1 when the line does not exist.
    Integer GetPlainPosition(Integer X, Integer Y) const;

private:
    char At(Integer Pos) const { return FText[static_cast<size_t>(Pos - 1)]; }
    bool IsBlank(char C) const;
    bool MatchesAt(Integer Pos, const String& Mark) const;
    bool ReadQuotedPart(String& Value);
    bool ReadCharCode(String& Value);
    bool ReadInteger(Integer& Pos) const;
    void SkipEOLRun();
    // The position of the line end when the continuation character at Pos continues the line; 0
    // when it does not.
    Integer ContinuationEnd(Integer Pos) const;

    String FSource; // the text as given
    String FText;   // the text with its NUL
    Integer FPosition = 1;
    Integer FLastPosition = 1;
    std::vector<Integer> FLineStarts{0};
    TStringList FKeywords;
    std::bitset<256> FIdentChars;
    String FCommentBlock1, FCommentBlock2;
    String FBlock1Open, FBlock1Close, FBlock2Open, FBlock2Close;
};
