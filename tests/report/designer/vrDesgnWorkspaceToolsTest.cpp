// The designer window's workspace: hand, zoom, edit-text and copy-format tools, page guides and
// alignment lines, drops from the data tree and the rulers, the field drop-down and the paste
// drag.
#include "DesignerHostFixture.h"

#include "gui/Bitmap.h"
#include "gui/ControlShot.h"
#include "report/designer/vrDesgnComponent.h"
#include "report/vrClassBand.h"
#include "report/vrClassDialogPage.h"
#include "report/vrClassMemo.h"
#include "report/vrDMPClass.h"
#include "rtl/CodePage.h"

namespace {

class TWidthDataSet : public TvrUserDataSet {
public:
    using TvrUserDataSet::TvrUserDataSet;
    Integer DisplayWidth(const String& field) override {
        if (field == "total") return 80;
        throw Exception("no width");
    }
};

TColor ToolsPixel(TBitmap& b, int x, int y) { return b.Canvas()->Pixels(x, y) & 0xFFFFFF; }

} // namespace

using Tools = HostDesignerTest;

TEST_F(Tools, TheHandScrollsThePageByTheMovement) {
    Ws->SetTool(vtHand);
    Down(300, 300);
    Move(250, 270);
    Up(250, 270);
    EXPECT_EQ(Box->HorzScrollBar()->Position(), 50);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 30);
}

TEST_F(Tools, ZoomClicksStepTheScale) {
    struct Case {
        Extended from;
        TMouseButton button;
        Extended to;
    } cases[] = {{0.5, mbLeft, 0.75}, {1, mbLeft, 2}, {2, mbRight, 1}, {0.5, mbRight, 0.25}, {0.25, mbRight, 0.25}};
    Ws->SetTool(vtZoom);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        Designer->SetScale(c.from);
        Click(100, 100, c.button);
        EXPECT_DOUBLE_EQ(Designer->Scale(), c.to);
    }
}

TEST_F(Tools, AZoomBoxFillsTheClient) {
    ASSERT_EQ(Box->ClientRect().Width(), 800);
    ASSERT_EQ(Box->ClientRect().Height(), 600);
    Ws->SetTool(vtZoom);
    Drag(100, 50, 300, 150);
    EXPECT_NEAR(Designer->Scale(), 3.92, 1e-9);
    EXPECT_EQ(Box->HorzScrollBar()->Position(), 540);
    EXPECT_EQ(Ws->Mode, wmNone);
}

TEST_F(Tools, TheTextToolDrawsATextOpenForTyping) {
    for (bool dotMatrix : {false, true}) {
        SCOPED_TRACE(dotMatrix);
        if (dotMatrix) UsePage(new TvrDMPPage(Report.get()));
        Ws->SetTool(vtEditText);
        Drag(100, 100, 200, 120);
        ASSERT_EQ(Selected().size(), 1u);
        auto* memo = dynamic_cast<TvrCustomMemoView*>(Selected()[0]);
        ASSERT_NE(memo, nullptr);
        EXPECT_EQ(memo->ClassName(), dotMatrix ? "TvrDMPMemoView" : "TvrMemoView");
        if (!dotMatrix) {
            EXPECT_NEAR(memo->Width(), 100, Eps);
            EXPECT_NEAR(memo->Height(), 20, Eps);
        }
        ASSERT_TRUE(Ws->InplaceMemo->IsOpen());
        SimulateTyping(Ws->InplaceMemo, "合计");
        Ws->InplaceMemo->Close();
        EXPECT_EQ(WideToUtf8(memo->Text()), "合计\r\n");
    }
}

