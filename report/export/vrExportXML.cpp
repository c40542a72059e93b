// The spreadsheet XML export: the filter and its writer.
#include "report/export/vrExportXML.h"

#include "classes/MetaBuilder.h"
#include "report/export/vrExportFile.h"
#include "report/export/vrrcExports.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrProgress.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "rtl/CodePage.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <cmath>
#include <ctime>
#include <exception>

ORV_META_IMPL(TvrXMLExport)
void TvrXMLExport::DeclareMeta(meta::Class<TvrXMLExport>& c) {
    using T = TvrXMLExport;
    c.Property("ExportStyles", &T::ExportStyles, &T::ExportStyles).Default(true);
    c.Property("ExportPageBreaks", &T::ExportPageBreaks, &T::ExportPageBreaks).Default(true);
    c.Property("OpenExcelAfterExport", &T::OpenExcelAfterExport, &T::OpenExcelAfterExport).Default(false);
    c.Property("Wysiwyg", &T::Wysiwyg, &T::Wysiwyg).Default(true);
    c.Property("Background", &T::Background, &T::Background).Default(true);
    c.Property("Creator", &T::Creator, &T::Creator);
    c.Property("EmptyLines", &T::EmptyLines, &T::EmptyLines).Default(true);
    c.Property("SuppressPageHeadersFooters", &T::SuppressPageHeadersFooters, &T::SuppressPageHeadersFooters)
        .Default(false);
    c.Property("RowsCount", &T::RowsCount, &T::SetRowsCount).Default(0);
    c.Property("Split", &T::Split, &T::Split).Default(ssNotSplit);
}

TvrXMLExport::TvrXMLExport(TComponent* AOwner) : TvrCustomExportFilter(AOwner) {
    Init();
}

TvrXMLExport::TvrXMLExport(TUnlisted tag) : TvrCustomExportFilter(tag) {
    Init();
}

TvrXMLExport::~TvrXMLExport() = default;

void TvrXMLExport::Init() {
    vrLoadExportStrings();
    FilterDescription = GetResourceStringById(8105);
    DefaultExtension = GetResourceStringById(8106);
}

void TvrXMLExport::SetRowsCount(Integer value) {
    FRowsCount = value > 0 ? value : 0;
    Split = value > 0 ? ssRowsCount : ssNotSplit;
}

String TvrXMLExport::GetDescription() {
    return GetResources().GetString("XlsXMLexport");
}

int TvrXMLExport::ShowModal() {
    TvrXMLExportDialog dialog(nullptr);
    dialog.Fill(*this);
    if (dialog.ShowModal() != mrOk) return mrCancel;
    dialog.Apply(*this);
    return dialog.ChooseFile(*this) ? mrOk : mrCancel;
}

// --- the run -------------------------------------------------------------------------------------

bool TvrXMLExport::Start() {
    FTarget = vrExportTarget(*this);
    if (FTarget.empty()) return false;
    FFirstPage = true;
    FMatrix = std::make_unique<TvrIEMatrix>();
    TvrIEMatrix& m = *FMatrix;
    m.DotMatrixFonts = Report && Report->DotMatrixReport;
    m.ProgressWindow = ShowProgress;
    m.MaxRowHeight = 562.784L; // 409 points
    m.PageBackground = Background && EmptyLines;
    m.PageBackgroundPicture = false;
    m.KeepEmptyRows = EmptyLines;
    m.MergeTolerance = Wysiwyg ? 0.5L : 10;
    m.StripHtmlTags = true;
    FPageBreaks = ExportPageBreaks && EmptyLines;
    return true;
}

void TvrXMLExport::StartPage(TvrComponent* Page, Integer) {
    if (!FFirstPage) return;
    FFirstPage = false;
    if (auto* page = dynamic_cast<TvrReportPage*>(Page)) {
        FLeftMargin = page->LeftMargin;
        FTopMargin = page->TopMargin;
        FRightMargin = page->RightMargin;
        FBottomMargin = page->BottomMargin;
        FOrientation = page->Orientation();
    }
}

