// orvanta-layoutgen: writes the list layout of a window as a report layout file (.di3) through
// the report object model, for the windows that print their list through Qr/ beside the program.
//
//   orvanta-layoutgen [--places N] [--memo NAME[=TEXT]] [--landscape] [--font SIZE] [--sheet]
//                     OUTPUT.di3 TITLE FIELD:CAPTION[:WIDTH[:money][:sum]]...
//                     [--lines FIELD:CAPTION[:WIDTH[:money]]...]
//
// The layout: the title over the first page, the column titles at the top of every page, one
// line per row of the data set "vrDM", money columns in the money format of N decimal places
// (FmtTotal; 2 when not given), and the footer "第 [Page#] 页，共 [TotalPages#] 页". Widths are
// grid pixels (the report's own units); columns wider than the page together are narrowed in
// proportion. Columns marked sum get their total in a summary line after the last row, under
// "合  计" in the first column; --memo adds a text object of that name under the title, empty or
// holding TEXT (a variable the window answers, "[memDate]"),
// for a window to fill before printing (the period of the rows). With --sheet the layout is a detail sheet
// instead: one row of vrDM per page, the title at the top of every page and one line "CAPTION  value" per
// column (the width is then the value's). With --lines each row of vrDM is followed by the rows of
// the detail data set "vrDD" that belong to it (a record's lines): a caption line under the row, then
// one line per detail row, indented. --landscape turns the page (wide pivots), --font sets the point
// size of the column titles, lines and sums. A caption "UPPER|LOWER" gives the list two title
// lines: neighbouring columns with the same upper text share one upper title, a caption without
// "|" spans both lines. Built on demand: ninja -C build orvanta-layoutgen.
#include "app/core/PubUnit.h"

#include "report/vrClass.h"
#include "report/vrClassObjects.h"
#include "report/vrDBSet.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct TListColumn {
    String Field, Caption;
    Extended Width = 80;
    bool Money = false;
    bool Sum = false;
};

constexpr Extended TitleHeight = 44, HeaderHeight = 24, LineHeight = 22, FooterHeight = 24, LinesIndent = 24;

// The page and the point size of the list's cells (0: the report's own).
struct TPageOptions {
    bool Landscape = false;
    int FontSize = 0;
};
TPageOptions PageOptions;

// The upper and lower title of a two-level caption; the upper is empty for a plain one.
std::pair<String, String> SplitCaption(const String& caption) {
    const size_t bar = caption.find('|');
    if (bar == String::npos) return {String(), caption};
    return {caption.substr(0, bar), caption.substr(bar + 1)};
}

bool ParseColumn(const String& text, TListColumn& column) {
    const std::vector<String> parts = SplitString(text, ":");
    if (parts.size() < 2 || parts.size() > 5 || parts[0].empty()) return false;
    column.Field = parts[0];
    column.Caption = parts[1];
    if (parts.size() > 2 && !parts[2].empty()) column.Width = StrToIntDef(parts[2], 0);
    for (size_t i = 3; i < parts.size(); ++i) {
        if (parts[i] == "money" && !column.Money)
            column.Money = true;
        else if (parts[i] == "sum" && !column.Sum)
            column.Sum = true;
        else
            return false;
    }
    return column.Width > 0;
}

TvrMemoView* NewMemo(TvrComponent* band, const String& name, Extended left, Extended width,
                     const String& text) {
    auto* memo = new TvrMemoView(band);
    memo->SetName(name);
    memo->SetBounds(left, 0, width, band->Height());
    memo->SetText(Utf8ToWide(text));
    memo->VAlign = vaCenter;
    memo->Font()->SetName("宋体");
    if (PageOptions.FontSize > 0) memo->Font()->SetSize(PageOptions.FontSize);
    return memo;
}

// The width between the page's margins, in report units.
Extended PrintableWidth(const TvrReportPage* page) {
    return (page->PaperWidth() - page->LeftMargin - page->RightMargin) * fr01cm;
}

TvrBand* NewBand(TvrBand* band, TvrReportPage* page, const String& name, Extended top, Extended height) {
    band->SetName(name);
    band->SetBounds(0, top, PrintableWidth(page), height);
    return band;
}

