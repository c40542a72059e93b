// The estate register: codes, the checks of code and name, the rename in the sixteen tables and
// the operators' estate lists, the whole save in one transaction, and the guarded deletion.
#include "RegistersFixture.h"

#include "app/registers/EstateRename.h"
#include "app/registers/uFrmXQinfoGL.h"

#include "db/SqliteDatabase.h"
#include "gui/ExtCtrls.h"
#include "gui/StdCtrls.h"

namespace {

class Estates : public Registers {
protected:
    std::unique_ptr<TfrmXQinfoGL> OpenList() { return Open<TfrmXQinfoGL>(); }
    // A row naming the estate in each of the sixteen tables, and two operators' lists.
    void NameEverywhere(const String& estate) {
        for (const String& table : EstateNamingTables())
            ASSERT_TRUE(Dm->RunSQL("insert into " + table + " (F_XQname) values ('" + estate + "')"));
        ASSERT_TRUE(Dm->RunSQL("insert into OperList (F_Name, F_XQflag, F_XQname) values ('clerk', 1, '''" +
                               estate + "'',''其他小区''')"));
        ASSERT_TRUE(Dm->RunSQL("insert into OperList (F_Name, F_XQflag, F_XQname) values ('guard', 1, "
                               "'''其他小区''')"));
    }
    std::vector<String> Counts(const String& estate) {
        std::vector<String> counts;
        for (const String& table : EstateNamingTables())
            counts.push_back(table + ":" +
                             One("select count(*) from " + table + " where F_XQname = '" + estate + "'"));
        return counts;
    }
    // Edits the current estate's name and saves.
    bool Rename(TfrmXQinfoGL& list, const String& name) {
        list.EditClick();
        list.edtName->SetText(name);
        return list.SaveEstate();
    }
};

TEST_F(Estates, NewEstatesAreNumberedFromOne) {
    Dm->RunSQL("delete from T_XQinfo");
    auto list = OpenList();
    EXPECT_EQ(list->StatusBar->Panels(2)->Text(), "记录数：0");
    for (const char* code : {"001", "002"}) {
        list->NewClick();
        EXPECT_TRUE(list->Panel1->Visible());
        EXPECT_FALSE(list->tbNew->Enabled());
        EXPECT_EQ(list->edtCode->Text(), code);
        list->edtName->SetText(String("小区") + code);
        ASSERT_TRUE(list->SaveEstate());
        EXPECT_FALSE(list->Panel1->Visible());
        EXPECT_EQ(list->QryTable->FieldByName("F_code")->AsString(), code);
    }
    EXPECT_EQ(Rows("select F_code, F_name from T_XQinfo order by F_code"),
              (std::vector<String>{"001|小区001", "002|小区002"}));
}

TEST_F(Estates, CodeAndNameMustBeGivenAndFree) {
    Dm->RunSQL("insert into T_XQinfo (F_code, F_name) values ('003', 'Lake View')");
    auto list = OpenList();
    struct Case {
        String Code, Name, Message;
        bool FocusOnCode;
    } cases[] = {
        {"", "新小区", MsgEstateCodeEmpty, true},
        {"001", "新小区", MsgEstateCodeTaken, true},
        {"009", "  ", MsgEstateNameEmpty, false},
        {"009", " " + seed::EstateB, MsgEstateNameTaken, false},
        {"009", "lake view ", MsgEstateNameTaken, false},
    };
    for (const Case& c : cases) {
        Messages.clear();
        list->NewClick();
        list->edtCode->SetText(c.Code);
        list->edtName->SetText(c.Name);
        EXPECT_FALSE(list->SaveEstate()) << c.Message;
        ASSERT_EQ(Messages.size(), 1u) << c.Message;
        EXPECT_EQ(Messages[0], std::make_pair(c.Message, 0));
        EXPECT_EQ(list->ActiveControl(),
                  c.FocusOnCode ? static_cast<TWinControl*>(list->edtCode) : list->edtName)
            << c.Message;
        EXPECT_TRUE(list->Panel1->Visible()); // still editing, with what was typed
        EXPECT_EQ(list->edtName->Text(), c.Name);
        list->CancelClick();
    }
    // Renaming onto another estate's name is refused too; keeping one's own name is not.
    EXPECT_FALSE(Rename(*list, seed::EstateB));
    EXPECT_EQ(LastMessage(), MsgEstateNameTaken);
    list->CancelClick();
    Messages.clear();
    list->EditClick();
    list->edtAddress->SetText("新地址");
    EXPECT_TRUE(list->SaveEstate());
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Rows("select count(*) from T_XQinfo"), std::vector<String>{"3"});
}

