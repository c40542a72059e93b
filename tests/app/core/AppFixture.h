// A program folder in a temporary folder with a default database in data/, a data module
// connected to it, and a recorder of every ShowMess.
#pragma once

#include "TempDir.h"
#include "app/core/DataDm.h"
#include "app/core/DefaultDatabase.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "gui/Forms.h"
#include "rtl/FileUtils.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

class AppFixture : public testing::Test {
protected:
    void SetUp() override {
        SetProgramFolder(Dir.Path());
        // The user's configuration folder is the test's own too.
        const char* previous = std::getenv("ORVANTA_CONFIG_HOME");
        FPreviousConfigHome = previous ? previous : "";
        setenv("ORVANTA_CONFIG_HOME", HomeConfig.Path().c_str(), 1);
        FPrevious = SetShowMessHandler([this](const String& text, int kind) {
            Messages.emplace_back(text, kind);
            return kind == 1 ? Answer : 1;
        });
        ResetOperatorState();
        // A test before may have ended the program (a cancelled login, a restore).
        Application()->ResetTerminated();
    }
    void TearDown() override {
        Dm.reset();
        IniFile.reset();
        SetShowMessHandler(std::move(FPrevious));
        SetProgramFolder("");
        if (FPreviousConfigHome.empty())
            unsetenv("ORVANTA_CONFIG_HOME");
        else
            setenv("ORVANTA_CONFIG_HOME", FPreviousConfigHome.c_str(), 1);
        ResetOperatorState();
    }

    String Prog() const { return IncludeTrailingPathDelimiter(Dir.Path()); }

    // Creates the default database and connects a data module to it.
    void Connect() {
        ASSERT_TRUE(CreateDefaultDatabase(Prog() + "data/"));
        Dm = std::make_unique<TdmData>(nullptr);
        ASSERT_TRUE(Dm->DataModuleCreate());
    }

    // Rows of a statement, each as the texts of its columns joined by "|".
    std::vector<String> Rows(const String& sql);

    TempDir Dir;
    TempDir HomeConfig;
    std::unique_ptr<TdmData> Dm;
    std::vector<std::pair<String, int>> Messages;
    int Answer = 1;

private:
    TShowMessHandler FPrevious;
    String FPreviousConfigHome;
};
