// The start-up played through the Interaction responder with offscreen windows: a program
// folder with a data module (AppFixture), the platform's message boxes answered by User, and the
// login dialog played by Login.
#pragma once

#include "AppFixture.h"
#include "app/core/uFrmBtnImage.h"
#include "app/core/uFrmMain.h"
#include "app/core/uFrmOperLogin.h"

#include "gui/Interaction.h"
#include "gui/StdCtrls.h"
#include "rtl/Format.h"

#include <functional>
#include <vector>

class Startup : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        InstallMessageBoxes(); // ShowMess through the platform's boxes, answered by User
    }
    void TearDown() override {
        delete FrmMain;
        FormatSettings().DateSeparator = '-';
        FormatSettings().ShortDateFormat = "yyyy-MM-dd";
        AppFixture::TearDown();
    }

    // The login dialog played: the name, then each password clicked with "确定".
    static std::function<int(TCustomForm*)> Login(const String& name, std::vector<String> passwords) {
        return [name, passwords](TCustomForm* form) {
            auto* login = dynamic_cast<TfrmOperLogin*>(form);
            EXPECT_NE(login, nullptr);
            if (!login) return static_cast<int>(mrCancel);
            login->cbbOperName->SetText(name);
            for (const String& password : passwords) {
                login->edtPassWord->SetText(password);
                login->btnOk->Click();
                if (login->ModalResult() != mrNone) break;
            }
            return static_cast<int>(mrNone);
        };
    }

    std::vector<String> MessageTexts() const {
        std::vector<String> texts;
        for (const TInteractionRequest& r : User.Requests())
            if (r.Kind == TInteractionKind::MessageBox) texts.push_back(r.Text);
        return texts;
    }

    void AddOperator(const String& name, const String& password, std::vector<String> rights) {
        ASSERT_TRUE(
            Dm->RunSQL("insert into OperList (F_Name, F_PassWord, F_Flag, F_XQflag, F_XQname) values ('" +
                       name + "', '" + SavePass(password) + "', false, 0, '')"));
        for (const String& right : rights)
            ASSERT_TRUE(Dm->RunSQL("insert into OperLimit (F_OperName, F_lmtName) select '" + name +
                                   "', F_name from Limits where F_code = '" + right + "'"));
    }

    int VisibleDesktopButtons() const {
        int count = 0;
        for (TButton* b : FrmBtnImage->Buttons)
            count += b->Visible() ? 1 : 0;
        return count;
    }

    TScriptedResponder User;
    TInteractionScope Scope{User};
};
