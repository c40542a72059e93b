// The data grid against the toolkit's table view on a real display: both painted to the screen
// of a virtual display of the benchmark's own (Xvfb, started before the toolkit, no window
// manager), never grabbed off screen. 100,000 rows of 10 columns, the grid over a query of a
// database table, the table view over a table model of the same rows; same size, font, row
// height and column widths on both sides, in the same run.
//
// Measured, each followed by its paint sent to the screen and a round trip to the display server
// (so the server has drawn what was sent): a full repaint of the window; a line down and back;
// a page forward; the thumb to the middle and back to the top; the thumb to the end and
// back to the top. Each step (a pair counts as two) is an item.
//
// Only this benchmark links the toolkit and the X client library directly.
#include "grid/DBGridGx.h"

#include "../../BenchJetDatabase.h"

#include "db/ADODB.h"
#include "gui/ControlPaint.h"
#include "gui/Forms.h"
#include "rtl/Format.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr int Rows = 100000;
constexpr int Cols = 10;
constexpr int Width = 1000;
constexpr int Height = 700;
constexpr int ColWidth = 90;
const char* const FontName = "Liberation Sans";
constexpr int FontPoints = 9;

// Xvfb on a free display, started once before the toolkit and stopped with the process.
bool StartDisplay() {
    int ready[2];
    if (pipe(ready) != 0) return false;
    const pid_t server = fork();
    if (server == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(ready[0]);
        const std::string fd = std::to_string(ready[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "2200x800x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    std::string number;
    pollfd p{ready[0], POLLIN, 0};
    char c;
    while (poll(&p, 1, 10000) > 0 && read(ready[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ready[0]);
    if (number.empty()) return false;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    return true;
}

// Waits until the display server has handled everything sent so far, the painted images among it.
void ReachScreen() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) return;
    xcb_connection_t* c = x11->connection();
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

String Code(int i) {
    return "3-" + IntToStr(100 + i % 900) + "-" + IntToStr(i);
}
String Owner(int i) {
    return "Owner " + IntToStr(i % 977);
}

// Column c (0-based) of row i, as the table holds it: texts in the even columns, numbers in the odd.
Variant Value(int i, int c) {
    switch (c) {
    case 0:
        return Variant(Code(i));
    case 2:
        return Variant(Owner(i));
    case 4:
        return Variant("Building " + IntToStr(i % 31));
    case 6:
        return Variant("Unit " + IntToStr(i % 7));
    case 8:
        return Variant("Note " + IntToStr(i % 13));
    default:
        return Variant(i * c + 0.25 * (c % 4));
    }
}

struct TGridSide {
    String Dir;
    TADOConnection Cnn;
    std::unique_ptr<TADOQuery> Q;
    TDataSource Source{nullptr};
    std::unique_ptr<TForm> Form;
    TDBGridGx* Grid = nullptr;

    TGridSide() {
        Dir = OpenBenchJetDatabase("orv_dbgridscreenbench", Cnn);
        String create = "create table T_rows (";
        String names, params;
        for (int c = 0; c < Cols; ++c) {
            const String name = "F_" + IntToStr(c);
            create += (c ? ", " : "") + name + (c % 2 ? " double" : " text(30)");
            names += (c ? ", " : "") + name;
            params += (c ? ", :p" : ":p") + IntToStr(c);
        }
        Cnn.Execute(create + ")");
        Cnn.BeginTrans();
        TADOCommand cmd;
        cmd.SetConnection(&Cnn);
        cmd.SetCommandText("insert into T_rows (" + names + ") values (" + params + ")");
        for (int i = 0; i < Rows; ++i) {
            for (int c = 0; c < Cols; ++c)
                cmd.Parameters()->ParamByName("p" + IntToStr(c))->SetValue(Value(i, c));
            cmd.Execute();
        }
        Cnn.CommitTrans();
        Q = std::make_unique<TADOQuery>();
        Q->SetConnection(&Cnn);
        Q->SQL()->SetText("select " + names + " from T_rows");
        Q->Open();
        Source.SetDataSet(Q.get());
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, Width, Height);
        Form->SetBorderStyle(bsNone);
        Grid = new TDBGridGx(Form.get());
        Grid->SetParent(Form.get());
        Grid->SetBounds(0, 0, Width, Height);
        Grid->Font()->SetName(FontName);
        Grid->Font()->SetSize(FontPoints);
        Grid->SetDataSource(&Source);
        for (int c = 0; c < Grid->Columns()->Count(); ++c)
            Grid->Columns()->ColumnAt(c)->SetWidth(ColWidth);
        Form->Show();
        // Until the window is on the screen: the first paint that draws cells.
        int cells = 0;
        Grid->OnDrawColumnCell = [&cells](TObject*, const TRect&, int, TColumnGx*, TGridDrawState) {
            ++cells;
        };
        for (int i = 0; i < 500 && cells == 0; ++i) {
            Application()->ProcessMessages();
            Grid->Repaint();
            ReachScreen();
            usleep(10000);
        }
        Grid->OnDrawColumnCell = nullptr;
    }
    void Scroll(TScrollCode code, int pos = 0) {
        Grid->Scroll(sbVertical, code, pos);
        PaintPending(Grid);
        ReachScreen();
    }
};

TGridSide& GridSide() {
    static TGridSide* side = [] {
        if (!StartDisplay()) std::abort();
        auto* s = new TGridSide;
        static String dir = s->Dir;
        std::atexit([] { std::filesystem::remove_all(dir); });
        return s;
    }();
    return *side;
}

class TRowsModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& = QModelIndex()) const override { return Rows; }
    int columnCount(const QModelIndex& = QModelIndex()) const override { return Cols; }
    QVariant data(const QModelIndex& i, int role) const override {
        if (role != Qt::DisplayRole) return QVariant();
        const Variant v = Value(i.row(), i.column());
        if (i.column() % 2) return v.AsDouble();
        return QString::fromStdString(VarToStr(v));
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole) return QVariant();
        return o == Qt::Horizontal ? QString("F_%1").arg(section) : QString::number(section + 1);
    }
};

