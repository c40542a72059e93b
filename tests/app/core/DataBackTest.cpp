// Backup, automatic backup, restore and compaction on the registers' seed with a fixed clock,
// played through the Interaction responder: the backup window (action 104), the folder chooser,
// the start's automatic backup and the compaction of action 106.
#include "AppFixture.h"
#include "app/RegisterSeed.h"
#include "StartupFixture.h"
#include "app/core/AppConfig.h"
#include "app/core/AppStart.h"
#include "app/core/ConfigIni.h"
#include "app/core/DataBackup.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/uDlgSelectPath.h"
#include "app/core/uFrmDataBack.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmSysInfoGl.h"

#include "db/ADODB.h"
#include "db/DB.h"
#include "db/SqliteDatabase.h"
#include "gui/ComCtrls.h"
#include "gui/Dialogs.h"
#include "gui/ExtCtrls.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>

namespace {

const TDateTime kMonday = EncodeDate(2026, 12, 14) + EncodeTime(9, 30, 0, 0);
const TDateTime kTuesday = EncodeDate(2026, 12, 15) + EncodeTime(9, 30, 0, 0);
const TDateTime kFirst = EncodeDate(2027, 1, 1) + EncodeTime(9, 30, 0, 0); // a Friday
constexpr int kHouses = 30;

// Plays the user: questions answered from a list (yes when it runs out), other boxes confirmed,
// input boxes and file dialogs from their lists (cancelled when none is left), modal forms by
// their handlers. Records every message box's text.
class TBackupUser : public TInteractionResponder {
public:
    std::deque<int> Questions; // 1 yes, 2 no
    std::deque<std::optional<String>> Inputs;
    std::deque<std::optional<String>> Files;
    std::deque<std::function<int(TCustomForm*)>> Forms;
    std::vector<String> Texts;
    std::vector<TInteractionRequest> Requests;

    TInteractionAnswer Respond(const TInteractionRequest& request) override {
        Requests.push_back(request);
        TInteractionAnswer answer;
        switch (request.Kind) {
        case TInteractionKind::MessageBox:
            Texts.push_back(request.Text);
            if ((request.Flags & MB_TYPEMASK) == MB_YESNO) {
                const int next = Questions.empty() ? 1 : Questions.front();
                if (!Questions.empty()) Questions.pop_front();
                answer.Result = next == 1 ? IDYES : IDNO;
            } else
                answer.Result = IDOK;
            break;
        case TInteractionKind::InputQuery:
            answer = Next(Inputs);
            break;
        case TInteractionKind::OpenFile:
            answer = Next(Files);
            if (answer.Result) answer.Files = {answer.Text};
            break;
        case TInteractionKind::ModalForm:
            if (Forms.empty()) throw EInteractionError("no form handler for " + request.FormClass);
            answer.FormHandler = Forms.front();
            Forms.pop_front();
            break;
        default:
            throw EInteractionError("unexpected " + InteractionKindName(request.Kind));
        }
        return answer;
    }

private:
    static TInteractionAnswer Next(std::deque<std::optional<String>>& list) {
        TInteractionAnswer answer;
        if (!list.empty()) {
            if (list.front()) {
                answer.Result = 1;
                answer.Text = *list.front();
            }
            list.pop_front();
        }
        return answer;
    }
};

String QuestionCreate(const String& folder) {
    return "当前目录" + folder + " 不存在，是否创建！";
}
String CreateFailed(const String& folder) {
    return "目录" + folder + " 创建失败,请检测路径是否合法!";
}

int Count(const String& file, const String& sql = "select count(*) from T_FCinfo") {
    TADOConnection c;
    c.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file +
                          ";Persist Security Info=True;Jet OLEDB:Database Password=" + DatabasePassword);
    TADOQuery q;
    q.SetConnection(&c);
    q.SQL()->SetText(sql);
    q.Open();
    return q.Fields()[0]->AsInteger();
}

