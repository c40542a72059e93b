// The dot-matrix printer table and the dot-matrix export: the built-in printers, command
// decoding, "printers.xml" (replacing the table only when it loads whole), and a receipt written
// for each printer with hand-worked golden bytes, the grid's edge cases and raw printing.
#include "ExportFixture.h"

#include "gui/Interaction.h"
#include "report/export/vrDMPExport.h"
#include "report/vrPrinter.h"
#include "report/vrXML.h"
#include "rtl/Streams.h"
#include "rtl/SysUtils.h"
#include "vrPrintTools.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

String Hex(const String& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    String out;
    for (const unsigned char b : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

const TvrDMPrinter& Entry(int i) {
    return *DMPrinterTable().GetItem(i);
}

void WriteFile(const String& name, const String& text) {
    std::ofstream(name, std::ios::binary) << text;
}

} // namespace

TEST(vrDMPrinterTable, BuiltInPrinters) {
    const TvrDMPrinters& table = DMPrinterTable();
    ASSERT_EQ(table.Count(), 4);
    EXPECT_EQ(Entry(0).Name(), "None");
    EXPECT_EQ(Entry(1).Name(), "Epson Generic");
    EXPECT_EQ(Entry(2).Name(), "HP Generic");
    EXPECT_EQ(Entry(3).Name(), "IBM Generic");
    // Entry 0 sends only the form feed.
    for (int f = TvrDMPrinter::pfReset; f < TvrDMPrinter::pfCount; ++f)
        EXPECT_EQ(Entry(0).Fields[f], f == TvrDMPrinter::pfFormFeed ? "\x0C" : "") << vrDMPrinterFieldNames[f];
    EXPECT_EQ(Hex(Entry(1).Fields[TvrDMPrinter::pfFormFeed]), "0C");
    EXPECT_EQ(Hex(Entry(2).Fields[TvrDMPrinter::pfFormFeed]), "0C");
    EXPECT_EQ(Entry(1).Fields[TvrDMPrinter::pfLandscape], "");
    EXPECT_EQ(Hex(Entry(1).Fields[TvrDMPrinter::pfSuperscriptOn]), "1B 53 01");
    EXPECT_EQ(Hex(Entry(2).Fields[TvrDMPrinter::pfSuperscriptOn]), "1B 26 61 2D 2E 35 52");
    EXPECT_EQ(Hex(Entry(2).Fields[TvrDMPrinter::pfUnderlineOff]), "1B 26 64 40");
    EXPECT_EQ(Entry(2).Fields[TvrDMPrinter::pfcpi15On], "");
    // Entry 3 inherits entry 1 but resets with nothing and has cpi sequences of its own.
    EXPECT_EQ(Entry(3).Fields[TvrDMPrinter::pfReset], "");
    EXPECT_EQ(Hex(Entry(1).Fields[TvrDMPrinter::pfReset]), "1B 40");
    EXPECT_EQ(Hex(Entry(3).Fields[TvrDMPrinter::pfBoldOn]), "1B 45");
    EXPECT_EQ(Hex(Entry(3).Fields[TvrDMPrinter::pfcpi12On]), "1B 3A");
    EXPECT_EQ(Hex(Entry(3).Fields[TvrDMPrinter::pfcpi12Off]), "12");
    EXPECT_EQ(Hex(Entry(3).Fields[TvrDMPrinter::pfcpi15Off]), "12");
}

TEST(vrDMPrinterTable, DecodesCommands) {
    const struct {
        const char* Text;
        const char* Hex;
        bool Fails;
    } cases[] = {
        {"#27#84", "1B 54", false}, {"1B2D01", "1B 2D 01", false}, {"123", "12", false},
        {"", "", false},            {"#27#$1B", "1B 1B", false},  {"#27##1", "", true},
        {"#27#", "", true},         {"1G", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        if (c.Fails) {
            EXPECT_THROW(DecodePrinterCommand(c.Text), EConvertError);
        } else {
            EXPECT_EQ(Hex(DecodePrinterCommand(c.Text)), c.Hex);
        }
    }
}

TEST(vrDMPrinterTable, PrintersFileReplacesTheTableOnlyWhenWhole) {
    TempDir dir;
    TScriptedResponder user;
    TInteractionScope scope{user};
    const struct {
        const char* Name;
        const char* Xml;
        std::vector<String> Names; // empty with Error: the built-in table stands
        bool Error;
    } cases[] = {
        {"two printers",
         R"(<?xml version="1.0" encoding="utf-8"?><printers><printer id="7" Name="A" Reset="1B40"/>)"
         R"(<printer id="9" Name="B" Inherit="0" BoldOn="#27#69"/></printers>)",
         {"A", "B"},
         false},
        {"a root without children", R"(<?xml version="1.0" encoding="utf-8"?><printers/>)", {}, false},
        {"inherit naming itself",
         R"(<?xml version="1.0" encoding="utf-8"?><p><q Name="A" Inherit="0" Reset="1B"/></p>)",
         {"A"},
         false},
        {"not XML", "<printers><printer", {}, true},
        {"a bad command after a good printer",
         R"(<?xml version="1.0" encoding="utf-8"?><p><q Name="A"/><q Name="B" Reset="ZZ"/></p>)",
         {},
         true},
        {"inherit naming no entry read yet",
         R"(<?xml version="1.0" encoding="utf-8"?><p><q Name="A" Inherit="1"/><q Name="B"/></p>)",
         {},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const String file = dir.File("printers.xml");
        WriteFile(file, c.Xml);
        TvrDMPrinters table;
        table.LoadDefaultPrinters();
        user.Clear();
        if (c.Error) user.Answer(mrOk);
        table.LoadPrintersFile(file);
        if (c.Error) {
            ASSERT_EQ(user.Requests().size(), 1u);
            EXPECT_EQ(user.Requests()[0].Text, "Error in file printers.xml");
            ASSERT_EQ(table.Count(), 4);
            EXPECT_EQ(table.GetItem(1)->Name(), "Epson Generic");
            EXPECT_EQ(Hex(table.GetItem(1)->Fields[TvrDMPrinter::pfReset]), "1B 40");
            continue;
        }
        EXPECT_TRUE(user.Requests().empty());
        ASSERT_EQ(table.Count(), static_cast<int>(c.Names.size()));
        for (int i = 0; i < table.Count(); ++i) EXPECT_EQ(table.GetItem(i)->Name(), c.Names[static_cast<size_t>(i)]);
    }
    // Two printers: the second inherits the file's first, not the built-in one.
    WriteFile(dir.File("printers.xml"), cases[0].Xml);
    TvrDMPrinters table;
    table.LoadPrintersFile(dir.File("printers.xml"));
    EXPECT_EQ(Hex(table.GetItem(1)->Fields[TvrDMPrinter::pfReset]), "1B 40");
    EXPECT_EQ(Hex(table.GetItem(1)->Fields[TvrDMPrinter::pfBoldOn]), "1B 45");
    // An absent file changes nothing and says nothing.
    user.Clear();
    table.LoadPrintersFile(dir.File("none.xml"));
    EXPECT_EQ(table.Count(), 2);
    EXPECT_TRUE(user.Requests().empty());
}

namespace {

// A receipt on a page of 30 × 8 cells (31 × 9 in the grid): a framed, centred heading
// "RECEIPT" at cell (1, 1), 10 wide; the items "苹果 2" at (1, 3); a bold right-aligned
// "TOTAL 9" at (1, 4); a horizontal line at (1, 5), 10 long; a command 1B 70 at (20, 5).
class Receipt {
public:
    Receipt() {
        Page.SetBounds(0, 0, 30 * fr1CharX, 8 * fr1CharY);
        auto* heading = Memo(1, 1, 10, 1, u"RECEIPT");
        heading->HAlign = haCenter;
        heading->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
        Memo(1, 3, 10, 1, u"苹果 2");
        auto* total = Memo(1, 4, 10, 1, u"TOTAL 9");
        total->HAlign = haRight;
        total->SetFontStyle(TvrDMPFontStyles{fsxBold});
        auto* line = Add<TvrDMPLineView>();
        line->SetBounds(1 * fr1CharX, 5 * fr1CharY, 10 * fr1CharX, 0);
        auto* command = Add<TvrDMPCommand>();
        command->Command = "1B70";
        command->SetBounds(20 * fr1CharX, 5 * fr1CharY, fr1CharX, fr1CharY);
    }
    TvrDMPMemoView* Memo(int col, int row, int cols, int rows, const WideString& text) {
        auto* memo = Add<TvrDMPMemoView>();
        memo->SetBounds(col * fr1CharX, row * fr1CharY, cols * fr1CharX, rows * fr1CharY);
        memo->SetText(text);
        return memo;
    }
    template <class T> T* Add() {
        auto* obj = new T(nullptr);
        Objects.emplace_back(obj);
        return obj;
    }
    // Runs the export into a file and gives its bytes.
    String Run(TvrDotMatrixExport& filter, int pages = 1) {
        TempDir dir;
        filter.SaveToFile = true;
        filter.FileName = dir.File("out.prn");
        if (!filter.Start()) return "(no start)";
        for (int p = 0; p < pages; ++p) {
            filter.StartPage(&Page, p);
            for (auto& obj : Objects) filter.ExportObject(obj.get());
            filter.FinishPage(&Page, p);
        }
        filter.Finish();
        return TempDir::ReadAll(filter.FileName);
    }
    TvrDMPPage Page{nullptr};
    std::vector<std::unique_ptr<TvrComponent>> Objects;
};

std::unique_ptr<TvrDotMatrixExport> NewDmp(int printer) {
    auto filter = TvrCustomExportFilter::CreateNoRegister<TvrDotMatrixExport>();
    filter->ShowDialog = false;
    filter->EscModel = printer;
    return filter;
}

const String Items = " \xC6\xBB\xB9\xFB 2\r\n"; // 苹果 in GBK, one byte a cell

} // namespace

TEST(vrDotMatrixExport, ReceiptOnEachPrinter) {
    const String asciiFrame = "+----------+\r\n|  RECEIPT |\r\n+----------+\r\n";
    const String asciiLine = "  ---------         \x1Bp\r\n";
    const String oemFrame = "\xDA\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xBF\r\n"
                            "\xB3  RECEIPT \xB3\r\n"
                            "\xC0\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xD9\r\n";
    const String oemLine = "  \xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4         \x1Bp\r\n";
    const String customFrame = "fjjjjjjjjjjl\r\ne  RECEIPT e\r\ncjjjjjjjjjji\r\n";
    const String customLine = " bjjjjjjjjjh        \x1Bp\r\n";
    const struct {
        const char* Name;
        int Printer;
        bool Graphic;
        const char* Custom;
        String Expected;
    } cases[] = {
        {"0 None, ASCII", 0, false, "", asciiFrame + Items + "    TOTAL 9\r\n" + asciiLine + "\x0C"},
        {"1 Epson, ASCII", 1, false, "",
         "\x1B@" + asciiFrame + Items + " \x1B" "E   TOTAL 9\x1B" "F\r\n" + asciiLine + "\x0C"},
        {"1 Epson, OEM", 1, true, "",
         "\x1B@" + oemFrame + Items + " \x1B" "E   TOTAL 9\x1B" "F\r\n" + oemLine + "\x0C"},
        {"2 HP, ASCII", 2, false, "",
         "\x1B" "E" "\x1B&l0O" + asciiFrame + Items + " \x1B(s3B   TOTAL 9\x1B(s0B\r\n" + asciiLine + "\x0C"},
        {"3 IBM, custom frames", 3, true, "abcdefghijklmno",
         customFrame + Items + " \x1B" "E   TOTAL 9\x1B" "F\r\n" + customLine + "\x0C"},
        {"a set of 14 is ignored", 0, false, "abcdefghijklmn", asciiFrame + Items + "    TOTAL 9\r\n" + asciiLine + "\x0C"},
        {"a set of 16 is ignored", 0, true, "abcdefghijklmnop",
         oemFrame + Items + "    TOTAL 9\r\n" + oemLine + "\x0C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Receipt receipt;
        auto filter = NewDmp(c.Printer);
        filter->GraphicFrames = c.Graphic;
        filter->CustomFrameSet = c.Custom;
        EXPECT_EQ(Hex(receipt.Run(*filter)), Hex(c.Expected));
    }
}

TEST(vrDotMatrixExport, GridEdgeCases) {
    // A framed memo at column 0: the left side and corner fall outside; the top begins plain.
    {
        Receipt r;
        r.Objects.clear();
        auto* m = r.Memo(0, 1, 3, 1, u"ab");
        m->Frame()->Typ = TvrFrameTypes{ftLeft, ftTop};
        auto filter = NewDmp(0);
        // The left side still counts its rows: the row below is written empty.
        EXPECT_EQ(r.Run(*filter), "---\r\nab\r\n\r\n\x0C");
    }
    // Two memos whose frames touch share tees; OEM top tee C2, bottom tee C1.
    {
        Receipt r;
        r.Objects.clear();
        const TvrFrameTypes all{ftLeft, ftRight, ftTop, ftBottom};
        r.Memo(1, 1, 2, 1, u"a")->Frame()->Typ = all;
        r.Memo(4, 1, 2, 1, u"b")->Frame()->Typ = all;
        auto filter = NewDmp(0);
        filter->GraphicFrames = true;
        EXPECT_EQ(Hex(r.Run(*filter)), Hex("\xDA\xC4\xC4\xC2\xC4\xC4\xBF\r\n\xB3" "a \xB3" "b \xB3\r\n"
                                          "\xC0\xC4\xC4\xC1\xC4\xC4\xD9\r\n\x0C"));
    }
    // Vertical alignment in three rows; a long line runs on to the page edge; no page breaks.
    {
        Receipt r;
        r.Objects.clear();
        r.Memo(0, 0, 2, 3, u"c")->VAlign = vaCenter;
        r.Memo(3, 0, 2, 3, u"d")->VAlign = vaBottom;
        r.Memo(6, 0, 2, 1, u"longer")->WordWrap = false;
        auto filter = NewDmp(1);
        filter->PageBreaks = false;
        EXPECT_EQ(r.Run(*filter, 2), "\x1B@      longer\r\nc\r\n   d\r\n      longer\r\nc\r\n   d\r\n");
    }
    // Page style bold: every line begins with 1B 45 and ends with 1B 46; an empty page writes
    // only its orientation sequence and the form feed.
    {
        Receipt r;
        r.Objects.clear();
        r.Page.SetFontStyle(TvrDMPFontStyles{fsxBold});
        r.Memo(0, 0, 2, 2, u"x\r\ny")->SetFontStyle(TvrDMPFontStyles{fsxBold});
        auto filter = NewDmp(1);
        EXPECT_EQ(r.Run(*filter), "\x1B@\x1B" "Ex\x1B" "F\r\n\x1B" "Ey\x1B" "F\r\n\x0C");
        r.Objects.clear();
        auto hp = NewDmp(2);
        EXPECT_EQ(r.Run(*hp), "\x1B" "E\x1B&l0O\x0C");
    }
}

TEST(vrDotMatrixExport, PrinterOutsideOrEmptyTableCountsAsFirst) {
    Receipt r;
    r.Objects.clear();
    r.Memo(0, 0, 2, 1, u"x");
    auto filter = NewDmp(9);
    EXPECT_EQ(r.Run(*filter), "x\r\n\x0C");
    EXPECT_EQ(filter->EscModel, 0);
    // With an empty table every command is empty.
    TvrDMPrinters saved;
    saved.Assign(&DMPrinterTable());
    DMPrinterTable().Clear();
    auto empty = NewDmp(1);
    const String out = r.Run(*empty);
    DMPrinterTable().Assign(&saved);
    EXPECT_EQ(out, "x\r\n");
}

TEST(vrDotMatrixExport, PrintsRawCopiesAndDeletesTheOutput) {
    TRecorderScope scope;
    Receipt r;
    r.Objects.clear();
    r.Memo(0, 0, 2, 1, u"x");
    auto filter = NewDmp(1);
    filter->InitString = "\x1B" "x";
    filter->Copies = 3;
    filter->ShowDialog = true; // copies from the filter, not the report
    TempDir dir;
    ASSERT_TRUE(filter->Start());
    const String temp = filter->FileName;
    EXPECT_NE(temp.find("/fr"), String::npos);
    filter->StartPage(&r.Page, 0);
    for (auto& obj : r.Objects) filter->ExportObject(obj.get());
    filter->FinishPage(&r.Page, 0);
    filter->Finish();
    EXPECT_FALSE(FileExists(temp));
    // Each copy: InitString, then the file, which holds Reset and InitString again.
    std::vector<String> expected;
    for (int copy = 0; copy < 3; ++copy)
        for (const String& line : {String("raw start "), String("raw \x1Bx"), String("raw \x1B@\x1Bxx\r\n\x0C"),
                                   String("raw end")})
            expected.push_back(line);
    EXPECT_EQ(scope.Printer()->Log, expected);
}