// Counts the paint events a widget gets (to show that each repaint really painted the cells).
class TPaintCounter : public QObject {
public:
    TPaintCounter(QWidget* w, int& count) : FWidget(w), FCount(count) { w->installEventFilter(this); }
    ~TPaintCounter() override { FWidget->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++FCount;
        return false;
    }

private:
    QWidget* FWidget;
    int& FCount;
};

struct TViewSide {
    TRowsModel Model;
    std::unique_ptr<QTableView> View;
    TViewSide() {
        const int pitch = GridSide().Grid->RowPitch(); // the display and application come with the grid
        View = std::make_unique<QTableView>();
        View->setWindowFlags(Qt::FramelessWindowHint);
        View->setFont(QFont(FontName, FontPoints));
        View->setModel(&Model);
        View->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        View->verticalHeader()->setDefaultSectionSize(pitch);
        View->horizontalHeader()->setDefaultSectionSize(ColWidth);
        // Beside the grid's window, so neither covers the other.
        View->setGeometry(Width + 20, 0, Width, Height);
        View->show();
        int painted = 0;
        TPaintCounter counter(View->viewport(), painted);
        for (int i = 0; i < 500 && painted == 0; ++i) {
            QCoreApplication::processEvents();
            View->viewport()->repaint();
            ReachScreen();
            usleep(10000);
        }
    }
    void Flush() {
        QCoreApplication::sendPostedEvents(View->window(), QEvent::UpdateRequest);
        ReachScreen();
    }
    void Trigger(QAbstractSlider::SliderAction a) {
        View->verticalScrollBar()->triggerAction(a);
        Flush();
    }
    void SetValue(int v) {
        View->verticalScrollBar()->setValue(v);
        Flush();
    }
    int Max() const { return View->verticalScrollBar()->maximum(); }
};

TViewSide& ViewSide() {
    static TViewSide* side = new TViewSide;
    return *side;
}

void BM_Repaint_DBGrid(benchmark::State& state) {
    TGridSide& s = GridSide();
    s.Scroll(scTop);
    for (auto _ : state) {
        s.Grid->Invalidate();
        PaintPending(s.Grid);
        ReachScreen();
    }
}
BENCHMARK(BM_Repaint_DBGrid)->Unit(benchmark::kMicrosecond);

