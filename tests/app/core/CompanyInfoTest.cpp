// The company information window: every field round trip, the founding date that is not set,
// the row made when SysInfo has none, the e-mail test and what the home page and address open.
#include "DesktopStandIns.h"
#include "GridServicesFixture.h"
#include "app/core/AdminWindows.h"
#include "app/core/ShellRun.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmUserInfo.h"

#include "controls/kxCurrEdit.h"
#include "gui/ComCtrls.h"
#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"
#include "rtl/StrUtils.h"

#include <unistd.h>

namespace {

using CompanyMessages = std::vector<std::pair<String, int>>;

class CompanyInfo : public GridServices {
protected:
    void SetUp() override {
        GridServices::SetUp();
        RegisterAdminWindows();
    }
    void TearDown() override {
        RegisterActionWindow(101, nullptr);
        GridServices::TearDown();
    }
    void Open(std::function<void(TFrmUserInfo*)> play) {
        User.Form([play](TCustomForm* form) {
            auto* window = dynamic_cast<TFrmUserInfo*>(form);
            EXPECT_NE(window, nullptr);
            if (window) play(window);
            return static_cast<int>(mrCancel);
        });
        ASSERT_TRUE(HasActionWindow(101));
        ModalActionWindow<TFrmUserInfo>(1)(nullptr);
    }
    static void Fill(TFrmUserInfo* w) {
        w->edtname->SetText(" 阳光物业 ");
        w->edtaddress->SetText("河西路'1'号");
        w->edtphone->SetText("010-1234");
        w->edtfax->SetText("010-5678");
        w->edtLinker->SetText("王%");
        w->edtHomepage->SetText("www.example.cn");
        w->edtEmail->SetText("office@example.cn");
        w->dtpBuildDate->SetDate(EncodeDate(2003, 5, 6));
        w->dtpBuildDate->SetChecked(true);
        w->edtEnroler->SetText("张三");
        w->ceEnrolprice->SetValue(1234567.8912L);
        w->rceEmpNumber->SetValue(42);
        w->Mem->SetText("简介\n第二行");
    }
    static std::vector<String> Shown(TFrmUserInfo* w) {
        return {w->edtname->Text(),
                w->edtaddress->Text(),
                w->edtphone->Text(),
                w->edtfax->Text(),
                w->edtLinker->Text(),
                w->edtHomepage->Text(),
                w->edtEmail->Text(),
                w->dtpBuildDate->Checked() ? FormatDateTime("yyyy-mm-dd", w->dtpBuildDate->Date())
                                           : String("-"),
                w->edtEnroler->Text(),
                CurrToStr(Currency::FromDouble(w->ceEnrolprice->Value())),
                FloatToStr(w->rceEmpNumber->Value()),
                w->Mem->Text()};
    }
    const std::vector<String> Typed = {
        "阳光物业",          "河西路'1'号", "010-1234", "010-5678",     "王%", "www.example.cn",
        "office@example.cn", "2003-05-06",  "张三",     "1234567.8912", "42",  "简介\r\n第二行"};
    TScriptedResponder User;
    TInteractionScope Scope{User};
};

TEST_F(CompanyInfo, EveryFieldMakesTheRoundTrip) {
    Open([&](TFrmUserInfo* w) {
        EXPECT_EQ(w->Caption(), "公司信息");
        EXPECT_TRUE(w->BorderIcons().Empty()); // no close box
        Fill(w);
        w->btnSave->Click();
        w->btnClear->Click();
        EXPECT_EQ(w->edtname->Text(), "");
        EXPECT_FALSE(w->dtpBuildDate->Checked());
        EXPECT_EQ(w->ceEnrolprice->Value(), 0);
        w->btnEdit->Click(); // reads the row again
        EXPECT_EQ(Shown(w), Typed);
    });
    Open([&](TFrmUserInfo* w) { EXPECT_EQ(Shown(w), Typed); });
    EXPECT_EQ(Messages, (CompanyMessages{{MsgCompanySaved, 0}}));
    EXPECT_EQ(Rows("select F_EnrolPrice, F_buildDate from SysInfo"),
              std::vector<String>{"1234567.8912|2003-05-06"});
    // Saving again without changes: the same one row.
    Open([&](TFrmUserInfo* w) { w->btnSaveClick(); });
    EXPECT_EQ(Rows("select count(*), F_Name, F_EnrolPrice from SysInfo"),
              std::vector<String>{"1|阳光物业|1234567.8912"});
}

// An unticked date is stored as 1900-08-14 and shown unticked, as is a Null date.
TEST_F(CompanyInfo, ADateNotSetIsStoredAs19000814AndShownUnticked) {
    TClockOverride clock(EncodeDate(2027, 4, 5) + EncodeTime(9, 30, 0, 0));
    Open([&](TFrmUserInfo* w) {
        w->dtpBuildDate->SetChecked(false);
        w->btnSaveClick();
    });
    EXPECT_EQ(Rows("select F_buildDate from SysInfo"), std::vector<String>{"1900-08-14"});
    for (const char* stored : {"null", "#1900-08-14#", "#1901-08-13#"}) {
        ASSERT_TRUE(Dm->RunSQL(String("update SysInfo set F_buildDate = ") + stored));
        Open([&](TFrmUserInfo* w) {
            EXPECT_FALSE(w->dtpBuildDate->Checked()) << stored;
            EXPECT_EQ(FormatDateTime("yyyy-mm-dd", w->dtpBuildDate->Date()), "2027-04-05") << stored;
        });
    }
    ASSERT_TRUE(Dm->RunSQL("update SysInfo set F_buildDate = #1901-08-14#"));
    Open([&](TFrmUserInfo* w) { EXPECT_TRUE(w->dtpBuildDate->Checked()); });
}

// Without its row the table gets one: what was typed is kept, not lost behind the success message.
TEST_F(CompanyInfo, ASaveWithoutTheRowMakesIt) {
    ASSERT_TRUE(Dm->RunSQL("delete from SysInfo"));
    Open([&](TFrmUserInfo* w) {
        EXPECT_EQ(w->edtname->Text(), "");
        Fill(w);
        w->btnSaveClick();
    });
    EXPECT_EQ(Messages, (CompanyMessages{{MsgCompanySaved, 0}}));
    Open([&](TFrmUserInfo* w) { EXPECT_EQ(Shown(w), Typed); });
    EXPECT_EQ(Rows("select count(*) from SysInfo"), std::vector<String>{"1"});
}

// NUL dropped, texts bounded by their columns, 10 MB of profile kept.
TEST_F(CompanyInfo, BadInputIsKeptOrBounded) {
    String lines;
    while (lines.size() + 100 <= 10 * 1024 * 1024)
        lines += String(98, 'x') + "\r\n";
    String profile;
    Open([&](TFrmUserInfo* w) {
        w->edtname->SetText(String("a\0b'%", 5));
        w->edtphone->SetText(String(300, '9'));
        w->Mem->SetText(lines);
        profile = Trim(w->Mem->Text());
        w->btnSaveClick();
    });
    EXPECT_GE(profile.size(), 10u * 1024 * 1024 - 200);
    EXPECT_EQ(Rows("select F_Name, length(F_Phone), length(F_Mem) from SysInfo"),
              std::vector<String>{"ab'%|50|" + IntToStr(static_cast<int>(profile.size()))});
}

TEST(IsValidEmail, ByTheShapeOfTheAddress) {
    const std::vector<std::pair<const char*, bool>> cases = {
        {"a@b.cde", true},     // five characters after "@", first dot second
        {"a@b.cd", false},     // four, the dot too close to the end
        {"a@mail.b.cn", true}, // two dots, the first the fifth character
        {"Ab_1-x.y@qq.com", true},
        {"a..b@qq.com", false},
        {"a@qq..com", false},
        {"@qq.com", false},
        {"a b@qq.com", false},
        {"a+b@qq.com", false},
        {"a@q q.com", false},
        {"", false},
        {"abc", false},
        {"a@b", false},
        {"a@bcde", false},
        {"王@qq.com", false}};
    for (const auto& [address, valid] : cases)
        EXPECT_EQ(IsValidEmail(address), valid) << address;
}

TEST(HomePageTarget, TypedAddressesOpenAsWebAddresses) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"www.example.cn", "http://www.example.cn"},
        {" http://a.cn ", "http://a.cn"},
        {"HTTPS://a.cn/x", "HTTPS://a.cn/x"},
        {"https://a.cn", "https://a.cn"},
        {"/home/u/http:/x", "http:///home/u/http:/x"}, // a path holding "http:" is no local file
        {"   ", ""},
    };
    for (const auto& [typed, target] : cases)
        EXPECT_EQ(HomePageTarget(typed), target) << typed;
}

// A double click opens the home page and a valid address with the desktop's opener.
TEST_F(CompanyInfo, DoubleClicksOpenTheHomePageAndTheAddress) {
    const TDesktopStandIns desktop(Prog() + "opens/", "");
    Open([&](TFrmUserInfo* w) {
        w->edtHomepage->SetText(" www.example.cn ");
        w->HomePageDblClick();
        EXPECT_EQ(TempDir::ReadAll(desktop.OpenedRecord()), "http://www.example.cn\n");
        w->edtEmail->SetText(" office@example.com ");
        w->EmailDblClick();
        EXPECT_EQ(TempDir::ReadAll(desktop.OpenedRecord()), "mailto:office@example.com?subject\n");
        unlink(desktop.OpenedRecord().c_str());
        w->edtEmail->SetText("office@x.cn"); // the dot too close to the end
        w->EmailDblClick();
        w->edtHomepage->SetText("");
        w->HomePageDblClick();
    });
    EXPECT_FALSE(FileExists(desktop.OpenedRecord()));
    EXPECT_TRUE(Messages.empty());
}

} // namespace
