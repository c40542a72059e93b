// Forms driven by keys and mouse: the key road (shortcuts, dialog keys, key preview, the
// control's events), virtual-key mapping, modal results, closing, alignment and anchors.
#include "gui/Forms.h"
#include "gui/ActnList.h"
#include "gui/ExtCtrls.h"
#include "gui/InputSimulation.h"
#include "gui/Interaction.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

// A small dialog: an edit, OK (default) and Cancel (cancel) buttons.
struct TTestDialog : TForm {
    TEdit* edName;
    TButton* btnOk;
    TButton* btnCancel;
    explicit TTestDialog(TComponent* owner) : TForm(owner) {
        SetCaption("测试");
        SetBounds(0, 0, 300, 200);
        edName = new TEdit(this);
        edName->SetParent(this);
        edName->SetBounds(10, 10, 150, 21);
        btnOk = new TButton(this);
        btnOk->SetParent(this);
        btnOk->SetCaption("确定");
        btnOk->SetBounds(10, 50, 75, 25);
        btnOk->SetDefault(true);
        btnOk->SetModalResult(mrOk);
        btnCancel = new TButton(this);
        btnCancel->SetParent(this);
        btnCancel->SetCaption("取消");
        btnCancel->SetBounds(100, 50, 75, 25);
        btnCancel->SetCancel(true);
        btnCancel->SetModalResult(mrCancel);
    }
};

} // namespace

// Each virtual key goes out as the Qt key of the same key and comes back as the same code and
// shift state in OnKeyDown.
TEST(KeyMapping, VirtualKeysRoundTripThroughQtKeys) {
    struct TCase {
        Word Key;
        TShiftState Shift;
    };
    const std::vector<TCase> cases = {
        {'A', {}},          {'Z', {ssShift}},      {'S', {ssCtrl}},  {'0', {}},           {'9', {}},
        {VK_RETURN, {}},    {VK_ESCAPE, {}},       {VK_F1, {}},      {VK_F12, {ssAlt}},   {VK_LEFT, {}},
        {VK_UP, {}},        {VK_RIGHT, {ssShift}}, {VK_DOWN, {}},    {VK_DELETE, {}},     {VK_INSERT, {}},
        {VK_HOME, {}},      {VK_END, {ssCtrl}},    {VK_PRIOR, {}},   {VK_NEXT, {}},       {VK_BACK, {}},
        {VK_SPACE, {}},     {VK_NUMPAD0, {}},      {VK_NUMPAD7, {}}, {VK_ADD, {}},        {VK_SUBTRACT, {}},
        {VK_MULTIPLY, {}},  {VK_DIVIDE, {}},       {VK_DECIMAL, {}}, {VK_OEM_PERIOD, {}}, {VK_OEM_MINUS, {}},
        {VK_OEM_COMMA, {}}, {VK_OEM_1, {}},
    };
    TForm form(nullptr);
    auto* memo = new TMemo(&form); // a memo takes Enter and Esc itself only partly: use a plain window
    memo->SetParent(&form);
    TCustomControl* target = new TCustomControl(&form);
    target->SetParent(&form);
    Word got = 0;
    TShiftState gotShift;
    target->OnKeyDown = [&](TObject*, Word& k, TShiftState s) {
        got = k;
        gotShift = s;
    };
    for (const TCase& c : cases) {
        got = 0;
        SimulateKey(target, c.Key, c.Shift);
        EXPECT_EQ(got, c.Key) << "key " << c.Key;
        EXPECT_EQ(gotShift, c.Shift) << "key " << c.Key;
    }
}

TEST(KeyMapping, ShortCutTextReadsBack) {
    struct TCase {
        const char* Text;
        TShortCut Value;
    };
    const TCase cases[] = {
        {"Ctrl+S", static_cast<TShortCut>(scCtrl | 'S')},
        {"F2", VK_F2},
        {"Shift+F10", static_cast<TShortCut>(TShortCut(scShift) | TShortCut(VK_F10))},
        {"Ctrl+Alt+Del", static_cast<TShortCut>(TShortCut(scCtrl) | TShortCut(scAlt) | TShortCut(VK_DELETE))},
        {"PgDn", VK_NEXT},
        {"Enter", VK_RETURN},
        {"Esc", VK_ESCAPE}};
    for (const TCase& c : cases) {
        EXPECT_EQ(TextToShortCut(c.Text), c.Value) << c.Text;
        EXPECT_EQ(ShortCutToText(c.Value), c.Text);
    }
    EXPECT_EQ(TextToShortCut("ctrl+s"), static_cast<TShortCut>(scCtrl | 'S'));
    EXPECT_EQ(TextToShortCut("Nonsense"), scNone);
    EXPECT_EQ(ShortCut('A', TShiftState{ssCtrl, ssShift}), static_cast<TShortCut>(scCtrl | scShift | 'A'));
}

