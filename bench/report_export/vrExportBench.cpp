// The exports over 1,000 pages of 40 rows × 6 cells (five texts and an amount), each against a
// reference writing the same cells in the same run:
//   the spreadsheet XML export against libxlsxwriter writing the same cells (goal: not slower);
//   the CSV export against Python's csv module writing the same fields in GBK (goal: within 3×;
//   the interpreter's start, about 20 ms, included);
//   the dBASE export against a hand loop writing the same records (goal: within 5×);
//   the cell matrix alone (placing and preparing the same pages) beside them;
//   the HTML export (one file) against a hand loop writing the same table markup (goal: within 5×);
//   one page drawn at 192 dpi (1588 × 2246) saved as BMP and as JPEG against Pillow saving the same
//   picture (goal: within 1.5×), and as GIF against giflib (goal: within 2×).
// The pages are one hand-built report page driven through the filter 1,000 times, as the export
// run drives prepared pages; each side's time includes filling the page's texts.
#include "report/export/vrExportCSV.h"
#include "report/export/vrExportDBF.h"
#include "report/export/vrExportHTML.h"
#include "report/export/vrExportImage.h"
#include "report/export/vrExportXML.h"
#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "../CodecBenchPillow.h"
#include "gui/Bitmap.h"
#include "gui/Jpeg.h"
#include "rtl/Streams.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

constexpr int Pages = 1000, Rows = 40, Cols = 6;

String CellText(int page, int row, int col) {
    static const char* const owners[] = {"张三", "李四", "王五", "赵六"};
    switch (col) {
    case 0: return "A-" + IntToStr(page * Rows + row);
    case 1: return owners[(row + page) % 4];
    case 2: return "幸福小区" + IntToStr(row % 7) + "栋";
    case 3: return "2026-12";
    case 4: return "物业费";
    default: return FormatFloat("#,##0.00", 1234.5 + row);
    }
}

struct TBenchPages {
    TBenchPages() {
        vrStartUp();
        Folder = (std::filesystem::temp_directory_path() / "orv_export_bench").string();
        std::filesystem::create_directories(Folder);
        Page = std::make_unique<TvrReportPage>(nullptr);
        Page->SetName("Houses");
        Page->SetDefaults();
        auto* band = new TvrReportTitle(Page.get());
        band->SetName("Band");
        band->SetBounds(0, 0, 718, 1000);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) {
                auto* memo = new TvrMemoView(band);
                memo->SetBounds(110.0L * c, 20.0L * r, 110, 20);
                memo->SetText(Utf8ToWide(CellText(0, r, c)));
                if (c == 5) memo->DisplayFormat()->Kind = fkNumeric;
                Memos.push_back(memo);
            }
        // The font database is read on the first text, and the heap grows to its size on the
        // first run (page faults on this machine cost as much as the run): both happen here,
        // before any measured run, for every side alike.
        TvrIEMatrix warm;
        FillMatrix(warm);
    }
    // All pages placed in the matrix and prepared.
    void FillMatrix(TvrIEMatrix& m) {
        m.ProgressWindow = false;
        m.MergeTolerance = 0.5;
        for (int p = 0; p < Pages; ++p) {
            Fill(p);
            Page->SetTop(0.5);
            for (TvrComponent* band : Page->Children())
                for (TvrComponent* obj : band->AllObjects())
                    m.AddObject(static_cast<TvrReportComponent*>(obj));
            m.AddPage(poPortrait, false, p, 10, 10, 10, 10, 1123, 794);
        }
        m.Prepare();
    }
    ~TBenchPages() {
        std::error_code ec;
        std::filesystem::remove_all(Folder, ec);
    }
    // The page's texts as page index shows them.
    void Fill(int page) {
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c)
                Memos[static_cast<size_t>(r * Cols + c)]->SetText(Utf8ToWide(CellText(page, r, c)));
    }
    void Drive(TvrCustomExportFilter& filter, const String& file, int pages = Pages) {
        filter.Report = &Report;
        filter.ShowProgress = false;
        filter.FileName = file;
        if (!filter.Start()) return;
        for (int p = 0; p < pages; ++p) {
            Fill(p);
            filter.StartPage(Page.get(), p);
            for (TvrComponent* band : Page->Children()) {
                filter.ExportObject(band);
                for (TvrComponent* obj : band->AllObjects())
                    filter.ExportObject(obj);
            }
            filter.FinishPage(Page.get(), p);
        }
        filter.Finish();
    }
    String File(const String& name) const { return Folder + "/" + name; }

    String Folder;
    TvrReport Report{nullptr};
    std::unique_ptr<TvrReportPage> Page;
    std::vector<TvrMemoView*> Memos;
};

