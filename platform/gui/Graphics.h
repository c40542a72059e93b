// The graphics objects of the form library: fonts, pens, brushes, regions and the canvas that
// draws with them. Units are logical pixels (96 per inch on the screen and on bitmaps, the
// device's resolution on a printer). Back ends of TCanvas draw through Qt or record into a
// metafile; nothing of Qt shows here.
#pragma once

#include "classes/Persistent.h"
#include "classes/Set.h"
#include "gui/Colors.h"
#include "gui/Geometry.h"
#include "rtl/Events.h"
#include "rtl/Object.h"
#include "rtl/SysUtils.h"

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class TGraphic;
class TBitmap;

ORV_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
ORV_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)

// GetPixel's answer outside the surface.
constexpr TColor CLR_INVALID = -1;

// ---------------------------------------------------------------------------------------------
// Font, pen and brush

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

ORV_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
using TFontStyles = TSet<TFontStyle>;
ORV_SET(TFontStyles)

enum TFontPitch { fpDefault, fpVariable, fpFixed };
ORV_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed)
using TFontCharset = Byte;
using TFontName = String;

enum : TFontCharset {
    ANSI_CHARSET = 0,
    DEFAULT_CHARSET = 1,
    SYMBOL_CHARSET = 2,
    SHIFTJIS_CHARSET = 128,
    HANGEUL_CHARSET = 129,
    GB2312_CHARSET = 134,
    CHINESEBIG5_CHARSET = 136,
    OEM_CHARSET = 255,
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
ORV_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
ORV_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
         pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor)
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
ORV_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
         bsDiagCross)

// Base of fonts, pens and brushes: OnChange fires after every change of an attribute.
class TGraphicsObject : public TPersistent {
    ORV_META(TGraphicsObject, TPersistent)
    TNotifyEvent OnChange;

protected:
    void Changed();
};

class TFont : public TGraphicsObject {
    ORV_META(TFont, TGraphicsObject)
    TFont();
    void Assign(const TPersistent* Source) override;
    void Assign(const TFont& source);
    // Same name, height, style, colour, charset, pitch and orientation.
    bool SameAs(const TFont& other) const;

    const TFontName& Name() const { return FName; }
    void SetName(const TFontName& name);
    // Size in points; Size = -Height * 72 / PixelsPerInch (a positive Height gives a negative Size).
    int Size() const;
    void SetSize(int points);
    // Negative: the character height (em size) in pixels; positive: the cell height including the
    // internal leading; 0: the default height.
    int Height() const { return FHeight; }
    void SetHeight(int height);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);
    // Rotation of the text in tenths of a degree, counter-clockwise.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int tenths);
    // The resolution Size is converted with (96 on screen and bitmaps, the printer's on a printer).
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int ppi) { FPixelsPerInch = ppi > 0 ? ppi : 96; }

private:
    TFontName FName;
    int FHeight;
    TFontStyles FStyle;
    TColor FColor;
    TFontCharset FCharset;
    TFontPitch FPitch;
    int FOrientation;
    int FPixelsPerInch;
};

// Ends and joints of pens wider than one pixel (thin pens are always flat and mitred).
enum TPenEndCap { pecRound, pecSquare, pecFlat };
ORV_ENUM(TPenEndCap, pecRound, pecSquare, pecFlat)
enum TPenJoinStyle { pjsRound, pjsBevel, pjsMiter };
ORV_ENUM(TPenJoinStyle, pjsRound, pjsBevel, pjsMiter)

class TPen : public TGraphicsObject {
    ORV_META(TPen, TGraphicsObject)
    TPen() = default;
    void Assign(const TPersistent* Source) override;
    void Assign(const TPen& source);
    bool SameAs(const TPen& other) const;

    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode mode);
    TPenEndCap EndCap() const { return FEndCap; }
    void SetEndCap(TPenEndCap cap);
    TPenJoinStyle JoinStyle() const { return FJoinStyle; }
    void SetJoinStyle(TPenJoinStyle join);
    // A user dash pattern in logical units: lengths of dashes and gaps in turn, starting with a
    // dash; empty for none. With one the pen is geometric: the pattern and the end cap apply at
    // every width (so a zero-length dash with round caps draws a round dot), and Style is not
    // used for dashing.
    const std::vector<int>& UserDash() const { return FUserDash; }
    void SetUserDash(const std::vector<int>& dash);