namespace {

TvrPage* PageOf(TvrComponent* obj) {
    for (TvrComponent* p = obj ? obj->Parent() : nullptr; p; p = p->Parent())
        if (auto* page = dynamic_cast<TvrPage*>(p)) return page;
    return nullptr;
}

void AddPageRecord(TvrIEMatrix& m, TvrComponent* page, Integer index) {
    auto* rp = dynamic_cast<TvrReportPage*>(page);
    if (!rp) {
        m.AddPage(poPortrait, false, index, 0, 0, 0, 0, page ? page->Height() : 0, page ? page->Width() : 0);
        return;
    }
    const Extended height = rp->Height() > 0 ? rp->Height() : rp->PaperHeight() * fr01cm;
    const Extended width = rp->Width() > 0 ? rp->Width() : rp->PaperWidth() * fr01cm;
    const Integer n = m.AddPage(rp->Orientation(), rp->MirrorMargins, index, rp->BottomMargin, rp->RightMargin,
                                rp->TopMargin, rp->LeftMargin, height, width);
    TvrIEMPage* record = m.PageByIndex(n);
    record->Name = rp->Name();
    record->PrintOnPreviousPage = rp->PrintOnPreviousPage;
}

} // namespace

void TvrXMLExport::ExportObject(TvrComponent* Obj) {
    if (!FMatrix || !Obj) return;
    if (TvrPage* page = PageOf(Obj)) page->SetTop(FMatrix->MergeTolerance);
    auto* view = dynamic_cast<TvrView*>(Obj);
    if (!view || Obj->Name() == "_pagebackground") return;
    FMatrix->AddObject(view);
}

void TvrXMLExport::FinishPage(TvrComponent* Page, Integer Index) {
    if (FMatrix) AddPageRecord(*FMatrix, Page, Index);
}

void TvrXMLExport::Finish() {
    if (!FMatrix) return;
    // While an error of the run passes, nothing is written: the old file stays.
    if (std::uncaught_exceptions() > 0) {
        FMatrix.reset();
        return;
    }
    try {
        FMatrix->Prepare();
        TvrExportFile file(FTarget);
        WriteDocument(file);
        file.Commit();
        if (OpenExcelAfterExport) vrOpenExportedFile(Report, FTarget);
    } catch (const Exception& e) {
        FMatrix.reset();
        vrExportError(Report, e.Message());
        return;
    }
    FMatrix.reset();
}

// --- texts ---------------------------------------------------------------------------------------

namespace {

// Characters XML 1.0 does not allow: controls other than tab, CR and LF, U+FFFE and U+FFFF.
bool ForbiddenInXml(char32_t c) {
    return (c < 0x20 && c != 0x09 && c != 0x0A && c != 0x0D) || c == 0xFFFE || c == 0xFFFF;
}

// Two decimals with "." and no thousands separator, halves away from zero.
String Fixed2(Extended value) {
    const long long hundredths = std::llround(static_cast<double>(value * 100));
    const unsigned long long a = static_cast<unsigned long long>(hundredths < 0 ? -hundredths : hundredths);
    String s = hundredths < 0 ? "-" : "";
    s += std::to_string(a / 100) + ".";
    const unsigned long long frac = a % 100;
    if (frac < 10) s += "0";
    s += std::to_string(frac);
    return s;
}

String Units(Extended reportUnits) {
    return Fixed2(reportUnits / 1.376L);
}

} // namespace

String TvrXMLExport::EscapeText(const String& text) {
    const String clean = SanitizeUtf8(text);
    String out;
    out.reserve(clean.size());
    size_t i = 0;
    while (i < clean.size()) {
        char32_t cp = 0;
        const size_t n = Utf8Decode(clean, i, cp);
        const size_t len = n ? n : 1;
        if (!ForbiddenInXml(cp)) {
            switch (cp) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out.append(clean, i, len);
            }
        }
        i += len;
    }
    return out;
}

