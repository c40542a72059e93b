// The HTML export: the filter, its page writer, the navigator page and the dialog.
#include "report/export/vrExportHTML.h"

#include "classes/MetaBuilder.h"
#include "gui/Bitmap.h"
#include "gui/Jpeg.h"
#include "report/export/vrExportFile.h"
#include "report/export/vrExportImage.h"
#include "report/export/vrrcExports.h"
#include "report/vrClassLine.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "report/vrProgress.h"
#include "report/vrRes.h"
#include "report/vrUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/SysUtils.h"

#include <cmath>
#include <cstdio>
#include <exception>

ORV_META_IMPL(TvrHTMLExport)
void TvrHTMLExport::DeclareMeta(meta::Class<TvrHTMLExport>& c) {
    using T = TvrHTMLExport;
    c.Property("OpenAfterExport", &T::OpenAfterExport, &T::OpenAfterExport).Default(false);
    c.Property("FixedWidth", &T::FixedWidth, &T::FixedWidth).Default(true);
    c.Property("ExportPictures", &T::ExportPictures, &T::ExportPictures).Default(true);
    c.Property("PicsInSameFolder", &T::PicsInSameFolder, &T::PicsInSameFolder).Default(false);
    c.Property("ExportStyles", &T::ExportStyles, &T::ExportStyles).Default(true);
    c.Property("Navigator", &T::Navigator, &T::Navigator).Default(false);
    c.Property("Multipage", &T::Multipage, &T::Multipage).Default(false);
    c.Property("MozillaFrames", &T::MozillaFrames, &T::MozillaFrames).Default(false);
    c.Property("UseJpeg", &T::UseJpeg, &T::SetUseJpeg).Default(true);
    c.Property("UseGif", &T::UseGif, &T::SetUseGif).Default(false);
    c.Property("AbsLinks", &T::AbsLinks, &T::AbsLinks).Default(false);
    c.Property("Background", &T::Background, &T::Background).Default(false);
    c.Property("Centered", &T::Centered, &T::Centered).Default(false);
    c.Property("EmptyLines", &T::EmptyLines, &T::EmptyLines).Default(true);
    c.Property("HTMLDocumentBegin", &T::HTMLDocumentBegin);
    c.Property("HTMLDocumentBody", &T::HTMLDocumentBody);
    c.Property("HTMLDocumentEnd", &T::HTMLDocumentEnd);
    c.Property("URLTarget", &T::URLTarget, &T::URLTarget);
    c.Property("Print", &T::Print, &T::Print).Default(false);
}

TvrHTMLExport::TvrHTMLExport(TComponent* AOwner) : TvrCustomExportFilter(AOwner) {
    Init();
}

TvrHTMLExport::TvrHTMLExport(TUnlisted tag) : TvrCustomExportFilter(tag) {
    Init();
}

TvrHTMLExport::~TvrHTMLExport() = default;

void TvrHTMLExport::Init() {
    vrLoadExportStrings();
    FilterDescription = GetResourceStringById(8210);
    DefaultExtension = GetResourceStringById(8211);
    FBegin = std::make_unique<TStringList>();
    FBody = std::make_unique<TStringList>();
    FEnd = std::make_unique<TStringList>();
    FBegin->Add("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
    FBegin->Add("<html><head>");
    FBegin->Add("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
    FBegin->Add("<meta name=\"Generator\" content=\"Orvanta report library 4.0\">");
    FEnd->Add("</body></html>");
    FBackground = std::make_unique<TBitmap>();
}

void TvrHTMLExport::SetUseJpeg(bool value) {
    FUseJpeg = value;
    if (value) FUseGif = false;
}

void TvrHTMLExport::SetUseGif(bool value) {
    FUseGif = value;
    if (value) FUseJpeg = false;
}

String TvrHTMLExport::GetDescription() {
    return GetResources().GetString("HTMLexport");
}

int TvrHTMLExport::ShowModal() {
    TvrHTMLExportDialog dialog(nullptr);
    dialog.Fill(*this);
    if (dialog.ShowModal() != mrOk) return mrCancel;
    dialog.Apply(*this);
    return dialog.ChooseFile(*this) ? mrOk : mrCancel;
}

// --- texts ---------------------------------------------------------------------------------------

String TvrHTMLExport::EscapeText(const String& utf8, bool markup) {
    String text = utf8;
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    String out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&') out += "&amp;";
        else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "<br>";
            ++i;
        } else if (c == '"') out += "&quot;";
        else if (c == '\n') continue;
        else if (!markup && c == '<') out += "&lt;";
        else if (!markup && c == '>') out += "&gt;";
        else out += c;
    }
    out = Trim(out);
    return out.empty() ? String("&nbsp;") : out;
}

