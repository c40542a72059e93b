// The text-grid export: placing text objects on the character grid, frames and their joints,
// writing the lines, and printing after the export.
#include "report/export/vrExportTXT.h"

#include "classes/MetaBuilder.h"
#include "report/export/vrExportFile.h"
#include "report/export/vrrcExports.h"
#include "report/vrClassReport.h"
#include "report/vrPrinter.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "rtl/CodePage.h"
#include "rtl/FileUtils.h"
#include "rtl/ScopeGuards.h"
#include "rtl/Streams.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

const char TxtAsciiFrames[] = "|-+++++++++";
const char TxtOemFrames[] = "\xB3\xC4\xDA\xBF\xC0\xD9\xC1\xC3\xC2\xB4\xC5";

// Positions (0-based) in a frame set.
enum { fV, fH, fTL, fTR, fBL, fBR, fBottomTee, fLeftTee, fTopTee, fRightTee, fCross };

Integer NearestInt(Extended value) {
    return static_cast<Integer>(std::nearbyint(value));
}

// The number of bytes of text[0, n) that end on a character boundary of the 8-bit code page.
size_t WholeChars(const AnsiString& text, size_t n) {
    size_t i = 0;
    while (i < n) {
        const size_t step = IsLeadByte(static_cast<Byte>(text[i])) && i + 1 < text.size() ? 2 : 1;
        if (i + step > n) break;
        i += step;
    }
    return i;
}

AnsiString AlignIn(const AnsiString& line, TvrHAlign align, Integer width) {
    const auto length = static_cast<Integer>(line.size());
    if (length >= width) return line;
    switch (align) {
    case haRight: return AnsiString(static_cast<size_t>(width - length), ' ') + line;
    case haCenter: {
        const Integer left = std::max<Integer>(0, width / 2 - length / 2);
        AnsiString out = AnsiString(static_cast<size_t>(left), ' ') + line;
        if (static_cast<Integer>(out.size()) < width) out.append(static_cast<size_t>(width) - out.size(), ' ');
        return out;
    }
    default: return line + AnsiString(static_cast<size_t>(width - length), ' ');
    }
}

} // namespace

AnsiString WrapTextToWidth(const AnsiString& text, Integer width, Integer mostLines) {
    AnsiString result;
    if (width <= 0) return result;
    const auto w = static_cast<size_t>(width);
    size_t pos = 0;
    for (Integer made = 0; made < mostLines && pos < text.size(); ++made) {
        const size_t left = text.size() - pos;
        if (left <= w) {
            result.append(text, pos, AnsiString::npos);
            break;
        }
        const char c = text[pos + w];
        const size_t pieceLength = std::min(left, w + (c == '\n' ? 1 : c == '\r' ? 2 : 0));
        const size_t crlf = text.substr(pos, pieceLength).find("\r\n");
        if (crlf != AnsiString::npos) {
            result.append(text, pos, crlf + 2);
            pos += crlf + 2;
            continue;
        }
        if (c == '\t' || c == ' ' || c == '-') {
            result.append(text, pos, w);
            result += "\r\n";
            pos += w + 1;
            continue;
        }
        const size_t brk = text.substr(pos, w).find_last_of("\t -");
        size_t length = brk != AnsiString::npos ? brk + 1 : WholeChars(text.substr(pos), w);
        if (length == 0) length = w; // a double-byte character wider than the line
        result.append(text, pos, length);
        result += "\r\n";
        pos += length;
    }
    return result;
}

ORV_META_IMPL(TvrTXTExport)
void TvrTXTExport::DeclareMeta(meta::Class<TvrTXTExport>& c) {
    using T = TvrTXTExport;
    c.Property("ScaleWidth", &T::ScaleWidth, &T::ScaleWidth);
    c.Property("ScaleHeight", &T::ScaleHeight, &T::ScaleHeight);
    c.Property("Borders", &T::Borders, &T::Borders).Default(false);
    c.Property("Pseudogrpahic", &T::Pseudogrpahic, &T::Pseudogrpahic).Default(false);
    c.Property("PageBreaks", &T::PageBreaks, &T::PageBreaks).Default(true);
    c.Property("OEMCodepage", &T::OEMCodepage, &T::OEMCodepage).Default(false);
    c.Property("EmptyLines", &T::EmptyLines, &T::EmptyLines).Default(false);
    c.Property("LeadSpaces", &T::LeadSpaces, &T::LeadSpaces).Default(false);
    c.Property("PrintAfter", &T::PrintAfter, &T::PrintAfter).Default(false);
    c.Property("PrinterDialog", &T::PrinterDialog, &T::PrinterDialog).Default(true);
    c.Property("UseSavedProps", &T::UseSavedProps, &T::UseSavedProps).Default(true);
    c.Property("InitString", &T::InitString, &T::InitString);
    c.Property("CustomFrameSet", &T::CustomFrameSet, &T::CustomFrameSet);
}

