// A new user's road on the page workspace, on a test form that stands in for the designer
// window: the engine tests' grouped layout in a scroll box with a workspace over its page; a
// text dragged 10 mm and resized, three texts rubber-banded, a band resized, Ctrl and Shift with
// the arrows, Alt+click and "合计" typed, a line drawn, a zoom to 2 and a deletion. Each step
// checks what it did; Shot is called where a picture is worth looking at.
#pragma once

#include "TempDir.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "report/designer/vrDesgnCtrls.h"
#include "report/designer/vrDesgnWorkspace.h"
#include "rtl/CodePage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <memory>

extern const char* const GroupedLayout;

class TDesignerRoadForm {
public:
    TDesignerRoadForm() {
        vrStartUp();
        const std::string file = Dir.File("grouped.di3");
        {
            std::ofstream out(file, std::ios::binary);
            out << GroupedLayout;
        }
        Report = std::make_unique<TvrReport>(nullptr);
        Report->LoadFromFile(file);
        Page = static_cast<TvrReportPage*>(Report->FindObject("Page1"));
        Form = std::make_unique<TForm>(nullptr);
        Form->SetCaption("报表设计 - 页面");
        Form->SetBounds(40, 30, 1000, 700);
        Box = new TvrScrollBox(Form.get());
        Box->SetParent(Form.get());
        Box->SetAlign(alClient);
        Box->SetColor(clBtnFace);
        Ws = new TvrDesignerWorkspace(Form.get());
        Ws->SetParent(Box);
        Ws->Objects = &Objects;
        Ws->SelectedObjects = &Selected;
        Ws->Page = Page;
        Objects = Page->AllObjects();
        Objects.push_back(Report.get());
        Objects.push_back(Page);
        Selected = {Page};
        Ws->OnModified = [this](TObject*) { ++Modified; };
        Ws->OnInsertRequest = [this](TObject*) { Insert(); };
        const auto mm = [](Extended v) { return static_cast<Integer>(std::nearbyint(v * fr01cm)); };
        Ws->SetOrigin(Point(10, 10));
        Ws->SetPageDimensions(mm(Page->PaperWidth()), mm(Page->PaperHeight()),
                              Rect(mm(Page->LeftMargin), mm(Page->TopMargin), mm(Page->RightMargin),
                                   mm(Page->BottomMargin)));
        Box->VertScrollBar()->SetRange(Ws->MarginsPanel->Height() + 20);
        Box->HorzScrollBar()->SetRange(Ws->MarginsPanel->Width() + 20);
        Form->Show();
    }

    // The designer window's part of an insertion: the object, on the page, selected.
    void Insert() {
        const TvrInsertion& ins = Ws->Insertion;
        auto* line = new TvrLineView(Page);
        line->InDesigner = true;
        line->SetBounds(ins.Left, ins.Top, ins.Width, ins.Height);
        line->CreateUniqueName();
        Objects.push_back(line);
        Selected = {line};
        Ws->SetInsertion(nullptr, 0, 0, 0);
    }

    TvrComponent* Object(const char* name) { return Report->FindObject(name); }
    // Workspace pixels of a point in units.
    int Px(Extended units) const { return static_cast<int>(std::nearbyint(units * Ws->Scale)); }