private:
    std::vector<int> FUserDash;
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    TPenEndCap FEndCap = pecRound;
    TPenJoinStyle FJoinStyle = pjsRound;
};

class TBrush : public TGraphicsObject {
    ORV_META(TBrush, TGraphicsObject)
    TBrush() = default;
    void Assign(const TPersistent* Source) override;
    void Assign(const TBrush& source);
    bool SameAs(const TBrush& other) const;

    TColor Color() const { return FColor; }
    // Setting a colour on a clear brush makes it solid, as the platform does.
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style);
    // A pattern bitmap (not owned; the caller keeps it alive while the brush uses it). When set,
    // the brush paints with the bitmap tiled and Style is ignored.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* bitmap);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Text metrics and drawing flags

struct TTextMetric {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 400;
    int tmOverhang = 0;
    Byte tmItalic = 0;
    Byte tmUnderlined = 0;
    Byte tmStruckOut = 0;
    Byte tmPitchAndFamily = 0;
    Byte tmCharSet = 0;
};

// DrawText format flags.
enum : Cardinal {
    DT_TOP = 0x00000000,
    DT_LEFT = 0x00000000,
    DT_CENTER = 0x00000001,
    DT_RIGHT = 0x00000002,
    DT_VCENTER = 0x00000004,
    DT_BOTTOM = 0x00000008,
    DT_WORDBREAK = 0x00000010,
    DT_SINGLELINE = 0x00000020,
    DT_EXPANDTABS = 0x00000040,
    DT_TABSTOP = 0x00000080,
    DT_NOCLIP = 0x00000100,
    DT_EXTERNALLEADING = 0x00000200,
    DT_CALCRECT = 0x00000400,
    DT_NOPREFIX = 0x00000800,
    DT_INTERNAL = 0x00001000,
    DT_EDITCONTROL = 0x00002000,
    DT_PATH_ELLIPSIS = 0x00004000,
    DT_END_ELLIPSIS = 0x00008000,
    DT_MODIFYSTRING = 0x00010000,
    DT_RTLREADING = 0x00020000,
    DT_WORD_ELLIPSIS = 0x00040000,
    DT_NOFULLWIDTHCHARBREAK = 0x00080000,
    DT_HIDEPREFIX = 0x00100000,
    DT_PREFIXONLY = 0x00200000,
};

// TextRect options: the same bits as the DrawText flags.
using TTextFormat = Cardinal;
enum : Cardinal {
    tfBottom = DT_BOTTOM,
    tfCalcRect = DT_CALCRECT,
    tfCenter = DT_CENTER,
    tfEditControl = DT_EDITCONTROL,
    tfEndEllipsis = DT_END_ELLIPSIS,
    tfPathEllipsis = DT_PATH_ELLIPSIS,
    tfExpandTabs = DT_EXPANDTABS,
    tfExternalLeading = DT_EXTERNALLEADING,
    tfLeft = DT_LEFT,
    tfModifyString = DT_MODIFYSTRING,
    tfNoClip = DT_NOCLIP,
    tfNoPrefix = DT_NOPREFIX,
    tfRight = DT_RIGHT,
    tfRtlReading = DT_RTLREADING,
    tfSingleLine = DT_SINGLELINE,
    tfTop = DT_TOP,
    tfVerticalCenter = DT_VCENTER,
    tfWordBreak = DT_WORDBREAK,
};

// ExtTextOut options.
enum : Cardinal { ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004, ETO_RTLREADING = 0x0080 };
// Background modes.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
// Text alignment (SetTextAlign).
enum : Cardinal {
    TA_NOUPDATECP = 0,
    TA_UPDATECP = 1,
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
};
// Polygon fill modes.
enum : int { ALTERNATE = 1, WINDING = 2 };
// Region kinds and combination modes.
enum : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
// Mapping modes.
enum : int {
    MM_TEXT = 1,
    MM_LOMETRIC = 2,
    MM_HIMETRIC = 3,
    MM_LOENGLISH = 4,
    MM_HIENGLISH = 5,
    MM_TWIPS = 6,
    MM_ISOTROPIC = 7,
    MM_ANISOTROPIC = 8
};
// GetDeviceCaps indexes and technology values.
enum : int {
    TECHNOLOGY = 2,
    HORZSIZE = 4,
    VERTSIZE = 6,
    HORZRES = 8,
    VERTRES = 10,
    BITSPIXEL = 12,
    PLANES = 14,
    NUMCOLORS = 24,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
    PHYSICALWIDTH = 110,
    PHYSICALHEIGHT = 111,
    PHYSICALOFFSETX = 112,
    PHYSICALOFFSETY = 113,
};
enum : int { DT_PLOTTER = 0, DT_RASDISPLAY = 1, DT_RASPRINTER = 2, DT_METAFILE = 5 };

