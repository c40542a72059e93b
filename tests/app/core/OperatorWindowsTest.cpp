// The operator list, the operator editor, the estate chooser and the password change, played
// through the Interaction responder on the default database.
#include "GridServicesFixture.h"
#include "app/core/AdminWindows.h"
#include "app/core/AppErrors.h"
#include "app/core/EstateScope.h"
#include "app/core/LoginCheck.h"
#include "app/core/Rights.h"
#include "app/core/uDLGselectXQname.h"
#include "app/core/uFrmLimitGl.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmModPass.h"
#include "app/core/uFrmOperGl.h"

#include "db/SqliteDatabase.h"
#include "gui/CheckLst.h"
#include "gui/ExtCtrls.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "rtl/Format.h"

#include <functional>

namespace {

using OperatorMessages = std::vector<std::pair<String, int>>;

// Ten megabytes of lines for a memo (a memo lays out a single line of that length for minutes).
String TenMegabytesOfLines() {
    String lines;
    lines.reserve(10 * 1024 * 1024);
    while (lines.size() + 100 <= 10 * 1024 * 1024)
        lines += String(98, 'm') + "\r\n";
    return lines;
}

class OperatorWindows : public GridServices {
protected:
    void SetUp() override {
        GridServices::SetUp();
        RegisterAdminWindows();
        LoginAs("admin");
    }
    void TearDown() override {
        for (int code : {101, 102, 103, 105, 209})
            RegisterActionWindow(code, nullptr);
        GridServices::TearDown();
    }
    void LoginAs(const String& name) {
        OperName = name;
        IsAdmin = IsAdminName(name);
    }
    // An operator written straight into the tables.
    void AddOperator(const String& name, const String& password, const std::vector<String>& rights,
                     int flag = 0, const String& estates = "") {
        TADOQuery q;
        q.SetConnection(Dm->ADOcnn());
        q.SQL()->SetText("insert into OperList (F_Name, F_PassWord, F_Mem, F_Flag, F_XQflag, F_XQname) "
                         "values (:n, :p, 'note', false, :f, :x)");
        q.Parameters()->ParamByName("n")->SetValue(name);
        q.Parameters()->ParamByName("p")->SetValue(SavePass(password));
        q.Parameters()->ParamByName("f")->SetValue(flag);
        q.Parameters()->ParamByName("x")->SetValue(estates);
        q.ExecSQL();
        for (const String& right : rights)
            ASSERT_TRUE(Dm->RunSQL("insert into OperLimit (F_OperName, F_lmtName) values ('" + name + "', '" +
                                   right + "')"));
    }
    void AddEstates(const std::vector<String>& names) {
        int code = 1;
        for (const String& name : names) {
            TADOQuery q;
            q.SetConnection(Dm->ADOcnn());
            q.SQL()->SetText("insert into T_XQinfo (F_code, F_name) values (:c, :n)");
            q.Parameters()->ParamByName("c")->SetValue("00" + IntToStr(code++));
            q.Parameters()->ParamByName("n")->SetValue(name);
            q.ExecSQL();
        }
    }
    // Opens the operator list as action 103 does, with the user's play.
    void OpenList(std::function<void(TfrmOperGl*)> play) {
        User.Form([play](TCustomForm* form) {
            auto* list = dynamic_cast<TfrmOperGl*>(form);
            EXPECT_NE(list, nullptr);
            if (list) play(list);
            return static_cast<int>(mrCancel);
        });
        ASSERT_TRUE(HasActionWindow(103));
        ModalActionWindow<TfrmOperGl>(1)(nullptr);
    }
    // The editor's play, queued before the click that opens it.
    void WhenEditorOpens(std::function<void(TFrmLimitGl*)> play) {
        User.Form([play](TCustomForm* form) {
            auto* editor = dynamic_cast<TFrmLimitGl*>(form);
            EXPECT_NE(editor, nullptr);
            if (editor) play(editor);
            return static_cast<int>(editor && editor->ModalResult() != mrNone ? editor->ModalResult()
                                                                              : mrCancel);
        });
    }
    static void Tick(TCheckListBox* list, const String& item) {
        const int index = list->Items()->IndexOf(item);
        ASSERT_GE(index, 0) << item;
        list->SetChecked(index, true);
    }
    static std::vector<String> Ticked(TCheckListBox* list) {
        std::vector<String> ticked;
        for (int i = 0; i < list->Count(); ++i)
            if (list->Checked(i)) ticked.push_back(list->Items()->Strings(i));
        return ticked;
    }
    std::vector<String> Operators() { return Rows("select F_Name from OperList order by F_ID"); }

