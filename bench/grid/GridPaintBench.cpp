// The base grid against the toolkit's own table view, both painted offscreen in the same run:
// a 100,000 x 10 grid of cell texts, the same size, font, row height and column width. Measured:
// the first paint of the whole window, and scrolling by a line, by a page, by the thumb to the
// middle and to the end, each with the paint that follows it.
//
// The base grid draws its texts through TCanvas (PaintCell of a small descendant); the table view
// reads them from a model. Only this benchmark links the toolkit directly.
#include "grid/GridsGx.h"

#include "gui/Bitmap.h"
#include "gui/ControlPaint.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/Graphics.h"
#include "rtl/Format.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int DataRows = 100000;
constexpr int DataCols = 10;
constexpr int Width = 800;
constexpr int Height = 600;
constexpr int RowHeight = 24;
constexpr int ColWidth = 64;
const char* const FontName = "Liberation Sans";
constexpr int FontPoints = 9;

String CellText(int Row, int Col) {
    return "R" + IntToStr(Row) + "C" + IntToStr(Col);
}

// Titles, row numbers and cell texts, each in its cell.
class TTextGrid : public TCustomGridGx {
public:
    explicit TTextGrid(TComponent* AOwner) : TCustomGridGx(AOwner) {}

protected:
    void PaintCell(int Col, int Row, const TRect& R, TGridDrawState State) override {
        (void)State;
        String text;
        if (Row == 0)
            text = Col == 0 ? String() : "Col " + IntToStr(Col);
        else if (Col == 0)
            text = IntToStr(Row);
        else
            text = CellText(Row - 1, Col - 1);
        TCanvas* c = Canvas();
        c->Brush()->SetStyle(bsClear);
        c->TextOut(R.Left + 2, R.Top + 4, text);
    }
};

struct TOrvSide {
    std::unique_ptr<TForm> Form;
    TTextGrid* Grid = nullptr;
    TOrvSide() {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, Width, Height);
        Form->SetBorderStyle(bsNone);
        Grid = new TTextGrid(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, Width, Height);
        Grid->Font()->SetName(FontName);
        Grid->Font()->SetSize(FontPoints);
        Grid->SetColsCount(DataCols + 1);
        Grid->SetRowsCount(DataRows + 1);
        Grid->SetDefRowHeight(RowHeight);
        Grid->SetDefColWidth(ColWidth);
        Form->Show();
        Application()->ProcessMessages();
    }
    void Scroll(TScrollCode Code, int Pos = 0) {
        Grid->ApplyScrollCommand(TCustomGridGx::saVertical, Code, Pos, false);
        PaintPending(Grid);
    }
};

class TTextModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& = QModelIndex()) const override { return DataRows; }
    int columnCount(const QModelIndex& = QModelIndex()) const override { return DataCols; }
    QVariant data(const QModelIndex& i, int role) const override {
        if (role != Qt::DisplayRole) return QVariant();
        return QString::fromStdString(CellText(i.row(), i.column()));
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole) return QVariant();
        return o == Qt::Horizontal ? QString("Col %1").arg(section + 1) : QString::number(section + 1);
    }
};

struct TQtSide {
    TTextModel Model;
    std::unique_ptr<QTableView> View;
    TQtSide() {
        View = std::make_unique<QTableView>();
        View->setWindowFlags(Qt::FramelessWindowHint);
        View->setFont(QFont(FontName, FontPoints));
        View->setModel(&Model);
        View->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        View->verticalHeader()->setDefaultSectionSize(RowHeight);
        View->horizontalHeader()->setDefaultSectionSize(ColWidth);
        View->resize(Width, Height);
        View->show();
        QCoreApplication::processEvents();
    }
    void Flush() { QCoreApplication::sendPostedEvents(View->window(), QEvent::UpdateRequest); }
    void Trigger(QAbstractSlider::SliderAction a) {
        View->verticalScrollBar()->triggerAction(a);
        Flush();
    }
    void SetValue(int v) {
        View->verticalScrollBar()->setValue(v);
        Flush();
    }
};

