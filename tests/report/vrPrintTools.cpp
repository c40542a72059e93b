#include "vrPrintTools.h"

#include "report/vrClassMemo.h"
#include "report/vrClassPage.h"
#include "report/vrEngine.h"
#include "rtl/CodePage.h"
#include "rtl/StrUtils.h"

#include <utility>

// ---------------------------------------------------------------------------------------------
// TSheetCanvas

void TSheetCanvas::DevTextOut(int x, int y, Cardinal, const TRect*, const WideString& text, const int*, bool,
                              TColor) {
    if (!Texts) return;
    TPrintedText t;
    t.Text = WideToUtf8(text);
    t.X = x;
    t.Y = y;
    if (const TRegion* clip = CurrentClip()) {
        t.Clip = clip->Bounds();
        t.Clipped = true;
    }
    t.FontHeight = DeviceFontHeight();
    Texts->push_back(t);
}

int TSheetCanvas::DevCaps(int index) {
    switch (index) {
    case TECHNOLOGY:
        return DT_RASPRINTER;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 254;
    default:
        return TCanvas::DevCaps(index);
    }
}

// ---------------------------------------------------------------------------------------------
// TRecordingPrinter

namespace {

const char* const DuplexNames[] = {"dmNone", "dmVertical", "dmHorizontal", "dmSimplex"};

String Millimetres(Extended value) {
    return FloatToStr(value);
}

} // namespace

TRecordingPrinter::TRecordingPrinter(const String& name, const String& port) : TvrCustomPrinter(name, port) {}

TvrSheetMargins& TRecordingPrinter::Margins() {
    static TvrSheetMargins margins;
    return margins;
}

bool& TRecordingPrinter::Valid() {
    static bool valid = true;
    return valid;
}

int& TRecordingPrinter::FailAtSheet() {
    static int sheet = 0;
    return sheet;
}

void TRecordingPrinter::LoadPrinterInfo() {
    if (FInitialized || !Valid()) return;
    FDPI = TPoint{254, 254};
    AddPaper("Letter", DMPAPER_LETTER);
    AddPaper("A3", DMPAPER_A3);
    AddPaper("A4", DMPAPER_A4);
    AddPaper("A5", DMPAPER_A5);
    SetPaper(DMPAPER_A4, poPortrait, 0, 0);
    FInitialized = true;
}

void TRecordingPrinter::SetPaper(Integer paper, TPrinterOrientation orientation, Extended width,
                                 Extended height) {
    Extended w = 0, h = 0;
    if (paper != DMPAPER_USER && PaperSizeFromTable(paper, w, h)) {
        if (orientation == poLandscape) std::swap(w, h);
    } else {
        w = width;
        h = height;
    }
    FPaper = paper;
    FOrientation = orientation;
    FPaperWidth = w;
    FPaperHeight = h;
    const TvrSheetMargins& m = Margins();
    // Turned a quarter to the left: the portrait top becomes the left edge.
    if (orientation == poLandscape) {
        FLeftMargin = m.Top;
        FTopMargin = m.Right;
        FRightMargin = m.Bottom;
        FBottomMargin = m.Left;
    } else {
        FLeftMargin = m.Left;
        FTopMargin = m.Top;
        FRightMargin = m.Right;
        FBottomMargin = m.Bottom;
    }
    FCanvas.Size = TSize{static_cast<int>((FPaperWidth - FLeftMargin - FRightMargin) * 10),
                         static_cast<int>((FPaperHeight - FTopMargin - FBottomMargin) * 10)};
}

void TRecordingPrinter::SetPaperForView(Integer paper, TPrinterOrientation orientation, Extended width,
                                        Extended height) {
    SetPaper(paper, orientation, width, height);
}

void TRecordingPrinter::SetPaperForPrint(Integer paper, TPrinterOrientation orientation, Integer copies,
                                         TvrDuplexMode duplex, Integer bin, Extended width, Extended height) {
    SetPaper(paper, orientation, width, height);
    Log.push_back("paper " + IntToStr(paper) + (orientation == poLandscape ? " L " : " P ") +
                  Millimetres(FPaperWidth) + "x" + Millimetres(FPaperHeight) + " copies=" + IntToStr(copies) +
                  " duplex=" + DuplexNames[duplex] + " bin=" + IntToStr(bin));
}

void TRecordingPrinter::StartDocument() {
    Log.push_back("start " + Title + (FileName.empty() ? String() : " > " + FileName));
    FPrinting = true;
}

void TRecordingPrinter::StartPage() {
    if (FailAtSheet() == static_cast<int>(Sheets.size()) + 1) {
        FPrinting = false;
        throw EPrinter("The queue refused the job");
    }
    Log.push_back("page");
    Sheets.emplace_back();
    FCanvas.Texts = &Sheets.back();
}

void TRecordingPrinter::EndPage() {
    Log.push_back("end");
    FCanvas.Texts = nullptr;
}

void TRecordingPrinter::EndDocument() {
    Log.push_back("enddoc");
    FPrinting = false;
}

void TRecordingPrinter::AbortDocument() {
    Log.push_back("abort");
    FPrinting = false;
}

void TRecordingPrinter::StartRawDocument() {
    Log.push_back("raw start " + Title);
    FPrinting = true;
}