// The money format as the report formats it: the report's numeric formats go to FormatFloat only
// when they hold a "#", and a "#" before the grouping comma changes nothing of what it shows.
String ReportMoneyFormat(int places) {
    const String format = MoneyFormat(places);
    const size_t comma = format.find(',');
    return comma == String::npos ? format : format.substr(0, comma) + "#" + format.substr(comma);
}

// The detail rows under a master band: the captions as a last line of the master band, then a
// detail band over vrDD with one line per row, both indented. Returns the detail band's bottom.
Extended AddDetailLines(TvrReportPage* page, TvrBand* master, TvrDBDataset* detailData,
                        std::vector<TListColumn> lineColumns, int places) {
    const Extended width = PrintableWidth(page) - LinesIndent;
    Extended total = 0;
    for (const TListColumn& c : lineColumns)
        total += c.Width;
    if (total > width)
        for (TListColumn& c : lineColumns)
            c.Width = c.Width * width / total;
    const Extended captionTop = master->Height();
    master->SetHeight(captionTop + LineHeight);
    const Extended detailTop = master->Top() + master->Height() + 8;
    auto* lines = static_cast<TvrDataBand*>(NewBand(new TvrDetailData(page), page, "DetailData1", detailTop,
                                                    LineHeight));
    lines->SetDataSet(detailData);
    Extended left = LinesIndent;
    for (size_t i = 0; i < lineColumns.size(); ++i) {
        const TListColumn& c = lineColumns[i];
        const String n = IntToStr(static_cast<int>(i) + 1);
        TvrMemoView* caption = NewMemo(master, "MemoLineCaption" + n, left, c.Width, c.Caption);
        caption->SetBounds(left, captionTop, c.Width, LineHeight);
        caption->HAlign = haCenter;
        caption->Font()->SetStyle(TFontStyles{fsItalic});
        caption->Frame()->Typ = TvrFrameTypes{ftBottom};
        TvrMemoView* cell = NewMemo(lines, "MemoDetail" + n, left, c.Width, "[vrDD.\"" + c.Field + "\"]");
        if (c.Money) {
            cell->HAlign = haRight;
            cell->DisplayFormat()->Kind = fkNumeric;
            cell->DisplayFormat()->FormatStr = ReportMoneyFormat(places);
        }
        left += c.Width;
    }
    return detailTop + LineHeight;
}

