// The shared designer fixture holds what the later designer tests take for granted.
#include "DesignerFixture.h"

#include "report/vrRes.h"

TEST_F(DesignerTest, HousesOfThreeEstatesBehindTheReportsDataSet) {
    EXPECT_EQ(Rows("select count(*), min(F_buildArea), max(F_buildArea) from T_FCinfo"), "36,60.5,126");
    for (const char* estate : Estates)
        EXPECT_EQ(Rows(String("select count(*) from T_FCinfo where F_XQname = '") + estate + "'"), "12")
            << estate;
    const TvrDataSetItem* item = Report->Datasets()->FindByName("vrDM");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->DataSet(), vrDM);
    Houses->Open();
    EXPECT_EQ(Houses->RecordCount(), 36);
    EXPECT_EQ(Houses->FieldByName("F_XQname")->AsString(), "翠湖花园");
    EXPECT_EQ(GetResources().GetString("dsCode"), "代码") << "the designer's texts are loaded";
}