TEST_F(Tools, TheFormatToolCopiesTheLookOfTheSelectedText) {
    auto* from = Add<TvrMemoView>(Page, 10, 10, 100, 20);
    auto* to = Add<TvrMemoView>(Page, 10, 100, 100, 20);
    auto* locked = Add<TvrMemoView>(Page, 10, 200, 100, 20);
    locked->Restrictions.Include(rfDontModify);
    from->Color = clRed;
    from->Font()->SetStyle(TFontStyles{fsBold});
    from->Frame()->Typ = TvrFrameTypes{ftLeft, ftTop};
    from->BrushStyle = bsCross;
    from->HAlign = haCenter;
    from->VAlign = vaBottom;
    Ws->SetTool(vtCopyFormat);
    for (TvrComponent* target : {static_cast<TvrComponent*>(to), static_cast<TvrComponent*>(locked)}) {
        Select({from});
        Click(static_cast<int>(target->Left()) + 5, static_cast<int>(target->Top()) + 5);
    }
    EXPECT_EQ(to->Color, clRed);
    EXPECT_TRUE(to->Font()->Style().Contains(fsBold));
    EXPECT_TRUE(to->Frame()->Typ.Contains(ftTop));
    EXPECT_EQ(to->BrushStyle, bsCross);
    EXPECT_EQ(to->HAlign, haCenter);
    EXPECT_EQ(to->VAlign, vaBottom);
    EXPECT_EQ(locked->Color, clTransparent) << "rfDontModify keeps its look";
    EXPECT_EQ(locked->HAlign, haLeft);
    EXPECT_EQ(Modified, 1);
    // With the page selected there is no format to take.
    Select({Page});
    Click(15, 205);
    EXPECT_EQ(locked->HAlign, haLeft);
    EXPECT_EQ(Modified, 1);
}

TEST_F(Tools, ARulerDropAddsAGuide) {
    Ws->SetShowGuides(true);
    Designer->SetScale(2);
    struct Case {
        bool grid;
        const char* text;
    } cases[] = {{false, "50"}, {true, "49.13389"}};
    for (const Case& c : cases) {
        Ws->GridAlign = c.grid;
        TStringList* guides = Ws->HGuides();
        guides->Clear();
        bool accept = false;
        Ws->DragOver(TopRuler, 300, 100, dsDragEnter, accept);
        EXPECT_TRUE(accept);
        Ws->DragDrop(TopRuler, 300, 100);
        ASSERT_EQ(guides->Count(), 1);
        EXPECT_EQ((*guides)[0], c.text);
        EXPECT_EQ(Ws->InsertionState, 0);
    }
    // Hidden guides take no drop, nor does a page other than a report page.
    Ws->SetShowGuides(false);
    bool accept = true;
    Ws->DragOver(TopRuler, 300, 100, dsDragEnter, accept);
    EXPECT_FALSE(accept);
}

TEST_F(Tools, AGuideDraggedToTheEdgeIsGone) {
    Ws->SetShowGuides(true);
    Ws->HGuides()->Add("100");
    Ws->VGuides()->Add("200");
    Move(300, 100);
    EXPECT_EQ(Ws->Mode, wmGuide);
    Down(300, 100);
    Move(300, 60);
    Up(300, 60);
    EXPECT_EQ((*Ws->HGuides())[0], "60") << "moved with the mouse";
    Move(200, 400);
    ASSERT_EQ(Ws->Mode, wmGuide);
    Down(200, 400);
    Move(2, 400);
    Up(2, 400);
    EXPECT_EQ(Ws->VGuides()->Count(), 0) << "within 3 units of the edge";
    EXPECT_GE(Modified, 2);
}

TEST_F(Tools, AnObjectMovedNearAGuideLandsOnIt) {
    Ws->SetShowGuides(true);
    Ws->VGuides()->Add("100");
    auto* memo = Add<TvrMemoView>(Page, 80, 200, 50, 20);
    Drag(90, 210, 106, 210);
    EXPECT_NEAR(memo->Left(), 100, Eps);
}

TEST_F(Tools, AMatchingEdgeShowsALineWhileTheMouseIsDown) {
    Ws->SetShowGuides(true);
    Add<TvrMemoView>(Page, 40, 40, 50, 20);
    auto* moving = Add<TvrMemoView>(Page, 80, 300, 50, 20);
    TBitmap shot;
    Move(90, 310);
    Down(90, 310);
    Move(50, 310);
    EXPECT_NEAR(moving->Left(), 40, Eps);
    GrabControl(Ws, shot);
    EXPECT_EQ(ToolsPixel(shot, 40, 150), static_cast<TColor>(0xFFCC00)) << "the line between the left edges";
    Up(50, 310);
    GrabControl(Ws, shot);
    EXPECT_NE(ToolsPixel(shot, 40, 150), static_cast<TColor>(0xFFCC00));
}

