// The platform's edit-mask notation, read once for every user: the masked edit control and the
// script library's FormatMaskText. A mask is the picture, optionally followed by ";" and a flag
// (0: the value holds no literals) and ";" and the blank character. In the picture 0 9 # L l A a
// C c & take characters of the value in turn, "\" quotes the next character, ">" and "<" switch to
// upper and lower case ("<>" back to as typed), "!" is ignored, everything else is a literal.
#pragma once

#include "rtl/Types.h"

#include <vector>

struct TEditMaskInfo {
    // One position of the picture: a character class (one of 0 9 # L l A a C c &) or a literal.
    struct TSlot {
        char Kind = 0; // the class character, 0 for a literal
        char Literal = 0;
        int Case = 0; // 1 upper, -1 lower, 0 as typed
    };
    String Picture;           // the picture without its sections
    std::vector<TSlot> Slots; // the positions the picture shows
    bool KeepLiterals = true; // the value holds the literals too (flag other than "0")
    char Blank = ' ';         // shown for a position the value leaves empty
};

// Splits a mask into its picture and sections and lists the positions it shows.
TEditMaskInfo ReadEditMask(const String& EditMask);

// True for the characters that take a character of the value.
bool IsMaskClassChar(char C);

// The value laid into the mask's positions: class positions take the value's characters in turn
// (with the case switches), literals are shown and, when the value holds literals, skipped in it.
String FormatMaskText(const String& EditMask, const String& Value);
