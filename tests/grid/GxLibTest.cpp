// The grid library's small units: the memory stream's capacity step, bookmark comparison and master
// data sets, the interceptor registry and the form interceptor, and the library texts.
#include "grid/GxLibConsts.h"
#include "grid/GxLibVCL.h"
#include "grid/PropFilerGx.h"

#include "classes/Collection.h"
#include "classes/MetaProps.h"
#include "platform/db/DbFixture.h"

#include <gtest/gtest.h>

TEST(MemoryStreamGx, CapacityGrowsInSteps) {
    TMemoryStreamGx s;
    EXPECT_EQ(s.HalfStep(), 4096);
    EXPECT_EQ(s.Capacity(), 0);
    const char one = 'x';
    s.WriteBuffer(&one, 1);
    EXPECT_EQ(s.Capacity(), 8192);
    std::vector<char> block(8192, 'y');
    s.WriteBuffer(block.data(), static_cast<Int64>(block.size()));
    EXPECT_EQ(s.Size(), 8193);
    EXPECT_EQ(s.Capacity(), 16384);
    s.Clear();
    EXPECT_EQ(s.Capacity(), 0);
    EXPECT_EQ(s.Size(), 0);
    // Setting a larger size grows by the step too; the data stays.
    s.WriteBuffer(block.data(), 100);
    s.SetSize(9000);
    EXPECT_EQ(s.Capacity(), 16384);
    EXPECT_EQ(s.Size(), 9000);
    EXPECT_EQ(s.Memory()[99], 'y');
}

// Written piece by piece, the block at least doubles each time it grows: 10 MB take a dozen
// blocks, not the thousand-odd copies of the whole data that growing by one step made (the
// clipboard copy and the RTF export of a large grid stalled on them).
TEST(MemoryStreamGx, GrowingBlockAtLeastDoubles) {
    TMemoryStreamGx s;
    const std::string piece(100, 'x');
    int blocks = 0;
    Int64 capacity = 0;
    for (int i = 0; i < 100000; ++i) {
        s.WriteBuffer(piece.data(), 100);
        if (s.Capacity() != capacity) {
            EXPECT_GE(s.Capacity(), 2 * capacity);
            ++blocks;
            capacity = s.Capacity();
        }
    }
    EXPECT_EQ(s.Size(), 10000000);
    EXPECT_LE(blocks, 12);
    EXPECT_EQ(capacity % 8192, 0);
    EXPECT_EQ(s.Memory()[9999999], 'x');
}

TEST(MemoryStreamGx, FailedGrowthKeepsTheOldBlock) {
    TMemoryStreamGx s;
    const char data[] = "abc";
    s.WriteBuffer(data, 3);
    try {
        s.SetSize(Int64(1) << 62);
        FAIL() << "no error";
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), "Out of memory while expanding memory stream");
    }
    EXPECT_EQ(s.Capacity(), 8192);
    EXPECT_EQ(s.Size(), 3);
    EXPECT_EQ(s.Memory()[2], 'c');
}

TEST(MemoryStream, PlainStreamStillGrowsAndShrinks) {
    TMemoryStream s;
    std::vector<char> block(5000, 'z');
    s.WriteBuffer(block.data(), 5000);
    EXPECT_GE(s.Capacity(), 5000);
    s.SetSize(10);
    EXPECT_EQ(s.Size(), 10);
    s.Clear();
    EXPECT_EQ(s.Capacity(), 0);
}

class GxLibDbTest : public DbTest {};

TEST_F(GxLibDbTest, BookmarksCompareInRecordOrderAndMastersAreFound) {
    Run("create table T_a (F_ID counter, F_v long)");
    for (int i = 0; i < 3; ++i)
        Run("insert into T_a (F_v) values (" + std::to_string(i) + ")");
    auto q = Query("select * from T_a order by F_v");
    q->Open();
    const TBookmark first = q->GetBookmark();
    q->Last();
    const TBookmark last = q->GetBookmark();
    EXPECT_LT(CompareBookmarkStrings(q.get(), first, last), 0);
    EXPECT_GT(CompareBookmarkStrings(q.get(), last, first), 0);
    EXPECT_EQ(CompareBookmarkStrings(q.get(), last, last), 0);

    // A table with a master source; a query has no such property; an empty one gives nothing.
    TADOTable table;
    EXPECT_EQ(GetMasterDataSet(&table, GetPropInfo(&table, "MasterSource")), nullptr);
    TDataSource source;
    source.SetDataSet(q.get());
    table.SetDataSource(&source);
    EXPECT_EQ(GetMasterDataSet(&table, GetPropInfo(&table, "MasterSource")), q.get());
    EXPECT_EQ(GetPropInfo(q.get(), "MasterSource"), nullptr);
    EXPECT_EQ(GetMasterDataSet(q.get(), GetPropInfo(q.get(), "MasterSource")), nullptr);
    // A property of another kind.
    EXPECT_EQ(GetMasterDataSet(q.get(), GetPropInfo(q.get(), "Active")), nullptr);
    EXPECT_EQ(GetMasterDataSet(nullptr, GetPropInfo(&table, "MasterSource")), nullptr);
}

