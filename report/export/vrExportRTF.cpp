// The RTF export: the filter, the document writer and the dialog.
#include "report/export/vrExportRTF.h"

#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "gui/Colors.h"
#include "gui/Metafile.h"
#include "report/export/vrExportFile.h"
#include "report/export/vrrcExports.h"
#include "report/vrClassBand.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrHTMLTags.h"
#include "report/vrProgress.h"
#include "report/vrRes.h"
#include "rtl/CodePage.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

Integer RtfRound(Extended value) {
    return static_cast<Integer>(std::nearbyint(value));
}

const char HexDigits[] = "0123456789ABCDEF";

// Bytes as hexadecimal text, upper-case, perLine bytes a line ended by CR LF.
String HexLines(const std::string& bytes, size_t perLine) {
    String out;
    out.reserve(bytes.size() * 2 + bytes.size() / perLine * 2 + 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += HexDigits[b >> 4];
        out += HexDigits[b & 15];
        if ((i + 1) % perLine == 0 || i + 1 == bytes.size()) out += "\r\n";
    }
    return out;
}

// A little-endian number as upper-case hexadecimal digits.
String HexLE(Cardinal value, int bytes) {
    String out;
    for (int i = 0; i < bytes; ++i) {
        const Byte b = static_cast<Byte>((value >> (8 * i)) & 0xFF);
        out += HexDigits[b >> 4];
        out += HexDigits[b & 15];
    }
    return out;
}

} // namespace

WideString vrRTFEscape(const WideString& text) {
    WideString out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\\')
            out += u"\\\\";
        else if (c == u'{')
            out += u"\\{";
        else if (c == u'}')
            out += u"\\}";
        else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' && i + 2 < text.size())
            out += u"\\line\r";
        else
            out += c;
    }
    return out;
}

namespace {

// The encoding of characters alone (step 2): units from 128 as "\u" + signed decimal + "\'3f".
String EncodeUnits(const WideString& text) {
    String out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        if (c < 128)
            out += static_cast<char>(c);
        else
            out += "\\u" + IntToStr(static_cast<int16_t>(c)) + "\\'3f";
    }
    return out;
}

} // namespace

String vrRTFEncode(const WideString& text) {
    return EncodeUnits(vrRTFEscape(text));
}

ORV_META_IMPL(TvrRTFExport)
void TvrRTFExport::DeclareMeta(meta::Class<TvrRTFExport>& c) {
    using T = TvrRTFExport;
    c.Property("ExportEMF", &T::ExportEMF, &T::ExportEMF).Default(true);
    c.Property("ExportPageBreaks", &T::ExportPageBreaks, &T::ExportPageBreaks).Default(true);
    c.Property("ExportPictures", &T::ExportPictures, &T::ExportPictures).Default(true);
    c.Property("OpenAfterExport", &T::OpenAfterExport, &T::OpenAfterExport).Default(false);
    c.Property("Wysiwyg", &T::Wysiwyg, &T::Wysiwyg).Default(true);
    c.Property("Creator", &T::Creator, &T::Creator);
    c.Property("SuppressPageHeadersFooters", &T::SuppressPageHeadersFooters, &T::SuppressPageHeadersFooters)
        .Default(false);
    c.Property("HeaderFooterMode", &T::HeaderFooterMode, &T::HeaderFooterMode).Default(hfText);
    c.Property("AutoSize", &T::AutoSize, &T::AutoSize).Default(false);
}

TvrRTFExport::TvrRTFExport(TComponent* AOwner) : TvrCustomExportFilter(AOwner) {
    Init();
}

TvrRTFExport::TvrRTFExport(TUnlisted tag) : TvrCustomExportFilter(tag) {
    Init();
}

TvrRTFExport::~TvrRTFExport() = default;

void TvrRTFExport::Init() {
    vrLoadExportStrings();
    ShowDialog = true;
    FilterDescription = GetResourceStringById(8504);
    DefaultExtension = GetResourceStringById(8505);
}

String TvrRTFExport::GetDescription() {
    return GetResources().GetString("RTFexport");
}

int TvrRTFExport::ShowModal() {
    TvrRTFExportDialog dialog(nullptr);
    dialog.Fill(*this);
    if (dialog.ShowModal() != mrOk) return mrCancel;
    dialog.Apply(*this);
    return dialog.ChooseFile(*this) ? mrOk : mrCancel;
}

