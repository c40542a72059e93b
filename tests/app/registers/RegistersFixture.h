// The register windows on the seeded database, played offscreen: the program's data module on a
// default database in a temporary folder, the seed, the operator "admin", the program's date
// format, a fixed clock, and a responder for the platform's boxes and modal forms (ShowMess is
// recorded in Messages).
#pragma once

#include "app/RegisterSeed.h"
#include "app/core/AppFixture.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"

#include "db/ADODB.h"
#include "gui/Forms.h"
#include "gui/Interaction.h"
#include "rtl/DateUtils.h"
#include "rtl/Format.h"

#include <functional>
#include <memory>

class Registers : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        delete dmData; // one left by an earlier start goes, as a new start lets it go
        Connect();
        dmData = Dm.get();
        seed::SeedRegisters(Dm->ADOcnn(), HouseCount());
        FormatSettings().DateSeparator = '-';
        FormatSettings().ShortDateFormat = "yyyy-MM-dd";
        Dm->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
        OperName = "admin";
        IsAdmin = true;
    }

    virtual int HouseCount() const { return 120; }

    // A restricted operator: only the listed estates (as the login sets the state).
    void RestrictTo(const String& list);

    // Opens a window (shown, as the action shows it) and hands it to the test.
    template <class T> std::unique_ptr<T> Open() {
        auto window = std::make_unique<T>(nullptr);
        window->Show();
        return window;
    }

    // A modal form of class T played by the handler; returns mrNone unless the handler says.
    template <class T> void Play(std::function<void(T*)> handler) {
        User.Form([handler](TCustomForm* form) {
            T* dialog = dynamic_cast<T*>(form);
            EXPECT_NE(dialog, nullptr) << form->ClassName();
            if (dialog) handler(dialog);
            return static_cast<int>(mrNone);
        });
    }

    String One(const String& sql) {
        const std::vector<String> rows = Rows(sql);
        return rows.empty() ? String("<none>") : rows.front();
    }
    std::vector<String> MessageTexts() const {
        std::vector<String> texts;
        for (const auto& [text, kind] : Messages)
            texts.push_back(text);
        return texts;
    }
    String LastMessage() const { return Messages.empty() ? String() : Messages.back().first; }

    TClockOverride Clock{EncodeDate(2026, 3, 15) + EncodeTime(10, 30, 0, 0)};
    TScriptedResponder User;
    TInteractionScope Scope{User};
};