    void Walk(const std::function<void(const String& name)>& shot) {
        const TShiftState none, ctrl{ssCtrl}, shift{ssShift}, alt{ssAlt};
        auto drag = [&](int x0, int y0, int x1, int y1, TShiftState s) {
            SimulateMouseMove(Ws, x0, y0, s);
            SimulateMouseDown(Ws, mbLeft, x0, y0, s);
            SimulateMouseMove(Ws, (x0 + x1) / 2, (y0 + y1) / 2, s);
            SimulateMouseMove(Ws, x1, y1, s);
            SimulateMouseUp(Ws, mbLeft, x1, y1, s);
        };
        Ws->AdjustBands(true);
        shot("designer_stacked");

        // A text dragged 10 mm to the right, then made wider by its right edge.
        TvrComponent* code = Object("CodeMemo");
        TvrComponent* money = Object("MoneyMemo");
        const Extended x0 = code->AbsLeft(), y0 = code->AbsTop();
        drag(Px(x0 + 20), Px(y0 + 10), Px(x0 + 20) + 38, Px(y0 + 10), none);
        EXPECT_NEAR(code->Left(), 10 * fr01cm, 1e-6);
        EXPECT_EQ(Modified, 1);
        money->SetLeft(money->Left() + 60);
        const int right = Px(code->AbsLeft() + code->Width()), middle = Px(code->AbsTop() + code->Height() / 2);
        drag(right, middle, right + 23, middle, none);
        EXPECT_NEAR(code->Width(), 100 + 6 * fr01cm, 1e-6);

        // Three texts in a rubber band drawn with Ctrl over the objects.
        TvrComponent* sum = Object("SumMemo");
        drag(Px(code->AbsLeft()) + 5, Px(code->AbsTop()) + 5, Px(money->AbsLeft() + 10), Px(sum->AbsTop()) + 5, ctrl);
        EXPECT_EQ(Selected, (TvrObjectList{code, money, sum}));
        shot("designer_three_selected");

        // The data band made taller by its bottom edge.
        auto* data = static_cast<TvrBand*>(Object("MasterData1"));
        const Extended height = data->Height();
        SimulateMouseMove(Ws, 600, Px(data->Top() + data->Height()));
        EXPECT_EQ(Ws->Mode, wmBandEdge);
        drag(600, Px(data->Top() + data->Height()), 600, Px(data->Top() + data->Height()) + 16, none);
        EXPECT_NEAR(data->Height(), height + 4 * fr01cm, 1e-6);
        EXPECT_EQ(sum->Parent(), Object("GroupFooter1")) << "the bands below move down with their objects";

        // Ctrl and Shift with the arrows on the selected texts.
        Selected = {code, money, sum};
        const Extended codeLeft = code->Left(), sumWidth = sum->Width();
        SimulateKey(Ws, VK_RIGHT, ctrl);
        SimulateKey(Ws, VK_RIGHT, ctrl);
        SimulateKey(Ws, VK_RIGHT, TShiftState{ssCtrl, ssShift});
        SimulateKey(Ws, VK_RIGHT, shift);
        EXPECT_NEAR(code->Left(), codeLeft + 2 + fr01cm, 1e-6);
        EXPECT_NEAR(sum->Width(), sumWidth + fr01cm, 1e-6);

        // Alt+click on the title and "合计" typed into it.
        TvrComponent* title = Object("TitleMemo");
        const int tx = Px(title->AbsLeft() + 30), ty = Px(title->AbsTop() + 10);
        drag(tx, ty, tx, ty, alt);
        ASSERT_TRUE(Ws->InplaceMemo->IsOpen());
        SimulateTyping(Ws->InplaceMemo, "合计");
        shot("designer_inplace");
        drag(700, Px(data->Top()) + 5, 700, Px(data->Top()) + 5, none);
        EXPECT_FALSE(Ws->InplaceMemo->IsOpen());
        EXPECT_EQ(WideToUtf8(static_cast<TvrCustomMemoView*>(title)->Text()), "合计\r\n");

        // A line drawn across the group footer.
        TvrComponent* footer = Object("GroupFooter1");
        Ws->SetInsertion(&TvrLineView::StaticClassInfo(), 0, 0, 0);
        const int ly = Px(footer->Top() + 20);
        drag(Px(400), ly, Px(600), ly + 2, none);
        ASSERT_EQ(Selected.size(), 1u);
        auto* line = dynamic_cast<TvrLineView*>(Selected[0]);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->Parent(), footer);
        EXPECT_GT(line->Width(), 190);

        // Zoom to 2 with the texts selected.
        Selected = {code, money, sum};
        Ws->SetScale(2);
        Box->VertScrollBar()->SetRange(Ws->MarginsPanel->Height() + 20);
        Box->HorzScrollBar()->SetRange(Ws->MarginsPanel->Width() + 20);
        EXPECT_EQ(Ws->MarginsPanel->Width(), static_cast<int>(std::nearbyint(Ws->PageWidth * 2.0)));
        shot("designer_zoom2");

        // At the new scale a click on the paper between the bands selects the page, one on a text
        // that text; Delete deletes it.
        const int paperY = Px(footer->Top() + footer->Height() + 40);
        // (On the paper left of the visible edge: a press beyond it would scroll the view.)
        drag(Px(350), paperY, Px(350), paperY, none);
        EXPECT_EQ(Selected, TvrObjectList{Page});
        drag(Px(money->AbsLeft() + 10), Px(money->AbsTop() + 5), Px(money->AbsLeft() + 10), Px(money->AbsTop() + 5), none);
        EXPECT_EQ(Selected, TvrObjectList{money});
        const int modified = Modified;
        SimulateKey(Ws, VK_DELETE);
        EXPECT_EQ(Object("MoneyMemo"), nullptr);
        EXPECT_EQ(Selected, TvrObjectList{Page});
        EXPECT_EQ(Modified, modified + 1);
        shot("designer_deleted");
    }

    TempDir Dir;
    std::unique_ptr<TvrReport> Report;
    std::unique_ptr<TForm> Form;
    TvrReportPage* Page = nullptr;
    TvrScrollBox* Box = nullptr;
    TvrDesignerWorkspace* Ws = nullptr;
    TvrObjectList Objects, Selected;
    int Modified = 0;
};
