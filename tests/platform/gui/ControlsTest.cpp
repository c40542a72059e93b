// Standard and common controls: lists kept in the widget, item objects and node data, status
// bar panels, check boxes, radio groups, page controls, and pictures of a form.
#include "gui/Bitmap.h"
#include "gui/Clipbrd.h"
#include "gui/ComCtrls.h"
#include "gui/ControlShot.h"
#include "gui/ExtCtrls.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"
#include "gui/StdCtrls.h"

#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct TTag : TObject {
    explicit TTag(int v) : Value(v) {}
    int Value;
};

} // namespace

TEST(Controls, MemoLinesFollowTheTextBothWays) {
    TForm form(nullptr);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->Lines()->Add("first");
    memo->Lines()->Add("第二行");
    EXPECT_EQ(memo->Text(), "first\r\n第二行");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    memo->SetText("a\r\nb\r\nc\r\n");
    EXPECT_EQ(memo->Lines()->Count(), 3); // the empty line after the last break does not count
    EXPECT_EQ(memo->Lines()->Strings(2), "c");
    memo->Lines()->SetStrings(1, "B");
    memo->Lines()->Insert(0, "top");
    memo->Lines()->Delete(3);
    EXPECT_EQ(memo->Lines()->Text(), "top\r\na\r\nB\r\n");
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    form.Show();
    memo->SetFocus();
    memo->SelectAll();
    SimulateTyping(memo, "xy");
    SimulateKey(memo, VK_RETURN);
    SimulateTyping(memo, "z");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Strings(0), "xy");
    EXPECT_EQ(memo->Lines()->Strings(1), "z");
    EXPECT_GE(changes, 3);
    memo->Lines()->Clear();
    EXPECT_EQ(memo->Text(), "");
    EXPECT_THROW(memo->Lines()->Strings(0), EStringListError);
}

TEST(Controls, MemoWithoutWantReturnsLeavesEnterToTheForm) {
    TForm form(nullptr);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetWantReturns(false);
    form.Show();
    memo->SetFocus();
    SimulateTyping(memo, "a");
    SimulateKey(memo, VK_RETURN);
    EXPECT_EQ(memo->Lines()->Count(), 1);
}

TEST(Controls, MemoClipboardCommandsUndoAndTypingBeyondTheBasicPlane) {
    TForm form(nullptr);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetText("one 😀");
    memo->SelectAll();
    memo->CopyToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "one 😀");
    memo->CutToClipboard();
    EXPECT_EQ(memo->Text(), "");
    EXPECT_TRUE(memo->CanUndo());
    memo->Undo();
    EXPECT_EQ(memo->Text(), "one 😀");
    memo->SetSelStart(memo->SelStart() + memo->SelLength());
    memo->SetSelLength(0);
    Clipboard()->SetAsText("\r\ntwo");
    memo->PasteFromClipboard();
    EXPECT_EQ(memo->Text(), "one 😀\r\ntwo");
    // A character beyond the basic plane is typed as one key.
    memo->Clear();
    SimulateTyping(memo, "a😀b");
    EXPECT_EQ(memo->Text(), "a😀b");
}

TEST(Controls, ComboBoxItemsCarryObjectsAndEventsFollowThePlatform) {
    TForm form(nullptr);
    auto* cbb = new TComboBox(&form);
    cbb->SetParent(&form);
    TTag a(1), b(2), c(3);
    cbb->Items()->AddObject("乙", &b);
    cbb->Items()->AddObject("甲", &a);
    cbb->Items()->AddObject("丙", &c);
    ASSERT_EQ(cbb->Items()->Count(), 3);
    EXPECT_EQ(static_cast<TTag*>(cbb->Items()->Objects(1))->Value, 1);
    EXPECT_EQ(cbb->Items()->IndexOfObject(&c), 2);
    int changes = 0, selects = 0, clicks = 0;
    cbb->OnChange = [&](TObject*) { ++changes; };
    cbb->OnClick = [&](TObject*) { ++clicks; };
    // Setting ItemIndex or Text from code runs no event.
    cbb->SetItemIndex(2);
    EXPECT_EQ(cbb->Text(), "丙");
    cbb->SetText("甲");
    EXPECT_EQ(cbb->ItemIndex(), 1);
    cbb->SetText("不在列表");
    EXPECT_EQ(cbb->ItemIndex(), -1);
    EXPECT_EQ(changes, 0);
    // Typing changes the text: OnChange.
    form.Show();
    cbb->SetText("");
    SimulateTyping(cbb, "x");
    EXPECT_EQ(cbb->Text(), "x");
    EXPECT_EQ(changes, 1);
    // A drop-down list shows only entries; sorted lists insert in order.
    cbb->SetStyle(csDropDownList);
    cbb->SetItemIndex(0);
    EXPECT_EQ(cbb->Text(), "乙");
    auto* sorted = new TComboBox(&form);
    sorted->SetParent(&form);
    sorted->SetSorted(true);
    sorted->Items()->Add("b");
    sorted->Items()->Add("C");
    sorted->Items()->Add("a");
    EXPECT_EQ(sorted->Items()->CommaText(), "a,b,C");
    cbb->OnSelect = [&](TObject*) { ++selects; };
    (void)selects;
    (void)clicks;
}