// The form's OnKeyDown runs before the control's when KeyPreview is on; a handler that sets Key to
// 0 swallows it; a key-press handler can change the character typed.
TEST(Forms, KeyPreviewRunsFirstAndCanSwallowOrChangeKeys) {
    TTestDialog form(nullptr);
    form.Show();
    std::vector<String> order;
    form.SetKeyPreview(true);
    form.OnKeyDown = [&](TObject*, Word& k, TShiftState) {
        order.push_back("form");
        if (k == VK_F5) k = 0;
    };
    form.edName->OnKeyDown = [&](TObject*, Word&, TShiftState) { order.push_back("edit"); };
    SimulateKey(form.edName, VK_F2);
    EXPECT_EQ(order, (std::vector<String>{"form", "edit"}));
    order.clear();
    SimulateKey(form.edName, VK_F5);
    EXPECT_EQ(order, (std::vector<String>{"form"}));

    form.edName->OnKeyPress = [](TObject*, char16_t& ch) {
        if (ch == u'x') ch = 0;
        if (ch >= u'a' && ch <= u'z') ch = static_cast<char16_t>(ch - 32);
    };
    SimulateTyping(form.edName, "abxc");
    EXPECT_EQ(form.edName->Text(), "ABC");

    form.SetKeyPreview(false);
    order.clear();
    SimulateKey(form.edName, VK_F2);
    EXPECT_EQ(order, (std::vector<String>{"edit"}));
}

// Enter presses the default button and Esc the cancel button, closing the modal form with their
// modal results; the responder plays the user by keys.
TEST(Forms, ModalFormClosedByKeysWithTheButtonsModalResult) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    TTestDialog form(nullptr);
    bool okClicked = false;
    form.btnOk->OnClick = [&](TObject*) { okClicked = true; };
    user.Form([](TCustomForm* f) {
        auto* d = static_cast<TTestDialog*>(f);
        d->edName->SetFocus();
        SimulateTyping(d->edName, "Li");
        SimulateKey(d->edName, VK_RETURN);
        return mrNone; // the button closed it
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_TRUE(okClicked);
    EXPECT_EQ(form.edName->Text(), "Li");
    EXPECT_FALSE(form.Visible());

    user.Form([](TCustomForm* f) {
        SimulateKey(static_cast<TTestDialog*>(f)->edName, VK_ESCAPE);
        return mrNone;
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    ASSERT_EQ(user.Requests().size(), 2u);
    EXPECT_EQ(user.Requests()[0].Kind, TInteractionKind::ModalForm);
    EXPECT_EQ(user.Requests()[0].Caption, "测试");
}

// OnCloseQuery can keep a modal form open: the responder's next turn closes it.
TEST(Forms, CloseQueryKeepsTheModalFormForTheNextTurn) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    TTestDialog form(nullptr);
    int asked = 0;
    form.OnCloseQuery = [&](TObject*, bool& can) { can = ++asked > 1; };
    std::vector<String> events;
    form.OnShow = [&](TObject*) { events.push_back("show"); };
    form.OnHide = [&](TObject*) { events.push_back("hide"); };
    form.OnClose = [&](TObject*, TCloseAction& a) {
        events.push_back("close");
        EXPECT_EQ(a, caHide);
    };
    user.Answer(mrOk).Form([](TCustomForm* f) {
        static_cast<TTestDialog*>(f)->btnCancel->Click();
        return mrNone;
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(events, (std::vector<String>{"show", "close", "hide"}));
    EXPECT_EQ(user.Pending(), 0);
}

TEST(Forms, ShowModalOfAVisibleFormFails) {
    TForm form(nullptr);
    form.Show();
    EXPECT_THROW(form.ShowModal(), EInvalidOperation);
}

// Close of a non-modal form: OnCloseQuery, OnClose with caHide; caNone keeps it shown.
TEST(Forms, CloseActionsDecideWhatHappens) {
    TForm form(nullptr);
    form.Show();
    TCloseAction choose = caNone;
    form.OnClose = [&](TObject*, TCloseAction& a) { a = choose; };
    form.Close();
    EXPECT_TRUE(form.Visible());
    choose = caHide;
    form.Close();
    EXPECT_FALSE(form.Visible());
}

// Mouse: client coordinates, the button, the shift state, and OnClick after a press and release
// inside.
TEST(Forms, MouseEventsCarryClientCoordinatesAndShiftState) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(20, 30, 100, 50);
    form.Show();
    std::vector<String> log;
    panel->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
                      (s.Contains(ssLeft) ? " L" : "") + (s.Contains(ssShift) ? " S" : ""));
    };
    panel->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    panel->OnClick = [&](TObject*) { log.push_back("click"); };
    panel->OnDblClick = [&](TObject*) { log.push_back("dbl"); };
    SimulateClick(panel, 5, 7, mbLeft, TShiftState{ssShift});
    EXPECT_EQ(log, (std::vector<String>{"down 0 5,7 L S", "up 5,7", "click"}));
    log.clear();
    SimulateClick(panel, 3, 4, mbRight);
    EXPECT_EQ(log, (std::vector<String>{"down 1 3,4", "up 3,4"}));
    log.clear();
    SimulateDblClick(panel, 1, 1);
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[3], "dbl");
}