void TRecordingPrinter::WriteRawData(const std::string& bytes) {
    Log.push_back("raw " + bytes);
}

void TRecordingPrinter::EndRawDocument() {
    Log.push_back("raw end");
    FPrinting = false;
}

std::vector<String> TRecordingPrinter::SheetTexts(const String& prefix) const {
    std::vector<String> result;
    for (const auto& sheet : Sheets) {
        String joined;
        for (const TPrintedText& t : sheet) {
            if (StartsStr("第", t.Text) || !StartsStr(prefix, t.Text)) continue;
            if (!joined.empty()) joined += "|";
            joined += t.Text;
        }
        result.push_back(joined);
    }
    return result;
}

String TRecordingPrinter::LogText() const {
    String text;
    for (const String& line : Log) {
        if (!text.empty()) text += "\n";
        text += line;
    }
    return text;
}

// ---------------------------------------------------------------------------------------------
// TRecorderScope

TRecorderScope::TRecorderScope(std::vector<String> names) {
    FReader = TvrPrinters::SetNamesReader([names] {
        return TvrPrinterNames{names, names.empty() ? String() : names.front()};
    });
    FMaker = TvrPrinters::SetPrinterMaker([](const String& name, const String& port) {
        return std::make_unique<TRecordingPrinter>(name, port);
    });
    GetPrinters().Fill();
}

TRecorderScope::~TRecorderScope() {
    TvrPrinters::SetNamesReader(FReader);
    TvrPrinters::SetPrinterMaker(FMaker);
    TRecordingPrinter::Margins() = TvrSheetMargins();
    TRecordingPrinter::Valid() = true;
    TRecordingPrinter::FailAtSheet() = 0;
    GetPrinters().Fill();
}

TRecordingPrinter* TRecorderScope::Printer() const {
    return dynamic_cast<TRecordingPrinter*>(GetPrinters().CurrentPrinter());
}

// ---------------------------------------------------------------------------------------------
// TPrintReport

TPrintReport::TPrintReport() {
    vrStartUp();
    vrInstallEngine(&Report);
    Report.EngineOptions()->NewSilentMode = simReThrow;
    Report.PrintOptions()->ShowDialog = false;
}

TPrintReport::~TPrintReport() = default;

namespace {

// A band of the page holding one text object, 200 units wide, as high as the band.
template <class TBand>
TBand* AddBand(TvrReportPage* page, const String& name, Extended top, Extended height, const String& memoName,
               const WideString& text) {
    auto* band = new TBand(page);
    band->SetName(name);
    band->SetBounds(0, top, 718, height);
    auto* memo = new TvrMemoView(band);
    memo->SetName(memoName);
    memo->SetBounds(0, 0, 200, 20);
    memo->SetText(text);
    return band;
}

} // namespace

TvrReportPage* TPrintReport::AddPage(Integer rows, Integer paper, const String& prefix,
                                     TPrinterOrientation orientation) {
    const String n = IntToStr(Report.GetPagesCount() + 1);
    auto* page = new TvrReportPage(&Report);
    page->SetName("Page" + n);
    page->SetDefaults();
    page->SetPaperSize(paper);
    page->SetOrientation(orientation);
    AddBand<TvrPageHeader>(page, "PageHeader" + n, 0, 20, "HeaderMemo" + n, u"页眉");
    // One row fills a page.
    AddBand<TvrMasterData>(page, "MasterData" + n, 40, 900, "RowMemo" + n, Utf8ToWide(prefix + "[Line#]"))
        ->SetRowCount(rows);
    AddBand<TvrPageFooter>(page, "PageFooter" + n, 1020, 20, "PageMemo" + n,
                           u"第 [Page#] 页，共 [TotalPages#] 页");
    return page;
}

void TPrintReport::Prepare() {
    if (!Report.PrepareReport(true)) throw Exception("the report failed: " + Report.ErrorList()->Text());
}

// ---------------------------------------------------------------------------------------------
// TDotMatrixStandIn

TDotMatrixStandIn::TDotMatrixStandIn(TComponent* owner) : TvrCustomExportFilter(owner) {
    BecomeDotMatrixFilter();
}

int TDotMatrixStandIn::ShowModal() {
    Calls.push_back("dialog");
    return 1;
}

bool TDotMatrixStandIn::Start() {
    TvrCustomPrinter* printer = GetPrinters().CurrentPrinter();
    printer->Title = "dot-matrix";
    printer->StartRawDocument();
    Write("\x1B@");
    return true;
}

void TDotMatrixStandIn::ExportObject(TvrComponent* obj) {
    if (auto* memo = dynamic_cast<TvrCustomMemoView*>(obj))
        Write(AnsiFromUtf8(Trim(WideToUtf8(memo->Text()))) + "\r\n");
}

void TDotMatrixStandIn::FinishPage(TvrComponent*, Integer) {
    Write("\x0C");
}

void TDotMatrixStandIn::Finish() {
    GetPrinters().CurrentPrinter()->EndRawDocument();
}

void TDotMatrixStandIn::Write(const std::string& bytes) {
    GetPrinters().CurrentPrinter()->WriteRawData(bytes);
    Sent += bytes;
}