TEST(Controls, ChangingComboBoxEntriesLeavesWhatItShows) {
    TForm form(nullptr);
    auto* cbb = new TComboBox(&form);
    cbb->SetParent(&form);
    // Entries added to an empty box select none of them.
    cbb->Items()->Add("甲");
    cbb->Items()->Add("乙");
    EXPECT_EQ(cbb->ItemIndex(), -1);
    EXPECT_EQ(cbb->Text(), "");
    // An editable box keeps its text when its entries are replaced.
    cbb->SetText("typed");
    cbb->Items()->Clear();
    EXPECT_EQ(cbb->Text(), "typed");
    cbb->Items()->Add("丙");
    EXPECT_EQ(cbb->Text(), "typed");
    EXPECT_EQ(cbb->ItemIndex(), -1);
    cbb->SetItemIndex(0);
    EXPECT_EQ(cbb->Text(), "丙");
    // A drop-down list filled anew shows no entry until one is chosen.
    auto* list = new TComboBox(&form);
    list->SetParent(&form);
    list->SetStyle(csDropDownList);
    list->Items()->SetCommaText("a,b");
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->Text(), "");
}

TEST(Controls, ListBoxSelectionAndMultiSelect) {
    TForm form(nullptr);
    auto* lb = new TListBox(&form);
    lb->SetParent(&form);
    lb->Items()->SetCommaText("one,two,three");
    int clicks = 0;
    lb->OnClick = [&](TObject*) { ++clicks; };
    lb->SetItemIndex(1);
    EXPECT_EQ(lb->ItemIndex(), 1);
    EXPECT_TRUE(lb->Selected(1));
    EXPECT_EQ(clicks, 0);
    lb->SetMultiSelect(true);
    lb->SetSelected(0, true);
    lb->SetSelected(2, true);
    lb->SetSelected(1, false);
    EXPECT_EQ(lb->SelCount(), 2);
    EXPECT_THROW(lb->Selected(5), EListError);
}

// Owner-drawn lists size their items from their canvas before anything is painted, so the canvas
// measures in the list's own font from the start.
TEST(Controls, ListBoxCanvasMeasuresInTheListsFont) {
    TForm form(nullptr);
    auto* lb = new TListBox(&form);
    lb->SetParent(&form);
    TBitmap probe(1, 1);
    for (int height : {-11, -24}) {
        lb->Font()->SetHeight(height);
        probe.Canvas()->Font()->Assign(*lb->Font());
        EXPECT_EQ(lb->Canvas()->TextHeight("Wg"), probe.Canvas()->TextHeight("Wg")) << height;
    }
}

TEST(Controls, TreeViewNodesKeepTextDataAndOrder) {
    TForm form(nullptr);
    auto* tv = new TTreeView(&form);
    tv->SetParent(&form);
    int estateA = 10, estateB = 20, building = 30;
    TTreeNode* a = tv->Items()->AddObject(nullptr, "小区A", &estateA);
    TTreeNode* b = tv->Items()->AddObject(nullptr, "小区B", &estateB);
    TTreeNode* ab = tv->Items()->AddChildObject(a, "1号楼", &building);
    tv->Items()->AddChild(a, "2号楼");
    EXPECT_EQ(tv->Items()->Count(), 4);
    EXPECT_EQ(tv->Items()->Item(1), ab);
    EXPECT_EQ(ab->Parent(), a);
    EXPECT_EQ(ab->Level(), 1);
    EXPECT_EQ(*static_cast<int*>(ab->Data()), 30);
    EXPECT_EQ(a->Count(), 2);
    EXPECT_EQ(a->GetNextSibling(), b);
    EXPECT_EQ(ab->GetNext()->Text(), "2号楼");
    EXPECT_EQ(b->AbsoluteIndex(), 3);

    std::vector<String> changes;
    tv->OnChange = [&](TObject*, TTreeNode* n) { changes.push_back(n ? n->Text() : String("-")); };
    tv->SetSelected(ab);
    EXPECT_EQ(tv->Selected(), ab);
    EXPECT_TRUE(ab->Selected());
    a->Expand(false);
    EXPECT_TRUE(a->Expanded());
    a->Collapse(true);
    EXPECT_FALSE(a->Expanded());
    // Deleting the selected node's parent removes the children too.
    a->Delete();
    EXPECT_EQ(tv->Items()->Count(), 1);
    EXPECT_EQ(tv->Items()->GetFirstNode(), b);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.front(), "1号楼");
    tv->Items()->Clear();
    EXPECT_EQ(tv->Items()->Count(), 0);
    EXPECT_EQ(tv->Selected(), nullptr);
}