    TScriptedResponder User;
    TInteractionScope Scope{User};
};

// A holder of right 103 who is not "admin" adds operators; editing and deleting are not offered.
// The editor in add mode saves, clears itself and stays open for the next operator.
TEST_F(OperatorWindows, ANonAdminHolderOf103AddsButNeitherEditsNorDeletes) {
    AddOperator("li", "", {"用户权限管理"});
    LoginAs("li");
    int shownRights = 0;
    OpenList([&](TfrmOperGl* list) {
        EXPECT_EQ(list->Caption(), "操作员权限管理");
        EXPECT_FALSE(list->btnEdit->Enabled());
        EXPECT_FALSE(list->btnDelete->Enabled());
        EXPECT_TRUE(list->btnNew->Enabled());
        EXPECT_EQ(list->QryTable->RecordCount(), 2);
        WhenEditorOpens([&](TFrmLimitGl* editor) {
            EXPECT_FALSE(editor->Editing());
            EXPECT_EQ(editor->clbOperLimt->Columns(), 2);
            shownRights = editor->clbOperLimt->Count();
            editor->cbbName->SetText("  wang ");
            editor->edtPassWord->SetText("pw 1");
            editor->edtRepPass->SetText("pw 1");
            editor->Mem1->SetText("收银员");
            Tick(editor->clbOperLimt, "数据清理");
            Tick(editor->clbOperLimt, "收取物业费");
            EXPECT_TRUE(editor->btnSaveClick());
            // Cleared and still open, ready for the next operator.
            EXPECT_EQ(editor->ModalResult(), mrNone);
            EXPECT_EQ(editor->cbbName->Text(), "");
            EXPECT_EQ(editor->edtPassWord->Text(), "");
            EXPECT_TRUE(Ticked(editor->clbOperLimt).empty());
            EXPECT_FALSE(editor->pXQname->Visible());
            // The list stands on the operator just saved.
            EXPECT_EQ(list->QryTable->FieldByName("F_Name")->AsString(), "wang");
        });
        list->btnNewClick();
    });
    EXPECT_EQ(shownRights, 34);
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Rows("select F_Name, F_Mem, F_Flag, F_XQflag, F_XQname from OperList where F_Name = 'wang'"),
              std::vector<String>{"wang|收银员|False|0|"});
    // The stored password is not the clear text, and turns back into exactly what was typed.
    const String stored = Rows("select F_PassWord from OperList where F_Name = 'wang'").at(0);
    EXPECT_NE(stored, "pw 1");
    EXPECT_EQ(GetPass(stored), "pw 1");
    EXPECT_EQ(Rows("select F_lmtName from OperLimit where F_OperName = 'wang' order by F_ID"),
              (std::vector<String>{"数据清理", "收取物业费"}));
}

TEST_F(OperatorWindows, AdminCanBeNeitherEditedNorDeleted) {
    ASSERT_TRUE(Dm->RunSQL("update OperList set F_Name = 'Admin' where F_Name = 'admin'"));
    OpenList([&](TfrmOperGl* list) {
        ASSERT_TRUE(list->LocateOperator("Admin"));
        list->btnEditClick();
        list->btnDeleteClick();
    });
    EXPECT_EQ(Messages, (OperatorMessages{{MsgAdminCannotBeEdited, 3}, {MsgAdminCannotBeDeleted, 3}}));
    EXPECT_EQ(Operators(), std::vector<String>{"Admin"});
}

// The question names the operator between double quotes; only the answer 1 deletes, and the
// operator's rights stay behind.
TEST_F(OperatorWindows, DeletingAsksWithTheNameAndKeepsTheRights) {
    AddOperator("li", "", {"数据清理"});
    OpenList([&](TfrmOperGl* list) {
        ASSERT_TRUE(list->LocateOperator("li"));
        Answer = 2;
        list->btnDeleteClick();
        EXPECT_EQ(list->QryTable->RecordCount(), 2);
        Answer = 1;
        list->btnDeleteClick();
        EXPECT_EQ(list->QryTable->RecordCount(), 1);
    });
    EXPECT_EQ(DeleteOperatorQuestion("li"), "真的要删除当前操作员 \"li\" 吗？");
    EXPECT_EQ(Messages,
              (OperatorMessages{{DeleteOperatorQuestion("li"), 1}, {DeleteOperatorQuestion("li"), 1}}));
    EXPECT_EQ(Operators(), std::vector<String>{"admin"});
    EXPECT_EQ(Rows("select F_lmtName from OperLimit where F_OperName = 'li'"),
              std::vector<String>{"数据清理"});
}

