// The page workspace drawing a page of 2,000 objects (40 bands of 45 texts and 5 lines or shapes)
// at scales 1 and 2, and one drag step of 200 selected objects with the repaint it causes; against
// the same rectangles, frames and wrapped texts drawn by a QPainter on a QImage in the same run.
// Run with QT_QPA_PLATFORM=offscreen.
#include "gui/Bitmap.h"
#include "gui/Forms.h"
#include "report/designer/vrDesgnWorkspace.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int BandCount = 40, TextsPerBand = 45, OthersPerBand = 5;
constexpr Extended BandHeight = 40, TextWidth = 70, TextHeight = 18;

struct TBenchPage {
    TBenchPage() {
        vrStartUp();
        form = std::make_unique<TForm>(nullptr);
        report = std::make_unique<TvrReport>(nullptr);
        page = new TvrReportPage(report.get());
        for (int b = 0; b < BandCount; ++b) {
            auto* band = new TvrMasterData(page);
            band->SetBounds(0, b * 70.0, 718, BandHeight);
            for (int i = 0; i < TextsPerBand; ++i) {
                auto* memo = new TvrMemoView(band);
                memo->SetBounds((i % 10) * TextWidth, (i / 10) * 4.0, TextWidth - 4, TextHeight);
                memo->SetText(u"合计金额 A" + Utf16Number(b * 100 + i) + u" 物业收费");
                if (i % 3 == 0) memo->Frame()->Typ = TvrFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
            }
            for (int i = 0; i < OthersPerBand; ++i) {
                if (i % 2 == 0) {
                    auto* line = new TvrLineView(band);
                    line->SetBounds(i * 140.0, 36, 120, 0);
                } else {
                    auto* shape = new TvrShapeView(band);
                    shape->SetBounds(i * 140.0, 20, 60, 16);
                }
            }
        }
        ws = new TvrDesignerWorkspace(form.get());
        ws->SetParent(form.get());
        objects = page->AllObjects();
        objects.push_back(report.get());
        objects.push_back(page);
        selected = {page};
        ws->Objects = &objects;
        ws->SelectedObjects = &selected;
        ws->Page = page;
        ws->FreeBands = true;
        ws->GridAlign = false;
        ws->SetBounds(0, 0, 794, 2900);
    }
    static WideString Utf16Number(int n) {
        const std::string s = std::to_string(n);
        return WideString(s.begin(), s.end());
    }

    std::unique_ptr<TForm> form;
    std::unique_ptr<TvrReport> report;
    TvrReportPage* page = nullptr;
    TvrDesignerWorkspace* ws = nullptr;
    TvrObjectList objects, selected;
};

QString TextOf(TvrCustomMemoView* m) {
    const WideString text = m->Text();
    return QString::fromStdU16String(std::u16string(text.begin(), text.end())).trimmed();
}

TBenchPage& Bench() {
    static TBenchPage bench;
    return bench;
}

void DrawWorkspace(TBenchPage& b, TBitmap& target) {
    TCanvas* c = target.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(0, 0, target.Width(), target.Height()));
    b.ws->DrawCanvas = c;
    b.ws->DrawObjects();
    b.ws->DrawCanvas = nullptr;
}

void BM_WorkspaceDraw(benchmark::State& state) {
    TBenchPage& b = Bench();
    b.ws->Scale = state.range(0);
    TBitmap target(static_cast<int>(794 * b.ws->Scale), static_cast<int>(2900 * b.ws->Scale));
    for (auto _ : state) DrawWorkspace(b, target);
    b.ws->Scale = 1;
}
BENCHMARK(BM_WorkspaceDraw)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The same rectangles, frames and wrapped texts straight on a QImage.
void QPaintPage(TBenchPage& b, QImage& image, qreal scale, const QFont& font) {
    QPainter p(&image);
    p.fillRect(image.rect(), Qt::white);
    p.setFont(font);
    for (TvrComponent* o : b.objects) {
        if (!dynamic_cast<TvrReportComponent*>(o)) continue;
        const QRectF r(o->AbsLeft() * scale, o->AbsTop() * scale, o->Width() * scale, o->Height() * scale);
        if (dynamic_cast<TvrBand*>(o)) {
            p.setPen(QColor(0x80, 0x80, 0x80));
            p.drawRect(QRectF(0, r.top() - 18.9 * scale, r.width(), r.height() + 18.9 * scale));
            p.fillRect(QRectF(1, r.top() - 17.9 * scale, r.width() - 1, 17.9 * scale), QColor(0xE0, 0xA7, 0x30));
            p.setPen(Qt::black);
            p.drawText(QPointF(6, r.top() - 6 * scale), QString::fromStdString(o->Name()));
        } else if (auto* m = dynamic_cast<TvrCustomMemoView*>(o)) {
            p.setPen(Qt::black);
            if (m->Frame()->Typ.Contains(ftLeft)) p.drawRect(r);
            p.drawText(r.adjusted(2, 1, -2, -1), Qt::TextWordWrap, TextOf(m));
        } else {
            p.setPen(Qt::black);
            p.drawRect(r);
        }
    }
}

void BM_QPainterDraw(benchmark::State& state) {
    TBenchPage& b = Bench();
    const qreal scale = state.range(0);
    QImage image(static_cast<int>(794 * scale), static_cast<int>(2900 * scale), QImage::Format_RGB32);
    QFont font("Arial");
    font.setPixelSize(static_cast<int>(13 * scale));
    for (auto _ : state) QPaintPage(b, image, scale, font);
}
BENCHMARK(BM_QPainterDraw)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One drag step of 200 selected objects and the repaint it causes.
void BM_WorkspaceDragStep(benchmark::State& state) {
    TBenchPage& b = Bench();
    b.selected.clear();
    for (TvrComponent* o : b.objects)
        if (dynamic_cast<TvrMemoView*>(o) && b.selected.size() < 200) b.selected.push_back(o);
    TvrComponent* first = b.selected.front();
    const int x = static_cast<int>(first->AbsLeft() + 5), y = static_cast<int>(first->AbsTop() + 5);
    b.ws->MouseMove(TShiftState(), x, y);
    b.ws->MouseDown(mbLeft, TShiftState{ssLeft}, x, y);
    TBitmap target(794, 2900);
    int step = 0;
    for (auto _ : state) {
        const int dx = (++step % 2) ? 4 : 0;
        b.ws->MouseMove(TShiftState{ssLeft}, x + dx, y);
        DrawWorkspace(b, target);
    }
    b.ws->MouseUp(mbLeft, TShiftState(), x, y);
    b.selected = {b.page};
}
BENCHMARK(BM_WorkspaceDragStep)->Unit(benchmark::kMillisecond);

// The same 200 objects moved and the page drawn again by a QPainter.
void BM_QPainterDragStep(benchmark::State& state) {
    TBenchPage& b = Bench();
    std::vector<TvrComponent*> moved;
    for (TvrComponent* o : b.objects)
        if (dynamic_cast<TvrMemoView*>(o) && moved.size() < 200) moved.push_back(o);
    QImage image(794, 2900, QImage::Format_RGB32);
    QFont font("Arial");
    font.setPixelSize(13);
    int step = 0;
    for (auto _ : state) {
        const Extended dx = (++step % 2) ? 4 : -4;
        for (TvrComponent* o : moved) o->SetLeft(o->Left() + dx);
        QPaintPage(b, image, 1, font);
    }
    if (step % 2)
        for (TvrComponent* o : moved) o->SetLeft(o->Left() - 4);
}
BENCHMARK(BM_QPainterDragStep)->Unit(benchmark::kMillisecond);

} // namespace
