// The engine tests' grouped layout stacked by the workspace and walked through moves and their
// inverses, by keys and by the mouse: it saves to text that loads back the same and prepares the
// same pages, object by object, as the layout it came from.
#include "../vrEngineFixture.h"

#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "report/designer/vrDesgnWorkspace.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/Streams.h"

namespace {

// Every object of every prepared page: class, name, bounds and text.
std::vector<String> PreparedObjects(TvrPreviewPages* pages) {
    std::vector<String> out;
    for (int i = 0; i < pages->GetPageCount(); ++i) {
        TvrComponent* page = pages->GetPreparedPage(i);
        if (!page) continue;
        for (TvrComponent* o : page->AllObjects()) {
            String line = IntToStr(i) + " " + o->ClassName() + " " + o->Name() +
                          Format(" %.4f %.4f %.4f %.4f", {o->Left(), o->Top(), o->Width(), o->Height()});
            if (auto* m = dynamic_cast<TvrCustomMemoView*>(o)) line += " " + WideToUtf8(m->Text());
            out.push_back(line);
        }
    }
    return out;
}

String SavedText(TvrReport* report) {
    TStringStream stream;
    report->SaveToStream(stream);
    return stream.DataString();
}

} // namespace

class WorkspaceRoundTrip : public EngineTest {};

TEST_F(WorkspaceRoundTrip, MovesAndTheirInversesChangeNothingThatPrints) {
    MakeTable(GroupedRows());
    LoadLayout(GroupedLayout);
    ASSERT_TRUE(Prepare());
    const std::vector<String> original = PreparedObjects(Pages());
    ASSERT_GT(original.size(), 100u);

    TForm form(nullptr);
    form.SetBounds(0, 0, 900, 1200);
    auto* ws = new TvrDesignerWorkspace(&form);
    ws->SetParent(&form);
    TvrObjectList objects, selected;
    auto* page = static_cast<TvrPage*>(Report->FindObject("Page1"));
    ASSERT_NE(page, nullptr);
    objects = page->AllObjects();
    objects.push_back(Report.get());
    objects.push_back(page);
    selected.push_back(page);
    ws->Objects = &objects;
    ws->SelectedObjects = &selected;
    ws->Page = page;
    ws->GridAlign = false;
    ws->SetPageDimensions(794, 1123, Rect(38, 38, 38, 38));
    ws->SetBounds(0, 0, 718, 1047);
    form.Show();
    ws->AdjustBands(true);

    const TShiftState ctrl{ssCtrl}, ctrlShift{ssCtrl, ssShift};
    for (const char* name : {"TitleMemo", "HeaderMemo", "GroupMemo", "CodeMemo", "MoneyMemo", "SumMemo", "PageMemo"}) {
        TvrComponent* memo = Report->FindObject(name);
        ASSERT_NE(memo, nullptr) << name;
        selected = {memo};
        SimulateKey(ws, VK_RIGHT, ctrl);
        SimulateKey(ws, VK_DOWN, ctrlShift);
        SimulateKey(ws, VK_UP, ctrlShift);
        SimulateKey(ws, VK_LEFT, ctrl);
        // A drag to the right and back.
        const int x = static_cast<int>(memo->AbsLeft() + 10), y = static_cast<int>(memo->AbsTop() + 5);
        SimulateMouseMove(ws, x, y);
        SimulateMouseDown(ws, mbLeft, x, y);
        SimulateMouseMove(ws, x + 40, y);
        SimulateMouseUp(ws, mbLeft, x + 40, y);
        SimulateMouseMove(ws, x + 40, y);
        SimulateMouseDown(ws, mbLeft, x + 40, y);
        SimulateMouseMove(ws, x, y);
        SimulateMouseUp(ws, mbLeft, x, y);
        EXPECT_EQ(selected, TvrObjectList{memo}) << name;
        EXPECT_NE(dynamic_cast<TvrBand*>(memo->Parent()), nullptr) << name << " stays in its band";
    }
    const String saved = SavedText(Report.get());
    // As the designer window does before it replaces the report.
    ws->Lock();
    objects.clear();
    selected.clear();
    Report = std::make_unique<TvrReport>(nullptr);
    LoadLayout(saved);
    EXPECT_EQ(SavedText(Report.get()), saved) << "it loads back the same";
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(PreparedObjects(Pages()), original);
}
