// The sample report exported to the three formats and read back by independent readers: xmllint
// checks the workbook; LibreOffice turns the workbook, and the separated values with their
// filter options (";", GBK), into xlsx for openpyxl (values, types, merges, sheet names, widths);
// the workbook's row breaks, which LibreOffice does not take over, are read from the XML itself;
// Python's csv module reads the separated values as GBK and dbfread the table as GBK.
#include "ExportFixture.h"

#include "gui/Bitmap.h"
#include "report/export/vrExportCSV.h"
#include "report/export/vrExportDBF.h"
#include "report/export/vrExportHTML.h"
#include "report/export/vrExportImage.h"
#include "report/export/vrExportXML.h"
#include "rtl/FileUtils.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

const char* const ReadBackScript = R"PY(
import csv, sys, xml.etree.ElementTree as ET
import openpyxl
from dbfread import DBF

folder = sys.argv[1]
failures = []
def check(cond, what):
    if not cond:
        failures.append(what)

# The workbook as LibreOffice reads it.
wb = openpyxl.load_workbook(folder + '/out/book.xlsx')
check(wb.sheetnames == ['Houses', 'Notes'], 'sheet names %r' % (wb.sheetnames,))
ws = wb['Houses']
values = {c.coordinate: (c.value, c.data_type) for row in ws.iter_rows() for c in row if c.value is not None}
check(values.get('A1') == ('房屋收费清单', 's'), 'title %r' % (values.get('A1'),))
texts = [v for v, t in values.values() if t == 's']
numbers = sorted(v for v, t in values.values() if t == 'n')
for name in ['房屋', '业主', '金额', 'A-101', '张三', '李四', '王五']:
    check(name in texts, 'text %s missing' % (name,))
check(numbers == [-7.05, 0, 12345.6], 'numbers %r' % (numbers,))
merges = [str(r) for r in ws.merged_cells.ranges]
title = [r for r in ws.merged_cells.ranges if r.min_row == 1 and r.min_col == 1]
check(title and title[0].max_col >= 3, 'title merge %r' % (merges,))
widths = [ws.column_dimensions[k].width for k in ws.column_dimensions]
check(len(widths) >= 3 and all(w > 0 for w in widths), 'widths %r' % (widths,))
notes = wb['Notes']
nv = [c.value for row in notes.iter_rows() for c in row if c.value is not None]
check('第一行\n第二行' in nv, 'note %r' % (nv,))
check('A & B < C; "D"' in nv, 'special text %r' % (nv,))
check('竖排' in nv, 'rotated text %r' % (nv,))

# Row breaks straight from the workbook's XML: each sheet ends at its page's end.
ns = {'ss': 'urn:schemas-microsoft-com:office:spreadsheet', 'x': 'urn:schemas-microsoft-com:office:excel'}
root = ET.parse(folder + '/book.xls').getroot()
sheets = root.findall('ss:Worksheet', ns)
check([s.get('{urn:schemas-microsoft-com:office:spreadsheet}Name') for s in sheets] == ['Houses', 'Notes'], 'xml sheets')
first = sheets[0]
rows = len(first.findall('ss:Table/ss:Row', ns))
breaks = [int(b.text) for b in first.findall('x:PageBreaks/x:RowBreaks/x:RowBreak/x:Row', ns)]
check(breaks == [rows], 'breaks %r of %d rows' % (breaks, rows))

# The separated values, GBK with ";".
with open(folder + '/data.csv', encoding='gbk', newline='') as f:
    lines = list(csv.reader(f, delimiter=';'))
check(lines[0] == ['房屋收费清单', '', ''], 'csv title %r' % (lines[0],))
check(['房屋', '业主', '金额'] in lines, 'csv heads')
check(['A-101', '张三', '12,345.60'] in lines, 'csv row %r' % (lines,))
check(['B-202', '李四', '-7.05'] in lines, 'csv row 2')
check(any('A & B < C; "D"' in l for l in lines), 'csv special')
check(any('第一行第二行' in l for l in lines), 'csv note')
cv = openpyxl.load_workbook(folder + '/out/data.xlsx').active
check(cv['A1'].value == '房屋收费清单', 'calc csv title %r' % (cv['A1'].value,))
check(cv['C3'].value == 12345.6 and cv['B3'].value == '张三', 'calc csv row %r %r' % (cv['B3'].value, cv['C3'].value))

# The table, GBK.
table = DBF(folder + '/table.dbf', encoding='gbk')
fields = [(f.name, f.type, f.length) for f in table.fields]
check(fields and all(t == 'C' and l == 255 for _, t, l in fields), 'dbf fields %r' % (fields,))
check([n for n, _, _ in fields] == ['F%d' % (i + 1) for i in range(len(fields))], 'dbf names %r' % (fields,))
records = [[v for v in r.values()] for r in table]
flat = [v for r in records for v in r]
for text in ['房屋收费清单', '张三', '12,345.60', '-7.05', '第一行\r\n第二行', 'A & B < C; "D"']:
    check(text in flat, 'dbf text %r' % (text,))
