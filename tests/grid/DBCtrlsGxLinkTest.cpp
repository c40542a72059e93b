// The field data link over a query on a temporary database, standalone and bound, and the settings
// of the edit's image.
#include "grid/DBCtrlsGxLink.h"
#include "gui/Controls.h"
#include "gui/ImgList.h"
#include "platform/db/DbFixture.h"

namespace {

// Counts the link's hooks and remembers what the control would show on each data change.
struct THookLog {
    int DataChanges = 0;
    int EditingChanges = 0;
    int UpdateDatas = 0;
    int ActiveChanges = 0;
    String Shown;
    void Attach(TFieldDataLinkGx& link) {
        link.OnLinkDataChange = [this](TFieldDataLinkGx* l) {
            ++DataChanges;
            if (l->Standalone())
                Shown = VarToStr(l->StandaloneValue());
            else if (TField* f = l->BoundField())
                Shown = f->AsString();
        };
        link.OnLinkEditingChange = [this](TFieldDataLinkGx*) { ++EditingChanges; };
        link.OnLinkUpdateData = [this](TFieldDataLinkGx*) { ++UpdateDatas; };
        link.OnLinkActiveChange = [this](TFieldDataLinkGx*) { ++ActiveChanges; };
    }
};

class FieldLinkTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        Run("create table T_house (F_ID counter, F_name text(20), F_note text(10))");
        Run("insert into T_house (F_name, F_note) values ('East', 'n1')");
        Q = Query("select * from T_house");
        Q->Open();
        Source.SetDataSet(Q.get());
    }
    std::unique_ptr<TADOQuery> Q;
    TDataSource Source;
};

TEST(FieldLinkStandalone, StartEditOpensEditingUnlessReadOnly) {
    for (bool readOnly : {false, true}) {
        TFieldDataLinkGx link;
        THookLog log;
        log.Attach(link);
        link.SetReadOnly(readOnly);
        EXPECT_TRUE(link.Standalone());
        EXPECT_TRUE(link.IsLinkActive());
        EXPECT_TRUE(link.CanModifyValue());
        EXPECT_EQ(link.StartEdit(), !readOnly) << readOnly;
        EXPECT_EQ(log.EditingChanges, readOnly ? 0 : 1);
        EXPECT_EQ(link.StartEdit(), !readOnly); // a second start changes nothing
        EXPECT_EQ(log.EditingChanges, readOnly ? 0 : 1);
    }
}

TEST(FieldLinkStandalone, PutFieldTextStoresAndShowsTheValueAndUpdateDataClosesEditing) {
    TFieldDataLinkGx link;
    THookLog log;
    log.Attach(link);
    EXPECT_TRUE(VarIsNull(link.StandaloneValue()));
    link.StartEdit();
    link.MarkModified();
    link.PutFieldText("abc");
    EXPECT_EQ(VarToStr(link.StandaloneValue()), "abc");
    EXPECT_EQ(log.Shown, "abc");
    EXPECT_FALSE(link.LinkModified()); // the record change reloaded the control
    link.MarkModified();
    link.UpdateRecord();
    EXPECT_EQ(log.UpdateDatas, 1);
    EXPECT_FALSE(link.LinkEditing());
    EXPECT_FALSE(link.LinkModified());
    link.UpdateRecord(); // not modified: no hook
    EXPECT_EQ(log.UpdateDatas, 1);
    link.PutFieldValue(Variant(42));
    EXPECT_EQ(log.Shown, "42");
}

TEST_F(FieldLinkTest, BindingEndsStandaloneAndUnbindingReturnsWithAFreshNull) {
    TFieldDataLinkGx link;
    THookLog log;
    log.Attach(link);
    link.PutFieldText("kept");
    link.SetDataSource(&Source);
    EXPECT_FALSE(link.Standalone());
    EXPECT_FALSE(link.IsLinkActive()); // no field yet
    EXPECT_FALSE(link.CanModifyValue());
    link.SetBoundFieldName("F_name");
    EXPECT_TRUE(link.IsLinkActive());
    EXPECT_EQ(log.Shown, "East");
    link.SetBoundFieldName("");
    link.SetDataSource(nullptr);
    EXPECT_TRUE(link.Standalone());
    EXPECT_TRUE(VarIsNull(link.StandaloneValue()));
    EXPECT_EQ(log.Shown, "");
}

TEST_F(FieldLinkTest, ANameDifferingOnlyInCaseIsAChangeAndAMissingNameRaises) {
    TFieldDataLinkGx link;
    link.SetDataSource(&Source);
    link.SetBoundFieldName("F_name");
    THookLog log;
    log.Attach(link);
    link.SetBoundFieldName("F_name");
    EXPECT_EQ(log.DataChanges, 0);
    link.SetBoundFieldName("f_NAME");
    EXPECT_EQ(link.BoundFieldName(), "f_NAME");
    EXPECT_EQ(log.DataChanges, 1);
    EXPECT_EQ(link.BoundField(), Q->FieldByName("F_name"));
    try {
        link.SetBoundFieldName("F_missing");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Field 'F_missing' not found");
    }
}

