// Drop-down menus as the user opens them: "-" items are separator lines that follow Visible, and
// an MDI frame's window menu ends with the list of its open child windows.
#include "gui/Menus.h"
#include "gui/Forms.h"
#include "gui/InputSimulation.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<String> Captions(const std::vector<TMenuEntry>& entries) {
    std::vector<String> out;
    for (const TMenuEntry& e : entries)
        out.push_back(e.Separator ? String("-") : (e.Checked ? "*" : "") + e.Caption);
    return out;
}

} // namespace

TEST(Menus, ADashItemIsASeparatorLineWithoutTextThatFollowsVisible) {
    TForm form(nullptr);
    TMainMenu menu(&form);
    TMenuItem* file = NewItem(&form, "&File", scNone, false, true, nullptr);
    menu.Items()->Add(file);
    file->Add(NewItem(&form, "&Open", scNone, false, true, nullptr));
    TMenuItem* line = NewLine(&form);
    file->Add(line);
    file->Add(NewItem(&form, "E&xit", scNone, false, true, nullptr));
    form.SetMenu(&menu);

    std::vector<TMenuEntry> entries = SimulateMenuOpen(file);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(entries[1].Separator);
    EXPECT_EQ(entries[1].Caption, "");
    EXPECT_FALSE(entries[0].Separator);
    EXPECT_EQ(entries[0].Caption, "&Open");

    line->SetVisible(false);
    EXPECT_EQ(Captions(SimulateMenuOpen(file)), (std::vector<String>{"&Open", "E&xit"}));
    // An item that becomes "-" turns into a line, and back.
    line->SetVisible(true);
    file->Items(2)->SetCaption("-");
    EXPECT_EQ(Captions(SimulateMenuOpen(file)), (std::vector<String>{"&Open", "-", "-"}));
    file->Items(2)->SetCaption("Quit");
    EXPECT_EQ(Captions(SimulateMenuOpen(file)), (std::vector<String>{"&Open", "-", "Quit"}));
}

namespace {

class WindowMenu : public testing::Test {
protected:
    void SetUp() override {
        FPrevious = Application()->MainForm();
        Frame = std::make_unique<TForm>(nullptr);
        Frame->SetFormStyle(fsMDIForm);
        Frame->SetBounds(0, 0, 800, 600);
        Menu = new TMainMenu(Frame.get());
        Window = NewItem(Frame.get(), "窗体", scNone, false, true, nullptr);
        Menu->Items()->Add(Window);
        Window->Add(
            NewItem(Frame.get(), "重叠", scNone, false, true, [this](TObject*) { Frame->Cascade(); }));
        Frame->SetMenu(Menu);
        Application()->SetMainForm(Frame.get());
        Frame->Show();
    }
    void TearDown() override {
        Frame.reset();
        Application()->SetMainForm(FPrevious);
    }
    TForm* Child(const String& caption) {
        auto* child = new TForm(Frame.get()); // freed with the frame
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(10, 10, 200, 150);
        child->Show();
        return child;
    }
    std::unique_ptr<TForm> Frame;
    TMainMenu* Menu = nullptr;
    TMenuItem* Window = nullptr;

private:
    TCustomForm* FPrevious = nullptr;
};

} // namespace

TEST_F(WindowMenu, TheFrameListsItsChildrenBelowTheItemsWithTheActiveOneChecked) {
    // No window menu: the items alone.
    TForm* first = Child("桌面");
    EXPECT_EQ(Captions(SimulateMenuOpen(Window)), (std::vector<String>{"重叠"}));

    Frame->SetWindowMenu(Window);
    EXPECT_EQ(Frame->WindowMenu(), Window);
    TForm* second = Child("房产住户");
    ASSERT_EQ(Frame->ActiveMDIChild(), second);
    EXPECT_EQ(Captions(SimulateMenuOpen(Window)),
              (std::vector<String>{"重叠", "-", "&1 桌面", "*&2 房产住户"}));
    // Opening again does not add the list twice.
    EXPECT_EQ(SimulateMenuOpen(Window).size(), 4u);

    // Choosing an entry activates that child.
    SimulateMenuChoice(Window, 2);
    EXPECT_EQ(Frame->ActiveMDIChild(), first);
    EXPECT_EQ(Captions(SimulateMenuOpen(Window)),
              (std::vector<String>{"重叠", "-", "*&1 桌面", "&2 房产住户"}));

    // Hidden and freed children leave the list; without children there is no separator either.
    second->Hide();
    EXPECT_EQ(Captions(SimulateMenuOpen(Window)).size(), 3u);
    delete second;
    delete first;
    EXPECT_EQ(Captions(SimulateMenuOpen(Window)), (std::vector<String>{"重叠"}));

    // The list goes when the window menu is taken away.
    Child("桌面");
    EXPECT_EQ(SimulateMenuOpen(Window).size(), 3u);
    Frame->SetWindowMenu(nullptr);
    EXPECT_EQ(Captions(SimulateMenuOpen(Window)), (std::vector<String>{"重叠"}));
}

TEST_F(WindowMenu, AFreedWindowMenuIsForgotten) {
    Frame->SetWindowMenu(Window);
    Child("桌面");
    EXPECT_EQ(SimulateMenuOpen(Window).size(), 3u);
    delete Window;
    EXPECT_EQ(Frame->WindowMenu(), nullptr);
}
