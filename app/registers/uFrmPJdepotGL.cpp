#include "app/registers/uFrmPJdepotGL.h"

#include "app/registers/SearchCondition.h"
#include "app/registers/TypedText.h"
#include "app/registers/uDLGpjDepotJTH.h"
#include "app/registers/uFrmPJdepotEdit.h"

#include "app/core/DataDm.h"
#include "app/core/PubUnit.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "grid/DBGridGx.h"
#include "gui/ActnList.h"
#include "gui/Buttons.h"
#include "gui/ExtCtrls.h"
#include "gui/Input.h"
#include "gui/Menus.h"
#include "gui/StdCtrls.h"

#include <memory>

namespace {

const TListWindowSpec PJdepotSpec{"库存配件管理", "T_PJinfo", "PJdepotGL", "frGoodList.di3", "配件资料统计列表", 0};

} // namespace

String LeaveQuestion(const String& caption) {
    return "真的要退 \"" + caption + "\" 操作界面吗？";
}

TfrmPJdepotGL::TfrmPJdepotGL(TComponent* AOwner) : TListWindow(AOwner, PJdepotSpec) {
    SetName("frmPJdepotGL");
    SetWidth(960);
    ToolBar1->SetVisible(false);
    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    auto action = [this](const char* name, const char* caption, std::function<void()> run) {
        auto* a = new TAction(this);
        a->SetName(name);
        a->SetCaption(caption);
        a->SetActionList(ActionList1);
        a->OnExecute = [run](TObject*) { run(); };
        return a;
    };
    Action1 = action("Action1", "配件进退货(F5)", [this] { StockClick(); });
    Action2 = action("Action2", "添加配件(F2)", [this] { NewClick(); });
    Action3 = action("Action3", "修改配件(F3)", [this] { EditClick(); });
    Action4 = action("Action4", "删除配件(F4)", [this] { DeleteClick(); });
    Action5 = action("Action5", "查询(F8)", [this] { RefreshList(); });

    PanelHeader = new TPanel(this);
    PanelHeader->SetName("PanelHeader");
    PanelHeader->SetParent(this);
    PanelHeader->SetAlign(alTop);
    PanelHeader->SetHeight(44);
    PanelHeader->SetBevelOuter(bvNone);
    PanelHeader->SetCaption("");
    auto* title = new TLabel(this);
    title->SetParent(PanelHeader);
    title->SetBounds(12, 12, 150, 20);
    title->SetCaption("配件资料日常管理");
    title->Font()->SetSize(12);
    title->Font()->SetStyle(TFontStyles{fsBold});
    int left = 170;
    auto button = [this, &left](const char* name, TAction* bound, const char* caption, int width,
                                std::function<void()> click) {
        auto* b = new TSpeedButton(this);
        b->SetName(name);
        b->SetParent(PanelHeader);
        b->SetBounds(left, 8, width, 28);
        b->SetFlat(true);
        left += width + 2;
        if (bound)
            b->SetAction(bound);
        else {
            b->SetCaption(caption);
            b->OnClick = [click](TObject*) { click(); };
        }
        return b;
    };
    sbAddGood = button("sbAddGood", Action2, "", 96, nullptr);
    sbEditGood = button("sbEditGood", Action3, "", 96, nullptr);
    sbDelGood = button("sbDelGood", Action4, "", 96, nullptr);
    sbDepotGood = button("sbDepotGood", Action1, "", 104, nullptr);
    left += 10;
    sbPrint = button("SpeedButton1", nullptr, "打印", 52, [this] { PrintClick(); });
    sbSet = button("SpeedButton2", nullptr, "设置", 52, [this] { SetClick(); });
    sbExport = button("SpeedButton3", nullptr, "导出", 52, [this] { ExportClick(); });
    sbClose = button("SpeedButton4", nullptr, "关闭", 52, [this] { ExitClick(); });

    PanelFilter = new TPanel(this);
    PanelFilter->SetName("PanelFilter");
    PanelFilter->SetParent(this);
    PanelFilter->SetAlign(alTop);
    PanelFilter->SetTop(PanelHeader->Height());
    PanelFilter->SetHeight(34);
    PanelFilter->SetBevelOuter(bvNone);
    PanelFilter->SetCaption("");
    auto* label = new TLabel(this);
    label->SetParent(PanelFilter);
    label->SetBounds(10, 10, 190, 16);
    label->SetCaption("请输入配件的编号、名称或产地：");
    edtQryCode = new TEdit(this);
    edtQryCode->SetName("edtQryCode");
    edtQryCode->SetParent(PanelFilter);
    edtQryCode->SetBounds(200, 6, 160, 22);
    edtQryCode->SetText("");
    edtQryCode->SetMaxLength(50);
    edtQryCode->OnChange = [this](TObject*) { RefreshList(); };
    sbFind = new TSpeedButton(this);
    sbFind->SetName("sbFind");
    sbFind->SetParent(PanelFilter);
    sbFind->SetBounds(364, 5, 70, 24);
    sbFind->SetAction(Action5);
    auto* typeLabel = new TLabel(this);
    typeLabel->SetParent(PanelFilter);
    typeLabel->SetBounds(450, 10, 80, 16);
    typeLabel->SetCaption("按类别过滤：");
    cbbPJtype = new TComboBox(this);
    cbbPJtype->SetName("cbbPJtype");
    cbbPJtype->SetParent(PanelFilter);
    cbbPJtype->SetBounds(530, 6, 120, 22);
    cbbPJtype->SetMaxLength(50);
    cbbPJtype->OnEnter = [this](TObject*) {
        const String text = cbbPJtype->Text();
        dmData->FillCombo("select distinct F_name from t_code where (F_name <> '') and F_type = 'pjtype' ",
                          *cbbPJtype->Items());
        cbbPJtype->SetText(text);
    };
    cbbPJtype->OnChange = [this](TObject*) { RefreshList(); };
    cbbPJtype->OnSelect = [this](TObject*) { RefreshList(); };

    BuildColumns({
        {"F_code", "编号", 70, fvtStaticText, "合  计"},
        {"F_name", "名称", 100},
        {"F_type", "类别", 70},
        {"F_spec", "规格", 70},
        {"F_unit", "单位", 50},
        {"F_address", "产地", 80},
        {"F_price1", "预售单价", 80},
        {"F_price2", "进货单价", 80},
        {"F_amount", "库存数量", 80, fvtSum},
        {"F_rate", "最低折扣", 70},
        {"F_mem", "备注", 150},
    });
    // The popup: the four commands, then the family's two entries.
    int at = 0;
    for (TAction* command : {Action1, (TAction*)nullptr, Action2, Action3, Action4, (TAction*)nullptr}) {
        auto* item = new TMenuItem(this);
        if (command)
            item->SetAction(command);
        else
            item->SetCaption("-");
        PopupMenu1->Items()->Insert(at++, item);
    }
}