check(len(records) == table.header.numrecords, 'dbf records')

print('\n'.join(failures) if failures else 'all read back')
sys.exit(1 if failures else 0)
)PY";

// The pictures and the web pages: Pillow reads the BMP pixel for pixel as the program holds it,
// the GIF as the page reduced to 256 colours, the JPEG within 30 dB PSNR of the page; every page
// file parses with its tags closed and every picture it names opens at its stated size.
const char* const PicturesScript = R"PY(
import glob, math, os, sys
from html.parser import HTMLParser
from PIL import Image

folder = sys.argv[1]
failures = []
def check(cond, what):
    if not cond:
        failures.append(what)

def raw(name):
    w, h, data = open(folder + '/' + name, 'rb').read().split(b'\n', 2)
    return int(w), int(h), data

w, h, page = raw('page.rgb')
bmp = Image.open(folder + '/p.1.bmp')
check(bmp.size == (w, h), 'bmp size %r' % (bmp.size,))
check(bmp.convert('RGB').tobytes() == page, 'bmp pixels differ')
_, _, eight = raw('eight.rgb')
gif = Image.open(folder + '/g.1.gif')
check(gif.size == (w, h), 'gif size %r' % (gif.size,))
check(gif.convert('RGB').tobytes() == eight, 'gif pixels differ from the 256-colour page')
jpg = Image.open(folder + '/q.1.jpg').convert('RGB').tobytes()
check(len(jpg) == len(page), 'jpeg size')
mse = sum((a - b) * (a - b) for a, b in zip(jpg, page)) / max(1, len(page))
psnr = 99 if mse == 0 else 10 * math.log10(255 * 255 / mse)
check(psnr >= 30, 'jpeg psnr %.1f dB' % psnr)

VOID = {'br', 'img', 'meta', 'link', 'hr', 'input', 'frame', 'col', 'area', 'base', 'param'}
class Nesting(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.errors, self.images, self.text = [], [], [], []
    def handle_starttag(self, tag, attrs):
        if tag == 'img':
            self.images.append(dict(attrs))
        if tag not in VOID:
            self.stack.append(tag)
    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if not self.stack or self.stack[-1] != tag:
            self.errors.append('</%s> closes %r' % (tag, self.stack[-1:]))
            if tag in self.stack:
                while self.stack.pop() != tag:
                    pass
        else:
            self.stack.pop()
    def handle_data(self, data):
        self.text.append(data)

pages = sorted(glob.glob(folder + '/site/report.files/*.html')) + [folder + '/site/report.html']
check(len(pages) >= 3, 'pages %r' % (pages,))
alltext = ''
for name in pages:
    parser = Nesting()
    parser.feed(open(name, encoding='utf-8').read())
    parser.close()
    check(not parser.errors, '%s: %r' % (name, parser.errors[:3]))
    check(parser.stack in ([], ['html']) or not parser.stack, '%s left open %r' % (name, parser.stack))
    alltext += ''.join(parser.text)
    for img in parser.images:
        path = os.path.join(os.path.dirname(name), img.get('src', ''))
        try:
            im = Image.open(path)
            if 'width' in img and 'height' in img:
                check(im.size == (int(img['width']), int(img['height'])), '%s size %r vs %r' % (path, im.size, img))
        except Exception as e:
            failures.append('%s: %s' % (path, e))
for text in ['张三', '李四', '12,345.60', 'A & B < C; "D"']:
    check(text in alltext, 'html text %r' % (text,))

print('\n'.join(failures) if failures else 'all read back')
sys.exit(1 if failures else 0)
)PY";

// The bitmap's pixels as "width\nheight\n" and red, green, blue bytes, top row first.
void WriteRgb(const TBitmap& bmp, const String& file) {
    std::ofstream out(file, std::ios::binary);
    out << bmp.Width() << "\n" << bmp.Height() << "\n";
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            const TColor c = bmp.Pixel(x, y);
            out.put(static_cast<char>(c & 0xFF)).put(static_cast<char>((c >> 8) & 0xFF)).put(static_cast<char>((c >> 16) & 0xFF));
        }
}

} // namespace