// Each refusal: its message, nothing written, what was typed kept.
TEST_F(OperatorWindows, TheEditorRefusesAnEmptyNameDifferingPasswordsAndATakenName) {
    AddOperator("li", "", {});
    struct Case {
        String Name;
        String Password;
        String Repeated;
        String Message;
    };
    const std::vector<Case> cases = {
        {"   ", "a", "a", MsgOperatorNameEmpty},
        {"zhao", "abc", "abc ", MsgPasswordsDiffer},
        {"LI", "", "", MsgOperatorNameTaken}, // another letter case is the same name
        {"ADMIN", "", "", MsgOperatorNameTaken},
        {"qian", String(120, 'x') + "密码密码", String(120, 'x') + "密码密码", MsgPasswordTooLong},
    };
    for (const Case& c : cases) {
        Messages.clear();
        OpenList([&](TfrmOperGl* list) {
            WhenEditorOpens([&](TFrmLimitGl* editor) {
                editor->cbbName->SetText(c.Name);
                editor->edtPassWord->SetText(c.Password);
                editor->edtRepPass->SetText(c.Repeated);
                EXPECT_FALSE(editor->btnSaveClick()) << c.Name;
                EXPECT_EQ(editor->cbbName->Text(), c.Name);
                EXPECT_EQ(editor->edtRepPass->Text(), c.Repeated);
                EXPECT_EQ(editor->ModalResult(), mrNone);
            });
            list->btnNewClick();
        });
        EXPECT_EQ(Messages, (OperatorMessages{{c.Message, 0}})) << c.Name;
        EXPECT_EQ(Operators(), (std::vector<String>{"admin", "li"})) << c.Name;
    }
}

// Edit mode shows the stored password and the rights and scope; saving without renaming is no
// duplicate, closes the editor and writes the changes.
TEST_F(OperatorWindows, EditModeLoadsTheOperatorAndKeepsItsName) {
    AddOperator("li", "p w ", {"数据清理", "选项..."}, 1, "'A','B'");
    OpenList([&](TfrmOperGl* list) {
        ASSERT_TRUE(list->LocateOperator("li"));
        EXPECT_EQ(list->rgXQflag->ItemIndex(), 1);
        EXPECT_EQ(list->edtXQname->Text(), "'A','B'");
        EXPECT_EQ(list->DBMemo1->Text(), "note");
        WhenEditorOpens([&](TFrmLimitGl* editor) {
            EXPECT_TRUE(editor->Editing());
            EXPECT_EQ(editor->cbbName->Text(), "li");
            EXPECT_EQ(editor->edtPassWord->Text(), "p w ");
            EXPECT_EQ(editor->edtRepPass->Text(), "p w ");
            EXPECT_EQ(Ticked(editor->clbOperLimt), (std::vector<String>{"数据清理", "选项..."}));
            EXPECT_EQ(editor->rgXQflag->ItemIndex(), 1);
            EXPECT_TRUE(editor->pXQname->Visible());
            EXPECT_EQ(editor->edtXQname->Text(), "'A','B'");
            editor->chkFlag->SetChecked(true);
            editor->btnNone->Click();
            Tick(editor->clbOperLimt, "公司信息资料");
            EXPECT_TRUE(editor->btnSaveClick());
            EXPECT_EQ(editor->ModalResult(), mrOk);
        });
        list->btnEditClick();
        // A disabled operator leaves the list until "显示禁用操作员" is ticked.
        EXPECT_FALSE(list->LocateOperator("li"));
        list->chkShowDisabled->SetChecked(true);
        EXPECT_TRUE(list->LocateOperator("li"));
    });
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Rows("select F_Flag, F_XQflag, F_XQname from OperList where F_Name = 'li'"),
              std::vector<String>{"True|1|'A','B'"});
    EXPECT_EQ(GetPass(Rows("select F_PassWord from OperList where F_Name = 'li'").at(0)), "p w ");
    EXPECT_EQ(Rows("select F_lmtName from OperLimit where F_OperName = 'li'"),
              std::vector<String>{"公司信息资料"});
}

