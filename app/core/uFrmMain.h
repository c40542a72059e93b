// The main window: a multiple-document frame with the menus of the 34 actions, the window menu
// 窗体, the utilities of 辅助, the item 导航图, a status bar with the operator and a clock, and
// the desktop of navigation buttons as its child window.
//
// Each action opens the window that its code names. The windows come with later parts of the
// application: each registers how it opens (RegisterActionWindow); an action whose window is not
// registered stays in its menu and on the desktop, follows the rights, and is disabled, with the
// hint MsgNotYetProvided so the user knows why.
#pragma once

#include "gui/Forms.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class TMainMenu;
class TMenuItem;
class TActionList;
class TAction;
class TStatusBar;
class TTimer;
class TImageList;

// The hint of an action whose window is not there yet.
inline const String MsgNotYetProvided = "尚未提供";

class TFrmMain : public TForm {
public:
    explicit TFrmMain(TComponent* AOwner);
    ~TFrmMain() override;
    String ClassName() const override { return "TFrmMain"; }

    TMainMenu* MainMenu1;
    TActionList* ActionList1;
    TStatusBar* StatusBar1;
    TTimer* Timer1;
    // The actions' pictures, 32 x 32 for the desktop's buttons and 16 x 16 for the menu items, at
    // each action's ImageIndex. Filled on first use (ActionImages), which is after the login, and
    // only then given to the menus: the start does not wait for the icon theme.
    TImageList* ImageList16;
    TImageList* ImageList32;
    TImageList* ActionImages();
    // The top menus of the actions (系统管理 ... 报表中心), then 窗体, 辅助 and 导航图.
    TMenuItem* mnuTop[5];
    TMenuItem* mnuRelogin;
    TMenuItem* mnuExit;
    TMenuItem* mnuWindow;
    TMenuItem* mnuHelp;
    TMenuItem* mnuNavigator;

    // The action of a code (nullptr for codes that are not actions).
    TAction* ActionOf(int code) const;
    // Shows exactly the actions listed, and the top menus that hold one of them.
    void SetLimits(const std::vector<int>& visibleActions);
    // The menu items of the actions take their actions' visibility and state.
    void SyncActionItems();
    // Status bar panels 1 and 3: the operator and the current date and time.
    void ShowOperator();
    void ShowClock();
    // Opens the desktop or brings the open one to the front.
    void ShowDesktop();
    // The handlers of the plain menu items.
    void ReloginClick();
    void ExitClick();
    void CloseAllChildren();

    // Set by the backup, run by the show handler when the schedule of config.ini asks for it.
    static std::function<void()> DailyBackup;

protected:
    void DoShow() override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildStatusBar();
    void RunAction(int code);
    void FirstShow();
    std::map<int, TAction*> FActions;
    std::vector<std::pair<TMenuItem*, TAction*>> FActionItems;
    bool FShown = false;
};

// The main window of the program (nullptr while there is none).
extern TFrmMain* FrmMain;

// How an action opens its window: creates it with the main window as owner, places it, shows it
// modally and frees it. Registered by the part of the application that builds the window; an
// empty opener takes the registration back.
using TActionWindowOpener = std::function<void(TFrmMain* main)>;
void RegisterActionWindow(int code, TActionWindowOpener opener);
bool HasActionWindow(int code);

// The usual opener: a window of class T placed in a DispFormPos mode and shown modally.
template <class T> TActionWindowOpener ModalActionWindow(int placeMode);
void PlaceAndShowModal(TCustomForm* form, int placeMode);
template <class T> TActionWindowOpener ModalActionWindow(int placeMode) {
    return [placeMode](TFrmMain* main) {
        std::unique_ptr<T> form = std::make_unique<T>(main);
        PlaceAndShowModal(form.get(), placeMode);
    };
}

// The exit question.
String ExitQuestion();

// Switches a window's navigation and print buttons on or off together: the components named
// tbFirst, tbPrior, tbNext, tbLast, tbPrint, tbSet and tbExpert, in that order. The first name the
// window lacks ends the operation silently.
void EnableNavButtons(TComponent* window, bool enabled);