String TvrHTMLExport::EscapeAttribute(const String& utf8) {
    String out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

String TvrHTMLExport::UrlEncode(const String& utf8) {
    String out;
    for (const char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            out += ch;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

namespace {

String Slashes(String s) {
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

Integer Round(Extended v) {
    return static_cast<Integer>(std::lround(v));
}

class THtmlOut {
public:
    explicit THtmlOut(TStream& stream) : FStream(stream) {}
    ~THtmlOut() = default;
    void Line(const String& s) {
        FBuffer += s;
        FBuffer += "\r\n";
        if (FBuffer.size() > 65536) Flush();
    }
    void Lines(const TStrings& lines) {
        for (Integer i = 0; i < lines.Count(); ++i) Line(lines.Strings(i));
    }
    void Flush() {
        if (!FBuffer.empty()) FStream.WriteBuffer(FBuffer.data(), static_cast<Int64>(FBuffer.size()));
        FBuffer.clear();
    }

private:
    TStream& FStream;
    String FBuffer;
};

const char* const HAligns[] = {"Left", "Right", "Center", "Justify"};
const char* const VAligns[] = {"Top", "Bottom", "Middle"};

} // namespace

String TvrHTMLExport::ReportTitle() const {
    if (!Report) return String();
    const TvrReportOptions* options = Report->ReportOptions();
    if (options && !options->Name.empty()) return options->Name;
    return ChangeFileExt(ExtractFileName(Report->LayoutFileName), "");
}

void TvrHTMLExport::Fail(const String& text) {
    FFailed = true;
    vrExportError(Report, text);
}

// --- the run -------------------------------------------------------------------------------------

bool TvrHTMLExport::Start() {
    FTarget = vrExportTarget(*this);
    if (FTarget.empty()) return false;
    FFailed = false;
    FPageCount = 0;
    FPicCount = 0;
    FFolder = ExtractFilePath(FTarget);
    FStem = ChangeFileExt(ExtractFileName(FTarget), "");
    if (PicsInSameFolder) {
        FPicFolder = FFolder + FStem + ".";
        FLinkPrefix = FStem + ".";
        FFramePrefix = FStem + ".";
    } else {
        const String folder = FFolder + FStem + ".files";
        if (!DirectoryExists(folder) && !ForceDirectories(folder))
            throw EFCreateError("Cannot create folder " + folder);
        FPicFolder = folder + "/";
        if (Multipage) FLinkPrefix.clear();
        else if (AbsLinks) FLinkPrefix = folder + "/";
        else if (Navigator) FLinkPrefix.clear();
        else FLinkPrefix = FStem + ".files/";
        FFramePrefix = FStem + ".files/";
    }
    FMatrix = std::make_unique<TvrIEMatrix>();
    TvrIEMatrix& m = *FMatrix;
    m.OwnerReport = Report;
    m.ProgressWindow = Multipage ? false : ShowProgress;
    m.MergeTolerance = 0.5L;
    m.RotatedAsPicture = true;
    m.MergeFrames = true;
    m.PageBackground = Background;
    m.PageBackgroundPicture = false;
    m.KeepEmptyRows = EmptyLines;
    return true;
}

void TvrHTMLExport::StartPage(TvrComponent*, Integer) {
    ++FPageCount;
    FHasBackground = false;
    FBackground->SetSize(0, 0);
}

void TvrHTMLExport::ExportObject(TvrComponent* Obj) {
    if (!FMatrix) return;
    auto* view = dynamic_cast<TvrView*>(Obj);
    if (!view) return;
    if (!view->Printable && !ExportNotPrintable) return;
    if (view->Name() == "_pagebackground" && ExportPictures && Background) {
        FHasBackground = true;
        const int w = Round(view->Width()), h = Round(view->Height());
        FBackground->SetSize(std::max(w, 0), std::max(h, 0));
        if (w > 0 && h > 0) view->Draw(FBackground->Canvas(), 1, 1, -view->AbsLeft(), -view->AbsTop());
    }
    if (dynamic_cast<TvrCustomMemoView*>(view) || dynamic_cast<TvrLineView*>(view) || ExportPictures)
        FMatrix->AddObject(view);
}

void TvrHTMLExport::FinishPage(TvrComponent* Page, Integer Index) {
    if (!FMatrix || FFailed || std::uncaught_exceptions() > 0) return;
    TvrIEMatrix& m = *FMatrix;
    if (!Multipage) {
        auto* rp = dynamic_cast<TvrReportPage*>(Page);
        if (!rp) {
            m.AddPage(poPortrait, false, Index, 0, 0, 0, 0, Page ? Page->Height() : 0, Page ? Page->Width() : 0);
            return;
        }
        const Extended height = rp->Height() > 0 ? rp->Height() : rp->PaperHeight() * fr01cm;
        const Extended width = rp->Width() > 0 ? rp->Width() : rp->PaperWidth() * fr01cm;
        m.AddPage(rp->Orientation(), rp->MirrorMargins, Index, rp->BottomMargin, rp->RightMargin, rp->TopMargin,
                  rp->LeftMargin, height, width);
        return;
    }
    try {
        m.Prepare();
        TvrExportFile file(FPicFolder + IntToStr(FPageCount) + ".html");
        (void)WriteBody(file.Stream(), false);
        m.Clear();
        file.Commit();
    } catch (const Exception& e) {
        m.Clear();
        Fail(e.Message());
    }
}

// Each picture is written under a temporary name and renamed when complete, as the pages are: a
// failed export never leaves a half-written picture in place of an old one.
String TvrHTMLExport::SavePicture(TBitmap& bitmap, const String& stem) {
    if (UseJpeg()) {
        TJPEGImage jpeg;
        jpeg.Assign(bitmap);
        WriteFileReplacing(FPicFolder + stem + ".jpg", [&](TStream& out) { jpeg.SaveToStream(out); });
        return stem + ".jpg";
    }
    if (UseGif()) {
        SaveBitmapAsGif(FPicFolder + stem + ".gif", bitmap);
        return stem + ".gif";
    }
    WriteFileReplacing(FPicFolder + stem + ".bmp", [&](TStream& out) { bitmap.SaveToStream(out); });
    return stem + ".bmp";
}

bool TvrHTMLExport::WriteBody(TStream& stream, bool singleFile) {
    TvrIEMatrix& m = *FMatrix;
    THtmlOut out(stream);
    out.Lines(*FBegin);
    if (Print) out.Line("<script language=\"javascript\" type=\"text/javascript\"> parent.focus(); parent.print();</script>");
    out.Line("<title>" + EscapeAttribute(ReportTitle()) + "</title>");
    if (ExportStyles) {
        out.Line("<style type=\"text/css\"><!-- ");
        out.Line(".page_break {page-break-before: always;}");
        for (Integer n = 0; n < m.StyleCount(); ++n) {
            const TvrIEMStyle* s = m.StyleByIndex(n);
            const TFont& f = *s->Font();
            out.Line(".s" + IntToStr(n) + " {");
            const TFontStyles fs = f.Style();
            String font = " font-family: " + f.Name() + ";\r\n font-size: " +
                          IntToStr(Round(f.Size() * 96.0L / 72.0L)) + "px;\r\n color: " + ColorToHTMLColor(f.Color()) +
                          ";";
            if (fs.Contains(fsBold)) font += " font-weight: bold;";
            font += fs.Contains(fsItalic) ? " font-style: italic;" : " font-style: normal;";
            const bool under = fs.Contains(fsUnderline), strike = fs.Contains(fsStrikeOut);
            if (under && strike) font += " text-decoration: underline line-through;";
            else if (under) font += " text-decoration: underline;";
            else if (strike) font += " text-decoration: line-through;";
            out.Line(font);
            if (s->Color == static_cast<TColor>(0x1FFFFFFF)) out.Line(" background-color: transparent;");
            else out.Line(" background-color: " + ColorToHTMLColor(s->Color) + ";");
            if (!s->Frame.Typ.Empty()) {
                out.Line(" border-color:" + ColorToHTMLColor(s->Frame.Color) + "; border-style: solid;");
                const struct {
                    TvrFrameType Side;
                    const char* Name;
                } sides[] = {{ftLeft, "left"}, {ftRight, "right"}, {ftTop, "top"}, {ftBottom, "bottom"}};
                for (const auto& side : sides)
                    out.Line(String(" border-") + side.Name + "-width: " +
                             (s->Frame.Typ.Contains(side.Side) ? IntToStr(Round(s->Frame.Width)) : String("0px")) +
                             ";");
            }
            out.Line(String(" text-align: ") + HAligns[static_cast<int>(s->HAlign) & 3] +
                     "; vertical-align: " + VAligns[static_cast<int>(s->VAlign) % 3] + ";");
            out.Line("}");
        }
        out.Line("--></style>");
    }
    out.Line("</head>");
    out.Line("<body");
    if (FHasBackground && ExportPictures && FBackground->Width() > 0 && FBackground->Height() > 0)
        out.Line(" background=\"" + EscapeAttribute(Slashes(FLinkPrefix) + SavePicture(*FBackground, "backgrnd")) + "\"");
    out.Line(" bgcolor=\"#FFFFFF\" text=\"#000000\">");
    out.Lines(*FBody);
    out.Line("<a name=\"PageN1\"></a>");
    String table = "<table";
    if (FixedWidth) table += " width=\"" + IntToStr(Round(m.MaxRight - m.ContentLeft)) + "\"";
    if (Centered) table += " align=\"center\"";
    table += " border=\"0\" cellspacing=\"0\" cellpadding=\"0\"";
    out.Line(table + ">");
    String widths = "<tr style=\"height: 1px\">";
    if (m.ColumnCount < 2) widths += "<td/>";
    for (Integer k = 0; k + 1 < m.ColumnCount; ++k)
        widths += "<td width=\"" + IntToStr(Round(m.ColumnPos(k + 1) - m.ColumnPos(k))) + "\"/>";
    widths += "</tr>";
    out.Line(widths);

    std::unique_ptr<TvrProgress> progress;
    if (singleFile && ShowProgress) {
        progress = std::make_unique<TvrProgress>(nullptr);
        progress->StartProgress(FPageCount - 1, GetResources().GetString("ProgressWait"), true, true);
    }
    Integer j = 0;
    for (Integer r = 0; r + 1 < m.RowCount; ++r) {
        if (progress && progress->CancelRequested()) break;
        bool pageEnds = false;
        if (j < m.PageCount() && Round(m.RowPos(r + 1)) >= Round(m.PageBottom(j))) {
            ++j;
            if (progress) progress->StepProgress();
            pageEnds = true;
        }
        out.Line("<tr style=\"height:" + IntToStr(std::max<Integer>(1, Round((m.RowPos(r + 1) - m.RowPos(r)) / 1.03L))) +
                 "px\">");
        String cells;
        for (Integer c = 0; c + 1 < m.ColumnCount; ++c) {
            const Integer index = m.CellAt(c, r);
            TvrIEMObject* obj = m.ObjectByIndex(index);
            if (!obj) {
                cells += "<td/>";
                continue;
            }
            if (obj->Written) continue;
            obj->Written = 1;
            Integer col, row, colSpan, rowSpan;
            m.ObjectPlacement(index, col, row, colSpan, rowSpan);
            cells += "<td";
            if (colSpan >= 2) cells += " colspan=\"" + IntToStr(colSpan) + "\"";
            if (rowSpan >= 2) cells += " rowspan=\"" + IntToStr(rowSpan) + "\"";
            if (ExportStyles) cells += " class=\"s" + IntToStr(obj->StyleNo) + "\"";
            if (Trim(obj->Text()).empty()) cells += " style=\"font-size:1px\"";
            cells += ">";
            String link = obj->Hyperlink;
            if (!link.empty()) {
                if (link[0] == '@') {
                    const String page = Trim(link.substr(1));
                    link = Multipage ? Slashes(FLinkPrefix) + page + ".html" : "#PageN" + page;
                }
                cells += "<a href=\"" + EscapeAttribute(link) + "\"";
                if (!URLTarget.empty()) cells += " target=\"" + EscapeAttribute(URLTarget) + "\"";
                cells += ">";
            }
            if (obj->HoldsText) {
                cells += EscapeText(obj->Text(), obj->HtmlMarkup);
            } else if (obj->Bitmap) {
                const String name = SavePicture(*obj->Bitmap, "img" + IntToStr(FPicCount));
                cells += "<img src=\"" + EscapeAttribute(Slashes(FLinkPrefix) + name) + "\" width=\"" +
                         IntToStr(obj->Bitmap->Width()) + "\" height=\"" + IntToStr(obj->Bitmap->Height()) +
                         "\" alt=\"\">";
                ++FPicCount;
            }
            if (!link.empty()) cells += "</a>";
            cells += "</td>";
        }
        out.Line(cells);
        out.Line("</tr>");
        if (pageEnds) {
            out.Line("</table>");
            if (r + 2 < m.RowCount) {
                out.Line("<a name=\"PageN" + IntToStr(j + 1) + "\"></a>");
                out.Line(table + " class=\"page_break\">");
                out.Line(widths);
            }
        }
    }
    if (Multipage || m.RowCount < 2) out.Line("</table>");
    out.Lines(*FEnd);
    out.Flush();
    return !(progress && progress->CancelRequested());
}

namespace {

// The navigator page: twelve places filled in order (see Finish).
const char* const NavigatorTemplate =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
    "<html><head>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
    "<meta name=\"Generator\" content=\"Orvanta report library 4.0\">\r\n"
    "<title></title>\r\n"
    "<style type=\"text/css\"><!--\r\n"
    "body {font-family: Tahoma; font-size: 8px; font-weight: bold; text-align: center;}\r\n"
    "input {text-align: center;}\r\n"
    ".nav {font: 9pt Tahoma; color: #283e66; font-weight: bold; text-decoration: none;}\r\n"
    "--></style>\r\n"
    "<script language=\"javascript\" type=\"text/javascript\">\r\n"
    "var frPgCnt = %s; var frRepName = \"%s\"; var frMultipage = %s; var frPrefix = \"%s\";\r\n"
    "function DoPage(PgN) {\r\n"
    " if ((PgN > 0) && (PgN <= frPgCnt) && (PgN != parent.frCurPage)) {\r\n"
    "  if (frMultipage > 0) parent.mainFrame.location = frPrefix + PgN + \".html\";\r\n"
    "  else parent.mainFrame.location = frPrefix + \"main.html#PageN\" + PgN;\r\n"
    "  UpdateNav(PgN);\r\n"
    " } else document.PgForm.PgEdit.value = parent.frCurPage;\r\n"
    "}\r\n"
    "function UpdateNav(PgN) {\r\n"
    " parent.frCurPage = PgN; document.PgForm.PgEdit.value = PgN;\r\n"
    " document.PgForm.bFirst.disabled = document.PgForm.bPrev.disabled = (PgN == 1);\r\n"
    " document.PgForm.bNext.disabled = document.PgForm.bLast.disabled = (PgN == frPgCnt);\r\n"
    "}\r\n"
    "function RefreshRep() { %s }\r\n"
    "function PrintRep() { %s }\r\n"
    "</script></head>\r\n"
    "<body bgcolor=\"#DDDDDD\" text=\"#000000\" leftmargin=\"0\" topmargin=\"4\" "
    "onload=\"UpdateNav(parent.frCurPage)\">\r\n"
    "<form name=\"PgForm\" onsubmit=\"DoPage(document.forms[0].PgEdit.value); return false;\" action=\"\">\r\n"
    "<table cellspacing=\"0\" align=\"left\" cellpadding=\"0\" border=\"0\" width=\"100%%\"><tr valign=\"middle\">\r\n"
    "<td width=\"60\" align=\"center\"><button name=\"bFirst\" class=\"nav\" type=\"button\" "
    "onclick=\"DoPage(1); return false;\">%s</button></td>\r\n"
    "<td width=\"60\" align=\"center\"><button name=\"bPrev\" class=\"nav\" type=\"button\" "
    "onclick=\"DoPage(Math.max(parent.frCurPage - 1, 1)); return false;\">%s</button></td>\r\n"
    "<td width=\"100\" align=\"center\"><input type=\"text\" class=\"nav\" name=\"PgEdit\" value=\"1\" "
    "size=\"4\"></td>\r\n"
    "<td width=\"60\" align=\"center\"><button name=\"bNext\" class=\"nav\" type=\"button\" "
    "onclick=\"DoPage(parent.frCurPage + 1); return false;\">%s</button></td>\r\n"
    "<td width=\"60\" align=\"center\"><button name=\"bLast\" class=\"nav\" type=\"button\" "
    "onclick=\"DoPage(frPgCnt); return false;\">%s</button></td>\r\n"
    "<td width=\"20\">&nbsp;</td>%s\r\n"
    "<td align=\"right\">%s: <script language=\"javascript\" type=\"text/javascript\"> "
    "document.write(frPgCnt);</script></td>\r\n"
    "<td width=\"20\">&nbsp;</td>\r\n"
    "</tr></table></form>\r\n"
    "</body></html>\r\n";

String FillTemplate(const char* tmpl, const std::vector<String>& values) {
    String out;
    size_t k = 0;
    for (const char* p = tmpl; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            if (k < values.size()) out += values[k++];
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            out += '%';
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

void WriteText(const String& fileName, const String& text) {
    TvrExportFile file(fileName);
    file.Stream().WriteBuffer(text.data(), static_cast<Int64>(text.size()));
    file.Commit();
}

} // namespace

void TvrHTMLExport::Finish() {
    if (!FMatrix) return;
    if (std::uncaught_exceptions() > 0 || FFailed) {
        FMatrix.reset();
        return;
    }
    try {
        if (!Multipage) {
            FMatrix->Prepare();
            TvrExportFile file(Navigator ? FPicFolder + "main.html" : FTarget);
            const bool complete = WriteBody(file.Stream(), true);
            FMatrix->Clear();
            // A cancelled export writes nothing; the temporary file goes with the writer.
            if (!complete) {
                FMatrix.reset();
                return;
            }
            file.Commit();
        }
        if (Navigator) {
            const TvrResources& res = GetResources();
            const String repName = UrlEncode(Report ? Report->LayoutFileName : String());
            const String multipage = Multipage ? "1" : "0";
            WriteText(FPicFolder + "nav.html",
                      FillTemplate(NavigatorTemplate,
                                   {IntToStr(FPageCount), repName, multipage, PicsInSameFolder ? FStem + "." : String(),
                                    "parent.location = \"result?report=\" + frRepName + \"&multipage=\" + frMultipage;",
                                    "parent.mainFrame.focus(); parent.mainFrame.print();", res.GetString("HTMLNavFirst"),
                                    res.GetString("HTMLNavPrev"), res.GetString("HTMLNavNext"),
                                    res.GetString("HTMLNavLast"), String(), res.GetString("HTMLNavTotal")}));
            const String prefix = EscapeAttribute(FFramePrefix);
            String frames;
            frames += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\" "
                      "\"http://www.w3.org/TR/html4/frameset.dtd\">\r\n";
            frames += "<html><head>\r\n";
            frames += "<title>" + EscapeAttribute(ReportTitle()) + "</title>\r\n";
            frames += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n";
            frames += "<script language=\"javascript\" type=\"text/javascript\"> var frCurPage = 1;</script></head>\r\n";
            frames += "<frameset rows=\"32,*\" cols=\"*\">\r\n";
            frames += "<frame name=\"topFrame\" src=\"" + prefix + "nav.html\" noresize scrolling=\"no\">\r\n";
            frames += "<frame name=\"mainFrame\" src=\"" + prefix + (Multipage ? "1.html\">" : "main.html\">") + "\r\n";
            frames += "</frameset>\r\n</html>\r\n";
            WriteText(FTarget, frames);
        }
    } catch (const Exception& e) {
        FMatrix.reset();
        Fail(e.Message());
        return;
    }
    FMatrix.reset();
    if (OpenAfterExport) vrOpenExportedFile(Report, Multipage && !Navigator ? FPicFolder + "1.html" : FTarget);
}

// --- the dialog ----------------------------------------------------------------------------------

ORV_META_IMPL(TvrHTMLExportDialog)
void TvrHTMLExportDialog::DeclareMeta(meta::Class<TvrHTMLExportDialog>&) {}

TvrHTMLExportDialog::TvrHTMLExportDialog(TComponent* AOwner) : TvrExportDialog(AOwner) {
    SetName("vrHTMLExportDialog");
    GroupQuality = Place<TGroupBox>(nullptr, "GroupQuality", 276, 4, 200, 200);
    StylesCB = Place<TCheckBox>(GroupQuality, "StylesCB", 12, 20, 176, 17);
    PicturesL = Place<TLabel>(GroupQuality, "PicturesL", 12, 44, 60, 13);
    PFormatCB = Place<TComboBox>(GroupQuality, "PFormatCB", 80, 40, 108, 21);
    PicsSameCB = Place<TCheckBox>(GroupQuality, "PicsSameCB", 12, 68, 176, 17);
    FixWidthCB = Place<TCheckBox>(GroupQuality, "FixWidthCB", 12, 92, 176, 17);
    NavigatorCB = Place<TCheckBox>(GroupQuality, "NavigatorCB", 12, 116, 176, 17);
    MultipageCB = Place<TCheckBox>(GroupQuality, "MultipageCB", 12, 140, 176, 17);
    BackgrCB = Place<TCheckBox>(GroupQuality, "BackgrCB", 12, 164, 176, 17);
    OpenAfterCB = Place<TCheckBox>(nullptr, "OpenAfterCB", 8, 212, 260, 17);
    const TvrResources& res = GetResources();
    SetCaption(res.GetString("8200"));
    GroupQuality->SetCaption(res.GetString("8"));
    StylesCB->SetCaption(res.GetString("8202"));
    PicturesL->SetCaption(res.GetString("8203"));
    PFormatCB->SetStyle(csDropDownList);
    PFormatCB->Items()->Add(res.GetString("8313"));
    PFormatCB->Items()->Add("JPEG");
    PFormatCB->Items()->Add("BMP");
    PFormatCB->Items()->Add("GIF");
    PicsSameCB->SetCaption(res.GetString("8204"));
    FixWidthCB->SetCaption(res.GetString("8205"));
    NavigatorCB->SetCaption(res.GetString("8206"));
    MultipageCB->SetCaption(res.GetString("8207"));
    BackgrCB->SetCaption(res.GetString("8209"));
    OpenAfterCB->SetCaption(res.GetString("8201"));
    SaveDialog1->SetFilter(res.GetString("8210"));
    SaveDialog1->SetDefaultExt(res.GetString("8211"));
    FinishCreate(484, 276);
}

void TvrHTMLExportDialog::Fill(TvrHTMLExport& filter) {
    FillPageRange(filter);
    StylesCB->SetChecked(filter.ExportStyles);
    PicsSameCB->SetChecked(filter.PicsInSameFolder);
    FixWidthCB->SetChecked(filter.FixedWidth);
    NavigatorCB->SetChecked(filter.Navigator);
    MultipageCB->SetChecked(filter.Multipage);
    BackgrCB->SetChecked(filter.Background);
    OpenAfterCB->SetChecked(filter.OpenAfterExport);
    PFormatCB->SetItemIndex(!filter.ExportPictures ? 0 : filter.UseJpeg() ? 1 : filter.UseGif() ? 3 : 2);
}

void TvrHTMLExportDialog::Apply(TvrHTMLExport& filter) {
    ReadPageRange(filter);
    filter.ExportStyles = StylesCB->Checked();
    filter.PicsInSameFolder = PicsSameCB->Checked();
    filter.OpenAfterExport = OpenAfterCB->Checked();
    filter.FixedWidth = FixWidthCB->Checked();
    filter.Multipage = MultipageCB->Checked();
    filter.Navigator = NavigatorCB->Checked();
    filter.Background = BackgrCB->Checked();
    const int index = PFormatCB->ItemIndex();
    filter.ExportPictures = index != 0;
    filter.SetUseJpeg(index == 1);
    filter.SetUseGif(index == 3);
}