class DataBack : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Connect();
        dmData = Dm.get();
        seed::SeedRegisters(Dm->ADOcnn(), kHouses);
        InstallMessageBoxes();
        IniFile = OpenConfigIni();
    }
    void TearDown() override {
        FScope.reset();
        AppFixture::TearDown();
    }

    String Database() const { return Prog() + "data/wuyegl.mdb"; }
    String Today() const { return "dp20261214.back"; }

    void SetBakPath(const String& folder) {
        TADOQuery q;
        q.SetConnection(Dm->ADOcnn());
        q.SQL()->SetText("update SysInfo set F_BakPath = :p");
        q.Parameters()->ParamByName("p")->SetValue(folder);
        q.ExecSQL();
    }
    String BakPath() { return Dm->GetString("select F_BakPath from SysInfo"); }

    // The database file with every change written into it (the connection closed).
    std::string DatabaseBytes() {
        Dm->ADOcnn()->Close();
        return TempDir::ReadAll(Database());
    }

    TClockOverride Clock{kMonday};
    TBackupUser User;
    std::unique_ptr<TInteractionScope> FScope = std::make_unique<TInteractionScope>(User);
};

// ---- the backup button -------------------------------------------------------------------------

TEST_F(DataBack, BackupAsksForAMissingFolderAndWritesTheDaysFile) {
    struct Case {
        const char* Typed;       // under the program's folder unless absolute
        std::vector<int> Answers; // create?, compact?
        const char* Folder;      // the folder it names ("" : the typed text is not a folder)
        bool Written;
        std::vector<const char*> Messages; // "%" stands for the folder
    };
    const std::vector<Case> cases = {
        {"bak/a/b", {2}, "bak/a/b", false, {"?"}},
        {"bak/a/b", {1, 2}, "bak/a/b", true, {"?", "compact", "done"}},
        {"bak\\c\\", {1, 2}, "bak/c", true, {"?", "compact", "done"}},
        {"bak/d/", {1, 2}, "bak/d", true, {"?", "compact", "done"}},
        {"  ", {}, "", false, {"failed"}},
        {"afile/sub", {1}, "afile/sub", false, {"?", "failed"}},
    };
    TempDir::WriteAll(Prog() + "afile", "a file where a folder should be");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        User.Texts.clear();
        User.Questions.assign(c.Answers.begin(), c.Answers.end());
        const String folder = c.Folder[0] ? Prog() + c.Folder : String();
        EXPECT_EQ(BackupDatabase(c.Typed), c.Written);
        std::vector<String> expected;
        for (const char* m : c.Messages) {
            const String s = m;
            expected.push_back(s == "?"        ? QuestionCreate(folder)
                               : s == "failed" ? CreateFailed(folder)
                               : s == "compact" ? MsgCompactQuestion
                                                : MsgBackupDone);
        }
        EXPECT_EQ(User.Texts, expected);
        if (c.Folder[0]) {
            EXPECT_EQ(FileExists(folder + "/" + Today()), c.Written);
        }
        if (c.Written) {
            EXPECT_EQ(Count(folder + "/" + Today()), kHouses);
        }
    }
    EXPECT_FALSE(DirectoryExists(Prog() + "bak/a/b") && FileExists(Prog() + "bak/a/b/dp20261215.back"));
}

TEST_F(DataBack, ADaysFileIsReplacedOnlyWhenTheCoverQuestionIsAnsweredYes) {
    ForceDirectories(Prog() + "bak");
    const String file = Prog() + "bak/" + Today();
    TempDir::WriteAll(file, "the morning's backup");
    User.Questions = {2};
    EXPECT_FALSE(BackupDatabase("bak"));
    EXPECT_EQ(User.Texts, std::vector<String>{"备份文件 \"" + file + "\" 已经存在，\n真的要复盖当前备份吗？"});
    EXPECT_EQ(TempDir::ReadAll(file), "the morning's backup");

    User.Texts.clear();
    User.Questions = {1, 2};
    EXPECT_TRUE(BackupDatabase("bak"));
    EXPECT_EQ(User.Texts.size(), 3u);
    EXPECT_EQ(User.Texts.back(), MsgBackupDone);
    EXPECT_EQ(Count(file), kHouses);
    EXPECT_EQ(FindFiles(Prog() + "bak"), std::vector<String>{Today()}); // no temporary file left
}