// Tab moves the focus in tab order, with OnExit of the one left and OnEnter of the new one.
TEST(Forms, TabMovesFocusInTabOrder) {
    TTestDialog form(nullptr);
    form.Show();
    form.edName->SetFocus();
    EXPECT_EQ(form.ActiveControl(), form.edName);
    std::vector<String> log;
    form.edName->OnExit = [&](TObject*) { log.push_back("exit edit"); };
    form.btnOk->OnEnter = [&](TObject*) { log.push_back("enter ok"); };
    SimulateKey(form.edName, VK_TAB);
    EXPECT_EQ(form.ActiveControl(), form.btnOk);
    EXPECT_EQ(log, (std::vector<String>{"exit edit", "enter ok"}));
    SimulateKey(form.btnOk, VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(form.ActiveControl(), form.edName);
    form.btnCancel->SetTabOrder(0);
    SimulateKey(form.edName, VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(form.ActiveControl(), form.btnCancel);
}

// Aligned panels take their edges in the platform's order: top, bottom, left, right, client.
TEST(Forms, AlignPlacesPanelsInThePlatformsOrder) {
    TForm form(nullptr);
    form.SetClientWidth(400);
    form.SetClientHeight(300);
    auto make = [&](TAlign a, int w, int h) {
        auto* p = new TPanel(&form);
        p->SetParent(&form);
        p->SetBounds(0, 0, w, h);
        p->SetAlign(a);
        return p;
    };
    TPanel* client = make(alClient, 10, 10);
    TPanel* left = make(alLeft, 50, 10);
    TPanel* top = make(alTop, 10, 40);
    TPanel* bottom = make(alBottom, 10, 20);
    TPanel* right = make(alRight, 30, 10);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 40));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 280, 400, 300));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 40, 50, 280));
    EXPECT_EQ(right->BoundsRect(), Rect(370, 40, 400, 280));
    EXPECT_EQ(client->BoundsRect(), Rect(50, 40, 370, 280));

    // A second top panel placed below the first stays below it; resizing realigns.
    TPanel* top2 = make(alTop, 10, 10);
    top2->SetTop(100);
    EXPECT_EQ(top2->BoundsRect(), Rect(0, 40, 400, 50));
    form.SetClientHeight(500);
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 480, 400, 500));
    EXPECT_EQ(client->BoundsRect(), Rect(50, 50, 370, 480));

    // Hidden controls give up their place; a panel's bevel narrows what its children share.
    top->SetVisible(false);
    EXPECT_EQ(top2->Top(), 0);
    auto* inner = new TPanel(&form);
    inner->SetParent(client);
    inner->SetAlign(alClient);
    EXPECT_EQ(inner->BoundsRect(), Rect(1, 1, client->Width() - 1, client->Height() - 1));
}

TEST(Forms, AnchorsKeepDistancesToTheParentsEdges) {
    TForm form(nullptr);
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    auto* btn = new TButton(&form);
    btn->SetParent(&form);
    btn->SetBounds(200, 150, 80, 30);
    btn->SetAnchors(TAnchors{akRight, akBottom});
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 280, 21);
    edit->SetAnchors(TAnchors{akLeft, akTop, akRight});
    form.SetClientWidth(400);
    form.SetClientHeight(260);
    EXPECT_EQ(btn->BoundsRect(), Rect(300, 210, 380, 240));
    EXPECT_EQ(edit->BoundsRect(), Rect(10, 10, 390, 31));
}

