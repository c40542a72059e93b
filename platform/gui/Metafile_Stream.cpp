// The metafile's own file format: "ORVMETA1", the payload length, then the size, the states and
// the records, little-endian.
#include "gui/Metafile.h"

#include "gui/qt/MetafileData.h"
#include "rtl/Streams.h"

#include <cstring>

namespace {

const char Magic[8] = {'O', 'R', 'V', 'M', 'E', 'T', 'A', '1'};

[[noreturn]] void Invalid() {
    throw EInvalidGraphic("Metafile is not valid");
}

class Writer {
public:
    std::vector<Byte> Out;
    void U8(int v) { Out.push_back(static_cast<Byte>(v)); }
    void I32(Int64 v) {
        auto u = static_cast<Cardinal>(v);
        for (int i = 0; i < 4; ++i)
            Out.push_back(static_cast<Byte>(u >> (8 * i)));
    }
    void Pt(const TPoint& p) {
        I32(p.X);
        I32(p.Y);
    }
    void Rc(const TRect& r) {
        I32(r.Left);
        I32(r.Top);
        I32(r.Right);
        I32(r.Bottom);
    }
    void Str(const String& s) {
        I32(static_cast<Int64>(s.size()));
        Out.insert(Out.end(), s.begin(), s.end());
    }
    void Wide(const WideString& s) {
        I32(static_cast<Int64>(s.size()));
        for (char16_t c : s) {
            Out.push_back(static_cast<Byte>(c));
            Out.push_back(static_cast<Byte>(c >> 8));
        }
    }
    void Bmp(const std::shared_ptr<TBitmap>& b) {
        if (!b || b->Empty()) {
            I32(0);
            return;
        }
        std::vector<Byte> bytes = b->SaveToBytes();
        I32(static_cast<Int64>(bytes.size()));
        Out.insert(Out.end(), bytes.begin(), bytes.end());
    }
};

class Reader {
public:
    Reader(const std::vector<Byte>& data) : D(data) {}
    const std::vector<Byte>& D;
    size_t P = 0;
    void Need(size_t n) {
        if (P + n > D.size()) Invalid();
    }
    int U8() {
        Need(1);
        return D[P++];
    }
    int I32() {
        Need(4);
        Cardinal u = D[P] | (D[P + 1] << 8) | (D[P + 2] << 16) | (static_cast<Cardinal>(D[P + 3]) << 24);
        P += 4;
        return static_cast<int>(u);
    }
    size_t Count(size_t unit) {
        int n = I32();
        if (n < 0) Invalid();
        Need(static_cast<size_t>(n) * unit);
        return static_cast<size_t>(n);
    }
    TPoint Pt() {
        int x = I32();
        return {x, I32()};
    }
    TRect Rc() {
        int l = I32(), t = I32(), r = I32();
        return {l, t, r, I32()};
    }
    String Str() {
        size_t n = Count(1);
        String s(reinterpret_cast<const char*>(D.data() + P), n);
        P += n;
        return s;
    }
    WideString Wide() {
        size_t n = Count(2);
        WideString s(n, u'\0');
        for (size_t i = 0; i < n; ++i)
            s[i] = static_cast<char16_t>(D[P + 2 * i] | (D[P + 2 * i + 1] << 8));
        P += 2 * n;
        return s;
    }
    std::shared_ptr<TBitmap> Bmp() {
        size_t n = Count(1);
        if (n == 0) return nullptr;
        std::vector<Byte> bytes(D.begin() + static_cast<long>(P), D.begin() + static_cast<long>(P + n));
        P += n;
        auto b = std::make_shared<TBitmap>();
        b->LoadFromBytes(bytes);
        return b;
    }
};

} // namespace

void TMetafile::SaveToStream(TStream& stream) {
    const Data& d = *FData;
    Writer w;
    w.I32(FWidth);
    w.I32(FHeight);
    w.U8(FEnhanced ? 1 : 0);
    w.Rc(d.Bounds);
    w.I32(static_cast<Int64>(d.States.size()));
    for (const TMetaState& s : d.States) {
        w.I32(s.PenColor);
        w.I32(s.PenWidth);
        w.U8(s.PenStyle);
        w.U8(s.PenMode);
        w.I32(s.BrushColor);
        w.U8(s.BrushStyle);
        w.Bmp(s.BrushBitmap);
        w.Str(s.FontName);
        w.I32(s.FontHeight);
        w.U8(s.FontStyle);
        w.I32(s.FontColor);
        w.U8(s.Charset);
        w.U8(s.Pitch);
        w.I32(s.Orientation);
        w.U8(s.BkMode);
        w.I32(s.BkColor);
    }
    w.I32(static_cast<Int64>(d.Records.size()));
    for (const TMetaRec& r : d.Records) {
        w.U8(static_cast<int>(r.Op));
        w.I32(r.State);
        w.I32(static_cast<Int64>(r.Points.size()));
        for (const TPoint& p : r.Points)
            w.Pt(p);
        w.Rc(r.R);
        w.I32(r.A);
        w.I32(r.B);
        w.Pt(r.P1);
        w.Pt(r.P2);
        w.Wide(r.Text);
        w.I32(static_cast<Int64>(r.Dx.size()));
        for (int a : r.Dx)
            w.I32(a);
        w.I32(r.Options);
        w.U8(r.HasRect ? 1 : 0);
        w.Rc(r.TextRect);
        w.I32(r.TextW);
        w.I32(r.TextH);
        w.Bmp(r.Bitmap);
        w.Rc(r.Src);
        w.I32(r.Transparent);
        if (r.Clip) {
            std::vector<TRect> rects = r.Clip->Rects();
            w.U8(1);
            w.I32(static_cast<Int64>(rects.size()));
            for (const TRect& q : rects)
                w.Rc(q);
        } else {
            w.U8(0);
        }
    }
    // The geometric pens follow the records, so streams written before they existed still read.
    for (const TMetaState& st : d.States) {
        w.U8(st.PenCap);
        w.I32(static_cast<Int64>(st.PenDash.size()));
        for (int dash : st.PenDash)
            w.I32(dash);
    }
    stream.WriteBuffer(Magic, 8);
    Byte len[4];
    auto n = static_cast<Cardinal>(w.Out.size());
    for (int i = 0; i < 4; ++i)
        len[i] = static_cast<Byte>(n >> (8 * i));
    stream.WriteBuffer(len, 4);
    stream.WriteBuffer(w.Out.data(), static_cast<Int64>(w.Out.size()));
}