TOrvSide& Orv() {
    static TOrvSide side;
    return side;
}

TQtSide& Qt() {
    Orv(); // the application comes with the first form
    static TQtSide side;
    return side;
}

void BM_FirstPaint_Grid(benchmark::State& state) {
    TOrvSide& s = Orv();
    TBitmap shot;
    for (auto _ : state) {
        GrabControl(s.Grid, shot);
        benchmark::DoNotOptimize(shot.Width());
    }
}
BENCHMARK(BM_FirstPaint_Grid)->Unit(benchmark::kMillisecond);

void BM_FirstPaint_TableView(benchmark::State& state) {
    TQtSide& s = Qt();
    for (auto _ : state) {
        QPixmap shot = s.View->grab();
        benchmark::DoNotOptimize(shot.width());
    }
}
BENCHMARK(BM_FirstPaint_TableView)->Unit(benchmark::kMillisecond);

// A line down, then a line up: two steps, each with its paint.
void BM_ScrollLine_Grid(benchmark::State& state) {
    TOrvSide& s = Orv();
    s.Scroll(scTop);
    for (auto _ : state) {
        s.Scroll(scLineDown);
        s.Scroll(scLineUp);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ScrollLine_Grid)->Unit(benchmark::kMicrosecond);

void BM_ScrollLine_TableView(benchmark::State& state) {
    TQtSide& s = Qt();
    s.SetValue(0);
    for (auto _ : state) {
        s.Trigger(QAbstractSlider::SliderSingleStepAdd);
        s.Trigger(QAbstractSlider::SliderSingleStepSub);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ScrollLine_TableView)->Unit(benchmark::kMicrosecond);

void BM_ScrollPage_Grid(benchmark::State& state) {
    TOrvSide& s = Orv();
    s.Scroll(scTop);
    for (auto _ : state) {
        s.Scroll(scPageDown);
        s.Scroll(scPageUp);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ScrollPage_Grid)->Unit(benchmark::kMicrosecond);

void BM_ScrollPage_TableView(benchmark::State& state) {
    TQtSide& s = Qt();
    s.SetValue(0);
    for (auto _ : state) {
        s.Trigger(QAbstractSlider::SliderPageStepAdd);
        s.Trigger(QAbstractSlider::SliderPageStepSub);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ScrollPage_TableView)->Unit(benchmark::kMicrosecond);

// The thumb to the middle (or the end) and back to the top.
void BM_ThumbMiddle_Grid(benchmark::State& state) {
    TOrvSide& s = Orv();
    s.Scroll(scTop);
    for (auto _ : state) {
        s.Scroll(scPosition, 64);
        s.Scroll(scTop);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ThumbMiddle_Grid)->Unit(benchmark::kMicrosecond);

void BM_ThumbMiddle_TableView(benchmark::State& state) {
    TQtSide& s = Qt();
    const int max = s.View->verticalScrollBar()->maximum();
    s.SetValue(0);
    for (auto _ : state) {
        s.SetValue(max / 2);
        s.SetValue(0);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ThumbMiddle_TableView)->Unit(benchmark::kMicrosecond);

void BM_ThumbEnd_Grid(benchmark::State& state) {
    TOrvSide& s = Orv();
    s.Scroll(scTop);
    for (auto _ : state) {
        s.Scroll(scPosition, 127);
        s.Scroll(scTop);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ThumbEnd_Grid)->Unit(benchmark::kMicrosecond);

void BM_ThumbEnd_TableView(benchmark::State& state) {
    TQtSide& s = Qt();
    const int max = s.View->verticalScrollBar()->maximum();
    s.SetValue(0);
    for (auto _ : state) {
        s.SetValue(max);
        s.SetValue(0);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ThumbEnd_TableView)->Unit(benchmark::kMicrosecond);

} // namespace