TvrTXTExport::TvrTXTExport(TComponent* AOwner) : TvrCustomExportFilter(AOwner) {
    Init();
}

TvrTXTExport::TvrTXTExport(TUnlisted tag) : TvrCustomExportFilter(tag) {
    Init();
}

TvrTXTExport::~TvrTXTExport() = default;

void TvrTXTExport::Init() {
    vrLoadExportStrings();
    ShowDialog = true;
    FilterDescription = GetResourceStringById(8801);
    DefaultExtension = GetResourceStringById(8802);
    PrinterTypes = vrDefaultTXTPrinterTypes();
}

String TvrTXTExport::GetDescription() {
    return GetResources().GetString("TextExport");
}

AnsiString TvrTXTExport::FrameSet() const {
    const AnsiString custom = AnsiFromUtf8(CustomFrameSet);
    // A set too short to hold every piece is not read past its end: the built-in sets serve.
    if (custom.size() >= 11) return custom.substr(0, 11);
    return Pseudogrpahic ? AnsiString(TxtOemFrames, 11) : AnsiString(TxtAsciiFrames, 11);
}

void TvrTXTExport::Write(const AnsiString& bytes) {
    if (FFile && !bytes.empty()) FFile->Stream().WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

bool TvrTXTExport::Start() {
    FTarget = vrExportTarget(*this);
    if (FTarget.empty()) return false;
    FFile = std::make_unique<TvrExportFile>(FTarget);
    FWrittenInit = IsPreview ? AnsiString() : AnsiString(InitString);
    Write(FWrittenInit);
    return true;
}

void TvrTXTExport::StartPage(TvrComponent*, Integer) {
    FRight = FBottom = 0;
    MaxWidth = LinesCount = 0;
    FObjects.clear();
}

void TvrTXTExport::ExportObject(TvrComponent* Obj) {
    FRight = std::max(FRight, Obj->AbsLeft() + Obj->Width());
    FBottom = std::max(FBottom, Obj->AbsTop() + Obj->Height());
    auto* memo = dynamic_cast<TvrCustomMemoView*>(Obj);
    if (!memo) return;
    const TvrFrameTypes sides = memo->Frame()->Typ;
    if (memo->Memo()->Count() == 0 && sides.Empty()) return;
    String text = WideToUtf8(memo->Text());
    text.erase(std::remove(text.begin(), text.end(), '\x01'), text.end());
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.resize(text.size() - 2);
    else if (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (!OEMCodepage)
        for (size_t p; (p = text.find("\xC2\xA0")) != String::npos;) text.replace(p, 2, " ");
    FObjects.push_back({Obj->AbsLeft(), Obj->AbsTop(), Obj->Width(), Obj->Height(),
                        OEMCodepage ? CharToOem(text) : AnsiFromUtf8(text), memo->HAlign, memo->VAlign, sides});
}

char TvrTXTExport::Cell(Integer col, Integer row) const {
    if (col < 0 || row < 0 || col >= FWidth || row >= FHeight) return ' ';
    return FGrid[static_cast<size_t>(row) * static_cast<size_t>(FWidth) + static_cast<size_t>(col)];
}

void TvrTXTExport::SetCell(Integer col, Integer row, char c) {
    if (col < 0 || row < 0 || col >= FWidth || row >= FHeight) return;
    FGrid[static_cast<size_t>(row) * static_cast<size_t>(FWidth) + static_cast<size_t>(col)] = c;
}

void TvrTXTExport::DrawObject(const TPlaced& obj, const AnsiString& f) {
    Integer x = NearestInt(ScaleWidth * obj.Left / 7), y = NearestInt(ScaleHeight * obj.Top / 8);
    Integer w = NearestInt(ScaleWidth * obj.Width / 7), h = NearestInt(ScaleHeight * obj.Height / 8);
    if (Borders && !obj.Sides.Empty()) {
        auto startsFrame = [&](char c) { return c == f[fV] || c == f[fTL] || c == f[fTR]; };
        if (startsFrame(Cell(x + 1, y))) {
            ++x;
            --w;
        } else if (startsFrame(Cell(x - 1, y))) {
            --x;
            ++w;
        }
        auto vertical = [&](Integer col, char top, char bottom) {
            SetCell(col, y, top);
            for (Integer r = y + 1; r < y + h; ++r) SetCell(col, r, f[fV]);
            SetCell(col, y + h, bottom);
        };
        auto horizontal = [&](Integer row, char left, char right) {
            SetCell(x, row, left);
            for (Integer c = x + 1; c < x + w; ++c) SetCell(c, row, f[fH]);
            SetCell(x + w, row, right);
        };
        if (obj.Sides.Contains(ftLeft)) vertical(x, f[fTL], f[fBL]);
        if (obj.Sides.Contains(ftRight)) vertical(x + w, f[fTR], f[fBR]);
        if (obj.Sides.Contains(ftTop)) horizontal(y, f[fTL], f[fTR]);
        if (obj.Sides.Contains(ftBottom)) horizontal(y + h, f[fBL], f[fBR]);
    }
    AnsiString wrapped = WrapTextToWidth(obj.Text, w - 1, h - 1);
    for (size_t p; (p = wrapped.find("\r\n")) != AnsiString::npos;) wrapped.erase(p + 1, 1);
    const auto lines = static_cast<Integer>(1 + std::count(wrapped.begin(), wrapped.end(), '\r'));
    Integer r0 = y;
    if (obj.VAlign == vaBottom)
        r0 = y + h - lines - 1;
    else if (obj.VAlign == vaCenter)
        r0 = y + (h - lines - 1) / 2;
    size_t start = 0;
    for (Integer i = 0; i < lines; ++i) {
        const size_t end = std::min(wrapped.find('\r', start), wrapped.size());
        const Integer row = r0 + 1 + i;
        // Lines beyond the box are clipped to its inner rows.
        if (row > y && row < y + h) {
            const AnsiString line = AlignIn(wrapped.substr(start, end - start), obj.HAlign, w - 1);
            for (size_t k = 0; k < line.size(); ++k) SetCell(x + 1 + static_cast<Integer>(k), row, line[k]);
        }
        start = end + 1;
    }
}

void TvrTXTExport::JoinFrames(const AnsiString& f) {
    const char V = f[fV], H = f[fH];
    auto isLine = [&](char c) { return c == V || c == H; };
    auto isFrame = [&](char c) { return f.find(c) != AnsiString::npos; };
    auto isJoint = [&](char c) {
        const size_t p = f.find(c, fTL);
        return p != AnsiString::npos && p >= static_cast<size_t>(fTL);
    };
    for (Integer row = 0; row < FHeight; ++row)
        for (Integer col = 0; col < FWidth; ++col) {
            if (!isJoint(Cell(col, row))) continue;
            const char L = Cell(col - 1, row), R = Cell(col + 1, row), U = Cell(col, row - 1), D = Cell(col, row + 1);
            char c = 0;
            if (!isLine(L) && !isLine(R) && !isLine(U) && isLine(D)) c = V;
            else if (!isLine(L) && !isLine(R) && !isLine(D) && isLine(U)) c = V;
            else if (!isLine(L) && !isLine(U) && !isLine(D) && isLine(R)) c = H;
            else if (!isLine(R) && !isLine(U) && !isLine(D) && isLine(L)) c = H;
            else if (!isFrame(R) && !isFrame(L) && U == V && D == V) c = V;
            else if (R == H && L == H && !isFrame(U) && !isFrame(D)) c = H;
            else if (R == H && L == H && U == V && D == V) c = f[fCross];
            else if (R == H && L == H && D == V && U != V) c = f[fTopTee];
            else if (R == H && L == H && U == V && D != V) c = f[fBottomTee];
            else if (U == V && D == V && R == H && L != H) c = f[fLeftTee];
            else if (U == V && D == V && L == H && R != H) c = f[fRightTee];
            else if (R == H && L != H && D == V && U != V) c = f[fTL];
            else if (R == H && L != H && U == V && D != V) c = f[fBL];
            else if (R != H && L == H && U == V && D != V) c = f[fBR];
            else if (R != H && L == H && D == V && U != V) c = f[fTR];
            if (c) SetCell(col, row, c);
        }
}

void TvrTXTExport::WritePage() {
    Integer cut = 0;
    if (!LeadSpaces) {
        cut = FWidth;
        for (Integer row = 0; row < FHeight; ++row) {
            Integer lead = 0;
            while (lead < FWidth && Cell(lead, row) == ' ') ++lead;
            cut = std::min(cut, lead);
        }
    }
    AnsiString out;
    for (Integer row = 0; row < FHeight; ++row) {
        const char* begin = &FGrid[static_cast<size_t>(row) * static_cast<size_t>(FWidth)];
        size_t length = static_cast<size_t>(FWidth);
        while (length > 0 && static_cast<unsigned char>(begin[length - 1]) <= 32) --length;
        const size_t from = std::min(length, static_cast<size_t>(cut));
        if (length > from) {
            out.append(begin + from, length - from);
            out += "\r\n";
            MaxWidth = std::max(MaxWidth, static_cast<Integer>(length - from));
            ++LinesCount;
        } else if (EmptyLines) {
            out += "\r\n";
        }
    }
    Write(out);
}

void TvrTXTExport::FinishPage(TvrComponent*, Integer) {
    const TScopeExit clear([this] {
        FObjects.clear();
        FGrid.clear();
    });
    if (!FFile || std::uncaught_exceptions() > 0) return;
    std::stable_sort(FObjects.begin(), FObjects.end(), [](const TPlaced& a, const TPlaced& b) {
        if (a.Top != b.Top) return a.Top < b.Top;
        if (a.Left != b.Left) return a.Left < b.Left;
        return a.Text.size() < b.Text.size();
    });
    FWidth = std::max<Integer>(0, NearestInt(ScaleWidth * FRight / 7) + 10);
    FHeight = std::max<Integer>(0, NearestInt(ScaleHeight * FBottom / 8) + 2);
    FGrid.assign(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), ' ');
    const AnsiString frames = FrameSet();
    for (const TPlaced& obj : FObjects) DrawObject(obj, frames);
    if (Borders) JoinFrames(frames);
    WritePage();
    if (PageBreaks) Write("\x0C");
}

void TvrTXTExport::Finish() {
    if (FFile && std::uncaught_exceptions() == 0 && !PageBreaks && !IsPreview) Write("\x0C");
    std::unique_ptr<TvrExportFile> file = std::move(FFile);
    if (!file || std::uncaught_exceptions() > 0) return;
    file->Commit();
    if (PrintAfter && !IsPreview) PrintAfterExport(FTarget);
}

void TvrTXTExport::BuildInitString() {
    AnsiString init;
    if (SelectedType >= 0 && SelectedType < static_cast<Integer>(PrinterTypes.size()))
        for (const TvrTXTPrinterCommand& command : PrinterTypes[static_cast<size_t>(SelectedType)].Commands)
            init += command.Enabled ? command.On : command.Off;
    InitString = init;
}

void TvrTXTExport::PrintAfterExport(const String& fileName) {
    if (!PrintAfter || !GetPrinters().PhysicalPrintersFound()) return;
    if (PrinterDialog) {
        TvrPrnInit dialog(this);
        if (dialog.ShowModal() != mrOk) return;
        Copies = dialog.Copies();
    }
    BuildInitString();
    // The printed copy begins with the InitString built now, in place of the one Start wrote;
    // the user's file stays as it was written.
    const String copy = GetTempFile();
    const TScopeExit removeCopy([&copy] { DeleteFile(copy); });
    {
        TFileStream in(fileName, fmOpenRead | fmShareDenyNone);
        const Int64 skip = std::min<Int64>(static_cast<Int64>(FWrittenInit.size()), in.Size());
        String body(static_cast<size_t>(in.Size() - skip), '\0');
        in.Seek(skip, TSeekOrigin::soBeginning);
        if (!body.empty()) in.ReadBuffer(body.data(), static_cast<Int64>(body.size()));
        TFileStream out(copy, fmCreate);
        const String data = InitString + body;
        if (!data.empty()) out.WriteBuffer(data.data(), static_cast<Int64>(data.size()));
    }
    for (Integer i = 0; i < Copies; ++i) vrSendRawFile(fileName, copy);
}

void TvrTXTExport::PrintRawFile(const String& fileName) {
    vrSendRawFile(fileName, fileName);
}