String TvrXMLExport::EscapeCell(const String& text) {
    const String clean = SanitizeUtf8(text);
    String out;
    out.reserve(clean.size() + 16);
    bool afterBreak = false;
    size_t i = 0;
    while (i < clean.size()) {
        char32_t cp = 0;
        const size_t n = Utf8Decode(clean, i, cp);
        const size_t len = n ? n : 1;
        if (cp == '\r' && i + 1 < clean.size() && clean[i + 1] == '\n') {
            out += "&#10;";
            afterBreak = true;
            i += 2;
            continue;
        }
        switch (cp) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\n': break; // a lone LF
        default:
            if (cp >= '0' && cp <= '9' && afterBreak) {
                out += "&#" + std::to_string(static_cast<int>(cp)) + ";";
            } else {
                afterBreak = false;
                if (!ForbiddenInXml(cp)) out.append(clean, i, len);
            }
        }
        i += len;
    }
    return out;
}

String TvrXMLExport::ConvertNumberFormat(const String& format) {
    if (format.empty()) return "#,##0.00";
    const size_t dot = format.find('.');
    Integer n = 0;
    if (dot != String::npos && format.size() >= dot + 2)
        n = StrToIntDef(format.substr(dot + 1, format.size() - dot - 2), 0);
    const String decimals = n > 0 ? "." + String(static_cast<size_t>(n), '0') : String();
    switch (format.back()) {
    case 'f': return "0" + decimals;
    case 'g': return "0.##";
    case 'm': return "#,##0.00";
    case 'n': return "#,##0" + decimals;
    default: return "#,##0.00";
    }
}

namespace {

// The text of a numeric cell as a number ("1,234.50" gives "1234.50"); false when it is not one
// as a whole ("", "-", "1-2", "1.2.3").
bool NumberText(const String& text, const TvrFormat& format, String& number) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ' ' || c == ',' || c == '-' || c == '.' || (c >= '0' && c <= '9')) continue;
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA0) {
            ++i; // a no-break blank
            continue;
        }
        return false;
    }
    const TFormatSettings& fs = FormatSettings();
    String s = StringReplace(text, String(1, fs.ThousandSeparator), "", {rfReplaceAll});
    if (!fs.CurrencyString.empty()) s = StringReplace(s, fs.CurrencyString, "", {rfReplaceAll});
    const String separator = format.DecimalSeparator.empty() ? String(1, fs.DecimalSeparator) : format.DecimalSeparator;
    if (separator != ".") s = StringReplace(s, separator, ".", {rfReplaceAll});
    s = StringReplace(s, "\xC2\xA0", "", {rfReplaceAll});
    s = Trim(s);
    // A whole number: an optional minus, digits, at most one point between digits.
    size_t i = 0, digits = 0;
    if (i < s.size() && s[i] == '-') ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        size_t fraction = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++fraction;
        }
        if (fraction == 0) return false;
    }
    if (digits == 0 || i != s.size()) return false;
    number = s;
    return true;
}

} // namespace

String TvrXMLExport::DataElement(const TvrIEMObject& obj) const {
    String text = obj.Text();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    String number;
    const TvrIEMStyle* style = obj.CellStyle;
    if (style && style->DisplayFormat()->Kind == fkNumeric && NumberText(text, *style->DisplayFormat(), number))
        return "<Data ss:Type=\"Number\">" + number + "</Data>";
    return "<Data ss:Type=\"String\">" + EscapeCell(text) + "</Data>";
}

// --- the document --------------------------------------------------------------------------------

String TvrXMLExport::SheetName(const String& raw, Integer q) {
    // At most 31 characters, none of : \ / ? * [ ], unique without regard to case.
    String name;
    for (const char c : raw)
        if (String(":\\/?*[]").find(c) == String::npos) name += c;
    name = Trim(name);
    if (name.empty()) name = "UnnamedPage_" + IntToStr(q);
    const auto used = [this](const String& n) {
        for (const String& s : FSheetNames)
            if (AnsiSameText(s, n)) return true;
        return false;
    };
    String candidate = Utf8Copy(name, 1, 31);
    for (Integer k = 2; used(candidate); ++k) {
        const String suffix = " (" + IntToStr(k) + ")";
        candidate = Utf8Copy(name, 1, 31 - static_cast<Integer>(suffix.size())) + suffix;
    }
    FSheetNames.push_back(candidate);
    return candidate;
}