// Raster operations of CopyRect/Draw (the canvas's CopyMode) and PatBlt.
using TCopyMode = Integer;
enum : Integer {
    cmBlackness = 0x00000042,
    cmDstInvert = 0x00550009,
    cmMergeCopy = 0x00C000CA,
    cmMergePaint = 0x00BB0226,
    cmNotSrcCopy = 0x00330008,
    cmNotSrcErase = 0x001100A6,
    cmPatCopy = 0x00F00021,
    cmPatInvert = 0x005A0049,
    cmPatPaint = 0x00FB0A09,
    cmSrcAnd = 0x008800C6,
    cmSrcCopy = 0x00CC0020,
    cmSrcErase = 0x00440328,
    cmSrcInvert = 0x00660046,
    cmSrcPaint = 0x00EE0086,
    cmWhiteness = 0x00FF0062,
};

// ---------------------------------------------------------------------------------------------
// Regions: sets of pixels made of rectangles and polygons, in device pixels.

class TRegion {
public:
    TRegion();
    explicit TRegion(const TRect& r);
    // A polygon region; fillMode ALTERNATE or WINDING.
    TRegion(const TPoint* points, int count, int fillMode = ALTERNATE);
    static TRegion Ellipse(const TRect& r);
    TRegion(const TRegion& other);
    TRegion& operator=(const TRegion& other);
    TRegion(TRegion&& other) noexcept;
    TRegion& operator=(TRegion&& other) noexcept;
    ~TRegion();

    bool IsEmpty() const;
    bool Contains(const TPoint& p) const;
    bool Intersects(const TRect& r) const;
    TRect Bounds() const;
    // The region as non-overlapping rectangles, top to bottom, left to right.
    std::vector<TRect> Rects() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Kind() const;
    void Offset(int dx, int dy);
    // Combines this region with another (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY).
    void Combine(const TRegion& other, int mode);
    bool operator==(const TRegion& other) const;

    struct Impl;
    const Impl& impl() const { return *FImpl; }

private:
    std::unique_ptr<Impl> FImpl;
};

// ---------------------------------------------------------------------------------------------
// The canvas

// One drawing surface with its current pen, brush and font. The public operations take logical
// coordinates, convert them through the mapping mode to device pixels and hand them to the back
// end (Qt painting or metafile recording) through the protected Dev* operations. A canvas made on
// its own has no surface: it measures text, and drawing on it raises EInvalidOperation "Canvas
// does not allow drawing".
class TCanvas : public TPersistent {
    ORV_META(TCanvas, TPersistent)
    TCanvas();
    ~TCanvas() override;

