// The RTF table: the body goes to a memory stream while the colour and font tables fill, then
// the head with both tables and the body go to the target.
#include "grid/DBGridGxImpExp.h"

#include "gui/Colors.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

namespace {

const char* const CRLF = "\r\n";

const char* AlignmentKeyword(TAlignment a) {
    switch (a) {
    case taRightJustify:
        return "\\qr";
    case taCenter:
        return "\\qc";
    default:
        return "\\ql";
    }
}

// RTF text: the group and escape characters escaped, a TAB as \tab, a line break as \line, and
// every character beyond ASCII as \uN? with N its signed 16-bit UTF-16 unit.
String RtfText(const String& Utf8) {
    String out;
    const WideString wide = Utf8ToWide(Utf8);
    for (size_t i = 0; i < wide.size(); ++i) {
        const char16_t c = wide[i];
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == u'\t') {
            out += "\\tab ";
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < wide.size() && wide[i + 1] == u'\n') ++i;
            out += "\\line ";
        } else if (c < 0x20) {
            // other control characters have no place in RTF text
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += "\\u" + IntToStr(static_cast<int>(static_cast<int16_t>(c))) + "?";
        }
    }
    return out;
}

} // namespace

void TDBGridGxExportAsRTF::WriteToStream(TStream& Target, bool ExportAll) {
    if (!ExportAll && Grid->SelectionKind() == gstNon) return; // nothing at all, not even the head
    TMemoryStreamGx cache;
    FColorTable.clear();
    FFontTable.clear();
    ColorIndex(clBlack);
    ColorIndex(clWhite);
    ColorIndex(clBtnFace);
    TDBGridGxExport::WriteToStream(cache, ExportAll);
    String head = String("{\\rtf0\\ansi") + CRLF + "{\\colortbl";
    for (const String& key : FColorTable)
        head += "\\red" + Trim(key.substr(0, 3)) + "\\green" + Trim(key.substr(3, 3)) + "\\blue" +
                Trim(key.substr(6, 3)) + ";";
    head += String("}") + CRLF + "{\\fonttbl";
    for (size_t i = 0; i < FFontTable.size(); ++i)
        head += "\\f" + IntToStr(static_cast<int>(i)) + "\\fnil " + RtfText(FFontTable[i]) + ";";
    head += String("}") + CRLF;
    StreamWriteText(Target, head);
    // The body in one piece: the target takes its room once, not chunk by chunk.
    if (cache.Size() > 0) Target.WriteBuffer(cache.Memory(), cache.Size());
}

int TDBGridGxExportAsRTF::ColorIndex(TColor Color) {
    const TColorRef rgb = ColorToRGB(Color);
    const String key = Format("%3d%3d%3d", {static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                                            static_cast<int>((rgb >> 16) & 0xFF)});
    for (size_t i = 0; i < FColorTable.size(); ++i)
        if (FColorTable[i] == key) return static_cast<int>(i);
    FColorTable.push_back(key);
    return static_cast<int>(FColorTable.size() - 1);
}

int TDBGridGxExportAsRTF::FontIndex(const String& Name) {
    for (size_t i = 0; i < FFontTable.size(); ++i)
        if (AnsiCompareText(FFontTable[i], Name) == 0) return static_cast<int>(i);
    FFontTable.push_back(Name);
    return static_cast<int>(FFontTable.size() - 1);
}

String TDBGridGxExportAsRTF::EmitText(const TFont& Font, const String& Text, TColor Background) {
    String out = "\\fs" + IntToStr(Font.Size() * 2);
    const TFontStyles style = Font.Style();
    if (style.Contains(fsBold)) out += "\\b";
    if (style.Contains(fsItalic)) out += "\\i";
    if (style.Contains(fsStrikeOut)) out += "\\strike";
    if (style.Contains(fsUnderline)) out += "\\ul";
    out += "\\f" + IntToStr(FontIndex(Font.Name()));
    out += "\\cf" + IntToStr(ColorIndex(Font.Color()));
    out += "\\cb" + IntToStr(ColorIndex(Background));
    out += " " + RtfText(Text);
    return out;
}

void TDBGridGxExportAsRTF::WriteRow(const std::vector<const TCellParamsGx*>& Cells,
                                    const std::vector<int>& Columns) {
    const String spacing = Grid->Flat() ? "12" : "24";
    const int ppi = Grid->PixelsPerInch() > 0 ? Grid->PixelsPerInch() : 96;
    String out = String("\\trowd\\trgaph40") + CRLF;
    int x = 0;
    for (size_t i = 0; i < Columns.size(); ++i) {
        for (const char* side : {"\\clbrdrl", "\\clbrdrt", "\\clbrdrb", "\\clbrdrr"})
            out += String(side) + "\\brdrs\\brdrcf0" + CRLF;
        x += Grid->ColumnWidth(Columns[i]) * 1440 / ppi;
        out += "\\clshdng10000\\clcfpat" + IntToStr(ColorIndex(Cells[i]->Background)) + "\\cellx" +
               IntToStr(x) + CRLF;
    }
    out += String("{\\trrh0") + CRLF;
    for (const TCellParamsGx* cell : Cells)
        out += String("\\pard\\intbl{") + AlignmentKeyword(cell->Alignment) + "\\sb" + spacing + "\\sa" +
               spacing + EmitText(cell->Font, cell->Text, cell->Background) + "\\cell}" + CRLF;
    out += String("\\pard\\intbl\\row}") + CRLF;
    StreamWriteText(*Stream, out);
}

void TDBGridGxExportAsRTF::PutTitles(const std::vector<int>& Columns) {
    std::vector<TCellParamsGx> cells(Columns.size());
    std::vector<const TCellParamsGx*> refs;
    for (size_t i = 0; i < Columns.size(); ++i) {
        Grid->TitleParams(Columns[i], cells[i]);
        refs.push_back(&cells[i]);
    }
    WriteRow(refs, Columns);
}

void TDBGridGxExportAsRTF::PutRecord(const std::vector<int>& Columns) {
    std::vector<TCellParamsGx> cells(Columns.size());
    std::vector<const TCellParamsGx*> refs;
    for (size_t i = 0; i < Columns.size(); ++i) {
        Grid->DataCellParams(Columns[i], cells[i]);
        refs.push_back(&cells[i]);
    }
    WriteRow(refs, Columns);
}

void TDBGridGxExportAsRTF::PutFooter(const std::vector<int>& Columns, int FooterRow) {
    std::vector<TCellParamsGx> cells(Columns.size());
    std::vector<const TCellParamsGx*> refs;
    for (size_t i = 0; i < Columns.size(); ++i) {
        const TFooterValueTypeGx type = Grid->FooterValueType(Columns[i], FooterRow);
        cells[i].Text =
            type == fvtSum || type == fvtCount ? TotalText(static_cast<int>(i), FooterRow) : String();
        Grid->FooterCellParams(Columns[i], FooterRow, cells[i]);
        refs.push_back(&cells[i]);
    }
    WriteRow(refs, Columns);
}

void TDBGridGxExportAsRTF::PutSuffix() {
    StreamWriteText(*Stream, "}");
}
