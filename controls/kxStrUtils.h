// Small integer, string and memory routines shared by the numeric edits, the calculator, the
// speed button and the GIF picture code. Strings are 8-bit texts of the program's code page.
#pragma once

#include "rtl/Types.h"

#include <cstddef>

int MaxOf(int A, int B);
int MinOf(int A, int B);

// Every occurrence of Find replaced left to right; the replacement is never rescanned. An empty
// Find leaves S unchanged.
String ReplaceAll(const String& S, const String& Find, const String& Replacement);
// S without any occurrence of C.
String RemoveChar(const String& S, char C);
// Remove the space character (code 32) only: tabs and other control characters stay.
String TrimSpaces(const String& S);
String TrimLeadingSpaces(const String& S);
String TrimTrailingSpaces(const String& S);
// N copies of C; empty when N <= 0.
String RepeatChar(char C, int N);
// The text of a loaded resource string, passed through.
String ResourceText(const String& S);

// A zero-filled block; nullptr for Size <= 0. FreeBlock frees it when P is set and clears P.
void* AllocZeroedBlock(std::ptrdiff_t Size);
void FreeBlock(void*& P);
// True when the Count bytes are equal.
bool SameBytes(const void* P1, const void* P2, std::ptrdiff_t Count);
// P advanced by N bytes.
void* OffsetPointer(void* P, std::ptrdiff_t N);
// Copies Count bytes; source and destination may overlap.
void CopyBytes(void* Dest, const void* Source, std::ptrdiff_t Count);

class TCanvas;
// S when it fits MaxWidth on the canvas; otherwise, for i = 1, 2, ... up to its length, its first
// max(0, length - i - 1) characters followed by "..." until that fits (the last one stands).
String ShortenToWidth(const String& S, TCanvas* Canvas, int MaxWidth);