    TFont* Font() { return &FFont; }
    TPen* Pen() { return &FPen; }
    TBrush* Brush() { return &FBrush; }
    void SetFont(const TFont& font) { FFont.Assign(font); }
    void SetPen(const TPen& pen) { FPen.Assign(pen); }
    void SetBrush(const TBrush& brush) { FBrush.Assign(brush); }
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& p) { FPenPos = p; }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode mode) { FCopyMode = mode; }
    // ExtTextOut options TextOut and TextRect add (ETO_RTLREADING ...).
    Cardinal TextFlags() const { return FTextFlags; }
    void SetTextFlags(Cardinal flags) { FTextFlags = flags; }

    // Lines and shapes. Rectangles follow the platform: the right and bottom edges are outside.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& r);
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Polygon(const TPoint* points, int count);
    void Polygon(const std::vector<TPoint>& points) {
        Polygon(points.data(), static_cast<int>(points.size()));
    }
    void Polyline(const TPoint* points, int count);
    void Polyline(const std::vector<TPoint>& points) {
        Polyline(points.data(), static_cast<int>(points.size()));
    }
    // Several separate polylines in one call: Counts[i] points each, taken from Points in turn.
    void PolyPolyline(const TPoint* points, const int* counts, int polyCount);
    void PolyFillMode(int mode) { FPolyFillMode = mode; }
    // The dotted focus rectangle, drawn by inverting (drawing it twice removes it).
    void DrawFocusRect(const TRect& r);
    // Fills with the brush or a constant through a raster operation (cmPatCopy, cmPatInvert,
    // cmDstInvert, cmBlackness, cmWhiteness).
    void PatBlt(const TRect& r, TCopyMode rop);

    // Text. TextOut draws at the current text alignment (top-left by default) with the font's
    // colour; in opaque background mode the text cell is filled with the background colour.
    void TextOut(int x, int y, const String& text);
    void TextOut(int x, int y, const WideString& text);
    // Draws text clipped to r, filling r with the brush when the brush is not clear.
    void TextRect(const TRect& r, int x, int y, const String& text);
    // Draws text in r formatted by the options (DrawText flags); with tfCalcRect r receives the
    // size the text needs and nothing is drawn.
    void TextRect(TRect& r, String& text, TTextFormat options);
    // The platform's ExtTextOut: options ETO_OPAQUE (fill rect with the background colour) and
    // ETO_CLIPPED (clip to rect); dx, when given, holds the advance of each UTF-16 unit of the text.
    void ExtTextOut(int x, int y, Cardinal options, const TRect* rect, const WideString& text,
                    const int* dx = nullptr);
    void ExtTextOut(int x, int y, Cardinal options, const TRect* rect, const String& text,
                    const int* dx = nullptr);
    // The platform's DrawText: lays the text out in r by the DT_* flags and returns the height of
    // the text drawn; with DT_CALCRECT r is adjusted (right and bottom) and nothing is drawn.
    int DrawText(const String& text, TRect& r, Cardinal format);
    int DrawText(const WideString& text, TRect& r, Cardinal format);
    int TextWidth(const String& text);
    int TextHeight(const String& text);
    TSize TextExtent(const String& text);
    TSize TextExtent(const WideString& text);
    // Running extents: extents[i] = width of the first i+1 UTF-16 units (GetTextExtentExPoint);
    // returns the extent of the whole text.
    TSize TextExtentEx(const WideString& text, std::vector<int>& extents);
    TTextMetric TextMetrics();
    // Background mode (TRANSPARENT or OPAQUE) and colour for text; selecting a brush (changing
    // Brush) sets them as the platform does: solid brush -> opaque in its colour, else transparent.
    int SetBkMode(int mode);
    int GetBkMode();
    TColor SetBkColor(TColor color);
    TColor GetBkColor();
    Cardinal SetTextAlign(Cardinal align);
    Cardinal GetTextAlign() const { return FTextAlign; }

    // Pictures. Draw and StretchDraw use the graphic's own drawing; CopyRect copies pixels of
    // another canvas through CopyMode.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    // Draws bitmap pixels src onto dest through rop; transparentColor other than clNone is left
    // out. Used by the picture classes.
    void StretchBlt(const TRect& dest, const TBitmap& bitmap, const TRect& src, TCopyMode rop,
                    TColor transparentColor = clNone);

    // Pixels (CLR_INVALID where the surface has no pixels or the point is outside).
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // Clipping (rectangles in logical coordinates). The Int functions return the region kind.
    TRect ClipRect();
    int IntersectClipRect(const TRect& r);
    int ExcludeClipRect(const TRect& r);
    // Sets the clip to r (nullptr removes the clip).
    int SelectClipRect(const TRect* r);
    // Sets the clip to a region in device pixels (nullptr removes it); SelectClipRgn copies it.
    int SelectClipRgn(const TRegion* rgn);
    int ExtSelectClipRgn(const TRegion* rgn, int mode);
    // Copies the clip region into rgn; false when there is none.
    bool GetClipRgn(TRegion& rgn) const;
    bool RectVisible(const TRect& r);
    // Saves the clip, the background, the text alignment and the mapping; RestoreDC(-1) restores
    // the last saved state, a positive number that state (discarding the later ones).
    int SaveDC();
    bool RestoreDC(int saved);

    // Mapping modes (logical to device units).
    int SetMapMode(int mode);
    int GetMapMode() const { return FMapMode; }
    void SetWindowOrgEx(int x, int y);
    void SetWindowExtEx(int cx, int cy);
    void SetViewportOrgEx(int x, int y);
    void SetViewportExtEx(int cx, int cy);
    TPoint GetWindowOrg() const { return FWindowOrg; }
    TSize GetWindowExt() const { return FWindowExt; }
    TPoint GetViewportOrg() const { return FViewportOrg; }
    TSize GetViewportExt() const { return FViewportExt; }
    TPoint LPtoDP(const TPoint& p) const;
    TPoint DPtoLP(const TPoint& p) const;
    TRect LPtoDP(const TRect& r) const;

    // Device capabilities (LOGPIXELSX, HORZRES, PHYSICALWIDTH, ...).
    int GetDeviceCaps(int index);

    // Serialises threads that measure or draw on one canvas (re-entrant).
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return FLockCount; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // The device pixel height of the current font (mapped, never 0), for back ends and layout.
    int DeviceFontHeight();
    // The device width of the current pen (at least 1).
    int DevicePenWidth();
    // The pen's user dash pattern in device pixels (empty when the pen has none).
    std::vector<int> DeviceUserDash();

