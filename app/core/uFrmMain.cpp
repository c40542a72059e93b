#include "app/core/uFrmMain.h"

#include "app/core/ActionImages.h"
#include "app/core/AppConfig.h"
#include "app/core/ConfigIni.h"
#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Rights.h"
#include "app/core/ShellRun.h"
#include "app/core/Vardessa.h"
#include "app/core/uFrmAboutInfo.h"
#include "app/core/uFrmBtnImage.h"
#include "app/core/uFrmOperLogin.h"

#include "gui/ActnList.h"
#include "gui/ComCtrls.h"
#include "gui/Desktop.h"
#include "gui/ExtCtrls.h"
#include "gui/ImgList.h"
#include "gui/Menus.h"
#include "rtl/DateUtils.h"
#include "rtl/FileUtils.h"
#include "rtl/Format.h"

TFrmMain* FrmMain = nullptr;
std::function<void()> TFrmMain::DailyBackup;

namespace {

std::map<int, TActionWindowOpener>& Openers() {
    static std::map<int, TActionWindowOpener> openers;
    return openers;
}

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const String& caption,
                   TNotifyEvent onClick = nullptr) {
    TMenuItem* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    parent->Add(item);
    return item;
}

} // namespace

void RegisterActionWindow(int code, TActionWindowOpener opener) {
    const bool present = static_cast<bool>(opener);
    if (present)
        Openers()[code] = std::move(opener);
    else
        Openers().erase(code);
    if (FrmMain)
        if (TAction* action = FrmMain->ActionOf(code)) {
            action->SetEnabled(present);
            action->SetHint(present ? String() : MsgNotYetProvided);
            FrmMain->SyncActionItems();
        }
}

bool HasActionWindow(int code) {
    return Openers().count(code) != 0;
}

void PlaceAndShowModal(TCustomForm* form, int placeMode) {
    if (placeMode >= 0) DispFormPos(form, placeMode);
    form->ShowModal();
}

void EnableNavButtons(TComponent* window, bool enabled) {
    if (!window) return;
    for (const char* name : {"tbFirst", "tbPrior", "tbNext", "tbLast", "tbPrint", "tbSet", "tbExpert"}) {
        TControl* control = dynamic_cast<TControl*>(window->FindComponent(name));
        if (!control) return;
        control->SetEnabled(enabled);
    }
}

String ExitQuestion() {
    return "真的要退出“" + ProductName + "”软件吗？";
}

TFrmMain::TFrmMain(TComponent* AOwner) : TForm(AOwner) {
    FrmMain = this;
    SetName("FrmMain");
    SetFormStyle(fsMDIForm);
    SetCaption(ProductName + ProductVersion);
    SetBounds(0, 0, 1024, 720);

    BuildActions();
    BuildMenus();
    BuildStatusBar();
    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetInterval(1000);
    Timer1->OnTimer = [this](TObject*) { ShowClock(); };

    OnCloseQuery = [](TObject*, bool& canClose) { canClose = ShowMess(ExitQuestion(), 1) == 1; };

    // The creation handler: the settings file anew, and the main window's place.
    IniFile = OpenConfigIni();
    DispFormPos(this, 2);
    DoCreate();
}

TFrmMain::~TFrmMain() {
    DestroyComponents();
    if (FrmMain == this) FrmMain = nullptr;
}

TImageList* TFrmMain::ActionImages() {
    if (ImageList32->Count() == 0) {
        LoadActionImages(*ImageList32);
        LoadActionImages(*ImageList16);
        MainMenu1->SetImages(ImageList16);
    }
    return ImageList32;
}

TAction* TFrmMain::ActionOf(int code) const {
    auto it = FActions.find(code);
    return it == FActions.end() ? nullptr : it->second;
}