TEST_F(OperatorWindows, EditAndDeleteOfAnEmptyListTellOrDoNothing) {
    ASSERT_TRUE(Dm->RunSQL("update OperList set F_flag = true"));
    OpenList([&](TfrmOperGl* list) {
        EXPECT_TRUE(list->QryTable->IsEmpty());
        list->btnEditClick();
        list->btnDeleteClick();
        EXPECT_FALSE(list->edtXQname->Visible());
    });
    EXPECT_EQ(Messages, (OperatorMessages{{MsgListEmptyNothingToEdit, 3}}));
}

// Item 1 with an empty list stores 1 and an empty list (it selects no estate at login).
TEST_F(OperatorWindows, ListedEstatesWithAnEmptyListStoreOneAndNothing) {
    OpenList([&](TfrmOperGl* list) {
        WhenEditorOpens([&](TFrmLimitGl* editor) {
            editor->cbbName->SetText("zhou");
            SimulateClick(editor->rgXQflag->Buttons(1), 6, 6);
            EXPECT_TRUE(editor->pXQname->Visible());
            SimulateClick(editor->rgXQflag->Buttons(0), 6, 6);
            EXPECT_FALSE(editor->pXQname->Visible());
            SimulateClick(editor->rgXQflag->Buttons(1), 6, 6);
            EXPECT_TRUE(editor->btnSaveClick());
        });
        list->btnNewClick();
    });
    EXPECT_EQ(Rows("select F_XQflag, F_XQname from OperList where F_Name = 'zhou'"),
              std::vector<String>{"1|"});
    int flag = -1;
    String estates = "x";
    ASSERT_TRUE(Dm->ReadOperatorScope("zhou", flag, estates));
    EXPECT_EQ(BuildXQNameScopeSQL(estates), "and (1=0)");
}

// The chooser: the list's estates start ticked ("，" read as ","), the ticked ones come back
// quoted with a quote inside a name doubled, cancelling gives the list back.
TEST_F(OperatorWindows, TheEstateChooserTicksAndReturnsTheList) {
    AddEstates({"A", "B", "O'Neil", "C"});
    TDLGselectXQname chooser(nullptr);
    std::vector<String> startTicked;
    User.Form([&](TCustomForm*) {
        startTicked = Ticked(chooser.clbItemList);
        EXPECT_EQ(chooser.clbItemList->Columns(), 2);
        Tick(chooser.clbItemList, "O'Neil");
        return static_cast<int>(mrOk);
    });
    const String chosen = chooser.SelectEstates("'A'，'B'");
    EXPECT_EQ(startTicked, (std::vector<String>{"A", "B"}));
    EXPECT_EQ(chosen, "'A','B','O''Neil'");
    EXPECT_EQ(ParseXQList(chosen), (std::vector<String>{"A", "B", "O'Neil"}));

    User.Form([&](TCustomForm*) {
        EXPECT_EQ(Ticked(chooser.clbItemList), (std::vector<String>{"A", "B", "O'Neil"}));
        return static_cast<int>(mrCancel);
    });
    EXPECT_EQ(chooser.SelectEstates(chosen), chosen);
    User.Form([&](TCustomForm*) {
        chooser.MarkEstates("");
        return static_cast<int>(mrOk);
    });
    EXPECT_EQ(chooser.SelectEstates(chosen), "");

    ASSERT_TRUE(Dm->RunSQL("delete from T_XQinfo"));
    EXPECT_EQ(chooser.SelectEstates("'A'"), "'A'");
    EXPECT_EQ(Messages, (OperatorMessages{{MsgNoEstates, 0}}));
}