TEST_F(Estates, ARenameReachesEveryTableAndOperatorListAndComesBack) {
    NameEverywhere(seed::EstateA);
    RestrictTo("'" + seed::EstateA + "','其他小区'");
    const std::vector<String> before = Counts(seed::EstateA);
    auto list = OpenList(); // the register shows every estate, whatever the scope
    EXPECT_EQ(list->QryTable->RecordCount(), 2);
    ASSERT_TRUE(Rename(*list, "阳光新城"));
    EXPECT_EQ(Counts("阳光新城"), before); // the same rows, under the new name
    for (const String& count : Counts(seed::EstateA))
        EXPECT_EQ(count.substr(count.find(':')), ":0");
    EXPECT_EQ(One("select F_XQname from OperList where F_Name = 'clerk'"), "'阳光新城','其他小区'");
    EXPECT_EQ(One("select F_XQname from OperList where F_Name = 'guard'"), "'其他小区'");
    EXPECT_NE(XQNameScopeSQL.find("阳光新城"), String::npos); // the logged-in operator keeps it
    EXPECT_EQ(list->QryTable->FieldByName("F_name")->AsString(), "阳光新城");

    ASSERT_TRUE(Rename(*list, seed::EstateA));
    EXPECT_EQ(Counts(seed::EstateA), before);
    EXPECT_EQ(One("select F_XQname from OperList where F_Name = 'clerk'"),
              "'" + seed::EstateA + "','其他小区'");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(Estates, BlanksAroundTheNameRenameNothing) {
    Dm->RunSQL("update T_XQinfo set F_name = ' " + seed::EstateA + "' where F_code = '001'");
    Dm->RunSQL("insert into T_publicSet (F_code, F_XQname) values ('777', ' " + seed::EstateA + "')");
    const std::vector<String> before = Counts(seed::EstateA);
    auto list = OpenList();
    ASSERT_TRUE(Rename(*list, seed::EstateA));
    EXPECT_EQ(Counts(seed::EstateA), before);
    EXPECT_EQ(One("select F_XQname from T_publicSet where F_code = '777'"), " " + seed::EstateA);
    EXPECT_EQ(One("select F_name from T_XQinfo where F_code = '001'"), seed::EstateA);
}

TEST_F(Estates, AFailingStatementOfTheRenameKeepsNothing) {
    NameEverywhere(seed::EstateA);
    // The tenth statement (T_wyFKrec) fails.
    Dm->ADOcnn()->Database().ExecuteSql(
        "CREATE TRIGGER refuse_rename BEFORE UPDATE ON T_wyFKrec BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const std::vector<String> before = Counts(seed::EstateA);
    auto list = OpenList();
    EXPECT_FALSE(Rename(*list, "阳光新城"));
    EXPECT_EQ(Messages, (std::vector<std::pair<String, int>>{{"保存失败，请检测数据库连接！", 3}}));
    EXPECT_EQ(Counts(seed::EstateA), before);
    EXPECT_EQ(One("select count(*) from T_XQinfo where F_name = '阳光新城'"), "0");
    EXPECT_EQ(One("select F_XQname from OperList where F_Name = 'clerk'"),
              "'" + seed::EstateA + "','其他小区'");
    EXPECT_TRUE(list->Panel1->Visible());
    EXPECT_EQ(list->edtName->Text(), "阳光新城");
}

TEST_F(Estates, AnEstateThatRowsNameIsNotDeleted) {
    Dm->RunSQL("insert into T_XQinfo (F_code, F_name) values ('003', '空小区')");
    auto list = OpenList();
    const String named = One("select count(*) from T_FCinfo where F_XQname = '" + seed::EstateA + "'");
    list->FirstClick();
    list->DeleteClick();
    EXPECT_EQ(MessageTexts(), (std::vector<String>{"真的要删除当前小区名称\"" + seed::EstateA + "\"吗？",
                                                   "当前小区还有 " + IntToStr(StrToInt(named) + 5 + 1 + 2) +
                                                       " 条相关资料，不能删除！"}));
    EXPECT_EQ(One("select count(*) from T_XQinfo"), "3");
    Messages.clear();
    list->LastClick();
    list->DeleteClick();
    EXPECT_EQ(MessageTexts(), std::vector<String>{"真的要删除当前小区名称\"空小区\"吗？"});
    EXPECT_EQ(One("select count(*) from T_XQinfo"), "2");
    EXPECT_EQ(list->StatusBar->Panels(2)->Text(), "记录数：2");
}

} // namespace