namespace {

// The local date and time as ISO 8601 in UTC ("2026-12-11T14:05:09Z").
String IsoUtc(TDateTime local) {
    Word y, mo, d, h, mi, s, ms;
    DecodeDateTime(local, y, mo, d, h, mi, s, ms);
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    std::tm utc{};
    gmtime_r(&t, &utc);
    const auto two = [](int v) { return String(v < 10 ? "0" : "") + std::to_string(v); };
    return std::to_string(utc.tm_year + 1900) + "-" + two(utc.tm_mon + 1) + "-" + two(utc.tm_mday) + "T" +
           two(utc.tm_hour) + ":" + two(utc.tm_min) + ":" + two(utc.tm_sec) + "Z";
}

class TXmlOut {
public:
    explicit TXmlOut(TStream& stream) : FStream(stream) { FBuffer.reserve(1 << 16); }
    ~TXmlOut() = default;
    void Line(const String& s) {
        FBuffer += s;
        FBuffer += "\r\n";
        if (FBuffer.size() >= (1 << 16)) Flush();
    }
    void Flush() {
        if (!FBuffer.empty()) FStream.WriteBuffer(FBuffer.data(), static_cast<Int64>(FBuffer.size()));
        FBuffer.clear();
    }

private:
    TStream& FStream;
    String FBuffer;
};

} // namespace