// A save whose last right row fails leaves nothing written and the editor as it was.
TEST_F(OperatorWindows, ASaveFailingAtItsLastInsertRollsBackAndKeepsTheInput) {
    Dm->ADOcnn()->Database().ExecuteSql(
        "CREATE TRIGGER refuse_right BEFORE INSERT ON OperLimit WHEN "
        "NEW.F_lmtName = '物业收费经营分析' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    OpenList([&](TfrmOperGl* list) {
        WhenEditorOpens([&](TFrmLimitGl* editor) {
            editor->cbbName->SetText("sun");
            editor->edtPassWord->SetText("1");
            editor->edtRepPass->SetText("1");
            editor->btnAll->Click();
            EXPECT_FALSE(editor->btnSaveClick());
            EXPECT_EQ(editor->cbbName->Text(), "sun");
            EXPECT_EQ(Ticked(editor->clbOperLimt).size(), 34u);
        });
        list->btnNewClick();
    });
    EXPECT_EQ(Messages, (OperatorMessages{{MsgSaveFailed, 3}}));
    EXPECT_EQ(Operators(), std::vector<String>{"admin"});
    EXPECT_TRUE(Rows("select * from OperLimit").empty());
    // An estate list longer than the column's 255 characters is refused the same way.
    Messages.clear();
    OpenList([&](TfrmOperGl* list) {
        WhenEditorOpens([&](TFrmLimitGl* editor) {
            editor->cbbName->SetText("sun");
            SimulateClick(editor->rgXQflag->Buttons(1), 6, 6);
            editor->edtXQname->SetText("'" + String(300, 'x') + "'");
            EXPECT_FALSE(editor->btnSaveClick());
        });
        list->btnNewClick();
    });
    EXPECT_EQ(Messages, (OperatorMessages{{MsgSaveFailed, 3}}));
    EXPECT_EQ(Operators(), std::vector<String>{"admin"});
}

// Quotes, "%", NUL and very long texts in the editor's boxes: stored as typed (NUL dropped, the
// name bounded by its column), never a statement error.
TEST_F(OperatorWindows, BadInputIsStoredAsTypedOrBounded) {
    size_t memoLength = 0;
    OpenList([&](TfrmOperGl* list) {
        WhenEditorOpens([&](TFrmLimitGl* editor) {
            editor->cbbName->SetText(String("o'%_\0x", 6));
            editor->edtPassWord->SetText("'; drop");
            editor->edtRepPass->SetText("'; drop");
            editor->Mem1->SetText(TenMegabytesOfLines());
            memoLength = editor->Mem1->Text().size();
            EXPECT_GE(memoLength, 10u * 1024 * 1024 - 100);
            EXPECT_TRUE(editor->btnSaveClick());
            editor->cbbName->SetText(String(300, 'n'));
            EXPECT_TRUE(editor->btnSaveClick());
        });
        list->btnNewClick();
    });
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(
        Rows("select F_Name, length(F_Mem) from OperList where F_ID > 1 order by F_ID"),
        (std::vector<String>{"o'%_x|" + IntToStr(static_cast<int>(memoLength)), String(50, 'n') + "|0"}));
}

// Two stations add one name: the one that comes second is refused, by the check in its save
// transaction or, when both checked before either wrote, by the unique index.
TEST_F(OperatorWindows, OfTwoStationsAddingOneNameOneIsRefused) {
    auto other = std::make_unique<TdmData>(nullptr);
    ASSERT_TRUE(other->DataModuleCreate());
    OpenList([&](TfrmOperGl* list) {
        WhenEditorOpens([&](TFrmLimitGl* editor) {
            editor->cbbName->SetText("li");
            // The other station wrote "LI" meanwhile.
            other->RunSQL("insert into OperList (F_Name, F_flag) values ('LI', false)");
            EXPECT_FALSE(editor->btnSaveClick());
            EXPECT_EQ(editor->cbbName->Text(), "li");
        });
        list->btnNewClick();
    });
    EXPECT_EQ(Messages, (OperatorMessages{{MsgOperatorNameTaken, 0}}));
    EXPECT_EQ(Operators(), (std::vector<String>{"admin", "LI"}));
    // Straight into the table too: the index refuses the second spelling.
    EXPECT_FALSE(other->RunSQL("insert into OperList (F_Name) values ('li')"));
}