protected:
    // Back-end operations in device pixels with the current pen, brush and font.
    virtual void DevPolyline(const TPoint* p, int n);
    virtual void DevPolygon(const TPoint* p, int n, int fillMode);
    virtual void DevRectangle(const TRect& r);
    virtual void DevRoundRect(const TRect& r, int ew, int eh);
    virtual void DevEllipse(const TRect& r);
    // kind 0 arc, 1 pie, 2 chord; the curve runs counter-clockwise from the radial through start
    // to the radial through end.
    virtual void DevArc(int kind, const TRect& r, const TPoint& start, const TPoint& end);
    virtual void DevFillRect(const TRect& r);
    virtual void DevFocusRect(const TRect& r);
    virtual void DevPatBlt(const TRect& r, TCopyMode rop);
    // Text at (x, y) (already adjusted for the alignment: the top-left of the text cell), opaque
    // background when bkOpaque, options and rect as ExtTextOut, dx in device pixels or nullptr.
    virtual void DevTextOut(int x, int y, Cardinal options, const TRect* rect, const WideString& text,
                            const int* dx, bool bkOpaque, TColor bkColor);
    virtual void DevStretchBlt(const TRect& dest, const TBitmap& bitmap, const TRect& src, TCopyMode rop,
                               TColor transparentColor);
    virtual TColor DevGetPixel(int x, int y);
    virtual void DevSetPixel(int x, int y, TColor color);
    // The clip changed (nullptr: no clip).
    virtual void DevSetClip(const TRegion* rgn);
    // Copies device pixels r into bitmap (sized to r); false when the surface has no pixels.
    virtual bool DevGrab(const TRect& r, TBitmap& bitmap);
    virtual int DevCaps(int index);
    // The surface's size in device pixels (the clip when there is none).
    virtual TSize DevSize();
    // The current clip in device pixels (nullptr: none), for back ends that begin painting anew.
    const TRegion* CurrentClip() const { return FClip.get(); }

private:
    struct SavedState;
    void Changing();
    void DidChange();
    void BrushChanged();
    int ApplyClip();
    int MapX(int x) const;
    int MapY(int y) const;
    int MapCX(int cx) const;
    int MapCY(int cy) const;
    int UnmapCX(int cx) const;
    int UnmapCY(int cy) const;
    int DrawTextImpl(const WideString& text, TRect& r, Cardinal format, WideString* modified);
    TRect MapRect(int x1, int y1, int x2, int y2) const;
    void ArcCommon(int kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

    TFont FFont;
    TPen FPen;
    TBrush FBrush;
    TPoint FPenPos;
    TCopyMode FCopyMode = cmSrcCopy;
    Cardinal FTextFlags = 0;
    Cardinal FTextAlign = TA_LEFT | TA_TOP;
    int FPolyFillMode = ALTERNATE;
    int FBkMode = OPAQUE;
    TColor FBkColor = clWhite;
    std::unique_ptr<TRegion> FClip;
    int FMapMode = MM_TEXT;
    TPoint FWindowOrg;
    TSize FWindowExt{1, 1};
    TPoint FViewportOrg;
    TSize FViewportExt{1, 1};
    std::vector<SavedState> FSaved;
    std::recursive_mutex FLock;
    int FLockCount = 0;
};

// The platform's free functions over a canvas (the device context stands for the canvas).
int DrawText(TCanvas* canvas, const String& text, TRect& r, Cardinal format);
int DrawText(TCanvas* canvas, const WideString& text, TRect& r, Cardinal format);
int GetDeviceCaps(TCanvas* canvas, int index);