TBenchPages& Data() {
    static TBenchPages data;
    return data;
}

void BM_Matrix(benchmark::State& state) {
    TBenchPages& d = Data();
    for (auto _ : state) {
        TvrIEMatrix m;
        d.FillMatrix(m);
        benchmark::DoNotOptimize(m.RowCount);
    }
    state.SetItemsProcessed(state.iterations() * Pages * Rows * Cols);
}
BENCHMARK(BM_Matrix)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_XmlExport(benchmark::State& state) {
    TBenchPages& d = Data();
    for (auto _ : state) {
        auto xml = TvrCustomExportFilter::CreateNoRegister<TvrXMLExport>();
        d.Drive(*xml, d.File("book.xls"));
    }
    state.SetItemsProcessed(state.iterations() * Pages * Rows * Cols);
}
BENCHMARK(BM_XmlExport)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Xlsxwriter(benchmark::State& state) {
    TBenchPages& d = Data();
    for (auto _ : state) {
        lxw_workbook* wb = workbook_new(d.File("ref.xlsx").c_str());
        lxw_worksheet* ws = workbook_add_worksheet(wb, "Houses");
        lxw_format* money = workbook_add_format(wb);
        format_set_num_format(money, "#,##0.00");
        for (int p = 0; p < Pages; ++p)
            for (int r = 0; r < Rows; ++r) {
                const lxw_row_t row = static_cast<lxw_row_t>(p * Rows + r);
                for (int c = 0; c < 5; ++c)
                    worksheet_write_string(ws, row, static_cast<lxw_col_t>(c), CellText(p, r, c).c_str(), nullptr);
                worksheet_write_number(ws, row, 5, 1234.5 + r, money);
            }
        if (workbook_close(wb) != LXW_NO_ERROR) state.SkipWithError("libxlsxwriter failed");
    }
    state.SetItemsProcessed(state.iterations() * Pages * Rows * Cols);
}
BENCHMARK(BM_Xlsxwriter)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_CsvExport(benchmark::State& state) {
    TBenchPages& d = Data();
    for (auto _ : state) {
        auto csv = TvrCustomExportFilter::CreateNoRegister<TvrCSVExport>();
        d.Drive(*csv, d.File("data.csv"));
    }
    state.SetItemsProcessed(state.iterations() * Pages * Rows * Cols);
}
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond)->Iterations(1);

