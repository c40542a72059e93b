#include "gui/Clipbrd.h"

#include "gui/Picture.h"
#include "gui/qt/BitmapImpl.h"
#include "gui/qt/QtSupport.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <mutex>

namespace {

struct FormatRegistry {
    std::mutex Lock;
    std::map<String, Word> ByName; // lower-case name
    std::map<Word, String> Names;
    Word Next = 0xC000;
};

FormatRegistry& Formats() {
    static FormatRegistry r;
    return r;
}

// The MIME type that carries a registered format; the well-known ones use the types other
// desktop programs understand.
QString MimeOf(Word format) {
    String name = GetClipboardFormatName(format);
    String key = LowerCase(name);
    if (key == "rich text format") return QStringLiteral("text/rtf");
    if (key == "csv") return QStringLiteral("text/csv");
    if (key == "html format") return QStringLiteral("text/html");
    if (key == "gif image" || key == "gif") return QStringLiteral("image/gif");
    if (key == "png") return QStringLiteral("image/png");
    String token;
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '-' || c == '.') {
            token += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "_%02X", c);
            token += hex;
        }
    }
    return QStringLiteral("application/x-orvanta-") + QString::fromStdString(token);
}

bool IsText(Word f) {
    return f == CF_TEXT || f == CF_UNICODETEXT || f == CF_OEMTEXT;
}
bool IsBitmap(Word f) {
    return f == CF_DIB || f == CF_BITMAP;
}

} // namespace

Word RegisterClipboardFormat(const String& name) {
    if (name.empty()) return 0;
    FormatRegistry& r = Formats();
    std::lock_guard<std::mutex> guard(r.Lock);
    String key = LowerCase(name);
    auto it = r.ByName.find(key);
    if (it != r.ByName.end()) return it->second;
    Word id = r.Next++;
    r.ByName[key] = id;
    r.Names[id] = name;
    return id;
}

String GetClipboardFormatName(Word format) {
    FormatRegistry& r = Formats();
    std::lock_guard<std::mutex> guard(r.Lock);
    auto it = r.Names.find(format);
    return it == r.Names.end() ? String() : it->second;
}

struct TClipboard::Impl {
    int OpenCount = 0;
    std::unique_ptr<QMimeData> Pending; // what is being put together between Open and Close

    QClipboard* Board() {
        EnsureQtApp();
        return QGuiApplication::clipboard();
    }
    const QMimeData* Current() { return Board()->mimeData(); }
    // The data being set: a new set of formats when the clipboard is not open.
    QMimeData& Target() {
        if (!Pending) Pending = std::make_unique<QMimeData>();
        return *Pending;
    }
    void Commit() {
        if (OpenCount > 0 || !Pending) return;
        Board()->setMimeData(Pending.release());
    }
};

TClipboard::TClipboard() : FImpl(new Impl) {}
TClipboard::~TClipboard() {
    delete FImpl;
}

void TClipboard::Open() {
    ++FImpl->OpenCount;
}

void TClipboard::Close() {
    if (FImpl->OpenCount == 0) return;
    --FImpl->OpenCount;
    FImpl->Commit();
}

void TClipboard::Clear() {
    FImpl->Pending = std::make_unique<QMimeData>();
    FImpl->Commit();
}

bool TClipboard::HasFormat(Word format) {
    const QMimeData* d = FImpl->Current();
    if (!d) return false;
    if (IsText(format)) return d->hasText();
    if (IsBitmap(format)) return d->hasImage();
    if (GetClipboardFormatName(format).empty()) return false;
    return d->hasFormat(MimeOf(format));
}

std::vector<Word> TClipboard::Formats() {
    std::vector<Word> out;
    const QMimeData* d = FImpl->Current();
    if (!d) return out;
    if (d->hasText()) {
        out.push_back(CF_TEXT);
        out.push_back(CF_UNICODETEXT);
    }
    if (d->hasImage()) {
        out.push_back(CF_DIB);
        out.push_back(CF_BITMAP);
    }
    std::vector<Word> registered;
    {
        FormatRegistry& r = ::Formats();
        std::lock_guard<std::mutex> guard(r.Lock);
        for (const auto& [id, name] : r.Names)
            registered.push_back(id);
    }
    for (Word id : registered)
        if (d->hasFormat(MimeOf(id))) out.push_back(id);
    return out;
}