TEST(Controls, StatusBarPanelsAndSimpleText) {
    TForm form(nullptr);
    form.SetClientWidth(400);
    auto* sb = new TStatusBar(&form);
    sb->SetParent(&form);
    TStatusPanel* p0 = sb->AddPanel();
    p0->SetWidth(120);
    p0->SetText("操作员: admin");
    TStatusPanel* p1 = sb->AddPanel();
    p1->SetWidth(100);
    p1->SetText("2024-01-01");
    EXPECT_EQ(sb->PanelCount(), 2);
    EXPECT_EQ(sb->Panels(1)->Text(), "2024-01-01");
    EXPECT_EQ(sb->Align(), alBottom);
    EXPECT_EQ(sb->Width(), 400);
    // The last panel reaches the right edge.
    EXPECT_EQ(sb->PanelRect(0), Rect(0, 0, 120, sb->Height()));
    EXPECT_EQ(sb->PanelRect(1), Rect(120, 0, 400, sb->Height()));
    sb->SetSimplePanel(true);
    sb->SetSimpleText("就绪");
    EXPECT_EQ(sb->SimpleText(), "就绪");
    EXPECT_THROW(sb->Panels(2), EListError);
}

TEST(Controls, CheckBoxAndRadioGroupRunClickOnChange) {
    TForm form(nullptr);
    auto* chk = new TCheckBox(&form);
    chk->SetParent(&form);
    int clicks = 0;
    chk->OnClick = [&](TObject*) { ++clicks; };
    chk->SetChecked(true);
    chk->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(chk->State(), cbChecked);
    form.Show();
    SimulateKey(chk, VK_SPACE);
    EXPECT_FALSE(chk->Checked());
    EXPECT_EQ(clicks, 2);

    auto* rg = new TRadioGroup(&form);
    rg->SetParent(&form);
    rg->Items()->SetCommaText("现金,支票,预收款");
    rg->SetColumns(3);
    rg->SetItemIndex(1);
    EXPECT_TRUE(rg->Buttons(1)->Checked());
    rg->Buttons(2)->SetChecked(true);
    EXPECT_EQ(rg->ItemIndex(), 2);
    EXPECT_FALSE(rg->Buttons(1)->Checked());
}

TEST(Controls, PageControlSwitchesPagesAndHidesTabs) {
    TForm form(nullptr);
    auto* pc = new TPageControl(&form);
    pc->SetParent(&form);
    auto* p1 = new TTabSheet(&form);
    p1->SetPageControl(pc);
    p1->SetCaption("基本");
    auto* p2 = new TTabSheet(&form);
    p2->SetPageControl(pc);
    p2->SetCaption("其他");
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage(), p1);
    EXPECT_TRUE(p1->Visible());
    pc->SetActivePageIndex(1);
    EXPECT_EQ(pc->ActivePage(), p2);
    EXPECT_FALSE(p1->Visible());
    p1->SetTabVisible(false);
    EXPECT_EQ(p1->TabIndex(), -1);
    EXPECT_EQ(p2->TabIndex(), 0);
    bool allow = false;
    int changes = 0;
    pc->OnChanging = [&](TObject*, bool& a) { a = allow; };
    pc->OnChange = [&](TObject*) { ++changes; };
    p1->SetTabVisible(true);
    pc->SelectNextPage(true);
    EXPECT_EQ(pc->ActivePage(), p2);
    allow = true;
    pc->SelectNextPage(true);
    EXPECT_EQ(pc->ActivePage(), p1);
    EXPECT_EQ(changes, 1);
    delete p1;
    EXPECT_EQ(pc->PageCount(), 1);
    EXPECT_EQ(pc->ActivePage(), p2);
}