void TFrmMain::BuildActions() {
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    ImageList16 = new TImageList(16, 16, this);
    ImageList16->SetName("ImageList16");
    ImageList32 = new TImageList(ActionImageSize, ActionImageSize, this);
    ImageList32->SetName("ImageList32");
    for (const TActionInfo& info : AppActions()) {
        TAction* action = new TAction(this);
        action->SetName(ActionName(info.Code));
        action->SetCaption(info.Caption);
        action->SetCategory(TopMenuCaption(info.Menu));
        action->SetActionList(ActionList1);
        action->SetImageIndex(ActionImageIndex(info.Code));
        const int code = info.Code;
        action->OnExecute = [this, code](TObject*) { RunAction(code); };
        action->SetDisableIfNoHandler(false);
        action->SetEnabled(HasActionWindow(code));
        if (!HasActionWindow(code)) action->SetHint(MsgNotYetProvided);
        FActions[code] = action;
    }
}

void TFrmMain::BuildMenus() {
    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    TMenuItem* root = MainMenu1->Items();
    for (int m = 0; m < TopMenuCount; ++m) {
        TTopMenu menu = static_cast<TTopMenu>(m);
        mnuTop[m] = NewItem(this, root, TopMenuCaption(menu));
        for (int code : MenuLayout(menu)) {
            if (code == 0) {
                NewItem(this, mnuTop[m], "-");
                continue;
            }
            // The item runs the action and follows its visibility and state (SyncActionItems), but
            // keeps its own caption where the menu names the action differently.
            TMenuItem* item = NewItem(this, mnuTop[m], ActionMenuCaption(*FindAction(code)));
            TAction* action = ActionOf(code);
            item->SetImageIndex(action->ImageIndex());
            item->OnClick = [action](TObject*) { action->Execute(); };
            FActionItems.emplace_back(item, action);
        }
    }
    SyncActionItems();
    mnuRelogin = NewItem(this, mnuTop[tmSystem], "重新登录", [this](TObject*) { ReloginClick(); });
    mnuExit = NewItem(this, mnuTop[tmSystem], "退出系统", [this](TObject*) { ExitClick(); });

    mnuWindow = NewItem(this, root, "窗体");
    NewItem(this, mnuWindow, "重叠", [this](TObject*) { Cascade(); });
    NewItem(this, mnuWindow, "横向重排", [this](TObject*) {
        SetTileMode(tbHorizontal);
        Tile();
    });
    NewItem(this, mnuWindow, "纵向重排", [this](TObject*) {
        SetTileMode(tbVertical);
        Tile();
    });
    NewItem(this, mnuWindow, "-");
    NewItem(this, mnuWindow, "切换", [this](TObject*) { Next(); });
    NewItem(this, mnuWindow, "关闭", [this](TObject*) {
        if (TCustomForm* child = ActiveMDIChild()) child->Close();
    });
    NewItem(this, mnuWindow, "全部关闭", [this](TObject*) { CloseAllChildren(); });
    // The frame lists its open child windows below these items.
    SetWindowMenu(mnuWindow);

    mnuHelp = NewItem(this, root, "辅助");
    NewItem(this, mnuHelp, "计算器", [](TObject*) {
        if (!StartCalculator()) ShowMess("没有找到计算器程序。", 2);
    });
    NewItem(this, mnuHelp, "笔记本", [](TObject*) {
        if (!StartTextEditor()) ShowMess("没有找到记事本程序。", 2);
    });
    NewItem(this, mnuHelp, "-");
    NewItem(this, mnuHelp, "帮助文件", [](TObject*) {
        const String path = ProgramFolder() + "help.CHM";
        if (!ShellOpen(FileExists(path) ? path : String("help.CHM")))
            ShowMess("无法打开帮助文件 help.CHM。", 2);
    });
    NewItem(this, mnuHelp, "关于我们", [this](TObject*) { ShowAboutBox(this); });
    NewItem(this, mnuHelp, "访问我们的网站", [](TObject*) { ShellOpenOrTell(MakerWebAddress); });

    mnuNavigator = NewItem(this, root, "导航图", [this](TObject*) { ShowDesktop(); });
    SetMenu(MainMenu1);
}