// Python's csv module writing the same fields in GBK (read from a UTF-8 list prepared once).
void BM_PythonCsv(benchmark::State& state) {
    TBenchPages& d = Data();
    const String source = d.File("fields.txt");
    {
        std::ofstream out(source);
        for (int p = 0; p < Pages; ++p)
            for (int r = 0; r < Rows; ++r)
                for (int c = 0; c < Cols; ++c)
                    out << CellText(p, r, c) << (c + 1 < Cols ? "\t" : "\n");
    }
    const std::string command =
        "/usr/bin/python3 -c \"import csv,sys; rows=[l.rstrip('\\n').split('\\t') for l in open(sys.argv[1], "
        "encoding='utf-8')]; w=csv.writer(open(sys.argv[2], 'w', encoding='gbk', newline=''), delimiter=';', "
        "lineterminator='\\r\\n'); w.writerows(rows)\" '" +
        source + "' '" + d.File("python.csv") + "'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("python3 failed");
    state.SetItemsProcessed(state.iterations() * Pages * Rows * Cols);
}
BENCHMARK(BM_PythonCsv)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_DbfExport(benchmark::State& state) {
    TBenchPages& d = Data();
    for (auto _ : state) {
        auto dbf = TvrCustomExportFilter::CreateNoRegister<TvrDBFExport>();
        d.Drive(*dbf, d.File("table.dbf"));
    }
    state.SetItemsProcessed(state.iterations() * Pages * Rows * Cols);
}
BENCHMARK(BM_DbfExport)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same records by a hand loop: the header, the descriptors, 40,000 records of six fields of
// 255 bytes in GBK.
void BM_HandDbf(benchmark::State& state) {
    TBenchPages& d = Data();
    for (auto _ : state) {
        std::FILE* f = std::fopen(d.File("hand.dbf").c_str(), "wb");
        std::string header(32 + 32 * Cols + 1, '\0');
        header[0] = 3;
        const unsigned records = Pages * Rows, length = 1 + 255 * Cols;
        header[4] = static_cast<char>(records & 0xFF);
        header[5] = static_cast<char>(records >> 8 & 0xFF);
        header[8] = static_cast<char>((32 + 32 * Cols + 1) & 0xFF);
        header[10] = static_cast<char>(length & 0xFF);
        header[11] = static_cast<char>(length >> 8);
        for (int c = 0; c < Cols; ++c) {
            const std::string name = "F" + std::to_string(c + 1);
            header.replace(32 + 32 * c, name.size(), name);
            header[32 + 32 * c + 11] = 'C';
            header[32 + 32 * c + 16] = static_cast<char>(255);
        }
        header.back() = 0x0D;
        std::fwrite(header.data(), 1, header.size(), f);
        std::string record;
        for (int p = 0; p < Pages; ++p)
            for (int r = 0; r < Rows; ++r) {
                record.assign(length, ' ');
                for (int c = 0; c < Cols; ++c) {
                    const std::string text = AnsiFromUtf8(CellText(p, r, c));
                    record.replace(1 + 255 * static_cast<size_t>(c), text.size(), text);
                }
                std::fwrite(record.data(), 1, record.size(), f);
            }
        std::fputc(0x1A, f);
        std::fclose(f);
    }
    state.SetItemsProcessed(state.iterations() * Pages * Rows * Cols);
}
BENCHMARK(BM_HandDbf)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_HtmlExport(benchmark::State& state) {
    TBenchPages& d = Data();
    for (auto _ : state) {
        auto html = TvrCustomExportFilter::CreateNoRegister<TvrHTMLExport>();
        html->ExportPictures = false;
        d.Drive(*html, d.File("pages.html"));
    }
    state.SetItemsProcessed(state.iterations() * Pages * Rows * Cols);
}
BENCHMARK(BM_HtmlExport)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same cells as table markup by a hand loop: a table per page, a row per line, a cell per text
// with its class and width, texts escaped.
void BM_HandHtml(benchmark::State& state) {
    TBenchPages& d = Data();
    const auto escape = [](const String& text, std::string& out) {
        for (char c : text) {
            switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
            }
        }
    };
    for (auto _ : state) {
        std::FILE* f = std::fopen(d.File("hand.html").c_str(), "wb");
        std::string out = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                          "<style>.s0 {font-family: SimSun; font-size: 13px}</style></head><body>\n";
        for (int p = 0; p < Pages; ++p) {
            out += "<table width=\"660\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\n";
            for (int r = 0; r < Rows; ++r) {
                out += "<tr style=\"height: 20px\">";
                for (int c = 0; c < Cols; ++c) {
                    out += "<td width=\"110\" class=\"s0\">";
                    escape(CellText(p, r, c), out);
                    out += "</td>";
                }
                out += "</tr>\n";
            }
            out += "</table>\n";
            if (out.size() > (1u << 20)) {
                std::fwrite(out.data(), 1, out.size(), f);
                out.clear();
            }
        }
        out += "</body></html>\n";
        std::fwrite(out.data(), 1, out.size(), f);
        std::fclose(f);
    }
    state.SetItemsProcessed(state.iterations() * Pages * Rows * Cols);
}
BENCHMARK(BM_HandHtml)->Unit(benchmark::kMillisecond)->Iterations(1);

// ---- One page as a picture ----

constexpr int PictureDpi = 192;

// The first page drawn at 192 dpi, as the BMP export writes it (read back from its file once).
TBitmap& PagePicture() {
    static TBitmap* picture = [] {
        TBenchPages& d = Data();
        auto bmp = TvrCustomExportFilter::CreateNoRegister<TvrBMPExport>();
        bmp->ImageDpi = PictureDpi;
        d.Drive(*bmp, d.File("page.bmp"), 1);
        auto* b = new TBitmap(); // lives to the end of the run
        b->LoadFromFile(d.File("page.1.bmp"));
        return b;
    }();
    return *picture;
}

