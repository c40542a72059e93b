// The cleaning, patrol and suggestion registers: their search columns, the continuous add of a
// cleaning record, the patrol time kept to the second, the suggestion number's checks, and the
// side grouping list of the suggestions (its rows, its condition, the operator's estates).
#include "RegistersFixture.h"

#include "app/registers/ListSearchPanel.h"
#include "app/registers/uFrmBJinfoEdit.h"
#include "app/registers/uFrmBJinfoGL.h"
#include "app/registers/uFrmXLinfoEdit.h"
#include "app/registers/uFrmXLinfoGL.h"
#include "app/registers/uFrmYJinfoEdit.h"
#include "app/registers/uFrmYJinfoGL.h"

#include "grid/DBGridGx.h"
#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"

namespace {

class SiteRegisters : public Registers {
protected:
    void SetUp() override {
        Registers::SetUp();
        Dm->RunSQL("insert into T_BJinfo (F_code, F_type, F_area, F_FZRemp, F_date, F_YSmem, F_memo1, F_XQname) "
                   "values ('000001', '保洁', '东区', '张三', '2026-03-01', '合格', '楼道', '" +
                   seed::EstateA + "')");
        Dm->RunSQL("insert into T_BJinfo (F_code, F_type, F_area, F_FZRemp, F_date, F_YSmem, F_memo1, F_XQname) "
                   "values ('000002', '绿化', '西区', '李四', '2026-03-02', '', '草坪', '" +
                   seed::EstateB + "')");
        Dm->RunSQL("insert into T_XLinfo (F_code, F_DSRemp, F_type, F_area, F_CLRemp, F_date, F_time, F_CLmem, "
                   "F_memo1, F_XQname) values ('000001', '王五', '盗窃', '东区', '赵六', '2026-03-03', "
                   "'08:30:15', '报警', '车库', '" +
                   seed::EstateA + "')");
        Dm->RunSQL("insert into T_XLinfo (F_code, F_DSRemp, F_type, F_area, F_CLRemp, F_date, F_time, F_XQname) "
                   "values ('000002', '王小五', '噪音', '西区', '钱七', '2026-03-04', '22:05:00', '" +
                   seed::EstateB + "')");
        const char* suggestions[][6] = {
            {"001", "101", "业主1", "服务", "已受理", "小王"},
            {"002", "102", "业主2", "环境", "未受理", "小李"},
            {"003", "103", "业主3", "服务", "已受理", "小李"},
        };
        int n = 0;
        for (const auto& s : suggestions)
            Dm->RunSQL(String("insert into T_YJinfo (F_code, F_YZcode, F_YZname, F_type, F_SLtype, F_JDemp, "
                              "F_SLemp, F_memo1, F_date, F_SLdate, F_XQname) values ('") +
                       s[0] + "', '" + s[1] + "', '" + s[2] + "', '" + s[3] + "', '" + s[4] + "', '" + s[5] +
                       "', '" + s[5] + "', '建议" + s[0] + "', '2026-03-01', '2026-03-02', '" +
                       (n++ == 1 ? seed::EstateB : seed::EstateA) + "')");
    }
    template <class T> static String Codes(T& list) {
        String codes;
        for (list.QryTable->First(); !list.QryTable->Eof(); list.QryTable->Next())
            codes += (codes.empty() ? "" : ",") + list.QryTable->FieldByName("F_code")->AsString();
        return codes;
    }
    // The rows of the side list as "key:value".
    static std::vector<String> GroupRows(TListWindow& list) {
        std::vector<String> rows;
        for (int i = 0; i < list.vleList->ItemCount(); ++i)
            rows.push_back(list.vleList->Items(i)->Caption() + ":" +
                           list.vleList->Items(i)->SubItems()->Strings(0));
        return rows;
    }
    static std::vector<String> Entries(TListWindow& list) {
        std::vector<String> entries;
        for (int i = 0; i < list.ComboBox1->Items()->Count(); ++i)
            entries.push_back(list.ComboBox1->Items()->Strings(i));
        return entries;
    }
    // Chooses a search column and types (or picks) the text.
    static void Search(TListWindow& list, int column, const String& text) {
        list.ComboBox1->SetItemIndex(column);
        list.SearchPanel->ColumnChanged();
        if (list.ComboBox2->Visible()) {
            list.ComboBox2->SetText(text);
            list.SpeedButton1->Click();
        } else
            list.Edit1->SetText(text);
    }
};

TEST_F(SiteRegisters, EachMemberSearchesItsColumns) {
    auto cleaning = Open<TfrmBJinfoGL>();
    auto patrol = Open<TfrmXLinfoGL>();
    auto suggestions = Open<TfrmYJinfoGL>();
    EXPECT_EQ(Entries(*cleaning), (std::vector<String>{"编号", "类型", "区域", "负责人", "备注"}));
    EXPECT_EQ(Entries(*patrol), (std::vector<String>{"档案编号", "当事人", "事件类型", "区域", "处理人"}));
    EXPECT_EQ(Entries(*suggestions), (std::vector<String>{"单据编号", "业主门牌", "业主姓名", "建议内容", "业主反馈"}));
    EXPECT_EQ(patrol->CheckBox2, nullptr); // no stop flag, no "包含已停用"
    EXPECT_EQ(suggestions->CheckBox2, nullptr);
    struct Case {
        TListWindow* List;
        int Column;
        String Text;
        String Codes;
        bool Coded;
    } cases[] = {
        {cleaning.get(), 0, "000002", "000002", false},
        {cleaning.get(), 0, "0002", "", false}, // starts with
        {cleaning.get(), 1, "化", "000002", true},
        {cleaning.get(), 2, "区", "000001,000002", false},
        {cleaning.get(), 3, "三", "000001", false},
        {cleaning.get(), 4, "坪", "000002", false},
        {patrol.get(), 0, "00000", "000001,000002", false},
        {patrol.get(), 1, "王小", "000002", false},
        {patrol.get(), 1, "小五", "", false}, // starts with
        {patrol.get(), 2, "盗", "000001", true},
        {patrol.get(), 3, "西", "000002", true},
        {patrol.get(), 4, "七", "000002", false},
        {suggestions.get(), 0, "03", "003", false}, // contains
        {suggestions.get(), 1, "10", "001,002,003", false},
        {suggestions.get(), 2, "2", "002", false},
        {suggestions.get(), 3, "建议00", "001,002,003", false},
        {suggestions.get(), 4, "x", "", false},
    };
    for (const Case& c : cases) {
        Search(*c.List, c.Column, c.Text);
        EXPECT_EQ(c.List->ComboBox2->Visible(), c.Coded) << c.List->Caption() << " " << c.Column;
        String codes;
        for (c.List->QryTable->First(); !c.List->QryTable->Eof(); c.List->QryTable->Next())
            codes += (codes.empty() ? "" : ",") + c.List->QryTable->FieldByName("F_code")->AsString();
        EXPECT_EQ(codes, c.Codes) << c.List->Caption() << " " << c.Column << " " << c.Text;
    }
    EXPECT_TRUE(Messages.empty());
}

TEST_F(SiteRegisters, AContinuousCleaningAddKeepsOnlyTheEstateAndStartsAtTheArea) {
    auto list = Open<TfrmBJinfoGL>();
    Play<TfrmBJinfoEdit>([&](TfrmBJinfoEdit* dialog) {
        EXPECT_EQ(dialog->Caption(), "保洁绿化资料 - 新增");
        EXPECT_EQ(dialog->edtCode->Text(), "000003");
        EXPECT_TRUE(dialog->edtCode->ReadOnly());
        EXPECT_FALSE(dialog->edtCode->TabStop());
        dialog->cbbXQname->SetText(seed::EstateB);
        dialog->cbbArea->SetText("北区");
        dialog->edtFZRemp->SetText("周八");
        dialog->cbbtype->SetText("保洁");
        dialog->dtpDate->SetDate(EncodeDate(2026, 2, 20));
        dialog->YSmem->SetText("  验收良好 ");
        dialog->Memo1->SetText("备注");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrNone);
        EXPECT_EQ(dialog->edtCode->Text(), "000004");
        EXPECT_EQ(dialog->cbbXQname->Text(), seed::EstateB);
        for (const String& text : {dialog->cbbArea->Text(), dialog->edtFZRemp->Text(), dialog->cbbtype->Text(),
                                   dialog->YSmem->Text(), dialog->Memo1->Text()})
            EXPECT_EQ(text, "");
        EXPECT_EQ(dialog->dtpDate->Date(), EncodeDate(2026, 3, 15));
        EXPECT_EQ(dialog->ActiveControl(), dialog->cbbArea);
        dialog->Button2->Click();
    });
    list->NewClick();
    EXPECT_EQ(One("select F_code, F_type, F_area, F_FZRemp, F_date, F_YSmem, F_memo1, F_XQname from T_BJinfo "
                  "where F_code = '000003'"),
              "000003|保洁|北区|周八|2026-02-20|  验收良好 |备注|" + seed::EstateB);
    EXPECT_EQ(list->QryTable->FieldByName("F_code")->AsString(), "000003");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(SiteRegisters, APatrolTimeIsShownAndSavedToTheSecond) {
    auto list = Open<TfrmXLinfoGL>();
    EXPECT_EQ(list->QryTable->FieldByName("F_time")->DisplayText(), "08:30:15");
    Play<TfrmXLinfoEdit>([&](TfrmXLinfoEdit* dialog) {
        EXPECT_EQ(FormatDateTime("hh:nn:ss", dialog->dtpTime->Time()), "08:30:15");
        EXPECT_EQ(dialog->dtpDate->Date(), EncodeDate(2026, 3, 3));
        EXPECT_TRUE(dialog->edtCode->ReadOnly());
        dialog->edtCLmem->SetText("  已处理  ");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk);
    });
    list->EditClick();
    // A time of day is stored on the day zero of the date-time column.
    EXPECT_EQ(One("select F_time, F_date, F_CLmem from T_XLinfo where F_code = '000001'"),
              "1899-12-30 08:30:15|2026-03-03|已处理");
    // A new record takes the time of now; the code may be typed while adding.
    Play<TfrmXLinfoEdit>([&](TfrmXLinfoEdit* dialog) {
        EXPECT_FALSE(dialog->edtCode->ReadOnly());
        EXPECT_EQ(FormatDateTime("hh:nn:ss", dialog->dtpTime->Time()), "10:30:00");
        dialog->edtDSRemp->SetText("孙九");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ActiveControl(), dialog->edtDSRemp);
        dialog->Button2->Click();
    });
    list->NewClick();
    EXPECT_EQ(One("select F_code, F_time from T_XLinfo where F_DSRemp = '孙九'"), "000003|1899-12-30 10:30:00");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(SiteRegisters, ASuggestionNumberIsRequiredAndUnique) {
    auto list = Open<TfrmYJinfoGL>();
    Play<TfrmYJinfoEdit>([&](TfrmYJinfoEdit* dialog) {
        EXPECT_EQ(dialog->edtCode->Text(), "004");
        dialog->edtCode->SetText("  ");
        dialog->edtYZname->SetText("新业主");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ActiveControl(), dialog->edtCode);
        dialog->edtCode->SetText(" 002 ");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ActiveControl(), dialog->edtCode);
        EXPECT_EQ(dialog->ModalResult(), mrNone);
        dialog->edtCode->SetText("009");
        dialog->Button1->Click(); // saved; the next record starts at 建议时间
        EXPECT_EQ(dialog->ActiveControl(), dialog->dtpDate);
        EXPECT_EQ(dialog->edtCode->Text(), "010");
        dialog->Button2->Click();
    });
    list->NewClick();
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{MsgSuggestionCodeEmpty, 0},
                                                             {MsgSuggestionCodeTaken, 0}}));
    EXPECT_EQ(Rows("select F_code from T_YJinfo where F_YZname = '新业主'"), std::vector<String>{"009"});
    // Editing another record into a taken number is refused too; its own number is not taken.
    Messages.clear();
    list->QryTable->Locate("F_code", String("001"));
    Play<TfrmYJinfoEdit>([&](TfrmYJinfoEdit* dialog) {
        dialog->edtYZcode->SetText("201");
        dialog->Button1->Click();
        EXPECT_EQ(dialog->ModalResult(), mrOk);
    });
    list->EditClick();
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(One("select F_YZcode from T_YJinfo where F_code = '001'"), "201");
}