TEST_F(DataBack, CompactionAfterTheBackupClosesTheConnectionAndItsFailureIsToldApart) {
    ForceDirectories(Prog() + "bak");
    User.Questions = {1};
    EXPECT_TRUE(BackupDatabase("bak"));
    EXPECT_EQ(User.Texts, (std::vector<String>{MsgCompactQuestion, MsgBackupDone}));
    EXPECT_FALSE(Dm->ADOcnn()->Connected());
    EXPECT_EQ(Dm->GetInteger("select count(*) from T_FCinfo"), kHouses); // the next statement connects

    // Another station writing: the backup is good, the compaction fails, and both are told.
    TADOConnection other;
    other.SetConnectionString(ConnectionStringFor(Prog() + "data/"));
    other.BeginTrans();
    other.Execute("update T_FCinfo set F_mem1 = 'busy' where F_ID = 1");
    User.Texts.clear();
    User.Questions = {1, 1};
    EXPECT_TRUE(BackupDatabase("bak"));
    EXPECT_EQ(User.Texts, (std::vector<String>{"备份文件 \"" + Prog() + "bak/" + Today() +
                                                   "\" 已经存在，\n真的要复盖当前备份吗？",
                                               MsgCompactQuestion, MsgCompactFailed, MsgBackupDone}));
    other.CommitTrans();
    EXPECT_EQ(Count(Prog() + "bak/" + Today()), kHouses);
    EXPECT_EQ(Dm->GetString("select F_mem1 from T_FCinfo where F_ID = 1"), "busy");
}

// The connection's file is backed up, not a file of the program's data folder.
TEST_F(DataBack, TheBackupIsOfTheFileTheConnectionUses) {
    Dm.reset();
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "live/"));
    WriteDatabaseFolder(*IniFile, Prog() + "live/");
    Dm = std::make_unique<TdmData>(nullptr);
    ASSERT_TRUE(Dm->DataModuleCreate());
    dmData = Dm.get();
    seed::SeedRegisters(Dm->ADOcnn(), 12);
    ForceDirectories(Prog() + "bak");
    User.Questions = {2};
    EXPECT_TRUE(BackupDatabase(Prog() + "bak"));
    EXPECT_EQ(Count(Prog() + "bak/" + Today()), 12); // data/wuyegl.mdb holds the 30 of the fixture
}

// ---- the automatic backup ---------------------------------------------------------------------

TEST_F(DataBack, TheAutomaticBackupCopiesOnceADaySilently) {
    SetBakPath("auto");
    User.Questions = {1};
    DailyBackup();
    EXPECT_EQ(User.Texts, std::vector<String>{QuestionCreate(Prog() + "auto")});
    const String file = Prog() + "auto/" + Today();
    EXPECT_EQ(Count(file), kHouses);
    const std::string first = TempDir::ReadAll(file);
    // A second start the same day: the day has its file.
    Dm->RunSQL("delete from T_FCinfo where F_ID > 10");
    User.Texts.clear();
    DailyBackup();
    EXPECT_TRUE(User.Texts.empty());
    EXPECT_EQ(TempDir::ReadAll(file), first);
    // The next day gets its own.
    TClockOverride tuesday(kTuesday);
    DailyBackup();
    EXPECT_EQ(Count(Prog() + "auto/dp20261215.back"), 10);
    EXPECT_TRUE(User.Texts.empty());
}

TEST_F(DataBack, TheAutomaticBackupNeverRaisesAndSaysWhyItFailed) {
    SetBakPath(Prog() + "auto");
    ForceDirectories(Prog() + "auto/" + Today()); // the day's name taken by a folder
    DailyBackup();
    EXPECT_EQ(User.Texts, std::vector<String>{MsgBackupFailed});
    // Not even a message that cannot be shown escapes.
    SetShowMessHandler([](const String&, int) -> int { throw EInteractionError("no answer"); });
    EXPECT_NO_THROW(DailyBackup());
    InstallMessageBoxes();
    // Declining the folder's creation ends it silently; an empty folder cannot be made.
    SetBakPath("new");
    User.Texts.clear();
    User.Questions = {2};
    DailyBackup();
    EXPECT_EQ(User.Texts, std::vector<String>{QuestionCreate(Prog() + "new")});
    EXPECT_FALSE(DirectoryExists(Prog() + "new"));
    SetBakPath("");
    User.Texts.clear();
    DailyBackup();
    EXPECT_EQ(User.Texts, std::vector<String>{CreateFailed("")});
}