void BuildListLayout(TvrReport& report, TvrDBDataset* data, const String& title,
                     std::vector<TListColumn> columns, int places, const String& memoName, const String& memoText,
                     TvrDBDataset* detailData, const std::vector<TListColumn>& lineColumns) {
    auto* page = new TvrReportPage(&report);
    page->SetName("Page1");
    page->SetDefaults();
    if (PageOptions.Landscape) page->SetOrientation(poLandscape);
    const Extended pageWidth = PrintableWidth(page);
    Extended total = 0;
    for (const TListColumn& c : columns)
        total += c.Width;
    if (total > pageWidth)
        for (TListColumn& c : columns)
            c.Width = c.Width * pageWidth / total;

    TvrBand* titleBand = NewBand(new TvrReportTitle(page), page, "ReportTitle1", 0, TitleHeight);
    TvrMemoView* titleMemo = NewMemo(titleBand, "MemoTitle", 0, pageWidth, title);
    titleMemo->HAlign = haCenter;
    titleMemo->Font()->SetSize(16);
    titleMemo->Font()->SetStyle(TFontStyles{fsBold});
    if (!memoName.empty()) {
        titleBand->SetHeight(TitleHeight + LineHeight);
        TvrMemoView* memo = NewMemo(titleBand, memoName, 0, pageWidth, memoText);
        memo->SetBounds(0, TitleHeight, pageWidth, LineHeight);
    }

    const bool twoLevels = std::any_of(columns.begin(), columns.end(),
                                       [](const TListColumn& c) { return !SplitCaption(c.Caption).first.empty(); });
    const Extended headerHeight = twoLevels ? 2 * HeaderHeight : HeaderHeight;
    TvrBand* header = NewBand(new TvrPageHeader(page), page, "PageHeader1", 80, headerHeight);
    auto* lines = static_cast<TvrDataBand*>(
        NewBand(new TvrMasterData(page), page, "MasterData1", 90 + headerHeight, LineHeight));
    lines->SetDataSet(data);
    auto titleMemo2 = [&](const String& name, Extended left, Extended top, Extended width, Extended height,
                          const String& text) {
        TvrMemoView* caption = NewMemo(header, name, left, width, text);
        caption->SetBounds(left, top, width, height);
        caption->HAlign = haCenter;
        caption->Font()->SetStyle(TFontStyles{fsBold});
        caption->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    };
    Extended left = 0;
    int upperCount = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        const TListColumn& c = columns[i];
        const String n = IntToStr(static_cast<int>(i) + 1);
        const auto [upper, lower] = SplitCaption(c.Caption);
        if (upper.empty()) {
            titleMemo2("MemoHeader" + n, left, 0, c.Width, headerHeight, lower);
        } else {
            titleMemo2("MemoHeader" + n, left, HeaderHeight, c.Width, HeaderHeight, lower);
            // The upper title over this column and the neighbours that share it.
            if (i == 0 || SplitCaption(columns[i - 1].Caption).first != upper) {
                Extended width = 0;
                for (size_t j = i; j < columns.size() && SplitCaption(columns[j].Caption).first == upper; ++j)
                    width += columns[j].Width;
                titleMemo2("MemoUpper" + IntToStr(++upperCount), left, 0, width, HeaderHeight, upper);
            }
        }
        TvrMemoView* cell = NewMemo(lines, "MemoLine" + n, left, c.Width, "[vrDM.\"" + c.Field + "\"]");
        cell->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
        if (c.Money) {
            cell->HAlign = haRight;
            cell->DisplayFormat()->Kind = fkNumeric;
            cell->DisplayFormat()->FormatStr = ReportMoneyFormat(places);
        }
        left += c.Width;
    }
    Extended bottom = 130 + headerHeight;
    if (!lineColumns.empty()) bottom = AddDetailLines(page, lines, detailData, lineColumns, places) + 10;

    if (std::any_of(columns.begin(), columns.end(), [](const TListColumn& c) { return c.Sum; })) {
        TvrBand* summary = NewBand(new TvrReportSummary(page), page, "ReportSummary1", bottom, LineHeight);
        left = 0;
        for (size_t i = 0; i < columns.size(); ++i) {
            const TListColumn& c = columns[i];
            const String n = IntToStr(static_cast<int>(i) + 1);
            const String text = c.Sum ? "[SUM(vrDM.\"" + c.Field + "\")]" : i == 0 ? "合  计" : "";
            TvrMemoView* cell = NewMemo(summary, "MemoSum" + n, left, c.Width, text);
            cell->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
            if (c.Sum) {
                cell->HAlign = haRight;
                if (c.Money) {
                    cell->DisplayFormat()->Kind = fkNumeric;
                    cell->DisplayFormat()->FormatStr = ReportMoneyFormat(places);
                }
            }
            left += c.Width;
        }
    }

    TvrBand* footer = NewBand(new TvrPageFooter(page), page, "PageFooter1", bottom + 50, FooterHeight);
    NewMemo(footer, "MemoPage", 0, pageWidth, "第 [Page#] 页，共 [TotalPages#] 页")->HAlign = haCenter;
    report.Datasets()->Add(data);
    if (!lineColumns.empty()) report.Datasets()->Add(detailData);
}

