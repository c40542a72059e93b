// The Excel export of a list: 20,000 rows x 32 columns (16 text, 8 numbers, 8 amounts with display
// formats) from a grid's query into a workbook, against a bare libxlsxwriter loop writing the same
// values with the same formats in the same run. Goal: within 2x of the bare loop.
#include "../BenchJetDatabase.h"
#include "app/core/DataDm.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/Forms.h"
#include "rtl/Format.h"

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

constexpr int Rows = 20000;
constexpr int TextColumns = 16, NumberColumns = 8, MoneyColumns = 8;
constexpr int Columns = TextColumns + NumberColumns + MoneyColumns;

String Text(int row, int col) {
    return (col % 2 ? "房屋" : "T") + IntToStr(col) + "-" + IntToStr(row);
}
double Number(int row, int col) {
    return row * 0.25 + col;
}
double Money(int row, int col) {
    return row * 1.5 + col + 0.05;
}

// The list: a table, its query and a grid showing every column; the values the bare loop writes.
struct TExportSide {
    String Dir;
    TADOConnection Cnn;
    std::unique_ptr<TADOQuery> Q;
    TDataSource Source{nullptr};
    std::unique_ptr<TForm> Form;
    TDBGridGx* Grid = nullptr;
    std::unique_ptr<TdmData> Dm;
    std::vector<String> Titles;
    std::vector<String> Texts;   // row-major, TextColumns per row
    std::vector<double> Numbers; // row-major, NumberColumns + MoneyColumns per row
    std::vector<String> Formats; // the spreadsheet formats of the number columns

    TExportSide() {
        Dir = OpenBenchJetDatabase("orv_exportbench", Cnn);
        String create = "create table T_list (F_ID counter";
        for (int c = 0; c < Columns; ++c)
            create += ", F_" + IntToStr(c) +
                      (c < TextColumns                   ? " text(50)"
                       : c < TextColumns + NumberColumns ? " double"
                                                         : " currency");
        Cnn.Execute(create + ")");
        TADOCommand cmd;
        cmd.SetConnection(&Cnn);
        String insert = "insert into T_list (", values = ") values (";
        for (int c = 0; c < Columns; ++c) {
            insert += (c ? ", F_" : "F_") + IntToStr(c);
            values += (c ? ", :p" : ":p") + IntToStr(c);
        }
        cmd.SetCommandText(insert + values + ")");
        Cnn.BeginTrans();
        for (int r = 0; r < Rows; ++r) {
            for (int c = 0; c < Columns; ++c) {
                const Variant v = c < TextColumns                   ? Variant(Text(r, c))
                                  : c < TextColumns + NumberColumns ? Variant(Number(r, c))
                                                                    : Variant(Money(r, c));
                cmd.Parameters()->ParamByName("p" + IntToStr(c))->SetValue(v);
            }
            cmd.Execute();
        }
        Cnn.CommitTrans();
        Q = std::make_unique<TADOQuery>();
        Q->SetConnection(&Cnn);
        Q->SQL()->SetText("select * from T_list order by F_ID");
        Q->Open();
        Source.SetDataSet(Q.get());
        Form = std::make_unique<TForm>(nullptr);
        Grid = new TDBGridGx(Form.get());
        Grid->SetParent(Form.get());
        Grid->BeginLayout();
        for (int c = 0; c < Columns; ++c) {
            TColumnGx* column = Grid->Columns()->AddColumn();
            column->SetFieldName("F_" + IntToStr(c));
            column->Title()->SetCaption("列" + IntToStr(c));
            if (c >= TextColumns)
                column->SetDisplayFormat(c < TextColumns + NumberColumns ? ",0.##" : "￥,0.00");
            Titles.push_back(column->Title()->Caption());
        }
        Grid->EndLayout();
        Grid->SetDataSource(&Source);
        Dm = std::make_unique<TdmData>(nullptr);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Columns; ++c) {
                if (c < TextColumns)
                    Texts.push_back(Text(r, c));
                else
                    Numbers.push_back(c < TextColumns + NumberColumns ? Number(r, c) : Money(r, c));
            }
        Formats = {"#,##0.##", "￥#,##0.00"};
    }
};

TExportSide& Side() {
    static TExportSide* side = [] {
        auto* s = new TExportSide;
        static String dir = s->Dir;
        std::atexit([] { std::filesystem::remove_all(dir); });
        return s;
    }();
    return *side;
}

void BM_ExportGridToExcel(benchmark::State& state) {
    TExportSide& side = Side();
    for (auto _ : state) {
        const String file = side.Dm->ExportGridToExcel(side.Grid, "导出测试", false);
        state.PauseTiming();
        std::remove(file.c_str());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Rows * Columns);
}
BENCHMARK(BM_ExportGridToExcel)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same cells straight through libxlsxwriter: the title row, then every row's texts and
// numbers from memory, with the export's workbook options.
void BM_BareXlsxWriterLoop(benchmark::State& state) {
    TExportSide& side = Side();
    const String file = "/tmp/orv_exportbench_bare.xlsx";
    for (auto _ : state) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = const_cast<char*>("/tmp");
        options.use_zip64 = LXW_TRUE;
        lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, "导出测试");
        lxw_format* formats[2];
        for (int f = 0; f < 2; ++f) {
            formats[f] = workbook_add_format(book);
            format_set_num_format(formats[f], side.Formats[static_cast<size_t>(f)].c_str());
        }
        for (int c = 0; c < Columns; ++c) {
            worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c),
                                   side.Titles[static_cast<size_t>(c)].c_str(), nullptr);
            worksheet_set_column_pixels(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c), 64,
                                        nullptr);
        }
        const String* text = side.Texts.data();
        const double* number = side.Numbers.data();
        for (int r = 0; r < Rows; ++r) {
            const lxw_row_t row = static_cast<lxw_row_t>(r + 1);
            for (int c = 0; c < Columns; ++c) {
                if (c < TextColumns)
                    worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), (text++)->c_str(), nullptr);
                else
                    worksheet_write_number(sheet, row, static_cast<lxw_col_t>(c), *number++,
                                           formats[c < TextColumns + NumberColumns ? 0 : 1]);
            }
        }
        workbook_close(book);
        state.PauseTiming();
        std::remove(file.c_str());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Rows * Columns);
}
BENCHMARK(BM_BareXlsxWriterLoop)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