void TMetafile::LoadFromStream(TStream& stream) {
    Byte head[12];
    if (stream.Read(head, 12) != 12 || std::memcmp(head, Magic, 8) != 0) Invalid();
    Cardinal n = head[8] | (head[9] << 8) | (head[10] << 16) | (static_cast<Cardinal>(head[11]) << 24);
    std::vector<Byte> payload(n);
    if (stream.Read(payload.data(), n) != static_cast<Int64>(n)) Invalid();
    Reader r(payload);
    auto data = std::make_shared<Data>();
    int width = r.I32(), height = r.I32();
    bool enhanced = r.U8() != 0;
    data->Bounds = r.Rc();
    size_t states = r.Count(1);
    for (size_t i = 0; i < states; ++i) {
        TMetaState s;
        s.PenColor = r.I32();
        s.PenWidth = r.I32();
        s.PenStyle = static_cast<TPenStyle>(r.U8() % 7);
        s.PenMode = static_cast<TPenMode>(r.U8() % 16);
        s.BrushColor = r.I32();
        s.BrushStyle = static_cast<TBrushStyle>(r.U8() % 8);
        s.BrushBitmap = r.Bmp();
        s.BrushSource = s.BrushBitmap.get();
        s.FontName = r.Str();
        s.FontHeight = r.I32();
        s.FontStyle = static_cast<Byte>(r.U8());
        s.FontColor = r.I32();
        s.Charset = static_cast<Byte>(r.U8());
        s.Pitch = static_cast<TFontPitch>(r.U8() % 3);
        s.Orientation = r.I32();
        s.BkMode = r.U8() == TRANSPARENT ? TRANSPARENT : OPAQUE;
        s.BkColor = r.I32();
        data->States.push_back(std::move(s));
    }
    size_t records = r.Count(1);
    for (size_t i = 0; i < records; ++i) {
        TMetaRec rec;
        int op = r.U8();
        if (op > static_cast<int>(TMetaOp::Clip)) Invalid();
        rec.Op = static_cast<TMetaOp>(op);
        rec.State = r.I32();
        if (rec.Op != TMetaOp::Clip && (rec.State < 0 || rec.State >= static_cast<int>(data->States.size())))
            Invalid();
        size_t pts = r.Count(8);
        for (size_t k = 0; k < pts; ++k)
            rec.Points.push_back(r.Pt());
        rec.R = r.Rc();
        rec.A = r.I32();
        rec.B = r.I32();
        rec.P1 = r.Pt();
        rec.P2 = r.Pt();
        rec.Text = r.Wide();
        size_t dx = r.Count(4);
        for (size_t k = 0; k < dx; ++k)
            rec.Dx.push_back(r.I32());
        if (!rec.Dx.empty() && rec.Dx.size() != rec.Text.size()) Invalid();
        rec.Options = static_cast<Cardinal>(r.I32());
        rec.HasRect = r.U8() != 0;
        rec.TextRect = r.Rc();
        rec.TextW = r.I32();
        rec.TextH = r.I32();
        rec.Bitmap = r.Bmp();
        rec.Src = r.Rc();
        rec.Transparent = r.I32();
        if (r.U8()) {
            auto clip = std::make_shared<TRegion>();
            size_t rects = r.Count(16);
            for (size_t k = 0; k < rects; ++k)
                clip->Combine(TRegion(r.Rc()), RGN_OR);
            rec.Clip = clip;
        }
        data->Records.push_back(std::move(rec));
    }
    if (r.P < payload.size())
        for (TMetaState& st : data->States) {
            st.PenCap = static_cast<TPenEndCap>(r.U8() % 3);
            size_t dashes = r.Count(4);
            for (size_t k = 0; k < dashes; ++k)
                st.PenDash.push_back(std::max(0, r.I32()));
        }
    FData = data;
    FWidth = width;
    FHeight = height;
    FEnhanced = enhanced;
    Changed();
}