TEST(Controls, ProgressBarAndScrollBarKeepTheirRanges) {
    TForm form(nullptr);
    auto* pb = new TProgressBar(&form);
    pb->SetParent(&form);
    pb->SetMax(25);
    pb->StepIt();
    pb->StepIt();
    EXPECT_EQ(pb->Position(), 20);
    pb->StepIt();
    EXPECT_EQ(pb->Position(), 0);
    pb->SetPosition(99);
    EXPECT_EQ(pb->Position(), 25);

    auto* sb = new TScrollBar(&form);
    sb->SetParent(&form);
    sb->SetParams(0, 0, 99);
    sb->SetPageSize(10);
    sb->SetPosition(200);
    EXPECT_EQ(sb->Position(), 90); // Max - PageSize + 1
    EXPECT_THROW(sb->SetParams(0, 10, 5), EInvalidOperation);
}

TEST(Controls, ListViewReportColumnsAndItems) {
    TForm form(nullptr);
    auto* lv = new TListView(&form);
    lv->SetParent(&form);
    lv->SetViewStyle(vsReport);
    lv->AddColumn()->SetCaption("编号");
    lv->AddColumn()->SetCaption("名称");
    int data = 7;
    TListItem* it = lv->AddItem();
    it->SetCaption("001");
    it->SubItems()->Add("水费");
    it->SetData(&data);
    lv->AddItem()->SetCaption("002");
    std::vector<String> selected;
    lv->OnSelectItem = [&](TObject*, TListItem* i, bool s) {
        if (s) selected.push_back(i->Caption());
    };
    lv->SetSelected(it);
    EXPECT_EQ(lv->Selected(), it);
    EXPECT_EQ(lv->ItemCount(), 2);
    EXPECT_EQ(it->SubItems()->Strings(0), "水费");
    EXPECT_EQ(*static_cast<int*>(lv->Items(0)->Data()), 7);
    lv->SetCheckboxes(true);
    it->SetChecked(true);
    EXPECT_TRUE(it->Checked());
    lv->DeleteItem(0);
    EXPECT_EQ(lv->Items(0)->Caption(), "002");
}

TEST(Controls, DateTimePickerKeepsDateAndTimeParts) {
    TForm form(nullptr);
    auto* dtp = new TDateTimePicker(&form);
    dtp->SetParent(&form);
    dtp->SetDateTime(45000.5);
    dtp->SetDate(45010.25);
    EXPECT_DOUBLE_EQ(dtp->DateTime(), 45010.5);
    dtp->SetKind(dtkTime);
    dtp->SetTime(0.75);
    EXPECT_DOUBLE_EQ(dtp->DateTime(), 45010.75);
    dtp->SetShowCheckbox(true);
    dtp->SetChecked(false);
    EXPECT_FALSE(dtp->Checked());
}

TEST(Controls, ToolButtonsGroupAndFollowActions) {
    TForm form(nullptr);
    auto* tb = new TToolBar(&form);
    tb->SetParent(&form);
    auto* b1 = new TToolButton(&form);
    b1->SetParent(tb);
    auto* b2 = new TToolButton(&form);
    b2->SetParent(tb);
    for (TToolButton* b : {b1, b2}) {
        b->SetStyle(tbsCheck);
        b->SetGrouped(true);
    }
    b1->Click();
    EXPECT_TRUE(b1->Down());
    b2->Click();
    EXPECT_TRUE(b2->Down());
    EXPECT_FALSE(b1->Down());
    b2->Click(); // the last one down stays down without AllowAllUp
    EXPECT_TRUE(b2->Down());
    EXPECT_EQ(tb->ButtonCount(), 2);
}

TEST(Controls, FormPictureShowsItsControls) {
    TForm form(nullptr);
    form.SetClientWidth(200);
    form.SetClientHeight(100);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(10, 10, 50, 40);
    panel->SetColor(clRed);
    panel->SetBevelOuter(bvNone);
    form.Show();
    TBitmap bmp;
    GrabControl(&form, bmp);
    EXPECT_EQ(bmp.Width(), 200);
    EXPECT_EQ(bmp.Height(), 100);
    EXPECT_EQ(bmp.Pixel(30, 30), clRed);
    EXPECT_NE(bmp.Pixel(100, 80), clRed);
    auto file = std::filesystem::temp_directory_path() / "orv_form_shot.png";
    EXPECT_TRUE(SaveControlAsPng(&form, file.string()));
    EXPECT_GT(std::filesystem::file_size(file), 100u);
    std::filesystem::remove(file);
}
