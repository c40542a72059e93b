// The data grid over a 100,000-row query against the toolkit's table view over an in-memory model
// of the same rows, in the same run: open (the grid only: the query opens and the grid lays
// itself out), then page from the first record to the last, painting every page into an
// off-screen bitmap. Same size, font, row height and column widths on both sides.
//
// Until the grid paints its cells fully this measures layout, record movement and plain text
// output. Only this benchmark links the toolkit directly.
#include "grid/DBGridGx.h"

#include "GridBenchSide.h"

#include "db/ADODB.h"
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "rtl/Format.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

#include <cstdlib>
#include <stdlib.h>

namespace {

using namespace gridbench;

class TRowsModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& = QModelIndex()) const override { return Rows; }
    int columnCount(const QModelIndex& = QModelIndex()) const override { return 5; }
    QVariant data(const QModelIndex& i, int role) const override {
        if (role != Qt::DisplayRole) return QVariant();
        int r = i.row();
        switch (i.column()) {
        case 0: return r + 1;
        case 1: return QString::fromStdString(Code(r));
        case 2: return QString::fromStdString(Name(r));
        case 3: return 12.5 + r % 100;
        default: return r;
        }
    }
};

struct TViewSide {
    TRowsModel Model;
    std::unique_ptr<QTableView> View;
    TViewSide() {
        GridSide(); // the application comes with the first form
        View = std::make_unique<QTableView>();
        View->setWindowFlags(Qt::FramelessWindowHint);
        View->setFont(QFont(FontName, FontPoints));
        View->setModel(&Model);
        View->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        View->verticalHeader()->setDefaultSectionSize(GridSide().Grid->RowPitch());
        View->resize(Width, Height);
        View->show();
        QCoreApplication::processEvents();
    }
};

TViewSide& ViewSide() {
    static TViewSide* side = new TViewSide;
    return *side;
}

void BM_OpenQuery_DBGrid(benchmark::State& state) {
    TGridSide& s = GridSide();
    for (auto _ : state) {
        s.Open();
        benchmark::DoNotOptimize(s.Grid->RowsCount());
    }
}
BENCHMARK(BM_OpenQuery_DBGrid)->Unit(benchmark::kMillisecond)->Iterations(3);

// Pages are counted as items: the rate is pages per second.
void BM_PageToEnd_DBGrid(benchmark::State& state) {
    TGridSide& s = GridSide();
    s.Open();
    TBitmap shot;
    int pages = 0;
    for (auto _ : state) {
        s.Q->First();
        int page = s.Grid->RowsCount() - s.Grid->TitleOffset();
        while (!s.Q->Eof()) {
            s.Q->MoveBy(page);
            GrabControl(s.Grid, shot);
            ++pages;
        }
    }
    state.SetItemsProcessed(pages);
}
BENCHMARK(BM_PageToEnd_DBGrid)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_PageToEnd_TableView(benchmark::State& state) {
    TViewSide& s = ViewSide();
    QScrollBar* bar = s.View->verticalScrollBar();
    int pages = 0;
    for (auto _ : state) {
        bar->setValue(0);
        while (bar->value() < bar->maximum()) {
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            QPixmap shot = s.View->grab();
            benchmark::DoNotOptimize(shot.width());
            ++pages;
        }
    }
    state.SetItemsProcessed(pages);
}
BENCHMARK(BM_PageToEnd_TableView)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