// The start's schedule: modes 0 to 3 on a Monday, a Tuesday and the first of a month, through the
// main window's first showing.
class AutomaticBackupAtStart : public Startup {};

TEST_F(AutomaticBackupAtStart, RunsByTheScheduleAndAFailureLetsTheStartGoOn) {
    ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
    {
        TADOConnection c;
        c.SetConnectionString(ConnectionStringFor(Prog() + "data/"));
        c.Execute("update SysInfo set F_BakPath = 'bak'");
    }
    ForceDirectories(Prog() + "bak");
    struct Case {
        int Mode;
        TDateTime Day;
        const char* File;
        bool Due;
    };
    std::vector<Case> cases;
    for (int mode = 0; mode <= 3; ++mode) {
        cases.push_back({mode, kMonday, "dp20261214.back", mode == 1 || mode == 2});
        cases.push_back({mode, kTuesday, "dp20261215.back", mode == 1});
        cases.push_back({mode, kFirst, "dp20270101.back", mode == 1 || mode == 3});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.Mode << " " << c.File);
        TClockOverride clock(c.Day);
        TIniFile(ConfigFilePath()).WriteString("config", "ibak", std::to_string(c.Mode));
        User.Clear();
        User.Form(Login("admin", {""}));
        ASSERT_TRUE(StartOrvanta());
        FrmMain->Show();
        EXPECT_EQ(FileExists(Prog() + "bak/" + c.File), c.Due);
        EXPECT_TRUE(MessageTexts().empty());
        delete FrmMain;
        DeleteFile(Prog() + "bak/" + c.File);
    }
    // A failure is told and the decimal places are read after it.
    TClockOverride clock(kMonday);
    ForceDirectories(Prog() + "bak/dp20261214.back");
    TIniFile(ConfigFilePath()).WriteString("config", "ibak", "1");
    FmtTotal.clear();
    User.Clear();
    User.Form(Login("admin", {""})).Answer(IDOK);
    ASSERT_TRUE(StartOrvanta());
    FrmMain->Show();
    EXPECT_EQ(MessageTexts(), std::vector<String>{MsgBackupFailed});
    EXPECT_EQ(FmtTotal, "￥,0.00");
}

// ---- the settings ------------------------------------------------------------------------------

TEST_F(DataBack, TheWindowShowsAndSavesTheFolderAndTheScheduleOnlyWhenStored) {
    RegisterDataBackWindow();
    SetBakPath("backups");
    AutoBackupMode = 2;
    User.Forms.push_back([&](TCustomForm* form) {
        auto* window = dynamic_cast<TFrmDataBack*>(form);
        EXPECT_NE(window, nullptr);
        if (!window) return static_cast<int>(mrCancel);
        EXPECT_EQ(window->Caption(), "数据备份及恢复");
        EXPECT_EQ(window->edtBackPath->Text(), "backups");
        EXPECT_EQ(window->rgAutoBackup->ItemIndex(), 2);
        window->edtBackPath->SetText(" saved'folder ");
        window->rgAutoBackup->SetItemIndex(3);
        window->btnOkClick();
        EXPECT_EQ(window->ModalResult(), mrOk);
        return static_cast<int>(mrNone);
    });
    ASSERT_TRUE(HasActionWindow(104));
    ModalActionWindow<TFrmDataBack>(1)(nullptr);
    EXPECT_EQ(User.Texts, (std::vector<String>{QuestionCreate(Prog() + "saved'folder"), MsgSettingsSaved}));
    EXPECT_EQ(BakPath(), "saved'folder");
    EXPECT_TRUE(DirectoryExists(Prog() + "saved'folder"));
    EXPECT_EQ(AutoBackupMode, 3);
    EXPECT_EQ(ReadAutoBackupMode(*IniFile), 3);

    // A folder that cannot be stored: nothing said to be saved, the window stays open.
    TFrmDataBack window(nullptr);
    window.edtBackPath->SetText("kept");
    window.rgAutoBackup->SetItemIndex(1);
    ASSERT_TRUE(Dm->RunSQL("drop table SysInfo"));
    User.Texts.clear();
    window.btnOkClick();
    EXPECT_EQ(User.Texts, (std::vector<String>{QuestionCreate(Prog() + "kept"), MsgOperationFailed}));
    EXPECT_EQ(window.ModalResult(), mrNone);
    EXPECT_EQ(AutoBackupMode, 3);
    EXPECT_EQ(ReadAutoBackupMode(*IniFile), 3);
    // Declining the folder's creation saves nothing either.
    User.Texts.clear();
    User.Questions = {2};
    window.edtBackPath->SetText("declined");
    window.btnOkClick();
    EXPECT_EQ(User.Texts, std::vector<String>{QuestionCreate(Prog() + "declined")});
    EXPECT_EQ(window.ModalResult(), mrNone);
    RegisterActionWindow(104, nullptr);
    RegisterActionWindow(106, nullptr);
    TFrmMain::DailyBackup = nullptr;
}

