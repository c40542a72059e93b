#include "DesignerHostFixture.h"

#include "report/vrClassMemo.h"

void HostDesignerTest::SetUp() {
    vrStartUp();
    Report = std::make_unique<TvrReport>(nullptr);
    Report->CheckDataPage();
    Designer = std::make_unique<TStandInDesigner>(Report.get());
    Designer->SetBounds(0, 0, 1000, 800);
    Box = new TScrollBox(Designer.get());
    Box->SetParent(Designer.get());
    Box->SetBounds(0, 40, 800, 600);
    TopRuler = new TvrRuler(Designer.get());
    TopRuler->SetParent(Designer.get());
    TopRuler->SetBounds(0, 0, 800, 20);
    LeftRuler = new TvrRuler(Designer.get());
    LeftRuler->SetParent(Designer.get());
    LeftRuler->SetAlign(alLeft);
    Ws = new TDesignerWorkspace(Designer.get());
    Designer->Ws = Ws;
    Ws->SetParent(Box);
    Ws->Objects = &Designer->DesignerObjects;
    Ws->SelectedObjects = &Designer->DesignerSelection;
    Ws->GridAlign = false;
    Ws->OnModified = [this](TObject*) { ++Modified; };
    Ws->OnInsertRequest = [this](TObject*) { Insert(); };
    auto* page = new TvrReportPage(Report.get());
    page->LeftMargin = page->TopMargin = page->RightMargin = page->BottomMargin = 10;
    UsePage(page);
    Designer->Show();
    // The scroll box's client is 800 x 600 with its bars shown.
    Box->HorzScrollBar()->SetRange(4000);
    Box->VertScrollBar()->SetRange(4000);
    const TRect c = Box->ClientRect();
    Box->SetBounds(0, 40, 1600 - c.Width(), 1200 - c.Height());
}

void HostDesignerTest::TearDown() {
    Designer.reset();
    Report.reset();
}

void HostDesignerTest::UsePage(TvrPage* page) {
    Page = page;
    Ws->Page = page;
    Designer->SelectPage(page);
    Reload();
    Selected() = {page};
    const int m = static_cast<int>(std::nearbyint(10 * fr01cm));
    Ws->SetOrigin(Point(10, 10));
    Ws->SetPageDimensions(794, 1123, Rect(m, m, m, m));
}

void HostDesignerTest::Reload() {
    Objects() = Page->AllObjects();
    Objects().push_back(Report.get());
    Objects().push_back(Page);
}

void HostDesignerTest::Insert() {
    const TvrInsertion& ins = Ws->Insertion;
    auto* o = dynamic_cast<TvrComponent*>(ins.ObjectClass->CreateComponent(Page));
    o->InDesigner = true;
    o->SetBounds(ins.Left, ins.Top, ins.Width, ins.Height);
    o->CreateUniqueName();
    Objects().push_back(o);
    Selected() = {o};
    Ws->SetInsertion(nullptr, 0, 0, 0);
}

void HostDesignerTest::Drag(int x0, int y0, int x1, int y1) {
    Move(x0, y0);
    Down(x0, y0);
    Move((x0 + x1) / 2, (y0 + y1) / 2);
    Move(x1, y1);
    Up(x1, y1);
}