// Disabling an action disables the menu item and the button that follow it; clicking them runs
// the action; the action's shortcut runs it from the form.
TEST(Forms, ActionsDriveTheirMenuItemsAndButtons) {
    TForm form(nullptr);
    auto* list = new TActionList(&form);
    auto* act = new TAction(&form);
    act->SetActionList(list);
    act->SetCaption("保存");
    act->SetShortCut(TextToShortCut("Ctrl+S"));
    int runs = 0;
    act->OnExecute = [&](TObject*) { ++runs; };
    auto* menu = new TMainMenu(&form);
    auto* file = new TMenuItem(&form);
    file->SetCaption("&File");
    menu->Items()->Add(file);
    auto* save = new TMenuItem(&form);
    save->SetAction(act);
    file->Add(save);
    form.SetMenu(menu);
    auto* btn = new TButton(&form);
    btn->SetParent(&form);
    btn->SetAction(act);
    EXPECT_EQ(save->Caption(), "保存");
    EXPECT_EQ(btn->Caption(), "保存");
    EXPECT_EQ(save->ShortCut(), TextToShortCut("Ctrl+S"));

    save->Click();
    btn->Click();
    form.Show();
    SimulateKey(btn, 'S', TShiftState{ssCtrl});
    EXPECT_EQ(runs, 3);

    act->SetEnabled(false);
    EXPECT_FALSE(save->Enabled());
    EXPECT_FALSE(btn->Enabled());
    save->Click();
    SimulateKey(&form, 'S', TShiftState{ssCtrl});
    EXPECT_EQ(runs, 3);
    act->SetVisible(false);
    EXPECT_FALSE(btn->Visible());
    act->SetCaption("另存");
    EXPECT_EQ(save->Caption(), "另存");
}

TEST(Forms, MenuShortcutsRunTheirItemAndRadioItemsExcludeEachOther) {
    TForm form(nullptr);
    auto* menu = new TMainMenu(&form);
    auto* view = NewItem(&form, "&View", scNone, false, true, nullptr);
    menu->Items()->Add(view);
    int clicks = 0;
    auto* a = NewItem(&form, "A", TextToShortCut("F2"), false, true, [&](TObject*) { ++clicks; });
    auto* b = NewItem(&form, "B", scNone, false, true, nullptr);
    view->Add(a);
    view->Add(NewLine(&form));
    view->Add(b);
    a->SetRadioItem(true);
    b->SetRadioItem(true);
    form.SetMenu(menu);
    form.Show();
    SimulateKey(&form, VK_F2);
    EXPECT_EQ(clicks, 1);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(menu->FindItemByPath("View/B"), b);
    EXPECT_TRUE(view->Items(1)->IsLine());
    view->Delete(0);
    EXPECT_EQ(view->Count(), 2);
}

TEST(Forms, PopupMenuAnsweredByTheResponder) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    TForm form(nullptr);
    auto* popup = new TPopupMenu(&form);
    popup->SetName("pmGrid");
    String chosen;
    popup->Items()->Add(NewItem(&form, "&Copy", scNone, false, true, [&](TObject*) { chosen = "copy"; }));
    popup->Items()->Add(NewItem(&form, "Paste", scNone, false, true, [&](TObject*) { chosen = "paste"; }));
    user.MenuItem("Paste").MenuItem("");
    popup->Popup(10, 10);
    EXPECT_EQ(chosen, "paste");
    chosen.clear();
    popup->Popup(10, 10);
    EXPECT_EQ(chosen, "");
    EXPECT_EQ(user.Requests()[0].Items, (std::vector<String>{"Copy", "Paste"}));
}

TEST(Forms, ExceptionsAreShownThroughTheMessageBox) {
    TScriptedResponder user;
    TInteractionScope scope(user);
    Application()->SetTitle("Orvanta");
    user.Answer(IDOK);
    try {
        throw Exception("磁盘已满");
    } catch (...) {
        Application()->HandleException(nullptr);
    }
    try {
        Abort();
    } catch (...) {
        Application()->HandleException(nullptr); // silent
    }
    ASSERT_EQ(user.Requests().size(), 1u);
    EXPECT_EQ(user.Requests()[0].Text, "磁盘已满.");
    EXPECT_EQ(user.Requests()[0].Caption, "Orvanta");
    EXPECT_EQ(user.Requests()[0].Flags, MB_OK | MB_ICONSTOP);
}

TEST(Forms, TimerFiresUnderProcessMessages) {
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(5);
    timer.OnTimer = [&](TObject*) { ++ticks; };
    for (int i = 0; i < 2000 && ticks < 2; ++i) {
        Application()->ProcessMessages();
        if (ticks < 2) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_GE(ticks, 2);
    timer.SetEnabled(false);
    int before = ticks;
    for (int i = 0; i < 20; ++i) {
        Application()->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(ticks, before);
}

TEST(Forms, ScreenKnowsTheFormsAndTheActiveOne) {
    const int before = Screen()->FormCount();
    {
        TForm a(nullptr), b(nullptr);
        EXPECT_EQ(Screen()->FormCount(), before + 2);
        a.Show();
        EXPECT_EQ(Screen()->ActiveForm(), &a);
        b.Show();
        EXPECT_EQ(Screen()->ActiveForm(), &b);
        b.Hide();
        EXPECT_EQ(Screen()->ActiveForm(), &a);
    }
    EXPECT_EQ(Screen()->FormCount(), before);
    EXPECT_GT(Screen()->Width(), 0);
    EXPECT_EQ(Screen()->PixelsPerInch(), 96);
    EXPECT_GT(Screen()->Fonts()->Count(), 0);
}