// Folders typed with what breaks statements or paths: a working folder or a clear message, never
// a statement's error.
TEST_F(DataBack, BadFolderInputGivesAWorkingFolderOrAClearMessage) {
    struct Case {
        String Typed;
        bool Works;
    };
    const std::vector<Case> cases = {
        {"it's \"quoted\"", true},          {"  blanks inside  ", true}, {"100%d%s", true},
        {"备份 目录", true},                {String(10 * 1024 * 1024, 'a'), false},
        {String("nul\0inside", 10), false}, {"tab\there", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed.substr(0, 40));
        User.Texts.clear();
        User.Questions = {1, 2};
        TFrmDataBack window(nullptr);
        window.edtBackPath->SetText(c.Typed);
        window.btnOkClick();
        const String trimmed = Trim(c.Typed);
        if (c.Works) {
            EXPECT_EQ(User.Texts, (std::vector<String>{QuestionCreate(Prog() + trimmed), MsgSettingsSaved}));
            EXPECT_EQ(BakPath(), trimmed);
            User.Texts.clear();
            User.Questions = {2};
            window.btnBackupClick();
            EXPECT_EQ(Count(Prog() + trimmed + "/" + Today()), kHouses);
        } else {
            ASSERT_EQ(User.Texts.size(), 1u);
            EXPECT_EQ(User.Texts[0].rfind("目录", 0), 0u);
            EXPECT_NE(User.Texts[0].find("创建失败,请检测路径是否合法!"), String::npos);
            EXPECT_LT(User.Texts[0].size(), 1000u); // the folder is shown cut short
            EXPECT_NE(BakPath(), c.Typed);
        }
    }
}

// ---- the folder chooser ------------------------------------------------------------------------

TEST_F(DataBack, TheFolderChooserOpensOnTheFolderAndReturnsTheChosenOne) {
    ForceDirectories(Prog() + "bak/one/deep");
    ForceDirectories(Prog() + "bak/two");
    ForceDirectories(Prog() + "bak/.hidden");
    User.Forms.push_back([&](TCustomForm* form) {
        auto* dialog = dynamic_cast<TDlgSelectPath*>(form);
        EXPECT_NE(dialog, nullptr);
        if (!dialog) return static_cast<int>(mrCancel);
        EXPECT_EQ(dialog->Caption(), "选择文件路径");
        EXPECT_EQ(dialog->cbbDrive->Items()->Strings(0), "/");
        EXPECT_EQ(dialog->lblPath->Caption(), Prog() + "bak");
        TTreeNode* bak = dialog->tvFolders->Selected();
        EXPECT_EQ(dialog->NodePath(bak), Prog() + "bak");
        // Its sub-folders, hidden ones left out, once it is opened.
        bak->SetExpanded(true);
        std::vector<String> names;
        for (TTreeNode* n = bak->GetFirstChild(); n; n = n->GetNextSibling())
            names.push_back(n->Text());
        EXPECT_EQ(names, (std::vector<String>{"one", "two"}));
        dialog->tvFolders->SetSelected(dialog->FindFolderNode(Prog() + "bak/one/deep"));
        EXPECT_EQ(dialog->lblPath->Caption(), Prog() + "bak/one/deep");
        return static_cast<int>(mrOk);
    });
    EXPECT_EQ(SelectFolder("bak"), Prog() + "bak/one/deep");
    // Cancelled: the folder as it was.
    User.Forms.push_back([](TCustomForm* form) {
        auto* dialog = dynamic_cast<TDlgSelectPath*>(form);
        if (dialog) dialog->btnCancel->Click();
        return static_cast<int>(mrNone);
    });
    EXPECT_EQ(SelectFolder(" missing\\folder "), " missing\\folder ");
    EXPECT_EQ(DriveOfFolder("/media/usb/bak", {"/", "/media", "/media/usb"}), "/media/usb");
    EXPECT_EQ(DriveOfFolder("/media/usbkey", {"/", "/media/usb"}), "/");
}

