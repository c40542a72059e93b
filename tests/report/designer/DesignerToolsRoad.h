// The road through the page workspace's tools on a stand-in designer window: the engine tests'
// grouped layout in a scroll box with rulers and a data tree beside it. The page dragged by the
// hand, a zoom to a box, a text drawn and "合计" typed into it, a format copied, a guide dragged
// out of the top ruler and an object snapped to it, a field dragged from the tree, a copy pasted
// with the paste drag, then ten undos and ten redos. Each step checks what it did; Shot is
// called where a picture is worth looking at.
#pragma once

#include "StandInDesigner.h"
#include "TempDir.h"
#include "gui/ComCtrls.h"
#include "gui/ControlDrag.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "report/designer/vrDesgnCtrls.h"
#include "report/designer/vrDesgnUndo.h"
#include "report/vrClassBand.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPage.h"
#include "report/vrClassReport.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <memory>

extern const char* const GroupedLayout;

class TToolsRoadForm {
public:
    TToolsRoadForm() {
        vrStartUp();
        const std::string file = Dir.File("grouped.di3");
        {
            std::ofstream out(file, std::ios::binary);
            out << GroupedLayout;
        }
        Report = std::make_unique<TvrReport>(nullptr);
        Report->LoadFromFile(file);
        // Errors of a load come back as exceptions, not as message boxes.
        Report->EngineOptions()->NewSilentMode = simReThrow;
        // The application's data set, outside the report.
        Orders = new TvrUserDataSet(&Module);
        Orders->SetUserName("Orders");
        Orders->Fields()->Add("total");
        Orders->Fields()->Add("count");
        Report->Datasets()->Add(Orders);

        Designer = std::make_unique<TStandInDesigner>(Report.get());
        Buffer = std::make_unique<TvrUndoBuffer>(Designer->PictureCache());
        Designer->SetCaption("报表设计 - 工具");
        Designer->SetBounds(40, 30, 900, 720);
        Tree = new TTreeView(Designer.get());
        Tree->SetParent(Designer.get());
        Tree->SetAlign(alRight);
        Tree->SetWidth(180);
        Tree->SetDragMode(dmAutomatic);
        TTreeNode* root = Tree->Items()->AddChild(nullptr, "Orders");
        Tree->Items()->AddChild(root, "total");
        Tree->Items()->AddChild(root, "count");
        Designer->Tree = Tree;
        Designer->FieldBox = true;
        TopRuler = new TvrRuler(Designer.get());
        TopRuler->SetParent(Designer.get());
        TopRuler->SetAlign(alTop);
        TopRuler->SetHeight(24);
        TopRuler->SetDragMode(dmAutomatic);
        Box = new TvrScrollBox(Designer.get());
        Box->SetParent(Designer.get());
        Box->SetAlign(alClient);
        Box->SetColor(clBtnFace);
        Ws = new TDesignerWorkspace(Designer.get());
        Designer->Ws = Ws;
        Ws->SetParent(Box);
        Ws->Objects = &Designer->DesignerObjects;
        Ws->SelectedObjects = &Designer->DesignerSelection;
        Ws->OnModified = [this](TObject*) {
            ++Modified;
            Buffer->AddUndo(Report.get());
            Buffer->ClearRedo();
        };
        Ws->OnInsertRequest = [this](TObject*) { Insert(); };
        Load();
        Buffer->AddUndo(Report.get());
        Designer->Show();
    }

    // The designer window before it replaces the report: no object is listed or shown.
    void Lock() {
        Designer->DesignerObjects.clear();
        Designer->DesignerSelection.clear();
        Ws->Lock();
    }
    // The designer window's reload after a report was (re)loaded: page, lists, sizes.
    void Load() {
        Ws->Unlock();
        Page = static_cast<TvrReportPage*>(Report->FindObject("Page1"));
        Designer->SelectPage(Page);
        Ws->Page = Page;
        Ws->FieldListMemo = nullptr;
        Designer->DesignerObjects = Page->AllObjects();
        Designer->DesignerObjects.push_back(Report.get());
        Designer->DesignerObjects.push_back(Page);
        Designer->DesignerSelection = {Page};
        const auto mm = [](Extended v) { return static_cast<Integer>(std::nearbyint(v * fr01cm)); };
        Ws->SetOrigin(Point(10, 10));
        Ws->SetPageDimensions(mm(Page->PaperWidth()), mm(Page->PaperHeight()),
                              Rect(mm(Page->LeftMargin), mm(Page->TopMargin), mm(Page->RightMargin),
                                   mm(Page->BottomMargin)));
        Ranges();
    }
    void Ranges() {
        Box->VertScrollBar()->SetRange(Ws->MarginsPanel->Height() + 20);
        Box->HorzScrollBar()->SetRange(Ws->MarginsPanel->Width() + 20);
    }