// One row per page: the title on every page, then a caption and a value per column.
void BuildSheetLayout(TvrReport& report, TvrDBDataset* data, const String& title,
                      const std::vector<TListColumn>& columns, int places, TvrDBDataset* detailData,
                      const std::vector<TListColumn>& lineColumns) {
    constexpr Extended CaptionWidth = 120;
    auto* page = new TvrReportPage(&report);
    page->SetName("Page1");
    page->SetDefaults();
    const Extended pageWidth = PrintableWidth(page);
    TvrBand* header = NewBand(new TvrPageHeader(page), page, "PageHeader1", 0, TitleHeight);
    TvrMemoView* titleMemo = NewMemo(header, "MemoTitle", 0, pageWidth, title);
    titleMemo->HAlign = haCenter;
    titleMemo->Font()->SetSize(16);
    titleMemo->Font()->SetStyle(TFontStyles{fsBold});
    auto* sheet = static_cast<TvrDataBand*>(NewBand(new TvrMasterData(page), page, "MasterData1", 60,
                                                    LineHeight * static_cast<Extended>(columns.size())));
    sheet->SetDataSet(data);
    sheet->StartNewPage = true;
    for (size_t i = 0; i < columns.size(); ++i) {
        const TListColumn& c = columns[i];
        const String n = IntToStr(static_cast<int>(i) + 1);
        const Extended top = LineHeight * static_cast<Extended>(i);
        TvrMemoView* caption = NewMemo(sheet, "MemoCaption" + n, 0, CaptionWidth, c.Caption);
        caption->SetBounds(0, top, CaptionWidth, LineHeight);
        caption->Font()->SetStyle(TFontStyles{fsBold});
        const Extended width = std::min(c.Width * 3, pageWidth - CaptionWidth);
        TvrMemoView* value =
            NewMemo(sheet, "MemoValue" + n, CaptionWidth, width, "[vrDM.\"" + c.Field + "\"]");
        value->SetBounds(CaptionWidth, top, width, LineHeight);
        value->Frame()->Typ = TvrFrameTypes{ftBottom};
        if (c.Money) {
            value->DisplayFormat()->Kind = fkNumeric;
            value->DisplayFormat()->FormatStr = ReportMoneyFormat(places);
        }
    }
    Extended bottom = 60 + sheet->Height();
    if (!lineColumns.empty()) bottom = AddDetailLines(page, sheet, detailData, lineColumns, places);
    TvrBand* footer = NewBand(new TvrPageFooter(page), page, "PageFooter1", bottom + 100, FooterHeight);
    NewMemo(footer, "MemoPage", 0, pageWidth, "第 [Page#] 页，共 [TotalPages#] 页")->HAlign = haCenter;
    report.Datasets()->Add(data);
    if (!lineColumns.empty()) report.Datasets()->Add(detailData);
}

int Usage() {
    std::fprintf(stderr, "usage: orvanta-layoutgen [--places N] [--memo NAME[=TEXT]] [--landscape] [--font SIZE] "
                         "[--sheet] OUTPUT.di3 TITLE FIELD:CAPTION[:WIDTH[:money][:sum]]... "
                         "[--lines FIELD:CAPTION[:WIDTH[:money]]...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<String> args(argv + 1, argv + argc);
    int places = 2;
    String memoName, memoText;
    bool sheet = false;
    while (!args.empty() && StartsStr("--", args[0]) && args[0] != "--lines") {
        const String option = args[0];
        args.erase(args.begin());
        if (option == "--sheet") {
            sheet = true;
        } else if (option == "--landscape") {
            PageOptions.Landscape = true;
        } else if (option == "--places" && !args.empty()) {
            places = StrToIntDef(args[0], -1);
            if (places < 0 || places > 10) return Usage();
            args.erase(args.begin());
        } else if (option == "--font" && !args.empty()) {
            PageOptions.FontSize = StrToIntDef(args[0], 0);
            if (PageOptions.FontSize < 5 || PageOptions.FontSize > 20) return Usage();
            args.erase(args.begin());
        } else if (option == "--memo" && !args.empty()) {
            memoName = args[0];
            args.erase(args.begin());
            const size_t equals = memoName.find('=');
            if (equals != String::npos) {
                memoText = memoName.substr(equals + 1);
                memoName.resize(equals);
            }
            if (memoName.empty()) return Usage();
        } else {
            return Usage();
        }
    }
    if (args.size() < 3) return Usage();
    std::vector<TListColumn> columns, lineColumns;
    bool inLines = false;
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--lines" && !inLines) {
            inLines = true;
            continue;
        }
        TListColumn column;
        if (!ParseColumn(args[i], column) || (inLines && column.Sum)) {
            std::fprintf(stderr, "orvanta-layoutgen: bad column \"%s\"\n", args[i].c_str());
            return Usage();
        }
        (inLines ? lineColumns : columns).push_back(column);
    }
    if (columns.empty() || (inLines && lineColumns.empty())) return Usage();
    try {
        vrStartUp();
        TComponent module(nullptr);
        auto* data = new TvrDBDataset(&module);
        data->SetName("vrDBDataSet1");
        data->SetUserName("vrDM");
        auto* detailData = new TvrDBDataset(&module);
        detailData->SetName("vrDBDataset2");
        detailData->SetUserName("vrDD");
        TvrReport report(nullptr);
        if (sheet)
            BuildSheetLayout(report, data, args[1], columns, places, detailData, lineColumns);
        else
            BuildListLayout(report, data, args[1], columns, places, memoName, memoText, detailData, lineColumns);
        report.SaveToFile(args[0]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "orvanta-layoutgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