// ---- restore -----------------------------------------------------------------------------------

class Restore : public DataBack {
protected:
    void SetUp() override {
        DataBack::SetUp();
        ForceDirectories(Prog() + "bak");
        Backup = Prog() + "bak/" + Today();
        Dm->ADOcnn()->BackupTo(Backup);
        ASSERT_TRUE(Dm->RunSQL("delete from T_FCinfo where F_ID > 5"));
        Window = std::make_unique<TFrmDataBack>(nullptr);
        Window->edtBackPath->SetText("bak");
    }
    void TearDown() override {
        Window.reset();
        DataBack::TearDown();
    }
    String Backup;
    std::unique_ptr<TFrmDataBack> Window;
};

TEST_F(Restore, AWrongOrCancelledCodeClosesNothing) {
    User.Inputs = {String("123456"), std::nullopt};
    Window->btnRestoreClick();
    EXPECT_EQ(User.Texts, std::vector<String>{MsgRestoreCodeWrong});
    EXPECT_TRUE(Dm->ADOcnn()->Connected());
    EXPECT_TRUE(Window->btnRestore->Enabled());
    Window->btnRestoreClick();
    EXPECT_EQ(User.Texts.size(), 1u);
    EXPECT_TRUE(Dm->ADOcnn()->Connected());
    EXPECT_EQ(User.Requests[0].Caption, "密码提示");
    EXPECT_EQ(User.Requests[0].Text, "请输入恢复密码");
}

// What must leave the database as it was, byte for byte, each with its messages.
TEST_F(Restore, WhatIsRefusedLeavesTheDatabaseByteIdentical) {
    const std::string good = TempDir::ReadAll(Backup);
    TempDir::WriteAll(Prog() + "bak/empty.back", "");
    TempDir::WriteAll(Prog() + "bak/truncated.back", good.substr(0, good.size() / 3));
    {
        TSqliteDatabase foreign;
        TSqliteDatabase::Create(Prog() + "bak/foreign.db", "");
        foreign.Open(Prog() + "bak/foreign.db", "");
        foreign.ExecuteSql("drop table MSysPassword");
        foreign.ExecuteSql("create table notes (x text)");
    }
    {
        // The program's own schema under another password.
        TADOConnection::CreateDatabase(Prog() + "bak/otherpass.back", "secret");
        TADOConnection c;
        c.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Prog() +
                              "bak/otherpass.back;Jet OLEDB:Database Password=secret");
        for (const String& statement : DefaultDatabaseStatements())
            c.Execute(statement);
    }
    const std::vector<String> notBackup{MsgRestoreQuestion, MsgRestoreNotBackup};
    struct Case {
        const char* Name;
        std::optional<String> File;
        int Answer;
        bool OtherStation;
        std::vector<String> Messages;
    };
    const std::vector<Case> cases = {
        {"dialog cancelled", std::nullopt, 1, false, {}},
        {"answer 2", Backup, 2, false, {MsgRestoreQuestion}},
        {"zero bytes", Prog() + "bak/empty.back", 1, false, notBackup},
        {"truncated", Prog() + "bak/truncated.back", 1, false, notBackup},
        {"another program's file", Prog() + "bak/foreign.db", 1, false, notBackup},
        {"another password", Prog() + "bak/otherpass.back", 1, false, notBackup},
        {"another station connected", Backup, 1, true,
         {MsgRestoreQuestion, MsgDatabaseInUse, MsgRestoreFailed}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string before = DatabaseBytes();
        std::unique_ptr<TADOConnection> other;
        if (c.OtherStation) {
            other = std::make_unique<TADOConnection>();
            other->SetConnectionString(ConnectionStringFor(Prog() + "data/"));
            other->Open();
        }
        User.Texts.clear();
        User.Requests.clear();
        User.Inputs = {RestoreAccessCode};
        User.Files = {c.File};
        User.Questions = {c.Answer};
        Window->btnRestoreClick();
        EXPECT_EQ(User.Texts, c.Messages);
        EXPECT_TRUE(Window->btnRestore->Enabled());
        EXPECT_EQ(Window->Caption(), DataBackCaption);
        const auto dialog = std::find_if(User.Requests.begin(), User.Requests.end(), [](const auto& r) {
            return r.Kind == TInteractionKind::OpenFile;
        });
        ASSERT_NE(dialog, User.Requests.end());
        EXPECT_EQ(dialog->Filter, BackupFileFilter);
        EXPECT_EQ(dialog->InitialDir, Prog() + "bak");
        if (other) {
            // The other station still works on the same data.
            EXPECT_EQ(other->Execute("update T_FCinfo set F_mem1 = F_mem1"), 5);
            other.reset();
        }
        EXPECT_EQ(DatabaseBytes(), before);
        EXPECT_EQ(Dm->GetInteger("select count(*) from T_FCinfo"), 5); // the next statement connects
    }
}