TEST_F(SiteRegisters, TheSideListOffersEachValueOnceAndAllDropsTheCondition) {
    Dm->RunSQL("insert into T_YJinfo (F_code, F_type, F_XQname) values ('004', '', Null)");
    auto list = Open<TfrmYJinfoGL>();
    EXPECT_EQ(list->cbbListType->Text(), "内容类型");
    EXPECT_EQ(GroupRows(*list), (std::vector<String>{"0:全部", "1:服务", "2:环境"}));
    EXPECT_EQ(list->vleList->Column(1)->Caption(), "内容类型");
    EXPECT_EQ(list->vleList->ItemIndex(), 0);
    EXPECT_EQ(Codes(*list), "001,002,003,004");
    list->vleList->SetItemIndex(1);
    EXPECT_EQ(Codes(*list), "001,003");
    Search(*list, 2, "3"); // the search combines with the group
    EXPECT_EQ(Codes(*list), "003");
    list->Edit1->SetText("");
    list->vleList->SetItemIndex(0);
    EXPECT_EQ(Codes(*list), "001,002,003,004");

    struct Case {
        int Grouping;
        std::vector<String> Rows;
        String Caption;
        int Pick;
        String Codes;
    } cases[] = {
        {1, {"0:全部", "1:未受理", "2:已受理"}, "受理状态", 2, "001,003"},
        {2, {"0:全部", "1:业主1", "2:业主2", "3:业主3"}, "业主姓名", 2, "002"},
        {3, {"0:全部", "1:小李", "2:小王"}, "接待人员", 1, "002,003"},
        {4, {"0:全部", "1:小李", "2:小王"}, "受理人员", 2, "001"},
    };
    for (const Case& c : cases) {
        list->cbbListType->SetItemIndex(c.Grouping);
        list->cbbListType->OnChange(list->cbbListType);
        std::vector<String> rows = GroupRows(*list);
        std::sort(rows.begin() + 1, rows.end(), [](const String& a, const String& b) {
            return a.substr(a.find(':')) < b.substr(b.find(':'));
        });
        for (size_t i = 1; i < rows.size(); ++i) // the keys count the rows as listed
            rows[i] = "x" + rows[i].substr(rows[i].find(':'));
        std::vector<String> expected = c.Rows;
        for (size_t i = 1; i < expected.size(); ++i)
            expected[i] = "x" + expected[i].substr(expected[i].find(':'));
        std::sort(expected.begin() + 1, expected.end());
        EXPECT_EQ(rows, expected) << c.Caption;
        EXPECT_EQ(list->vleList->Column(1)->Caption(), c.Caption);
        EXPECT_EQ(Codes(*list), "001,002,003,004") << c.Caption; // filled with "全部"
        for (int i = 1; i < list->vleList->ItemCount(); ++i) {
            EXPECT_EQ(list->vleList->Items(i)->Caption(), IntToStr(i));
            if (list->vleList->Items(i)->SubItems()->Strings(0) == c.Rows[static_cast<size_t>(c.Pick)].substr(
                                                                      c.Rows[static_cast<size_t>(c.Pick)].find(':') + 1))
                list->vleList->SetItemIndex(i);
        }
        EXPECT_EQ(Codes(*list), c.Codes) << c.Caption;
    }
    // "刷新列表" fills the grouping again, with a value added meanwhile.
    Dm->RunSQL("insert into T_YJinfo (F_code, F_SLemp) values ('005', '小张')");
    list->Button1->Click();
    EXPECT_EQ(list->vleList->ItemCount(), 4);
    EXPECT_EQ(list->vleList->ItemIndex(), 0);
    EXPECT_TRUE(Messages.empty());
}