TEST_F(Tools, GuidesAreSavedWithThePage) {
    Ws->HGuides()->Add("50");
    Ws->VGuides()->Add("49.13389");
    TMemoryStream stream;
    Report->SaveToStream(stream);
    stream.SetPosition(0);
    TvrReport copy(nullptr);
    copy.LoadFromStream(stream);
    auto* page = dynamic_cast<TvrReportPage*>(copy.GetPage(copy.GetPagesCount() - 1));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->HGuides()->Text(), "50\r\n");
    EXPECT_EQ(page->VGuides()->Text(), "49.13389\r\n");
}

class Drops : public HostDesignerTest {
protected:
    void SetUp() override {
        HostDesignerTest::SetUp();
        Orders = new TWidthDataSet(Report.get());
        Orders->SetUserName("Orders");
        Orders->Fields()->Add("total");
        Orders->Fields()->Add("count");
        Report->Datasets()->Add(Orders);
        Tree = new TPanel(Designer.get());
        Tree->SetParent(Designer.get());
        Designer->Tree = Tree;
        Designer->FieldBox = true;
    }
    // Drags the insertion text over the page and drops it at (x, y).
    bool DropText(const String& text, int x = 200, int y = 200) {
        Designer->Text = text;
        bool accept = false;
        Ws->DragOver(Tree, x, y, dsDragEnter, accept);
        if (accept) Ws->DragDrop(Tree, x, y);
        return accept;
    }
    TvrMemoView* Memo(size_t i) { return dynamic_cast<TvrMemoView*>(Selected().at(i)); }

    TWidthDataSet* Orders = nullptr;
    TPanel* Tree = nullptr;
};

TEST_F(Drops, AFieldBecomesATextObjectOfItsDisplayWidth) {
    Designer->Text = "<Orders.\"total\">";
    bool accept = false;
    Ws->DragOver(Tree, 200, 200, dsDragEnter, accept);
    ASSERT_TRUE(accept);
    EXPECT_NEAR(Ws->Insertion.Width, 400.63018, 1e-5);
    EXPECT_NEAR(Ws->Insertion.Height, 18.89765, 1e-5);
    Ws->DragDrop(Tree, 200, 200);
    ASSERT_EQ(Selected().size(), 1u);
    TvrMemoView* memo = Memo(0);
    EXPECT_EQ(memo->Name(), "Orderstotal");
    EXPECT_EQ(memo->DataSet(), Orders);
    EXPECT_EQ(memo->DataField, "total");
    EXPECT_NEAR(memo->Width(), 400.63018, 1e-5);
    EXPECT_EQ(Ws->InsertionState, 0);
    EXPECT_EQ(Modified, 1);
    // A field whose width is unknown is 10 characters wide.
    Ws->DragOver(Tree, 200, 300, dsDragLeave, accept);
    Designer->Text = "<Orders.\"count\">";
    Ws->DragOver(Tree, 200, 300, dsDragEnter, accept);
    EXPECT_NEAR(Ws->Insertion.Width, 21 * fr01cm, 1e-5);
}