bool TvrRTFExport::Start() {
    FTarget = vrExportTarget(*this);
    if (FTarget.empty()) return false;
    FMatrix = std::make_unique<TvrIEMatrix>();
    TvrIEMatrix& m = *FMatrix;
    m.ProgressWindow = ShowProgress;
    m.MergeTolerance = Wysiwyg ? 0.5L : 10.0L;
    m.RotatedAsPicture = true;
    m.Backdrop = true;
    m.BackdropCropped = true;
    m.StripHtmlTags = false;
    m.PageBackground = false;
    m.PageBackgroundPicture = false;
    m.MetafilePictures = ExportEMF;
    FFonts.clear();
    FCharsets.clear();
    FColors.clear();
    return true;
}

void TvrRTFExport::ExportObject(TvrComponent* Obj) {
    if (!FMatrix || !Obj) return;
    if (auto* header = dynamic_cast<TvrPageHeader*>(Obj)) {
        FMatrix->SetHeaderBand(header);
        return;
    }
    if (auto* footer = dynamic_cast<TvrPageFooter*>(Obj)) {
        FMatrix->SetFooterBand(footer);
        return;
    }
    auto* view = dynamic_cast<TvrView*>(Obj);
    if (!view || (!view->Printable && !ExportNotPrintable)) return;
    if (dynamic_cast<TvrCustomMemoView*>(view) || ExportPictures) FMatrix->AddObject(view);
}

void TvrRTFExport::FinishPage(TvrComponent* Page, Integer Index) {
    if (!FMatrix) return;
    auto* rp = dynamic_cast<TvrReportPage*>(Page);
    if (!rp) {
        FMatrix->AddPage(poPortrait, false, Index, 0, 0, 0, 0, Page ? Page->Height() : 0, Page ? Page->Width() : 0);
        return;
    }
    const Extended height = rp->Height() > 0 ? rp->Height() : rp->PaperHeight() * fr01cm;
    const Extended width = rp->Width() > 0 ? rp->Width() : rp->PaperWidth() * fr01cm;
    FMatrix->AddPage(rp->Orientation(), rp->MirrorMargins, Index, rp->BottomMargin, rp->RightMargin, rp->TopMargin,
                     rp->LeftMargin, height, width);
}

Integer TvrRTFExport::ColorIndex(TColor color) {
    const TColorRef rgb = ColorToRGB(color);
    const String entry = "\\red" + IntToStr(rgb & 0xFF) + "\\green" + IntToStr((rgb >> 8) & 0xFF) + "\\blue" +
                         IntToStr((rgb >> 16) & 0xFF) + ";";
    auto it = std::find(FColors.begin(), FColors.end(), entry);
    if (it == FColors.end()) it = FColors.insert(FColors.end(), entry);
    return static_cast<Integer>(it - FColors.begin()) + 1;
}

Integer TvrRTFExport::FontIndex(const String& name, Integer charset) {
    auto it = std::find(FFonts.begin(), FFonts.end(), name);
    if (it != FFonts.end()) return static_cast<Integer>(it - FFonts.begin());
    FFonts.push_back(name);
    FCharsets.push_back(charset);
    return static_cast<Integer>(FFonts.size()) - 1;
}

String TvrRTFExport::SectionProperties(Integer page) const {
    const TvrIEMatrix& m = *FMatrix;
    String s = "\\pgwsxn" + IntToStr(RtfRound(m.PageWidth(page) * 15.02)) + "\\pghsxn" +
               IntToStr(RtfRound(m.PageHeight(page) * 15.02)) + "\\marglsxn" +
               IntToStr(RtfRound(m.PageLeftMargin(page) * 56.48)) + "\\margrsxn" +
               IntToStr(RtfRound(m.PageRightMargin(page) * 56.48)) + "\\margtsxn" +
               IntToStr(RtfRound(m.PageTopMargin(page) * 56.48)) + "\\margbsxn" +
               IntToStr(RtfRound(m.PageBottomMargin(page) * 56.48)) + "\r\n";
    if (m.PageOrientation(page) == poLandscape) s += "\\lndscpsxn\r\n";
    return s;
}