TEST(vrExportReadBack, TheSampleReadsBackInIndependentReaders) {
    TExportReport made;
    made.BuildSample();
    TempDir dir;
    auto xml = TvrCustomExportFilter::CreateNoRegister<TvrXMLExport>();
    xml->Split = ssRPages;
    ASSERT_TRUE(ExportWithoutDialog(made.Report, *xml, dir.File("book.xls")));
    auto csv = TvrCustomExportFilter::CreateNoRegister<TvrCSVExport>();
    csv->OEMCodepage = true;
    ASSERT_TRUE(ExportWithoutDialog(made.Report, *csv, dir.File("data.csv")));
    auto dbf = TvrCustomExportFilter::CreateNoRegister<TvrDBFExport>();
    dbf->OEMCodepage = true;
    dbf->SetFieldPrefix("F");
    ASSERT_TRUE(ExportWithoutDialog(made.Report, *dbf, dir.File("table.dbf")));

    String output;
    ASSERT_EQ(RunProgram("xmllint --noout '" + dir.File("book.xls") + "'", &output), 0) << output;
    // LibreOffice with a profile of its own, once per input filter (the filter options of the
    // separated values would be taken for the workbook too): 67 is its number of GBK.
    const String office = "soffice -env:UserInstallation=file://" + dir.File("profile") +
                          " --headless --convert-to xlsx --outdir '" + dir.File("out") + "' ";
    ASSERT_EQ(RunProgram(office + "'" + dir.File("book.xls") + "'", &output), 0) << output;
    ASSERT_EQ(RunProgram(office + "--infilter='Text - txt - csv (StarCalc):59,34,67,1' '" + dir.File("data.csv") + "'",
                         &output),
              0)
        << output;
    const String script = dir.File("readback.py");
    std::ofstream(script) << ReadBackScript;
    EXPECT_EQ(RunProgram(SystemPython() + " '" + script + "' '" + dir.Path() + "'", &output), 0) << output;
}

TEST(vrExportReadBack, PicturesAndWebPagesReadBackInIndependentReaders) {
    TExportReport made;
    made.BuildSample();
    TempDir dir;
    auto bmp = TvrCustomExportFilter::CreateNoRegister<TvrBMPExport>();
    ASSERT_TRUE(ExportWithoutDialog(made.Report, *bmp, dir.File("p.bmp")));
    auto gif = TvrCustomExportFilter::CreateNoRegister<TvrGIFExport>();
    ASSERT_TRUE(ExportWithoutDialog(made.Report, *gif, dir.File("g.gif")));
    auto jpeg = TvrCustomExportFilter::CreateNoRegister<TvrJPEGExport>();
    ASSERT_TRUE(ExportWithoutDialog(made.Report, *jpeg, dir.File("q.jpg")));
    auto html = TvrCustomExportFilter::CreateNoRegister<TvrHTMLExport>();
    html->Multipage = true;
    html->Navigator = true;
    ForceDirectories(dir.File("site"));
    ASSERT_TRUE(ExportWithoutDialog(made.Report, *html, dir.File("site/report.html")));

    TBitmap page;
    page.LoadFromFile(dir.File("p.1.bmp"));
    WriteRgb(page, dir.File("page.rgb"));
    page.SetPixelFormat(pf8bit); // as the GIF writer reduces the page
    WriteRgb(page, dir.File("eight.rgb"));

    String output;
    const String script = dir.File("pictures.py");
    std::ofstream(script) << PicturesScript;
    EXPECT_EQ(RunProgram(SystemPython() + " '" + script + "' '" + dir.Path() + "'", &output), 0) << output;

    // LibreOffice's writer lays the first page file out as a document of its own.
    const String office = "soffice -env:UserInstallation=file://" + dir.File("profile") +
                          " --headless --convert-to pdf --outdir '" + dir.File("pdf") + "' ";
    ASSERT_EQ(RunProgram(office + "'" + dir.File("site/report.files/1.html") + "'", &output), 0) << output;
    ASSERT_EQ(RunProgram("pdftotext -layout '" + dir.File("pdf/1.pdf") + "' -", &output), 0) << output;
    for (const char* text : {"张三", "李四", "12,345.60"})
        EXPECT_NE(output.find(text), String::npos) << text << " in\n" << output;

    // A browser draws page 1 and the navigator's frameset headless; each screenshot holds more than
    // the blank page (kept beside the other screenshots for a look).
    const struct {
        const char* Page;
        const char* Shot;
    } shots[] = {{"site/report.files/1.html", "export_html_page1.png"}, {"site/report.html", "export_html_frameset.png"}};
    for (const auto& shot : shots) {
        const String png = dir.File(shot.Shot);
        const String browser = "HOME='" + dir.Path() + "' chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "
                               "--window-size=1000,800 --screenshot='" + png + "' 'file://" + dir.File(shot.Page) + "'";
        ASSERT_EQ(RunProgram(browser, &output), 0) << output;
        ASSERT_EQ(RunProgram(SystemPython() + " -c \"from PIL import Image; print(len(Image.open('" + png +
                                 "').convert('L').getcolors(1000000) or []))\"",
                             &output),
                  0)
            << output;
        EXPECT_GT(std::stoi(output), 8) << shot.Page << ": the screenshot is all but blank";
#ifdef ORV_SCREEN_DIR
        ForceDirectories(ORV_SCREEN_DIR);
        CopyFile(png, String(ORV_SCREEN_DIR) + "/" + shot.Shot, false);
#endif
    }
}