    void Insert() {
        const TvrInsertion& ins = Ws->Insertion;
        auto* o = dynamic_cast<TvrComponent*>(ins.ObjectClass->CreateComponent(Page));
        o->InDesigner = true;
        o->SetBounds(ins.Left, ins.Top, ins.Width, ins.Height);
        o->CreateUniqueName();
        if (auto* memo = dynamic_cast<TvrCustomMemoView*>(o)) Designer->SampleFormat()->ApplyTo(memo);
        Designer->DesignerObjects.push_back(o);
        Designer->DesignerSelection = {o};
        Ws->SetInsertion(nullptr, 0, 0, 0);
        Ws->ModifyPending = true;
        Ws->NotifyModified();
    }

    String Text() {
        TMemoryStream s;
        Report->SaveToStream(s);
        return String(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
    }
    TvrComponent* Object(const char* name) { return Report->FindObject(name); }
    int Px(Extended units) const { return static_cast<int>(std::nearbyint(units * Ws->Scale)); }
    TvrObjectList& Selected() { return Designer->DesignerSelection; }

    // A drag of a control (source) over the workspace to its client point, as the user does it.
    void DragTo(TControl* source, TPoint from, TPoint to) {
        SimulateMouseDown(source, mbLeft, from.X, from.Y);
        const TPoint screen = Ws->ClientToScreen(to);
        const TPoint start = source->ClientToScreen(from);
        for (int step = 1; step <= 3; ++step) {
            const TPoint s = Point(start.X + (screen.X - start.X) * step / 3, start.Y + (screen.Y - start.Y) * step / 3);
            const TPoint p = source->ScreenToClient(s);
            SimulateMouseMove(source, p.X, p.Y, TShiftState{ssLeft});
        }
        const TPoint end = source->ScreenToClient(screen);
        SimulateMouseUp(source, mbLeft, end.X, end.Y);
    }

    void Walk(const std::function<void(const String& name)>& shot) {
        const TShiftState none;
        auto drag = [&](int x0, int y0, int x1, int y1) {
            SimulateMouseMove(Ws, x0, y0, none);
            SimulateMouseDown(Ws, mbLeft, x0, y0, none);
            SimulateMouseMove(Ws, (x0 + x1) / 2, (y0 + y1) / 2, none);
            SimulateMouseMove(Ws, x1, y1, none);
            SimulateMouseUp(Ws, mbLeft, x1, y1, none);
        };
        auto click = [&](int x, int y) { drag(x, y, x, y); };
        Ws->AdjustBands(true);
        shot("tools_start");

        // The hand drags the page.
        Ws->SetTool(vtHand);
        SimulateMouseMove(Ws, 400, 300);
        SimulateMouseDown(Ws, mbLeft, 400, 300);
        SimulateMouseMove(Ws, 350, 270);
        SimulateMouseUp(Ws, mbLeft, 350, 270);
        EXPECT_EQ(Box->HorzScrollBar()->Position(), 50);
        EXPECT_EQ(Box->VertScrollBar()->Position(), 30);
        shot("tools_hand");

        // A zoom to a box, and back to 1.
        Ws->SetTool(vtZoom);
        drag(100, 100, 300, 200);
        EXPECT_GT(Ws->Scale, 3);
        shot("tools_zoom_box");
        Designer->SetScale(1);
        Ranges();
        Box->HorzScrollBar()->SetPosition(0);
        Box->VertScrollBar()->SetPosition(0);

        // A text drawn in the group footer's free space, "合计" typed into it.
        auto* footer = static_cast<TvrBand*>(Object("GroupFooter1"));
        Ws->SetTool(vtEditText);
        const int fy = Px(footer->Top() + 2);
        drag(Px(420), fy, Px(420) + 150, fy + 20);
        ASSERT_TRUE(Ws->InplaceMemo->IsOpen());
        auto* drawn = dynamic_cast<TvrMemoView*>(Selected().at(0));
        ASSERT_NE(drawn, nullptr);
        SimulateTyping(Ws->InplaceMemo, "合计");
        shot("tools_text");
        Ws->SetTool(vtSelect);
        click(Px(700), Px(Object("MasterData1")->Top()) + 5);
        EXPECT_EQ(WideToUtf8(drawn->Text()), "合计\r\n");
        EXPECT_EQ(drawn->Parent(), footer);

        // The format of the title copied onto it.
        auto* title = static_cast<TvrMemoView*>(Object("TitleMemo"));
        title->Color = clYellow;
        title->HAlign = haCenter;
        Selected() = {title};
        Ws->SetTool(vtCopyFormat);
        click(Px(drawn->AbsLeft()) + 10, Px(drawn->AbsTop()) + 5);
        EXPECT_EQ(drawn->Color, clYellow);
        EXPECT_EQ(drawn->HAlign, haCenter);
        Ws->SetTool(vtSelect);

        // A guide dragged out of the top ruler, an object snapped to it.
        Ws->SetShowGuides(true);
        Ws->GridAlign = false;
        DragTo(TopRuler, Point(100, 10), Point(300, Px(footer->Top() + footer->Height() + 40)));
        ASSERT_EQ(Ws->VGuides()->Count() + Ws->HGuides()->Count(), 1) << "the ruler's drop adds one guide";
        Ws->VGuides()->Clear();
        Ws->HGuides()->Clear();
        Ws->VGuides()->Add("600");
        const Extended drawnLeft = drawn->Left();
        drag(Px(drawn->AbsLeft()) + 10, Px(drawn->AbsTop()) + 5,
             Px(drawn->AbsLeft()) + 10 + static_cast<int>(600 - drawnLeft - 4), Px(drawn->AbsTop()) + 5);
        EXPECT_NEAR(drawn->Left(), 600, 1e-6) << "snapped to the guide";
        shot("tools_guide");

        // A field dragged from the tree into the page footer.
        Designer->Text = "<Orders.\"total\">";
        Tree->SetSelected(Tree->Items()->GetFirstNode()->GetFirstChild());
        TvrComponent* pageFooter = Object("PageFooter1");
        const TPoint at = Point(Px(300), Px(pageFooter ? pageFooter->Top() + 2 : Object("MasterData1")->Top() + 2));
        DragTo(Tree, Point(40, 19), at);
        auto* field = dynamic_cast<TvrMemoView*>(Object("Orderstotal"));
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->DataField, "total");
        shot("tools_field");

        // Copied and pasted; the copy follows the mouse until the click.
        TvrClipboard clipboard(Designer.get());
        Selected() = {field};
        clipboard.Copy();
        ASSERT_TRUE(clipboard.PasteAvailable());
        clipboard.Paste();
        ASSERT_EQ(Selected().size(), 1u);
        TvrComponent* copy = Selected()[0];
        EXPECT_EQ(copy->Name(), "Memo2") << "the taken name gives way to a new one";
        Ws->StartPasteDrag();
        SimulateMouseMove(Ws, Px(200), Px(field->AbsTop()) + 60);
        SimulateMouseMove(Ws, Px(420), Px(field->AbsTop()) + 40);
        shot("tools_paste_drag");
        SimulateMouseDown(Ws, mbLeft, Px(420), Px(field->AbsTop()) + 40);
        SimulateMouseUp(Ws, mbLeft, Px(420), Px(field->AbsTop()) + 40);
        EXPECT_FALSE(Ws->PasteDragging);
        EXPECT_GT(copy->Left(), 300);

        // Three more moves, then ten undos and ten redos.
        for (int i = 0; i < 3; ++i) {
            Selected() = {copy};
            const int x = Px(copy->AbsLeft()) + 5, y = Px(copy->AbsTop()) + 5;
            drag(x, y, x + 20, y);
        }
        ASSERT_GE(Buffer->UndoCount(), 11);
        const String edited = Text();
        const int count = Buffer->UndoCount();
        const String tenBack = Buffer->UndoText(count - 11);
        for (int i = 0; i < 10; ++i) {
            Lock();
            Buffer->AddRedo(Report.get());
            Buffer->Undo(Report.get());
            EXPECT_EQ(Report->ErrorList()->Text(), "") << i;
            Load();
        }
        EXPECT_EQ(Text(), tenBack);
        Ws->Invalidate();
        shot("tools_undone");
        for (int i = 0; i < 10; ++i) {
            Lock();
            Buffer->Redo(Report.get());
            Buffer->AddUndo(Report.get());
            Load();
        }
        EXPECT_EQ(Text(), edited);
        Ws->Invalidate();
        shot("tools_redone");
    }

    TempDir Dir;
    TComponent Module{nullptr};
    std::unique_ptr<TvrReport> Report;
    std::unique_ptr<TStandInDesigner> Designer;
    TvrUserDataSet* Orders = nullptr;
    TTreeView* Tree = nullptr;
    TvrRuler* TopRuler = nullptr;
    TvrScrollBox* Box = nullptr;
    TDesignerWorkspace* Ws = nullptr;
    TvrReportPage* Page = nullptr;
    std::unique_ptr<TvrUndoBuffer> Buffer;
    int Modified = 0;
};