TEST_F(FieldLinkTest, BoundEditingFollowsTheDataSetAndUpdateDataRunsOnlyWhenModified) {
    TFieldDataLinkGx link;
    link.SetDataSource(&Source);
    link.SetBoundFieldName("F_name");
    THookLog log;
    log.Attach(link);
    EXPECT_TRUE(link.StartEdit());
    EXPECT_EQ(Q->State(), dsEdit);
    EXPECT_EQ(log.EditingChanges, 1);
    Q->Post(); // not modified: the post asks, nothing is stored
    EXPECT_EQ(log.UpdateDatas, 0);
    EXPECT_FALSE(link.LinkEditing());
    link.StartEdit();
    link.MarkModified();
    link.PutFieldText("West");
    link.MarkModified();
    Q->Post();
    EXPECT_EQ(log.UpdateDatas, 1);
    EXPECT_FALSE(link.LinkModified());
    EXPECT_EQ(Rows("select F_name from T_house"), "West");
}

TEST_F(FieldLinkTest, AChangeOfAnotherFieldDoesNothingAndOfTheBoundFieldReloads) {
    TFieldDataLinkGx link;
    link.SetDataSource(&Source);
    link.SetBoundFieldName("F_name");
    THookLog log;
    log.Attach(link);
    link.StartEdit();
    log.DataChanges = 0; // entering edit state reloads the record
    link.MarkModified();
    Q->FieldByName("F_note")->SetAsString("n2");
    EXPECT_EQ(log.DataChanges, 0);
    EXPECT_TRUE(link.LinkModified());
    Q->FieldByName("F_name")->SetAsString("North");
    EXPECT_EQ(log.DataChanges, 1);
    EXPECT_EQ(log.Shown, "North");
    EXPECT_FALSE(link.LinkModified());
}

TEST_F(FieldLinkTest, TheDisabledStateEventEmptiesAndResolvesTheFields) {
    TFieldDataLinkGx link;
    link.SetDataSource(&Source);
    link.SetBoundFieldName("F_name");
    link.DataEvent(deDisabledStateChangeGx, 0);
    EXPECT_EQ(link.BoundFieldCount(), 0);
    EXPECT_FALSE(link.IsLinkActive());
    link.DataEvent(deDisabledStateChangeGx, 0x101); // only the low byte counts
    EXPECT_EQ(link.BoundFieldCount(), 1);
    link.DataEvent(deDisabledStateChangeGx, 0x100);
    EXPECT_EQ(link.BoundFieldCount(), 0);
}

TEST_F(FieldLinkTest, ClosingTheDataSetTellsTheActiveHookAndDropsTheField) {
    TFieldDataLinkGx link;
    link.SetDataSource(&Source);
    link.SetBoundFieldName("F_name");
    THookLog log;
    log.Attach(link);
    Q->Close();
    EXPECT_EQ(log.ActiveChanges, 1);
    EXPECT_EQ(link.BoundField(), nullptr);
    Q->Open();
    EXPECT_EQ(link.BoundField(), Q->FieldByName("F_name"));
}

// A window control that counts the image-changed messages it receives.
class TImageOwner : public TWinControl {
public:
    TImageOwner() : TWinControl(nullptr) {}
    Integer Perform(Cardinal Msg, std::uintptr_t WParam, std::intptr_t LParam) override {
        if (Msg == CM_EDITIMAGECHANGEDGX) ++ImageMessages;
        return TWinControl::Perform(Msg, WParam, LParam);
    }
    int ImageMessages = 0;
};

TEST(EditImage, TheSameImagesTwiceSendsOneMessage) {
    TImageOwner owner;
    TImageList images(16, 16);
    TEditImageGx image(&owner);
    image.SetImages(&images);
    image.SetImages(&images);
    EXPECT_EQ(owner.ImageMessages, 1);
    image.SetVisible(true);
    image.SetWidth(20);
    image.SetUseImageHeight(false);
    image.SetImageIndex(3); // a repaint, no message
    EXPECT_EQ(owner.ImageMessages, 4);
}

TEST(EditImage, AssignCopiesAllButUseImageHeight) {
    TImageOwner a, b;
    TImageList images(16, 16);
    TEditImageGx source(&a), target(&b);
    source.SetImages(&images);
    source.SetImageIndex(2);
    source.SetVisible(true);
    source.SetWidth(18);
    source.SetUseImageHeight(false);
    target.Assign(&source);
    EXPECT_EQ(target.Images(), &images);
    EXPECT_EQ(target.ImageIndex(), 2);
    EXPECT_TRUE(target.Visible());
    EXPECT_EQ(target.Width(), 18);
    EXPECT_TRUE(target.UseImageHeight());
}

} // namespace