TEST_F(SiteRegisters, TheSideListOffersOnlyTheOperatorsEstates) {
    RestrictTo("'" + seed::EstateA + "'");
    auto list = Open<TfrmYJinfoGL>();
    list->cbbListType->SetItemIndex(2);
    list->cbbListType->OnChange(list->cbbListType);
    EXPECT_EQ(GroupRows(*list), (std::vector<String>{"0:全部", "1:业主1", "2:业主3"}));
    EXPECT_EQ(Codes(*list), "001,003");
}

TEST_F(SiteRegisters, EachMemberAsksAboutTheRecordItDeletes) {
    auto cleaning = Open<TfrmBJinfoGL>();
    auto patrol = Open<TfrmXLinfoGL>();
    auto suggestions = Open<TfrmYJinfoGL>();
    struct Case {
        TListWindow* List;
        String Question;
        String Table;
        String Left;
    } cases[] = {
        {cleaning.get(), "真的要删除当前编号000001吗？", "T_BJinfo", "1"},
        {patrol.get(), "真的要删除当前巡逻资料000001吗？", "T_XLinfo", "1"},
        {suggestions.get(), "真的要删除当前单据编号001吗？", "T_YJinfo", "2"},
    };
    for (const Case& c : cases) {
        User.Answer(IDOK);
        c.List->FirstClick();
        c.List->DeleteClick();
        EXPECT_EQ(User.Requests().back().Text, c.Question);
        EXPECT_EQ(One("select count(*) from " + c.Table), c.Left);
        EXPECT_EQ(c.List->QryTable->RecordCount(), std::stoi(c.Left));
    }
}

} // namespace