String TvrRTFExport::Borders(const TvrIEMStyle& style) {
    const TvrIEMFrame& f = style.Frame;
    const String w = "\\brdrs\\brdrw" + IntToStr(RtfRound(f.Width * 20));
    const String k = "\\brdrcf" + IntToStr(ColorIndex(f.Color));
    const String s = f.Style == fsDouble ? "\\brdrdb" : f.Style == fsSolid ? "" : "\\brdrdashsm";
    String out;
    if (f.Typ.Contains(ftTop)) out += "\\clbrdrt" + w + k + s;
    if (f.Typ.Contains(ftLeft)) out += "\\clbrdrl" + w + k + s;
    if (f.Typ.Contains(ftBottom)) out += "\\clbrdrb" + w + k + s;
    if (f.Typ.Contains(ftRight)) out += "\\clbrdrr" + w + k + s;
    return out;
}

String TvrRTFExport::TextCell(TvrIEMObject& obj, Extended rowHeight) {
    const TvrIEMStyle& style = *obj.CellStyle;
    TFont& font = *style.Font();
    const WideString text = Utf8ToWide(obj.Text());
    String fontPart = "\\f" + IntToStr(FontIndex(font.Name(), style.Charset)) + "\\fs" +
                      IntToStr(text.empty() ? std::min<Integer>(RtfRound(rowHeight) / 15, 20) : font.Size() * 2);
    if (font.Style().Contains(fsItalic)) fontPart += "\\i";
    if (font.Style().Contains(fsBold)) fontPart += "\\b";
    if (font.Style().Contains(fsUnderline)) fontPart += "\\ul";
    fontPart += "\\cf" + IntToStr(ColorIndex(font.Color()));

    String textPart;
    if (obj.HtmlMarkup) {
        const WideString escaped = vrRTFEscape(text);
        WideString stripped = escaped;
        TvrHTMLTagsList tags;
        tags.SetDefaults(font.Color(), font.Size(), font.Style());
        tags.ExpandTags(stripped);
        bool bold = false, italic = false, underline = false;
        TColor current = style.Color;
        for (Integer l = 0; l < tags.ItemCount(); ++l) {
            TvrHTMLTags* line = tags.GetItem(l);
            for (Integer i = 0; i < line->ItemCount(); ++i) {
                const TvrHTMLTag& tag = *line->GetItem(i);
                const bool b = tag.StyleSet.Contains(fsBold), it = tag.StyleSet.Contains(fsItalic),
                           u = tag.StyleSet.Contains(fsUnderline);
                if (b != bold) textPart += b ? "\\b " : "\\b0 ";
                if (it != italic) textPart += it ? "\\i " : "\\i0 ";
                if (u != underline) textPart += u ? "\\ul " : "\\ul0 ";
                bold = b;
                italic = it;
                underline = u;
                if (tag.TagColor != current) {
                    textPart += "\\cf" + IntToStr(ColorIndex(tag.TagColor)) + " ";
                    current = tag.TagColor;
                }
                const auto at = static_cast<size_t>(tag.SourcePos - 1);
                if (at < escaped.size()) textPart += EncodeUnits(escaped.substr(at, 1));
            }
        }
        textPart += "\\plain";
    } else {
        textPart = vrRTFEncode(text);
    }

    String paragraph;
    if (textPart.find_first_not_of(' ') != String::npos) {
        const Integer sb = RtfRound((style.GapY + style.LineSpacing - 1) * FFactor);
        const Integer e = RtfRound(style.CharSpacing * 15);
        paragraph = "\\sb" + IntToStr(std::max<Integer>(sb, 0)) + "\\li" + IntToStr(RtfRound(style.GapX / 2 * 15.05)) +
                    "\\fi" + IntToStr(RtfRound(style.ParagraphGap * 15.05)) + "\\expnd" + IntToStr(e / 5) +
                    "\\expndtw" + IntToStr(e) + "\\sl-" +
                    IntToStr(RtfRound((style.LineSpacing - font.Height()) * FFactor * 0.98)) + "\\slmult0";
        if (style.WordBreak) paragraph += "\\hyphauto1\\hyphcaps1";
    }
    const char* align = style.HAlign == haRight ? "\\qr" : style.HAlign == haCenter ? "\\qc"
                        : style.HAlign == haBlock                                 ? "\\qj"
                                                                                  : "\\ql";
    String cell = String(align) + "{" + fontPart + paragraph + " " + textPart + "\\cell}";
    for (size_t p; (p = cell.find("\\par\r\n\\cell")) != String::npos;) cell.erase(p, 6);
    return cell;
}