void BM_Repaint_TableView(benchmark::State& state) {
    TViewSide& s = ViewSide();
    s.SetValue(0);
    int painted = 0;
    TPaintCounter counter(s.View->viewport(), painted);
    for (auto _ : state) {
        // The cells and both headers, as the grid repaints its cells, titles and indicator.
        s.View->viewport()->update();
        s.View->horizontalHeader()->viewport()->update();
        s.View->verticalHeader()->viewport()->update();
        s.Flush();
    }
    state.counters["cell paints"] = painted / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Repaint_TableView)->Unit(benchmark::kMicrosecond);

void BM_LineStep_DBGrid(benchmark::State& state) {
    TGridSide& s = GridSide();
    s.Scroll(scTop);
    int cells = 0;
    s.Grid->OnDrawColumnCell = [&cells](TObject*, const TRect&, int, TColumnGx*, TGridDrawState) { ++cells; };
    for (auto _ : state) {
        s.Scroll(scLineDown);
        s.Scroll(scLineUp);
    }
    s.Grid->OnDrawColumnCell = nullptr;
    state.counters["cells per step"] = cells / (2.0 * state.iterations());
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_LineStep_DBGrid)->Unit(benchmark::kMicrosecond);

void BM_LineStep_TableView(benchmark::State& state) {
    TViewSide& s = ViewSide();
    s.SetValue(0);
    for (auto _ : state) {
        s.Trigger(QAbstractSlider::SliderSingleStepAdd);
        s.Trigger(QAbstractSlider::SliderSingleStepSub);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_LineStep_TableView)->Unit(benchmark::kMicrosecond);

// Paging forward as the user reads on: each step shows the next page. The grid's page moves the
// current record by a page, so the record first goes to the last row (then every page scrolls the
// window by a full page). Both start again at the top, untimed, before the end.
void BM_PageStep_DBGrid(benchmark::State& state) {
    TGridSide& s = GridSide();
    auto restart = [&s] {
        s.Scroll(scTop);
        s.Scroll(scLineDown);
    };
    restart();
    const int page = s.Grid->VisibleRowsCount();
    for (auto _ : state) {
        s.Scroll(scPageDown);
        if (s.Q->RecNo() > Rows - 2 * page) {
            state.PauseTiming();
            restart();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PageStep_DBGrid)->Unit(benchmark::kMicrosecond);

void BM_PageStep_TableView(benchmark::State& state) {
    TViewSide& s = ViewSide();
    s.SetValue(0);
    QScrollBar* bar = s.View->verticalScrollBar();
    for (auto _ : state) {
        s.Trigger(QAbstractSlider::SliderPageStepAdd);
        if (bar->value() > bar->maximum() - 2 * bar->pageStep()) {
            state.PauseTiming();
            s.SetValue(0);
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PageStep_TableView)->Unit(benchmark::kMicrosecond);

void BM_ThumbMiddle_DBGrid(benchmark::State& state) {
    TGridSide& s = GridSide();
    s.Scroll(scTop);
    for (auto _ : state) {
        s.Scroll(scPosition, Rows / 2);
        s.Scroll(scTop);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ThumbMiddle_DBGrid)->Unit(benchmark::kMicrosecond);

void BM_ThumbMiddle_TableView(benchmark::State& state) {
    TViewSide& s = ViewSide();
    s.SetValue(0);
    for (auto _ : state) {
        s.SetValue(s.Max() / 2);
        s.SetValue(0);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ThumbMiddle_TableView)->Unit(benchmark::kMicrosecond);

void BM_ThumbEnd_DBGrid(benchmark::State& state) {
    TGridSide& s = GridSide();
    s.Scroll(scTop);
    for (auto _ : state) {
        s.Scroll(scPosition, Rows);
        s.Scroll(scTop);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ThumbEnd_DBGrid)->Unit(benchmark::kMicrosecond);

void BM_ThumbEnd_TableView(benchmark::State& state) {
    TViewSide& s = ViewSide();
    s.SetValue(0);
    for (auto _ : state) {
        s.SetValue(s.Max());
        s.SetValue(0);
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_ThumbEnd_TableView)->Unit(benchmark::kMicrosecond);

} // namespace