TEST_F(Drops, NamesAndTextsOfDroppedObjects) {
    struct Case {
        const char* text;
        const char* name;
        const char* memoText;
    } cases[] = {{"<vrDM.\"金额\">", "Memo1", "[vrDM.\"金额\"]\r\n"}, {"<Total>", "Total", "[Total]\r\n"},
                 {"[Date]", "Date", "[[Date]]\r\n"},
                 // A name may not begin with a digit: the base name takes its place.
                 {"<9abc>", "Memo2", "[9abc]\r\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(DropText(c.text));
        ASSERT_EQ(Selected().size(), 1u);
        EXPECT_EQ(Memo(0)->Name(), c.name);
        EXPECT_EQ(WideToUtf8(Memo(0)->Text()), c.memoText);
    }
}

TEST_F(Drops, FieldAndCaptionBoxes) {
    Designer->FieldBox = false;
    Designer->CaptionBox = true;
    ASSERT_TRUE(DropText("<Orders.\"total\">"));
    ASSERT_EQ(Selected().size(), 1u);
    EXPECT_EQ(WideToUtf8(Memo(0)->Text()), "total\r\n");
    EXPECT_EQ(Memo(0)->DataSet(), nullptr);
    Designer->FieldBox = true;
    ASSERT_TRUE(DropText("<Orders.\"total\">", 200, 400));
    ASSERT_EQ(Selected().size(), 2u);
    EXPECT_EQ(Memo(0)->DataField, "total");
    EXPECT_EQ(WideToUtf8(Memo(1)->Text()), "total\r\n");
    EXPECT_NEAR(Memo(1)->Top() + Memo(1)->Height(), Memo(0)->Top(), Eps) << "the caption sits above the field";
}

TEST_F(Drops, RefusedOnDialogAndDataPagesAndByTheRestriction) {
    UsePage(new TvrDialogPage(Report.get()));
    EXPECT_FALSE(DropText("<Total>"));
    UsePage(Report->GetPage(0));
    ASSERT_NE(dynamic_cast<TvrDataPage*>(Page), nullptr);
    EXPECT_FALSE(DropText("<Total>"));
    UsePage(new TvrReportPage(Report.get()));
    {
        TvrDesigner designer(nullptr);
        designer.Restrictions.Include(drDontInsertObject);
        EXPECT_FALSE(DropText("<Total>"));
    }
    EXPECT_TRUE(DropText("<Total>"));
}

TEST_F(Drops, TheFieldDropDownBindsTheChosenField) {
    auto* band = Add<TvrMasterData>(Page, 0, 100, 700, 40);
    band->SetDataSet(Orders);
    auto* memo = Add<TvrMemoView>(band, 100, 10, 200, 20);
    memo->DataField = "count";
    Reload();
    Ws->AdjustBands(true);
    const int y = static_cast<int>(memo->AbsTop()) + 5;
    Move(150, y);
    EXPECT_EQ(Ws->FieldListMemo, memo);
    Designer->DropFields = false;
    Click(295, y);
    EXPECT_EQ(Ws->FieldListForm, nullptr) << "no drop-down with the option off";
    Designer->DropFields = true;
    Move(150, y);
    Click(295, y);
    ASSERT_NE(Ws->FieldListForm, nullptr);
    EXPECT_EQ(Ws->FieldListForm->Width(), 140);
    EXPECT_EQ(Ws->FieldListForm->Height(), 162);
    EXPECT_EQ(Ws->FieldList->ItemIndex(), 1);
    const int modified = Modified;
    Ws->FieldChosen(0);
    EXPECT_EQ(memo->DataSet(), Orders);
    EXPECT_EQ(memo->DataField, "total");
    EXPECT_EQ(Modified, modified + 1);
}

TEST_F(Tools, PastedObjectsFollowTheMouseUntilTheClick) {
    auto* memo = Add<TvrMemoView>(Page, 100, 100, 50, 20);
    Select({memo});
    TvrClipboard clipboard(Designer.get());
    const String text = clipboard.CopyText();
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape);
        clipboard.PasteText(text);
        ASSERT_EQ(Selected().size(), 1u);
        TvrComponent* pasted = Selected()[0];
        EXPECT_NEAR(pasted->Left(), 0, Eps);
        Ws->StartPasteDrag();
        EXPECT_TRUE(Ws->PasteDragging);
        Move(120, 320);
        EXPECT_NEAR(pasted->Left(), 100, Eps);
        EXPECT_NEAR(pasted->Top(), 300, Eps);
        const String name = pasted->Name();
        if (escape) {
            Ws->SetFocus();
            SimulateKey(Ws, VK_ESCAPE);
            EXPECT_EQ(Report->FindObject(name), nullptr);
        } else {
            Down(120, 320);
            Up(120, 320);
            EXPECT_NE(Report->FindObject(name), nullptr);
            Move(300, 500);
            EXPECT_NEAR(pasted->Left(), 100, Eps) << "the click ended the move";
        }
        EXPECT_FALSE(Ws->PasteDragging);
    }
}