bool TfrmPJdepotGL::BuildListStatement(TSqlStatement& statement) {
    statement.Add("select * from T_pjInfo where (1=1) " + XQScopeSQL);
    AddTextCondition(statement, "F_type", cbbPJtype->Text(), tmStartsWith);
    const String text = TypedText(edtQryCode->Text());
    if (!text.empty()) {
        statement.Add("and (InStr(F_code, :" + statement.NewParam(text) + ") > 0 or InStr(F_name, :" +
                      statement.NewParam(text) + ") > 0 or InStr(F_address, :" + statement.NewParam(text) +
                      ") > 0) ");
    }
    statement.Add("order by F_code");
    return true;
}

void TfrmPJdepotGL::NewClick() {
    OpenEditor(false);
}

void TfrmPJdepotGL::EditClick() {
    if (ListEmpty()) {
        ShowMess(MsgNothingToEdit, 3);
        return;
    }
    OpenEditor(true);
}

void TfrmPJdepotGL::OpenEditor(bool editMode) {
    auto dialog = std::make_unique<TfrmPJdepotEdit>(this);
    DispFormPos(dialog.get(), 1);
    dialog->ShowEditor(editMode);
}

void TfrmPJdepotGL::StockClick() {
    if (ListEmpty()) {
        ShowMess(MsgNoPartToMove, 3);
        return;
    }
    auto dialog = std::make_unique<TDLGpjDepotJTH>(this);
    DispFormPos(dialog.get(), 1);
    dialog->ShowStockDialog();
}

String TfrmPJdepotGL::DeleteQuestion() const {
    return "真的要删除当前配件 \"" + QryTable->FieldByName("F_Name")->AsString() + "\"？";
}

bool TfrmPJdepotGL::ConfirmDelete(const String& question) {
    return ShowMess(question, 1) != 2;
}

void TfrmPJdepotGL::KeyDown(Word& Key, TShiftState Shift) {
    if (HandleStockKey(Key, Shift)) {
        Key = 0;
        return;
    }
    TListWindow::KeyDown(Key, Shift);
}

bool TfrmPJdepotGL::HandleStockKey(Word key, TShiftState shift) {
    if (!shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
        TAction* command = nullptr;
        switch (key) {
        case VK_F2:
            command = Action2;
            break;
        case VK_F3:
            command = Action3;
            break;
        case VK_F4:
            command = Action4;
            break;
        case VK_F5:
            command = Action1;
            break;
        case VK_F8:
            command = Action5;
            break;
        case VK_ESCAPE:
            if (ShowMess(LeaveQuestion(Caption()), 1) == 1) ExitClick();
            return true;
        default:
            break;
        }
        if (command) {
            if (command->Enabled()) command->Execute();
            return true;
        }
    }
    return false;
}