String TClipboard::AsText() {
    const QMimeData* d = FImpl->Current();
    return d && d->hasText() ? FromQString(d->text()) : String();
}

void TClipboard::SetAsText(const String& text) {
    FImpl->Target().setText(ToQString(text));
    FImpl->Commit();
}

std::vector<Byte> TClipboard::GetAsBytes(Word format) {
    const QMimeData* d = FImpl->Current();
    if (!d) return {};
    if (IsText(format)) {
        if (!d->hasText()) return {};
        String text = FromQString(d->text());
        std::string bytes;
        if (format == CF_TEXT)
            bytes = AnsiFromUtf8(text);
        else if (format == CF_OEMTEXT)
            bytes = ConvertToCodePage(text, CP_OEMUS);
        else {
            WideString w = Utf8ToWide(text);
            for (char16_t c : w) {
                bytes += static_cast<char>(c & 0xFF);
                bytes += static_cast<char>(c >> 8);
            }
        }
        return std::vector<Byte>(bytes.begin(), bytes.end());
    }
    if (IsBitmap(format)) {
        if (!d->hasImage()) return {};
        TBitmap bmp;
        bmp.impl().SetSurface(qvariant_cast<QImage>(d->imageData()));
        Word f;
        std::vector<Byte> data;
        bmp.SaveToClipboardFormat(f, data);
        return data;
    }
    QByteArray a = d->data(MimeOf(format));
    return std::vector<Byte>(a.begin(), a.end());
}

void TClipboard::SetAsBytes(Word format, const std::vector<Byte>& data) {
    QMimeData& m = FImpl->Target();
    if (IsText(format)) {
        std::string bytes(data.begin(), data.end());
        String text;
        if (format == CF_TEXT)
            text = Utf8FromAnsi(bytes);
        else if (format == CF_OEMTEXT)
            text = ConvertFromCodePage(bytes, CP_OEMUS);
        else {
            WideString w;
            for (size_t i = 0; i + 1 < bytes.size(); i += 2)
                w += static_cast<char16_t>(static_cast<Byte>(bytes[i]) |
                                           (static_cast<Byte>(bytes[i + 1]) << 8));
            text = WideToUtf8(w);
        }
        // The platform's text handles end at their first zero.
        size_t zero = text.find('\0');
        if (zero != String::npos) text.resize(zero);
        m.setText(ToQString(text));
    } else if (IsBitmap(format)) {
        TBitmap bmp;
        bmp.LoadFromClipboardFormat(CF_DIB, data);
        m.setImageData(bmp.impl().SurfaceForRead());
    } else {
        if (GetClipboardFormatName(format).empty()) throw EInvalidOperation("Unknown clipboard format");
        m.setData(MimeOf(format), QByteArray(reinterpret_cast<const char*>(data.data()),
                                             static_cast<qsizetype>(data.size())));
    }
    FImpl->Commit();
}

void TClipboard::Assign(const TGraphic& graphic) {
    Word format = 0;
    std::vector<Byte> data;
    TGraphic& g = const_cast<TGraphic&>(graphic);
    Open();
    try {
        FImpl->Pending = std::make_unique<QMimeData>();
        g.SaveToClipboardFormat(format, data);
        SetAsBytes(format, data);
        if (!IsBitmap(format)) {
            TBitmap bmp;
            bmp.Assign(graphic);
            FImpl->Target().setImageData(bmp.impl().SurfaceForRead());
        }
    } catch (...) {
        Close();
        throw;
    }
    Close();
}

void TClipboard::Assign(const TPicture& picture) {
    if (picture.Graphic())
        Assign(*picture.Graphic());
    else
        Clear();
}

bool TClipboard::GetPicture(TPicture& picture) {
    for (Word f : Formats()) {
        if (f == CF_TEXT || f == CF_UNICODETEXT) continue;
        if (TPicture::SupportsClipboardFormat(f) && !IsBitmap(f)) {
            picture.LoadFromClipboardFormat(f, GetAsBytes(f));
            return true;
        }
    }
    if (HasFormat(CF_DIB)) {
        picture.LoadFromClipboardFormat(CF_DIB, GetAsBytes(CF_DIB));
        return true;
    }
    return false;
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}