// The BMP export of one page: drawing and writing.
void BM_BmpExportPage(benchmark::State& state) {
    TBenchPages& d = Data();
    PagePicture();
    for (auto _ : state) {
        auto bmp = TvrCustomExportFilter::CreateNoRegister<TvrBMPExport>();
        bmp->ImageDpi = PictureDpi;
        d.Drive(*bmp, d.File("x.bmp"), 1);
    }
}
BENCHMARK(BM_BmpExportPage)->Unit(benchmark::kMillisecond);

void BM_BmpSave(benchmark::State& state) {
    TBitmap& page = PagePicture();
    for (auto _ : state) {
        TMemoryStream out;
        page.SaveToStream(out);
        benchmark::DoNotOptimize(out.Size());
    }
    state.counters["width"] = page.Width();
    state.counters["height"] = page.Height();
}
BENCHMARK(BM_BmpSave)->Unit(benchmark::kMillisecond);

void BM_JpegSave(benchmark::State& state) {
    TBitmap& page = PagePicture();
    for (auto _ : state) {
        TJPEGImage jpeg;
        jpeg.Assign(page);
        jpeg.SetCompressionQuality(90);
        TMemoryStream out;
        jpeg.SaveToStream(out);
        benchmark::DoNotOptimize(out.Size());
    }
}
BENCHMARK(BM_JpegSave)->Unit(benchmark::kMillisecond);

// Pillow saving the same picture (opened from the BMP export's file before timing).
std::string PillowSave(const char* format) {
    PagePicture();
    return "import io, time\nfrom PIL import Image\nim = Image.open('" + Data().File("page.1.bmp") +
           "').convert('RGB')\nim.load()\nn = 10\nt = time.perf_counter()\nfor i in range(n):\n"
           "    im.save(io.BytesIO(), '" + format + "'" + (std::string(format) == "JPEG" ? ", quality=90" : "") +
           ")\nprint((time.perf_counter() - t) / n)\n";
}

void BM_PillowBmpSave(benchmark::State& state) {
    codecbench::ReportPillow(state, PillowSave("BMP"));
}
BENCHMARK(BM_PillowBmpSave)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PillowJpegSave(benchmark::State& state) {
    codecbench::ReportPillow(state, PillowSave("JPEG"));
}
BENCHMARK(BM_PillowJpegSave)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_WriteGif(benchmark::State& state) {
    for (auto _ : state) {
        TBitmap page;
        page.Assign(PagePicture());
        TMemoryStream out;
        WriteGif(out, page);
        benchmark::DoNotOptimize(out.Size());
    }
}
BENCHMARK(BM_WriteGif)->Unit(benchmark::kMillisecond);

// giflib writing the same 256-colour picture (reduced once, before timing).
int GifToMemory(GifFileType* gif, const GifByteType* data, int n) {
    auto* out = static_cast<std::vector<Byte>*>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

void BM_GiflibWrite(benchmark::State& state) {
    TBitmap page;
    page.Assign(PagePicture());
    page.SetPixelFormat(pf8bit);
    const int w = page.Width(), h = page.Height();
    std::vector<GifColorType> colors(256);
    const std::vector<TColor> palette = page.Palette();
    for (size_t i = 0; i < palette.size() && i < 256; ++i)
        colors[i] = GifColorType{static_cast<GifByteType>(palette[i] & 0xFF),
                                 static_cast<GifByteType>(palette[i] >> 8 & 0xFF),
                                 static_cast<GifByteType>(palette[i] >> 16 & 0xFF)};
    for (auto _ : state) {
        std::vector<Byte> out;
        int error = 0;
        GifFileType* gif = EGifOpen(&out, GifToMemory, &error);
        ColorMapObject* map = GifMakeMapObject(256, colors.data());
        EGifPutScreenDesc(gif, w, h, 8, 0, map);
        EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr);
        for (int y = 0; y < h; ++y)
            EGifPutLine(gif, const_cast<GifPixelType*>(page.ScanLine(y)), w);
        GifFreeMapObject(map);
        EGifCloseFile(gif, &error);
        benchmark::DoNotOptimize(out.size());
    }
}
BENCHMARK(BM_GiflibWrite)->Unit(benchmark::kMillisecond);

} // namespace