String TvrRTFExport::PictureCell(TvrIEMObject& obj) {
    if (ExportEMF) {
        if (!obj.MetaPicture) return String();
        const std::string emf = EnhancedMetafileBytes(*obj.MetaPicture);
        return "{\\sb0\\li0\\sl0\\slmult0 {\\pict\\picw" + IntToStr(RtfRound(obj.MetaPicture->Width() * 25.3)) +
               "\\pich" + IntToStr(RtfRound(obj.MetaPicture->Height() * 25.3)) +
               "\\picscalex98\\picscaley98\\piccropl0\\piccropr0\\piccropt0\\piccropb0\\emfblip\r\n" +
               HexLines(emf, 64) + "}\\cell}\r\n";
    }
    if (!obj.Bitmap || obj.Bitmap->Empty()) return String();
    TStringStream bmp;
    obj.Bitmap->SaveToStream(bmp);
    const std::string& file = bmp.DataString();
    const auto w = static_cast<Cardinal>(obj.Bitmap->Width()), h = static_cast<Cardinal>(obj.Bitmap->Height());
    const auto s = static_cast<Cardinal>(file.size() / 2 + 7);
    String out = "{\\sb0\\li0\\sl0\\slmult0 {\\pict\\wmetafile8\\picw" + IntToStr(RtfRound(RtfRound(obj.Width) * 25.3)) +
                 "\\pich" + IntToStr(RtfRound(RtfRound(obj.Height) * 25.3)) + "\\picbmp\\picbpp4\r\n";
    out += "010009000003" + HexLE(s + 36, 4) + "0000" + HexLE(s, 4) + "0000";
    out += "050000000b0200000000";
    out += "050000000c02" + HexLE(h, 2) + HexLE(w, 2);
    out += "05000000090200000000";
    out += "050000000102ffffff00";
    out += "0400000007010300";
    out += HexLE(s, 4) + "430f2000cc000000" + HexLE(h, 2) + HexLE(w, 2) + "00000000" + HexLE(h, 2) + HexLE(w, 2) +
           "00000000\r\n";
    out += HexLines(file.substr(14), 64);
    out += "030000000000}\\cell}\r\n";
    return out;
}

bool TvrRTFExport::PassTakes(TPass pass, const TvrIEMObject& obj) const {
    switch (pass) {
    case passHeader: return obj.InHeader;
    case passFooter: return obj.InFooter;
    default: return (!obj.InHeader && !obj.InFooter) || HeaderFooterMode == hfText;
    }
}

