// Points, sizes and rectangles in integer logical units, with the platform's helper functions.
// A rectangle includes its left/top edge and excludes its right/bottom edge.
#pragma once

#include "rtl/Types.h"

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    constexpr TSize() = default;
    constexpr TSize(int w, int h) : cx(w), cy(h) {}
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr TRect(TPoint topLeft, TPoint bottomRight)
        : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int x, int y) {
    return {x, y};
}
constexpr TSize Size(int cx, int cy) {
    return {cx, cy};
}
constexpr TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
constexpr TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// True when the rectangle has no area (right <= left or bottom <= top).
constexpr bool IsRectEmpty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}
constexpr bool PtInRect(const TRect& r, const TPoint& p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
// Grows the rectangle by dx on the left and right and dy on the top and bottom (negative shrinks).
constexpr void InflateRect(TRect& r, int dx, int dy) {
    r.Left -= dx;
    r.Top -= dy;
    r.Right += dx;
    r.Bottom += dy;
}
constexpr void OffsetRect(TRect& r, int dx, int dy) {
    r.Left += dx;
    r.Top += dy;
    r.Right += dx;
    r.Bottom += dy;
}
// The common part of a and b; an empty intersection gives the zero rectangle and false.
bool IntersectRect(TRect& dest, const TRect& a, const TRect& b);
// The smallest rectangle holding a and b (an empty one is ignored); false when both are empty.
bool UnionRect(TRect& dest, const TRect& a, const TRect& b);
bool EqualRect(const TRect& a, const TRect& b);
TPoint CenterPoint(const TRect& r);

// number * numerator / denominator with a 64-bit intermediate, rounded half away from zero;
// -1 when denominator is 0 (as the platform's MulDiv).
int MulDiv(int number, int numerator, int denominator);
