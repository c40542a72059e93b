#include "WorkspaceFixture.h"

void WorkspaceTest::SetUp() {
    vrStartUp();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 900, 1200);
    Report = std::make_unique<TvrReport>(nullptr);
    Ws = new TvrDesignerWorkspace(Form.get());
    Ws->SetParent(Form.get());
    Ws->Objects = &Objects;
    Ws->SelectedObjects = &Selected;
    Ws->GridAlign = false;
    Ws->OnModified = [this](TObject*) { ++Modified; };
    Ws->OnSelectionChange = [this](TObject*) { ++SelectionChanges; };
    Ws->OnInsertRequest = [this](TObject*) { ++Inserts; };
    Ws->OnEditRequest = [this](TObject*) { ++Edits; };
    Ws->OnPositionInfo = [this](const TvrFloatRect& r) { LastInfo = r; };
    UsePage(new TvrReportPage(Report.get()));
    Form->Show();
}

void WorkspaceTest::TearDown() {
    Form.reset();
    Report.reset();
}

void WorkspaceTest::UsePage(TvrPage* page) {
    Page = page;
    Ws->Page = page;
    Reload();
    Selected.clear();
    Selected.push_back(page);
    Ws->SetPageDimensions(794, 1123, Rect(0, 0, 0, 0));
    Ws->SetBounds(0, 0, 794, 1123);
}

void WorkspaceTest::Reload() {
    Objects = Page->AllObjects();
    Objects.push_back(Report.get());
    Objects.push_back(Page);
}

void WorkspaceTest::Drag(int x0, int y0, int x1, int y1, TShiftState s) {
    Move(x0, y0, s);
    Down(x0, y0, s);
    if (x1 != x0 || y1 != y0) Move(x1, y1, s);
    Up(x1, y1, s);
}