// The saved operator logs in with exactly its ticked rights and its estates.
TEST_F(OperatorWindows, ALoginAsTheSavedOperatorSeesItsRightsAndEstates) {
    AddEstates({"A", "B", "C"});
    OpenList([&](TfrmOperGl* list) {
        WhenEditorOpens([&](TFrmLimitGl* editor) {
            editor->cbbName->SetText("li");
            Tick(editor->clbOperLimt, "数据清理");
            Tick(editor->clbOperLimt, "房产住户");
            SimulateClick(editor->rgXQflag->Buttons(1), 6, 6);
            User.Form([](TCustomForm* form) {
                auto* chooser = dynamic_cast<TDLGselectXQname*>(form);
                EXPECT_NE(chooser, nullptr);
                if (!chooser) return static_cast<int>(mrCancel);
                EXPECT_EQ(chooser->Caption(), "小区名称列表");
                Tick(chooser->clbItemList, "A");
                Tick(chooser->clbItemList, "C");
                return static_cast<int>(mrOk);
            });
            editor->sbDept->Click();
            EXPECT_EQ(editor->edtXQname->Text(), "'A','C'");
            EXPECT_TRUE(editor->btnSaveClick());
        });
        list->btnNewClick();
    });
    LoginAs("li");
    EXPECT_EQ(VisibleActions("li", [this](const String& code) { return Dm->HasRight(code); }),
              (std::vector<int>{105, 301}));
    int flag = 0;
    String estates;
    ASSERT_TRUE(Dm->ReadOperatorScope("li", flag, estates));
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(
        Rows("select F_name from T_XQinfo where 1=1 " + BuildXQNameScopeSQL(estates) + " order by F_ID"),
        (std::vector<String>{"A", "C"}));
}

class PasswordChange : public OperatorWindows {
protected:
    void Change(const String& old, const String& fresh, const String& repeated) {
        User.Form([&](TCustomForm* form) {
            auto* window = dynamic_cast<TfrmModPass*>(form);
            EXPECT_NE(window, nullptr);
            if (!window) return static_cast<int>(mrCancel);
            EXPECT_EQ(window->lblOper->Caption(), "当前操作员：" + OperName + " ");
            window->edtOldPass->SetText(old);
            window->edtNewPass->SetText(fresh);
            window->edtAdjustPass->SetText(repeated);
            window->btnOk->Click();
            EXPECT_EQ(window->ModalResult(), mrOk); // closes after every click
            return static_cast<int>(window->ModalResult());
        });
        ASSERT_TRUE(HasActionWindow(102));
        ModalActionWindow<TfrmModPass>(1)(nullptr);
    }
    String StoredClear() {
        return GetPass(Rows("select F_PassWord from OperList where F_Name = 'li'").at(0));
    }
};

TEST_F(PasswordChange, OldPasswordAndRepetitionAreComparedExactly) {
    AddOperator("li", "abc", {});
    LoginAs("li");
    struct Case {
        const char* Old;
        const char* Fresh;
        const char* Repeated;
        String Message;
        int Kind;
        const char* Stored;
    };
    const std::vector<Case> cases = {
        {"abd", "x", "x", MsgOldPasswordWrong, 2, "abc"},
        {"abc ", "x", "x", MsgOldPasswordWrong, 2, "abc"},
        // A blank typed once is a different password: the login would compare it exactly.
        {"abc", "abc ", "abc", MsgNewPasswordWrong, 0, "abc"},
        {"abc", "新 密码 ", "新 密码 ", MsgPasswordChanged, 0, "新 密码 "},
        {"新 密码 ", "", "", MsgPasswordChanged, 0, ""},
    };
    for (const Case& c : cases) {
        Messages.clear();
        Change(c.Old, c.Fresh, c.Repeated);
        EXPECT_EQ(Messages, (OperatorMessages{{c.Message, c.Kind}})) << c.Fresh;
        EXPECT_EQ(StoredClear(), c.Stored) << c.Fresh;
    }
}

// After a change the login takes exactly the new text, and the table holds its stored form.
TEST_F(PasswordChange, TheLoginTakesExactlyTheNewPassword) {
    AddOperator("li", "", {});
    LoginAs("li");
    Change("", " 七 ", " 七 ");
    EXPECT_EQ(Messages, (OperatorMessages{{MsgPasswordChanged, 0}}));
    const String stored = Rows("select F_PassWord from OperList where F_Name = 'li'").at(0);
    EXPECT_NE(stored, " 七 ");
    EXPECT_EQ(Dm->GetString(StoredPasswordSQL("li")), stored);
    EXPECT_EQ(GetPass(stored), " 七 ");
    EXPECT_NE(GetPass(stored), "七");
}

TEST_F(PasswordChange, AnUnknownOperatorChangesNothing) {
    LoginAs("nobody");
    Change("", "x", "x");
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Rows("select F_PassWord from OperList"), std::vector<String>{""});
}

} // namespace
