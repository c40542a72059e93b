// The clipboard: text, pictures and data of formats registered by name ("VCLDBIF", "Csv",
// "Rich Text Format", "GIF Image", ...). Text is UTF-8 for the program; where the platform's
// 8-bit text format is asked for (CF_TEXT) the bytes are GBK, and CF_UNICODETEXT is UTF-16.
// Works on the desktop's clipboard and, offscreen, on the process's own.
#pragma once

#include "rtl/Object.h"
#include "rtl/Types.h"

#include <vector>

class TPicture;
class TGraphic;

enum : Word {
    CF_TEXT = 1,
    CF_BITMAP = 2,
    CF_METAFILEPICT = 3,
    CF_OEMTEXT = 7,
    CF_DIB = 8,
    CF_UNICODETEXT = 13,
    CF_ENHMETAFILE = 14,
};

// The number of a format registered by name (0xC000 and up; the same number for the same name,
// compared without regard to case); 0 for an empty name.
Word RegisterClipboardFormat(const String& name);
// The name of a registered format ("" for the standard and unknown ones).
String GetClipboardFormatName(Word format);

class TClipboard : public TObject {
public:
    TClipboard();
    ~TClipboard() override;
    String ClassName() const override { return "TClipboard"; }

    // Between Open and the matching Close, everything set is put on the clipboard together (the
    // first setting empties it); outside, every setting replaces the clipboard's contents.
    void Open();
    void Close();
    void Clear();

    bool HasFormat(Word format);
    // The formats on the clipboard (text as CF_TEXT and CF_UNICODETEXT, pictures as CF_DIB and
    // CF_BITMAP, registered formats by their numbers).
    std::vector<Word> Formats();

    String AsText();
    void SetAsText(const String& text);

    // The bytes of a format: CF_TEXT gives the text in GBK, CF_OEMTEXT in code page 437,
    // CF_UNICODETEXT in UTF-16LE (none with a terminating zero), CF_DIB the packed bitmap;
    // registered formats the bytes that were set. Empty when the format is not there.
    std::vector<Byte> GetAsBytes(Word format);
    void SetAsBytes(Word format, const std::vector<Byte>& data);

    // Pictures: the graphic puts its own format (and a bitmap when that is not one) on the
    // clipboard; reading takes the first registered picture format present.
    void Assign(const TGraphic& graphic);
    void Assign(const TPicture& picture);
    bool GetPicture(TPicture& picture);

private:
    struct Impl;
    Impl* FImpl;
};

// The program's clipboard object.
TClipboard* Clipboard();