void TFrmMain::BuildStatusBar() {
    StatusBar1 = new TStatusBar(this);
    StatusBar1->SetName("StatusBar1");
    StatusBar1->SetParent(this);
    StatusBar1->SetAlign(alBottom);
    const struct {
        const char* text;
        int width;
    } panels[] = {{" 当前用户", 60}, {"", 80}, {" 当前日期时间", 100}, {"", 140}, {"", 400}};
    for (const auto& p : panels) {
        TStatusPanel* panel = StatusBar1->AddPanel();
        panel->SetText(p.text);
        panel->SetWidth(p.width);
    }
    StatusBar1->Panels(4)->SetAlignment(taRightJustify);
    StatusBar1->Panels(4)->SetText(ApplicationTitle + "  " + MakerContactLine);
}

void TFrmMain::ShowOperator() {
    StatusBar1->Panels(1)->SetText(" " + OperName);
    ShowClock();
}

void TFrmMain::ShowClock() {
    String text = " ";
    text += FormatDateTime("yyyy-mm-dd hh:nn:ss", Now());
    StatusBar1->Panels(3)->SetText(text);
}

void TFrmMain::SyncActionItems() {
    for (auto& [item, action] : FActionItems) {
        item->SetVisible(action->Visible());
        item->SetEnabled(action->Enabled());
        item->SetHint(action->Hint());
    }
}

void TFrmMain::SetLimits(const std::vector<int>& visibleActions) {
    for (auto& [code, action] : FActions)
        action->SetVisible(false);
    for (int code : visibleActions)
        if (TAction* action = ActionOf(code)) action->SetVisible(true);
    SyncActionItems();
    for (int m = 0; m < TopMenuCount; ++m) {
        mnuTop[m]->SetVisible(TopMenuVisible(static_cast<TTopMenu>(m), visibleActions));
        // A separator shows only between two visible groups.
        bool seenVisible = false;
        TMenuItem* pendingLine = nullptr;
        for (int i = 0; i < mnuTop[m]->Count(); ++i) {
            TMenuItem* item = mnuTop[m]->Items(i);
            if (item->IsLine()) {
                item->SetVisible(false);
                if (seenVisible) pendingLine = item;
                continue;
            }
            if (!item->Visible()) continue;
            if (pendingLine) pendingLine->SetVisible(true);
            pendingLine = nullptr;
            seenVisible = true;
        }
    }
}

void TFrmMain::RunAction(int code) {
    auto it = Openers().find(code);
    if (it == Openers().end()) return;
    try {
        it->second(this);
    } catch (...) {
        Application()->HandleException(this);
    }
}

void TFrmMain::ShowDesktop() {
    ShowChildForm(FrmBtnImage, this);
}

void TFrmMain::ReloginClick() {
    ShowLogin(1);
}

void TFrmMain::ExitClick() {
    Close();
}

void TFrmMain::CloseAllChildren() {
    for (int i = MDIChildCount() - 1; i >= 0; --i)
        MDIChildren(i)->Close();
}

void TFrmMain::DoShow() {
    TForm::DoShow();
    if (FShown) return;
    FShown = true;
    FirstShow();
}

void TFrmMain::FirstShow() {
    // The program's own date format: its dates read back as text compare as "yyyy-MM-dd". Only
    // the program's settings change; the user's regional settings stay as they are.
    FormatSettings().DateSeparator = '-';
    FormatSettings().ShortDateFormat = "yyyy-MM-dd";
    SetCaption(ProductName + ProductVersion);
    // Each step fails on its own with its message: a desktop or a backup that fails must not
    // leave the session without its money and quantity formats.
    const auto step = [this](const std::function<void()>& run) {
        try {
            run();
        } catch (...) {
            Application()->HandleException(this);
        }
    };
    step([this] { ShowDesktop(); });
    ShowOperator();
    Timer1->SetEnabled(true);
    step([] {
        AutoBackupMode = IniFile ? ReadAutoBackupMode(*IniFile) : 0;
        if (AutoBackupDue(AutoBackupMode, Date()) && DailyBackup) DailyBackup();
    });
    step([] {
        dmData->ReadDecimalPlaces(DecAmount, DecPrice, DecTotal);
        BuildDisplayFormats();
    });
}
