// The code editor on a 20,000-line script: opening it with the first screen painted, Ctrl+End
// with its paint (which colours every line), one character typed at line 10,000 with its paint,
// and a find of the last line's word; against a QTextDocument holding the same text in the same
// font laid out to its full size, in the same run. Run with QT_QPA_PLATFORM=offscreen.
#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "report/designer/vrSynMemo.h"
#include "rtl/Format.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int ScriptLines = 20000;

// A script of procedures with comments, strings and numbers; the last line holds a word found
// nowhere else.
const String& BenchScript() {
    static const String text = [] {
        String s;
        for (int i = 0; i < (ScriptLines - 2) / 11; ++i) { // eleven lines each
            s += "procedure Fee" + IntToStr(i) + "(Sender: TObject);\r\n";
            s += "var\r\n  Total: Currency; { 合计 }\r\n";
            s += "begin\r\n";
            s += "  // 物业收费 line of comment\r\n";
            s += "  Total := Total + $1F * 12.5;\r\n";
            s += "  Memo1.Text := 'Fee ' + IntToStr(" + IntToStr(i) + ");\r\n";
            s += "  if Total > 100 then\r\n    ShowMessage('large');\r\n";
            s += "end;\r\n";
        }
        s += "begin\r\n";
        s += "  LastWordOfTheScript;\r\n";
        return s;
    }();
    return text;
}

struct TBenchEditor {
    TBenchEditor() {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 900, 700);
        memo = new TvrSyntaxMemo(form.get());
        memo->SetParent(form.get());
        memo->SetBounds(0, 0, 880, 680);
        memo->SetSyntaxName("PascalScript");
    }
    void Paint() { GrabControl(memo, shot); }
    std::unique_ptr<TForm> form;
    TvrSyntaxMemo* memo = nullptr;
    TBitmap shot;
};

void BM_EditorOpenAndFirstScreen(benchmark::State& state) {
    TBenchEditor b;
    for (auto _ : state) {
        b.memo->SetText(BenchScript());
        b.Paint();
    }
}
BENCHMARK(BM_EditorOpenAndFirstScreen)->Unit(benchmark::kMillisecond);

void BM_EditorCtrlEndWithPaint(benchmark::State& state) {
    TBenchEditor b;
    for (auto _ : state) {
        state.PauseTiming();
        b.memo->SetText(BenchScript());
        b.Paint();
        state.ResumeTiming();
        SimulateKey(b.memo, VK_END, TShiftState() << ssCtrl);
        b.Paint();
    }
}
BENCHMARK(BM_EditorCtrlEndWithPaint)->Unit(benchmark::kMillisecond);

void BM_EditorTypeAtLine10000(benchmark::State& state) {
    TBenchEditor b;
    b.memo->SetText(BenchScript());
    b.memo->MoveCaret(3, 10000);
    b.Paint();
    int typed = 0;
    for (auto _ : state) {
        if (++typed % 100 == 0) {
            state.PauseTiming();
            b.memo->SetText(BenchScript());
            b.memo->MoveCaret(3, 10000);
            b.Paint();
            state.ResumeTiming();
        }
        SimulateTyping(b.memo, "x");
        b.Paint();
    }
}
BENCHMARK(BM_EditorTypeAtLine10000)->Unit(benchmark::kMicrosecond);

void BM_EditorFindLastWord(benchmark::State& state) {
    TBenchEditor b;
    b.memo->SetText(BenchScript());
    for (auto _ : state) {
        int position = 0;
        benchmark::DoNotOptimize(b.memo->FindText("lastwordofthescript", false, position));
    }
}
BENCHMARK(BM_EditorFindLastWord)->Unit(benchmark::kMillisecond);

// The anchor: the toolkit's text document with the same text and font, laid out in full.
void BM_QTextDocumentLayout(benchmark::State& state) {
    const QString text = QString::fromUtf8(BenchScript().data(), static_cast<qsizetype>(BenchScript().size()));
    QFont font("Courier New");
    font.setPointSize(10);
    for (auto _ : state) {
        QTextDocument doc;
        doc.setDefaultFont(font);
        doc.setPlainText(text);
        benchmark::DoNotOptimize(doc.documentLayout()->documentSize());
    }
}
BENCHMARK(BM_QTextDocumentLayout)->Unit(benchmark::kMillisecond);

} // namespace