void TvrRTFExport::WriteDocument(TStream& stream) {
    TvrIEMatrix& m = *FMatrix;
    String out;
    auto flush = [&] {
        if (out.size() > (1 << 16)) {
            stream.WriteBuffer(out.data(), static_cast<Int64>(out.size()));
            out.clear();
        }
    };
    // The tables come first: every object's colours and fonts.
    for (Integer r = 0; r < m.RowCount; ++r)
        for (Integer c = 0; c < m.ColumnCount; ++c) {
            TvrIEMObject* obj = m.ObjectAt(c, r);
            if (!obj || !obj->CellStyle) continue;
            obj->Written = -1;
            const TvrIEMStyle& style = *obj->CellStyle;
            ColorIndex(style.Color);
            ColorIndex(style.Frame.Color);
            if (!obj->HoldsText) continue;
            ColorIndex(style.Font()->Color());
            FontIndex(style.Font()->Name(), style.Charset);
            if (obj->HtmlMarkup) {
                WideString text = vrRTFEscape(Utf8ToWide(obj->Text()));
                TvrHTMLTagsList tags;
                tags.SetDefaults(style.Font()->Color(), style.Font()->Size(), style.Font()->Style());
                tags.ExpandTags(text);
                for (Integer l = 0; l < tags.ItemCount(); ++l)
                    for (Integer i = 0; i < tags.GetItem(l)->ItemCount(); ++i)
                        ColorIndex(tags.GetItem(l)->GetItem(i)->TagColor);
            }
        }
    auto wrapped = [&](String line, const std::vector<String>& entries) {
        for (const String& e : entries) {
            if (line.size() + e.size() > 254) {
                out += line + "\r\n";
                line = e;
            } else {
                line += e;
            }
        }
        out += line + "}\r\n";
    };
    out += "{\\rtf1\\ansi\r\n";
    std::vector<String> fonts;
    for (size_t i = 0; i < FFonts.size(); ++i)
        fonts.push_back("{\\f" + IntToStr(static_cast<Integer>(i)) + "\\fcharset" + IntToStr(FCharsets[i]) + " " +
                        vrRTFEncode(Utf8ToWide(FFonts[i])) + ";}");
    wrapped("{\\fonttbl", fonts);
    wrapped("{\\colortbl;", FColors);
    const String title = Report ? Report->ReportOptions()->Name : String();
    out += "{\\info{\\title " + vrRTFEncode(Utf8ToWide(title)) + "}{\\author " + vrRTFEncode(Utf8ToWide(Creator)) +
           "}{\\creatim" + FormatDateTime("'\\yr'yyyy'\\mo'mm'\\dy'dd'\\hr'hh'\\min'nn", Now()) + "}}\r\n";

    std::unique_ptr<TvrProgress> progress;
    if (ShowProgress) {
        progress = std::make_unique<TvrProgress>(nullptr);
        progress->StartProgress(std::max<Integer>(0, m.RowCount - 1), GetResources().GetString("ProgressWait"), true,
                                true);
    }
    FCurrentPage = 0;
    FFactor = 15.0;
    if (m.PageCount() > 0) out += SectionProperties(0);

    std::vector<TPass> passes;
    if (HeaderFooterMode == hfPrint) passes = {passHeader, passFooter, passBody};
    else passes = {passBody};
    for (const TPass pass : passes) {
        if (pass == passHeader) out += "{\\header \r\n";
        if (pass == passFooter) out += "{\\footer \r\n";
        if (m.PageCount() == 1) FFactor = 14.5;
        for (Integer r = 0; r < m.RowCount - 1; ++r) {
            if (progress) {
                progress->StepProgress();
                if (progress->CancelRequested()) break;
            }
            if (pass == passBody && ExportPageBreaks && FCurrentPage < m.PageCount() &&
                m.RowPos(r) >= m.PageBottom(FCurrentPage)) {
                out += "\\pard\\sect\r\n";
                ++FCurrentPage;
                if (FCurrentPage < m.PageCount()) out += SectionProperties(FCurrentPage);
                if (FCurrentPage == m.PageCount() - 1) FFactor = 14.5;
            }
            const Extended rowHeight = (m.RowPos(r + 1) - m.RowPos(r)) * FFactor;
            const String rowDef = (AutoSize ? "\\trrh" : "\\trrh-") + IntToStr(RtfRound(rowHeight)) + "\\trgaph15";
            const Integer page = std::min<Integer>(FCurrentPage, std::max<Integer>(0, m.PageCount() - 1));
            const Integer x0 = RtfRound(m.ColumnPos(0)) +
                               (m.PageCount() > 0 ? RtfRound(m.PageLeftMargin(page) * 56.48 / 15.05) : 0);
            String cells, buffer;
            for (Integer c = 0; c < m.ColumnCount - 1; ++c) {
                TvrIEMObject* obj = m.ObjectAt(c, r);
                if (!obj || !obj->CellStyle || !PassTakes(pass, *obj)) continue;
                Integer col = 0, row = 0, colSpan = 1, rowSpan = 1;
                m.ObjectPlacement(m.CellAt(c, r), col, row, colSpan, rowSpan);
                const String cellx = "\\cellx" + IntToStr(RtfRound((obj->Left + obj->Width - x0) * 15.05));
                if (obj->Written == -1) {
                    const TvrIEMStyle& style = *obj->CellStyle;
                    if (rowSpan > 1) cells += "\\clvmgf";
                    if ((static_cast<Cardinal>(style.Color) % 0x1000000) != 0xFFFFFF)
                        cells += "\\clcbpat" + IntToStr(ColorIndex(style.Color));
                    cells += style.VAlign == vaBottom ? "\\clvertalb" : style.VAlign == vaCenter ? "\\clvertalc"
                                                                                              : "\\clvertalt";
                    cells += Borders(style) + "\\cltxlrtb" + cellx;
                    buffer += obj->HoldsText ? TextCell(*obj, rowHeight) : ExportPictures ? PictureCell(*obj) : String();
                    obj->Written = r + 1;
                } else if (obj->Written != r + 1 && rowSpan > 1) {
                    cells += "\\clvmrg" + Borders(*obj->CellStyle) + "\\cltxlrtb" + cellx;
                    buffer += "{\\fs" + IntToStr(std::min<Integer>(RtfRound(rowHeight) / 15, 20)) + "\\cell}";
                    obj->Written = r + 1;
                }
            }
            if (!buffer.empty()) {
                out += "\\trowd" + rowDef + cells + "\\pard\\intbl\r\n";
                out += buffer;
                out += "\\pard\\intbl{\\trowd" + rowDef + cells + "\\row}\r\n";
            }
            flush();
        }
        if (pass != passBody) out += "}\r\n";
    }
    out += "}\r\n";
    stream.WriteBuffer(out.data(), static_cast<Int64>(out.size()));
}