TEST_F(Restore, AGoodBackupIsRestoredAndTheProgramConnectsAgainOnAnswer2) {
    User.Inputs = {RestoreAccessCode};
    User.Files = {Backup};
    User.Questions = {1, 2};
    Window->btnRestoreClick();
    EXPECT_EQ(User.Texts, (std::vector<String>{MsgRestoreQuestion, MsgRestoreRestart}));
    EXPECT_TRUE(Dm->ADOcnn()->Connected());
    EXPECT_EQ(Dm->GetInteger("select count(*) from T_FCinfo"), kHouses);
    EXPECT_EQ(Dm->GetString("pragma journal_mode"), "wal");
    EXPECT_FALSE(Application()->Terminated());
}

TEST_F(Restore, AGoodBackupIsRestoredAndTheProgramEndsOnAnswer1) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto restoreAndEnd = [this] {
        User.Inputs = {RestoreAccessCode};
        User.Files = {Backup};
        User.Questions = {1, 1};
        Window->btnRestoreClick();
        const bool asExpected = User.Texts == std::vector<String>{MsgRestoreQuestion, MsgRestoreRestart} &&
                                Application()->Terminated() &&
                                Dm->GetInteger("select count(*) from T_FCinfo") == kHouses;
        std::exit(asExpected ? 0 : 1);
    };
    // In a process of its own (the application stays terminated): the backup's rows, the program ended.
    EXPECT_EXIT(restoreAndEnd(), testing::ExitedWithCode(0), "");
}

// ---- compaction (action 106) ---------------------------------------------------------------------

TEST_F(DataBack, CompactionSaysHowItWentAndLeavesTheConnectionOpen) {
    RegisterDataBackup();
    ASSERT_TRUE(HasActionWindow(106));
    ASSERT_TRUE(Dm->RunSQL("delete from T_FCinfo where F_ID > 20"));
    // Another station reading keeps its rows readable.
    TADOConnection reader;
    reader.SetConnectionString(ConnectionStringFor(Prog() + "data/"));
    TADOQuery q;
    q.SetConnection(&reader);
    q.SQL()->SetText("select F_ID from T_FCinfo order by F_ID");
    q.Open();
    CompactDatabaseFromMain();
    EXPECT_EQ(User.Texts, std::vector<String>{MsgCompactDone});
    EXPECT_TRUE(Dm->ADOcnn()->Connected());
    q.Close();
    q.Open();
    EXPECT_EQ(q.RecordCount(), 20);

    // Under another station's write transaction it fails, and the data stay as they were.
    reader.BeginTrans();
    reader.Execute("update T_FCinfo set F_mem1 = 'writing' where F_ID = 2");
    User.Texts.clear();
    CompactDatabaseFromMain();
    EXPECT_EQ(User.Texts, std::vector<String>{MsgCompactFailed});
    EXPECT_TRUE(Dm->ADOcnn()->Connected());
    reader.CommitTrans();
    EXPECT_EQ(Dm->GetInteger("select count(*) from T_FCinfo"), 20);
    EXPECT_EQ(Dm->GetString("select F_mem1 from T_FCinfo where F_ID = 2"), "writing");
    RegisterActionWindow(104, nullptr);
    RegisterActionWindow(106, nullptr);
    TFrmMain::DailyBackup = nullptr;
}

} // namespace