namespace {

struct TFirstInterceptor : TStoragePropertyInterceptor {
    using TStoragePropertyInterceptor::TStoragePropertyInterceptor;
};

// Read back on a screen of 120 pixels per inch.
class TScreen120Interceptor : public TFormStoragePropertyInterceptor {
public:
    using TFormStoragePropertyInterceptor::TFormStoragePropertyInterceptor;

protected:
    int ScreenPixelsPerInch() const override { return 120; }
};

} // namespace

TEST(PropFilerGx, ASecondInterceptorReplacesTheFirst) {
    const meta::TClassInfo* form = &TCustomForm::StaticClassInfo();
    EXPECT_EQ(InterceptorClassFor(form), &TFormStoragePropertyInterceptor::StaticClassInfo());
    const meta::TClassInfo* target = &TCollection::StaticClassInfo();
    RegisterInterceptorClass(target, &TStoragePropertyInterceptor::StaticClassInfo());
    RegisterInterceptorClass(target, &TFormStoragePropertyInterceptor::StaticClassInfo());
    EXPECT_EQ(InterceptorClassFor(target), &TFormStoragePropertyInterceptor::StaticClassInfo());
    // Removal takes only the exact pair.
    UnregisterInterceptorClass(target, &TStoragePropertyInterceptor::StaticClassInfo());
    EXPECT_EQ(InterceptorClassFor(target), &TFormStoragePropertyInterceptor::StaticClassInfo());
    UnregisterInterceptorClass(target, &TFormStoragePropertyInterceptor::StaticClassInfo());
    EXPECT_EQ(InterceptorClassFor(target), nullptr);
    TFirstInterceptor plain(nullptr);
    EXPECT_TRUE(plain.WantsInterception());
}

TEST(PropFilerGx, FormPlacementIsScaledToTheScreen) {
    TForm form(nullptr);
    form.SetPosition(poScreenCenter);
    TScreen120Interceptor reader(&form);
    SetPropValue(&reader, "PixelsPerInch", 96);
    SetPropValue(&reader, "Left", 100);
    SetPropValue(&reader, "Top", 40);
    SetPropValue(&reader, "Width", 400);
    SetPropValue(&reader, "Height", 200);
    EXPECT_TRUE(reader.PositionAssigned());
    reader.ReadingDone();
    EXPECT_EQ(form.Left(), 125);
    EXPECT_EQ(form.Top(), 50);
    EXPECT_EQ(form.Width(), 500);
    EXPECT_EQ(form.Height(), 250);
    EXPECT_EQ(form.Position(), poDesigned);
    // Reading the placement gives the form's own.
    EXPECT_EQ(GetOrdProp(&reader, "Left"), 125);
}

TEST(GxLibConsts, TextsByIdentifier) {
    struct {
        int Id;
        const char* Text;
    } cases[] = {{SCutGx, "Cut"},
                 {SSelectAllGx, "Select All"},
                 {SEmptyFilterGx, "(Empty)"},
                 {SOrderByDescendingGx, "(Order by descending)"},
                 {SInvalidVCLDBIFFormatGx, "Invalid VCLDBIF format"},
                 {SPageOfPagesGx, "Page %d of %d"},
                 {SPreviewGx, "预览"},
                 {SFieldNameNotFoundGx, "Field name '%s' not found"},
                 {SVisibleColumnsGx, "Visible columns"},
                 {SNullGx, "Null"},
                 {SQuoteIsAbsentGx, "Quote is absent: "},
                 {SUnexpectedANDorORGx, "Unexpected AND or OR: "},
                 {SNotWordGx, "Not"},
                 {SInWordGx, "In"},
                 {SLikeWordGx, ""},
                 {64900, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(GxLibText(c.Id), c.Text) << c.Id;
}