void TvrXMLExport::WriteDocument(TvrExportFile& file) {
    TvrIEMatrix& m = *FMatrix;
    TXmlOut out(file.Stream());
    const TvrReportOptions* options = Report ? Report->ReportOptions() : nullptr;
    out.Line("<?xml version=\"1.0\"?>");
    out.Line("<?mso-application progid=\"Excel.Sheet\"?>");
    out.Line("<?fr-application created=\"" + EscapeText(Creator) + "\"?>");
    out.Line("<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"");
    out.Line(" xmlns:o=\"urn:schemas-microsoft-com:office:office\"");
    out.Line(" xmlns:x=\"urn:schemas-microsoft-com:office:excel\"");
    out.Line(" xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\"");
    out.Line(" xmlns:html=\"http://www.w3.org/TR/REC-html40\">");
    out.Line("<DocumentProperties xmlns=\"urn:schemas-microsoft-com:office:office\">");
    out.Line("<Title>" + EscapeText(options ? options->Name : String()) + "</Title>");
    out.Line("<Author>" + EscapeText(options ? options->Author : String()) + "</Author>");
    out.Line("<Created>" + IsoUtc(Now()) + "</Created>");
    out.Line("<Version>" +
             EscapeText(options ? options->VersionMajor + "." + options->VersionMinor + "." + options->VersionRelease +
                                      "." + options->VersionBuild
                                : String("...")) +
             "</Version>");
    out.Line("</DocumentProperties>");
    out.Line("<ExcelWorkbook xmlns=\"urn:schemas-microsoft-com:office:excel\">");
    out.Line("<ProtectStructure>False</ProtectStructure>");
    out.Line("<ProtectWindows>False</ProtectWindows>");
    out.Line("</ExcelWorkbook>");

    if (ExportStyles) {
        out.Line("<Styles>");
        for (Integer n = 0; n < m.StyleCount(); ++n) {
            const TvrIEMStyle& s = *m.StyleByIndex(n);
            const TFont& f = *s.Font();
            out.Line("<Style ss:ID=\"s" + IntToStr(n) + "\">");
            String font = "<Font ss:FontName=\"" + EscapeText(f.Name()) + "\" ss:Size=\"" + IntToStr(f.Size()) +
                          "\" ss:Color=\"" + ColorToHTMLColor(f.Color()) + "\"";
            if (f.Style().Contains(fsBold)) font += " ss:Bold=\"1\"";
            if (f.Style().Contains(fsItalic)) font += " ss:Italic=\"1\"";
            if (f.Style().Contains(fsUnderline)) font += " ss:Underline=\"Single\"";
            out.Line(font + "/>");
            out.Line("<Interior ss:Color=\"" + ColorToHTMLColor(s.Color) + "\" ss:Pattern=\"Solid\"/>");
            static const char* const horizontal[] = {"Left", "Right", "Center", "Justify"};
            static const char* const vertical[] = {"Top", "Bottom", "Center"};
            String rotation;
            if (s.Rotation >= 1 && s.Rotation <= 90)
                rotation = "ss:Rotate=\"" + IntToStr(s.Rotation) + "\"";
            else if (s.Rotation >= 270 && s.Rotation <= 359)
                rotation = "ss:Rotate=\"" + IntToStr(s.Rotation - 360) + "\"";
            out.Line(String("<Alignment ss:Horizontal=\"") + horizontal[s.HAlign] + "\" ss:Vertical=\"" +
                     vertical[s.VAlign] + "\" ss:WrapText=\"1\" " + rotation + "/>");
            out.Line("<Borders>");
            static const std::pair<TvrFrameType, const char*> sides[] = {
                {ftLeft, "Left"}, {ftRight, "Right"}, {ftTop, "Top"}, {ftBottom, "Bottom"}};
            for (const auto& [side, name] : sides)
                if (s.Frame.Typ.Contains(side))
                    out.Line(String("<Border ss:Position=\"") + name +
                             "\" ss:LineStyle=\"Continuous\" ss:Weight=\"" + (s.Frame.Width > 1 ? "3" : "1") +
                             "\" ss:Color=\"" + ColorToHTMLColor(s.Frame.Color) + "\" />");
            out.Line("</Borders>");
            const TvrFormat& df = *s.DisplayFormat();
            if (df.Kind == fkNumeric && !df.FormatStr.empty() && df.FormatStr != "%2.2n")
                out.Line("<NumberFormat ss:Format=\"" + EscapeText(ConvertNumberFormat(df.FormatStr)) + "\"/>");
            out.Line("</Style>");
        }
        out.Line("</Styles>");
    }

    FSheetNames.clear();
    std::vector<Integer> breaks;
    String sheetRawName;
    const auto openSheet = [&](const String& raw, Integer q) {
        sheetRawName = raw;
        out.Line("<Worksheet ss:Name=\"" + EscapeText(SheetName(raw, q)) + "\">");
        out.Line("<Table ss:ExpandedColumnCount=\"" + IntToStr(m.ColumnCount) + "\" ss:ExpandedRowCount=\"" +
                 IntToStr(m.RowCount) + "\" x:FullColumns=\"1\" x:FullRows=\"1\">");
        for (Integer k = 1; k < m.ColumnCount; ++k)
            out.Line("<Column ss:AutoFitWidth=\"0\" ss:Width=\"" + Units(m.ColumnPos(k) - m.ColumnPos(k - 1)) +
                     "\"/>");
    };
    const auto closeSheet = [&]() {
        out.Line("</Table>");
        out.Line("<WorksheetOptions xmlns=\"urn:schemas-microsoft-com:office:excel\">");
        out.Line("<PageSetup>");
        if (FOrientation == poLandscape) out.Line("<Layout x:Orientation=\"Landscape\"/>");
        out.Line("<PageMargins x:Bottom=\"" + Fixed2(FBottomMargin / 26.6L) + "\" x:Left=\"" +
                 Fixed2(FLeftMargin / 26.6L) + "\" x:Right=\"" + Fixed2(FRightMargin / 26.6L) + "\" x:Top=\"" +
                 Fixed2(FTopMargin / 26.6L) + "\"/>");
        out.Line("</PageSetup>");
        out.Line("</WorksheetOptions>");
        if (FPageBreaks) {
            out.Line("<PageBreaks xmlns=\"urn:schemas-microsoft-com:office:excel\">");
            out.Line("<RowBreaks>");
            for (const Integer b : breaks) {
                out.Line("<RowBreak>");
                out.Line("<Row>" + IntToStr(b) + "</Row>");
                out.Line("</RowBreak>");
            }
            out.Line("</RowBreaks>");
            out.Line("</PageBreaks>");
        }
        breaks.clear();
        out.Line("</Worksheet>");
    };
    // Whether page record q opens a sheet of its own.
    const auto pageSplits = [&](Integer q) {
        const TvrIEMPage* page = m.PageByIndex(q);
        if (!page) return false;
        if (Split == ssRPages) return page->Name != sheetRawName;
        if (Split == ssPrintOnPrev) return q > 0 && !page->PrintOnPreviousPage && page->Name != sheetRawName;
        return false;
    };

    std::unique_ptr<TvrProgress> progress;
    if (ShowProgress) {
        progress = std::make_unique<TvrProgress>(nullptr);
        progress->StartProgress(m.PageCount(), "Exporting pages", true, true);
    }
    const auto cancelled = [&] { return progress && progress->CancelRequested(); };

    Integer q = 0, s = 0;
    const TvrIEMPage* first = m.PageByIndex(0);
    openSheet(first ? first->Name : String(), 0);
    for (Integer r = 0; r < m.RowCount - 1 && !cancelled(); ++r) {
        // A page ends at its bottom; past the last page only the rows count ends one (the last
        // page's bottom would otherwise read as 0 and end a page at every row).
        if ((q < m.PageCount() && m.RowPos(r) >= m.PageBottom(q)) || (FRowsCount > 0 && r - s + 1 >= FRowsCount)) {
            ++q;
            if (progress) progress->StepProgress();
            if (cancelled()) break;
            // Without empty lines the page's first row is the row that ends the page before it:
            // a sheet of its own must begin with it.
            if (!EmptyLines && Split != ssRowsCount && pageSplits(q)) {
                closeSheet();
                s = r;
                openSheet(m.PageByIndex(q)->Name, q);
            } else {
                breaks.push_back(r - s + 1);
            }
        }
        out.Line("<Row ss:Height=\"" + Units(m.RowPos(r + 1) - m.RowPos(r)) + "\">");
        for (Integer c = 0; c < m.ColumnCount; ++c) {
            const Integer index = m.CellAt(c, r);
            TvrIEMObject* obj = m.ObjectByIndex(index);
            if (!obj) {
                out.Line("<Cell ss:Index=\"" + IntToStr(c + 1) + "\" />");
                continue;
            }
            if (obj->Written) continue;
            obj->Written = 1;
            if (!obj->HoldsText) continue;
            Integer col, row, colSpan, rowSpan;
            m.ObjectPlacement(index, col, row, colSpan, rowSpan);
            String cell = "<Cell ss:Index=\"" + IntToStr(c + 1) + "\" ";
            if (colSpan >= 2) cell += "ss:MergeAcross=\"" + IntToStr(colSpan - 1) + "\" ";
            if (rowSpan >= 2) cell += "ss:MergeDown=\"" + IntToStr(rowSpan - 1) + "\" ";
            if (ExportStyles) cell += "ss:StyleID=\"s" + IntToStr(obj->StyleNo) + "\" ";
            out.Line(cell + ">" + DataElement(*obj) + "</Cell>");
        }
        out.Line("</Row>");
        if (Split == ssRowsCount && FRowsCount > 0 && r - s + 1 >= FRowsCount) {
            closeSheet();
            s = r + 1;
            openSheet(String(), q);
        } else if (EmptyLines && pageSplits(q)) {
            closeSheet();
            s = r + 1;
            openSheet(m.PageByIndex(q)->Name, q);
        }
    }
    closeSheet();
    out.Line("</Workbook>");
    out.Flush();
}
