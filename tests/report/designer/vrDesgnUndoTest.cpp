// Undo and redo by snapshots, and the designer clipboard.
#include "DesignerHostFixture.h"

#include "gui/Bitmap.h"
#include "gui/Clipbrd.h"
#include "gui/Picture.h"
#include "report/vrClassBand.h"
#include "report/vrClassDialogPage.h"
#include "report/vrClassMemo.h"
#include "report/vrClassPicture.h"
#include "report/vrDMPClass.h"
#include "report/designer/vrDesgnComponent.h"
#include "report/vrPreviewPages.h"
#include "rtl/CodePage.h"

namespace {

String SnapshotText(TvrComponent* o) {
    TMemoryStream s;
    o->SaveToStream(s);
    return String(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

// A report whose load fails after it has seen whether it reloads.
class TFailingReport : public TvrReport {
public:
    using TvrReport::TvrReport;
    bool SawReload = false;
    void LoadFromStream(TStream&) override {
        SawReload = InternalReload;
        throw Exception("damaged");
    }
};

} // namespace

using Undo = HostDesignerTest;

TEST_F(Undo, SnapshotsOfChangesUndoAndRedo) {
    TvrUndoBuffer buffer(Designer->PictureCache());
    auto* memo = Add<TvrMemoView>(Page, 10, 10, 100, 20);
    memo->SetName("Memo1");
    const String opened = SnapshotText(Report.get());
    buffer.AddUndo(Report.get());
    EXPECT_EQ(buffer.UndoCount(), 1) << "opening leaves one snapshot: undo is off";
    memo->SetLeft(50);
    const String changed = SnapshotText(Report.get());
    buffer.AddUndo(Report.get());
    buffer.ClearRedo();
    EXPECT_EQ(buffer.UndoCount(), 2);
    // Undo: the current state to the redo list, the one before loaded.
    buffer.AddRedo(Report.get());
    buffer.Undo(Report.get());
    EXPECT_EQ(SnapshotText(Report.get()), opened);
    EXPECT_EQ(buffer.UndoCount(), 1);
    EXPECT_EQ(buffer.RedoCount(), 1);
    buffer.Redo(Report.get());
    buffer.AddUndo(Report.get());
    EXPECT_EQ(SnapshotText(Report.get()), changed);
    EXPECT_EQ(buffer.RedoCount(), 0) << "the redo is used";
    // A change after an undo empties the redo list.
    buffer.AddRedo(Report.get());
    buffer.Undo(Report.get());
    ASSERT_EQ(buffer.RedoCount(), 1);
    buffer.AddUndo(Report.get());
    buffer.ClearRedo();
    EXPECT_EQ(buffer.RedoCount(), 0);
}

TEST_F(Undo, APictureSnapshotHoldsItsNumber) {
    TvrUndoBuffer buffer(Designer->PictureCache());
    auto* view = Add<TvrPictureView>(Page, 10, 10, 100, 100);
    view->SetName("Picture1");
    TBitmap big(512, 512);
    big.Canvas()->Brush()->SetColor(clRed);
    big.Canvas()->FillRect(Rect(0, 0, 512, 512));
    TPicture picture;
    picture.Assign(&big);
    view->SetPicture(&picture);
    buffer.AddUndo(Report.get());
    EXPECT_LT(buffer.UndoText(0).size(), 4096u);
    EXPECT_NE(buffer.UndoText(0).find("ImageIndex=\"1\""), String::npos);
    EXPECT_TRUE(view->IsPictureStored) << "the switch is put back";
    view->SetLeft(40);
    buffer.AddUndo(Report.get());
    buffer.Undo(Report.get());
    auto* back = dynamic_cast<TvrPictureView*>(Report->FindObject("Picture1"));
    ASSERT_NE(back, nullptr);
    EXPECT_NEAR(back->Left(), 10, Eps);
    ASSERT_NE(back->Picture()->Graphic(), nullptr);
    EXPECT_EQ(back->Picture()->Width(), 512);
}

TEST_F(Undo, LoadingDoesNotAskForThePasswordAndAlwaysClearsTheReloadFlag) {
    TvrUndoBuffer buffer(nullptr);
    TFailingReport report(nullptr);
    buffer.AddUndo(&report);
    buffer.AddUndo(&report);
    EXPECT_THROW(buffer.Undo(&report), Exception);
    EXPECT_TRUE(report.SawReload);
    EXPECT_FALSE(report.InternalReload);
    EXPECT_EQ(buffer.UndoCount(), 2) << "a failed load leaves the lists";
    // A password-protected report loads its snapshot without a question (none is answered here).
    Report->ReportOptions()->Password = "\x5b\x6c\x7d";
    buffer.AddUndo(Report.get());
    buffer.AddUndo(Report.get());
    buffer.Undo(Report.get());
    EXPECT_FALSE(Report->InternalReload);
}

TEST_F(Undo, ThirtyEditsUndoneAndRedoneGiveBackBothTexts) {
    TvrUndoBuffer buffer(Designer->PictureCache());
    auto* band = Add<TvrMasterData>(Page, 0, 100, 700, 40);
    for (int i = 0; i < 5; ++i) Add<TvrMemoView>(band, 10 + 100 * i, 5, 80, 20);
    const String opened = SnapshotText(Report.get());
    buffer.AddUndo(Report.get());
    for (int i = 0; i < 30; ++i) {
        auto* memo = dynamic_cast<TvrMemoView*>(Report->FindObject("Memo" + std::to_string(1 + i % 5)));
        ASSERT_NE(memo, nullptr);
        memo->SetLeft(memo->Left() + 1);
        memo->SetText(Utf8ToWide("合计 " + std::to_string(i)));
        buffer.AddUndo(Report.get());
        buffer.ClearRedo();
    }
    const String edited = SnapshotText(Report.get());
    for (int i = 0; i < 30; ++i) {
        buffer.AddRedo(Report.get());
        buffer.Undo(Report.get());
    }
    EXPECT_EQ(SnapshotText(Report.get()), opened);
    for (int i = 0; i < 30; ++i) {
        buffer.Redo(Report.get());
        buffer.AddUndo(Report.get());
    }
    EXPECT_EQ(SnapshotText(Report.get()), edited);
}

using Clip = HostDesignerTest;

TEST_F(Clip, TheTextBeginsWithTheHeaderAndOnlySuchTextIsPasteable) {
    auto* memo = Add<TvrMemoView>(Page, 10, 10, 100, 20);
    Select({memo});
    TvrClipboard clipboard(Designer.get());
    clipboard.Copy();
    const String text = Clipboard()->AsText();
    EXPECT_EQ(text.substr(0, 17), String("#DI3 clipboard#\n\r"));
    EXPECT_TRUE(clipboard.PasteAvailable());
    Clipboard()->SetAsText("#DI3 clipboarX#\n\r<TvrMemoView/>");
    EXPECT_FALSE(clipboard.PasteAvailable());
    Clipboard()->SetAsText("");
    EXPECT_FALSE(clipboard.PasteAvailable());
}

TEST_F(Clip, BandsAndChildrenCopiedTogetherOrAlone) {
    auto* band = Add<TvrMasterData>(Page, 0, 100, 700, 40);
    auto* a = Add<TvrMemoView>(band, 30, 5, 80, 20);
    auto* b = Add<TvrMemoView>(band, 200, 10, 80, 20);
    Ws->AdjustBands(true);
    TvrClipboard clipboard(Designer.get());
    auto elements = [&](std::initializer_list<TvrComponent*> selection) {
        Selected() = selection;
        const String text = clipboard.CopyText();
        std::vector<String> names;
        for (size_t at = 0; (at = text.find(" Name=\"", at)) != String::npos; at += 7)
            names.push_back(text.substr(at + 7, text.find('"', at + 7) - at - 7));
        return names;
    };
    EXPECT_EQ(elements({band}), (std::vector<String>{band->Name(), a->Name(), b->Name()}));
    EXPECT_EQ(elements({band, b}), (std::vector<String>{band->Name(), b->Name()}));
    // A child alone lands at its offset from the selection's corner.
    Selected() = {a, b};
    clipboard.PasteText(clipboard.CopyText());
    ASSERT_EQ(Selected().size(), 2u);
    EXPECT_EQ(Selected()[0]->Parent(), Page);
    EXPECT_NEAR(Selected()[0]->Left(), 0, Eps);
    EXPECT_NEAR(Selected()[0]->Top(), 0, Eps);
    EXPECT_NEAR(Selected()[1]->Left(), 170, Eps);
    EXPECT_NEAR(Selected()[1]->Top(), 5, Eps);
    // A band with its children: only the band is selected, the children are in it.
    Selected() = {band};
    clipboard.PasteText(clipboard.CopyText());
    ASSERT_EQ(Selected().size(), 1u);
    ASSERT_EQ(Selected()[0]->Children().size(), 2u);
    EXPECT_NEAR(Selected()[0]->Children()[1]->Top(), 10, Eps);
}

TEST_F(Clip, PastedObjectsThatDoNotFitThePageAreDropped) {
    auto* header = Add<TvrPageHeader>(Page, 0, 20, 700, 30);
    auto* memo = Add<TvrMemoView>(header, 10, 5, 80, 20);
    TvrClipboard clipboard(Designer.get());
    Selected() = {header};
    const String headerText = clipboard.CopyText();
    Selected() = {memo};
    const String memoText = clipboard.CopyText();
    const size_t before = Page->AllObjects().size();
    clipboard.PasteText(headerText);
    ASSERT_EQ(Selected().size(), 1u) << "a second page header is dropped";
    EXPECT_NE(dynamic_cast<TvrMemoView*>(Selected()[0]), nullptr);
    EXPECT_EQ(Selected()[0]->Parent(), Page) << "its text object lands on the page";
    EXPECT_EQ(Page->AllObjects().size(), before + 1);
    auto* dialog = new TvrDialogPage(Report.get());
    UsePage(dialog);
    clipboard.PasteText(memoText);
    EXPECT_TRUE(dialog->AllObjects().empty());
    auto* reportPage = new TvrReportPage(Report.get());
    UsePage(new TvrDMPPage(Report.get()));
    auto* dmp = Add<TvrDMPMemoView>(Page, 0, 0, 80, 17);
    Selected() = {dmp};
    const String dmpText = clipboard.CopyText();
    UsePage(reportPage);
    clipboard.PasteText(dmpText);
    EXPECT_TRUE(reportPage->AllObjects().empty());
}

TEST_F(Clip, TakenNamesGetTheSmallestFreeNumberAndGroupsAreDropped) {
    auto* m1 = Add<TvrMemoView>(Page, 10, 10, 80, 20);
    auto* m2 = Add<TvrMemoView>(Page, 10, 40, 80, 20);
    m1->GroupIndex = m2->GroupIndex = 3;
    ASSERT_EQ(m1->Name(), "Memo1");
    TvrClipboard clipboard(Designer.get());
    Selected() = {m1, m2};
    const String text = clipboard.CopyText();
    delete m2;
    Reload();
    clipboard.PasteText(text);
    ASSERT_EQ(Selected().size(), 2u);
    EXPECT_EQ(Selected()[0]->Name(), "Memo2") << "Memo1 is taken";
    EXPECT_EQ(Selected()[1]->Name(), "Memo3") << "Memo2 is free no more";
    EXPECT_EQ(Selected()[0]->GroupIndex, 0);
}

TEST_F(Clip, MalformedTextStopsKeepingWhatCameBefore) {
    auto* memo = Add<TvrMemoView>(Page, 10, 10, 80, 20);
    memo->SetName("First");
    TvrClipboard clipboard(Designer.get());
    Selected() = {memo};
    const String text = clipboard.CopyText() + "<TvrMemoView Name=\"Second\" l=\"1<\"/>";
    delete memo;
    Reload();
    try {
        clipboard.PasteText(text);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid file format");
    }
    EXPECT_NE(Report->FindObject("First"), nullptr);
    EXPECT_EQ(Report->FindObject("Second"), nullptr);
}

TEST_F(Clip, UnicodeTextSurvivesCopyAndPaste) {
    auto* memo = Add<TvrMemoView>(Page, 10, 10, 80, 20);
    memo->SetText(Utf8ToWide("😀 한 合计"));
    TvrClipboard clipboard(Designer.get());
    Selected() = {memo};
    clipboard.Copy();
    clipboard.Paste();
    ASSERT_EQ(Selected().size(), 1u);
    auto* pasted = dynamic_cast<TvrMemoView*>(Selected()[0]);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(WideToUtf8(pasted->Text()), "😀 한 合计\r\n");
}

TEST_F(Clip, APagePastedWholePreparesTheSamePage) {
    auto* title = Add<TvrReportTitle>(Page, 0, 20, 700, 40);
    Add<TvrMemoView>(title, 10, 5, 200, 20)->SetText(Utf8ToWide("标题"));
    auto* data = Add<TvrMasterData>(Page, 0, 80, 700, 30);
    Add<TvrMemoView>(data, 20, 5, 100, 20)->SetText(Utf8ToWide("[Line#]"));
    Add<TvrShapeView>(data, 200, 2, 40, 20);
    data->SetRowCount(3);
    Ws->AdjustBands(true);
    TvrClipboard clipboard(Designer.get());
    Selected() = {title, data};
    const String text = clipboard.CopyText();

    TvrReport other(nullptr);
    auto* page = new TvrReportPage(&other);
    page->LeftMargin = page->TopMargin = page->RightMargin = page->BottomMargin = 10;
    TStandInDesigner target(&other);
    target.SelectPage(page);
    TvrClipboard into(&target);
    into.PasteText(text);
    ASSERT_EQ(target.DesignerSelection.size(), 2u);
    // The pasted bands sit at the corner; in place they stack like the original.
    for (TvrComponent* band : page->Children()) band->SetTop(band->Top() + 20);
    ASSERT_TRUE(Report->PrepareReport());
    ASSERT_TRUE(other.PrepareReport());
    // Every prepared object, page by page, names aside.
    auto describe = [](TvrReport& r) {
        auto* pages = static_cast<TvrPreviewPages*>(r.PreparedPages());
        std::vector<String> lines;
        for (int i = 0; i < pages->GetPageCount(); ++i)
            for (TvrComponent* o : pages->GetPreparedPage(i)->AllObjects()) {
                String line = o->ClassName() + " " + FloatToStr(o->AbsLeft()) + " " + FloatToStr(o->AbsTop()) + " " +
                              FloatToStr(o->Width()) + " " + FloatToStr(o->Height());
                if (auto* m = dynamic_cast<TvrCustomMemoView*>(o)) line += " " + WideToUtf8(m->Text());
                lines.push_back(line);
            }
        return lines;
    };
    const std::vector<String> original = describe(*Report);
    EXPECT_GT(original.size(), 6u);
    EXPECT_EQ(describe(other), original);
}

TEST_F(Clip, PagesAndReportsInForeignTextAreNotPasted) {
    TvrClipboard clipboard(Designer.get());
    for (const char* element : {"<TvrReportPage Name=\"Page9\"/>", "<TvrDialogPage Name=\"Dialog9\"/>"}) {
        SCOPED_TRACE(element);
        const size_t pages = Report->Children().size();
        clipboard.PasteText(String("#DI3 clipboard#\n\r") + element);
        EXPECT_EQ(Selected(), TvrObjectList{Page});
        EXPECT_TRUE(Page->AllObjects().empty());
        EXPECT_EQ(Report->Children().size(), pages);
    }
}

TEST(DesignerComponent, RestrictionsOfTheLastComponentMade) {
    EXPECT_TRUE(IsAllowed(drDontInsertObject)) << "no component allows everything";
    {
        TvrDesigner first(nullptr);
        TvrDesigner second(nullptr);
        EXPECT_EQ(DesignerComponent, &second);
        second.Restrictions.Include(drDontDeletePage);
        EXPECT_FALSE(IsAllowed(drDontDeletePage));
        EXPECT_TRUE(IsAllowed(drDontInsertObject));
    }
    EXPECT_EQ(DesignerComponent, nullptr);
    EXPECT_TRUE(IsAllowed(drDontDeletePage));
}

TEST(SampleFormat, NewTextsStartWithTheDesignersDefaults) {
    vrStartUp();
    TvrDesigner designer(nullptr);
    TFont font;
    font.SetName("SimSun");
    font.SetHeight(-13);
    designer.SetDefaultFont(&font);
    designer.RTLLanguage = true;
    TSampleFormat sample;
    TvrMemoView memo(nullptr);
    sample.ApplyTo(&memo);
    EXPECT_EQ(memo.Font()->Name(), "SimSun");
    EXPECT_TRUE(memo.RTLReading);
    memo.HAlign = haRight;
    memo.Color = clYellow;
    sample.TakeFrom(&memo);
    TvrMemoView next(nullptr);
    sample.ApplyTo(&next);
    EXPECT_EQ(next.HAlign, haRight);
    EXPECT_EQ(next.Color, clYellow);
    // A dot-matrix text keeps its own font.
    TvrDMPMemoView dmp(nullptr);
    const String dmpFont = dmp.Font()->Name();
    sample.ApplyTo(&dmp);
    EXPECT_EQ(dmp.Font()->Name(), dmpFont);
    EXPECT_EQ(dmp.HAlign, haRight);
}
