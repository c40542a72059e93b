// The date that is not set, as lists, dialogs and the export read it.
#include "app/core/NotSetDate.h"
#include "GridServicesFixture.h"

#include "gui/ComCtrls.h"
#include "rtl/DateUtils.h"

namespace {

TEST(NotSetDate, ATextBefore19010814IsNotSet) {
    const struct {
        const char* Text;
        bool NotSet;
    } cases[] = {{"1900-08-14", true},  {" 1900-08-14 ", true}, {"", true},           {"1901-08-13", true},
                 {"1901-08-14", false}, {"2024-03-05", false},  {"3000-08-14", false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsDateNotSet(c.Text), c.NotSet) << c.Text;
}

using NotSetDateFields = GridServices;

TEST_F(NotSetDateFields, ListsShowItEmptyAndTheFieldsTellIt) {
    Dm->ADOcnn()->Execute("create table T_d (F_ID counter, F_date datetime, F_text text(20))");
    Dm->ADOcnn()->Execute("insert into T_d (F_date, F_text) values (#1900-08-14#, '1900-08-14')");
    Dm->ADOcnn()->Execute("insert into T_d (F_date, F_text) values (null, '007')");
    Dm->ADOcnn()->Execute("insert into T_d (F_date, F_text) values (#2024-03-05#, '2024-03-05')");
    AddColumn(Grid, "F_date", "日期");
    Show("select F_date, F_text from T_d order by F_ID");
    ShowNotSetDateEmpty(*Query->FieldByName("F_date"));
    const struct {
        bool DateNotSet, TextNotSet;
        const char* Shown;
    } rows[] = {{true, true, ""}, {true, false, ""}, {false, false, "2024-03-05"}};
    for (const auto& r : rows) {
        EXPECT_EQ(IsDateNotSet(*Query->FieldByName("F_date")), r.DateNotSet);
        EXPECT_EQ(IsDateNotSet(*Query->FieldByName("F_text")), r.TextNotSet);
        EXPECT_EQ(Grid->Columns()->ColumnAt(0)->CurrentCellText(), r.Shown);
        Query->Next();
    }
}

TEST_F(NotSetDateFields, DialogsShowTodayUntickedAndStoreTheNotSetDate) {
    const TClockOverride clock(EncodeDateTime(2024, 3, 5, 9, 30, 0, 0));
    TDateTimePicker picker(&Form);
    picker.SetParent(&Form);
    picker.SetShowCheckbox(true);
    DateToPicker(picker, "1900-08-14");
    EXPECT_FALSE(picker.Checked());
    EXPECT_EQ(picker.Date(), EncodeDate(2024, 3, 5));
    EXPECT_EQ(DateFromPicker(picker), NotSetDateText);
    DateToPicker(picker, "2023-12-31");
    EXPECT_TRUE(picker.Checked());
    EXPECT_EQ(DateFromPicker(picker), "2023-12-31");
}

} // namespace