void TvrRTFExport::Finish() {
    std::unique_ptr<TvrIEMatrix> matrix = std::move(FMatrix);
    if (!matrix || std::uncaught_exceptions() > 0) return;
    FMatrix = std::move(matrix);
    try {
        FMatrix->Prepare();
        TvrExportFile file(FTarget);
        WriteDocument(file.Stream());
        file.Commit();
        if (OpenAfterExport) vrOpenExportedFile(Report, FTarget);
    } catch (const Exception& e) {
        FMatrix.reset();
        vrExportError(Report, e.Message());
    }
    FMatrix.reset();
    FFonts.clear();
    FCharsets.clear();
    FColors.clear();
}

// --- the dialog ----------------------------------------------------------------------------------

ORV_META_IMPL(TvrRTFExportDialog)
void TvrRTFExportDialog::DeclareMeta(meta::Class<TvrRTFExportDialog>&) {}

TvrRTFExportDialog::TvrRTFExportDialog(TComponent* AOwner) : TvrExportDialog(AOwner) {
    SetName("vrRTFExportDialog");
    GroupQuality = Place<TGroupBox>(nullptr, "GroupQuality", 276, 4, 200, 160);
    HeadFootL = Place<TLabel>(GroupQuality, "HeadFootL", 12, 22, 70, 13);
    PColontitulCB = Place<TComboBox>(GroupQuality, "PColontitulCB", 88, 18, 100, 21);
    PColontitulCB->SetStyle(csDropDownList);
    WCB = Place<TCheckBox>(GroupQuality, "WCB", 12, 46, 176, 17);
    PageBreaksCB = Place<TCheckBox>(GroupQuality, "PageBreaksCB", 12, 68, 176, 17);
    PicturesCB = Place<TCheckBox>(GroupQuality, "PicturesCB", 12, 90, 176, 17);
    ContinuousCB = Place<TCheckBox>(GroupQuality, "ContinuousCB", 12, 112, 176, 17);
    OpenCB = Place<TCheckBox>(nullptr, "OpenCB", 8, 150, 260, 17);
    const TvrResources& res = GetResources();
    SetCaption(res.GetString("8500"));
    GroupQuality->SetCaption(res.GetString("8"));
    HeadFootL->SetCaption(res.GetString("8951"));
    PColontitulCB->Items()->Add(res.GetString("8952"));
    PColontitulCB->Items()->Add(res.GetString("8953"));
    PColontitulCB->Items()->Add(res.GetString("8954"));
    WCB->SetCaption(res.GetString("8502"));
    PageBreaksCB->SetCaption(res.GetString("6"));
    PicturesCB->SetCaption(res.GetString("8501"));
    ContinuousCB->SetCaption(res.GetString("8950"));
    OpenCB->SetCaption(res.GetString("8503"));
    SaveDialog1->SetFilter(res.GetString("8504"));
    SaveDialog1->SetDefaultExt(res.GetString("8505"));
    FinishCreate(484, 214);
}

void TvrRTFExportDialog::Fill(TvrRTFExport& filter) {
    FillPageRange(filter);
    PColontitulCB->SetItemIndex(static_cast<int>(filter.HeaderFooterMode));
    WCB->SetChecked(filter.Wysiwyg);
    PageBreaksCB->SetChecked(filter.ExportPageBreaks);
    PicturesCB->SetChecked(filter.ExportPictures);
    ContinuousCB->SetChecked(filter.SuppressPageHeadersFooters);
    OpenCB->SetChecked(filter.OpenAfterExport);
}

void TvrRTFExportDialog::Apply(TvrRTFExport& filter) {
    if (PColontitulCB->ItemIndex() >= 0) filter.HeaderFooterMode = static_cast<TvrHeaderFooterMode>(PColontitulCB->ItemIndex());
    ReadPageRange(filter);
    filter.SuppressPageHeadersFooters = ContinuousCB->Checked() || filter.HeaderFooterMode == hfPrint;
    filter.ExportPictures = PicturesCB->Checked();
    filter.ExportPageBreaks = PageBreaksCB->Checked();
    filter.Wysiwyg = WCB->Checked();
    filter.OpenAfterExport = OpenCB->Checked();
}
