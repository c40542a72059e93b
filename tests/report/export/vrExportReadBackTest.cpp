// The sample report exported to the three formats and read back by independent readers: xmllint
// checks the workbook; LibreOffice turns the workbook, and the separated values with their
// filter options (";", GBK), into xlsx for openpyxl (values, types, merges, sheet names, widths);
// the workbook's row breaks, which LibreOffice does not take over, are read from the XML itself;
// Python's csv module reads the separated values as GBK and dbfread the table as GBK.
#include "ExportFixture.h"

#include "report/export/vrExportCSV.h"
#include "report/export/vrExportDBF.h"
#include "report/export/vrExportXML.h"

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
