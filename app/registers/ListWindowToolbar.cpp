// The toolbar of a list window: built from a table of buttons; the four navigation buttons move
// the list and switch each other on and off as the family does (all four on when the window
// opens; nothing else changes them).
#include "app/registers/ListWindow.h"

#include "app/registers/RegisterImages.h"

#include "app/core/Vardessa.h"

#include "db/ADODB.h"
#include "gui/ImgList.h"

namespace {

enum TNavWhich { navFirst, navPrior, navNext, navLast };

} // namespace

void TListWindow::BuildToolBar(const std::vector<TListButton>& buttons) {
    ToolBar1->SetImages(RegisterToolImages());
    for (const TListButton& spec : buttons) {
        auto* button = new TToolButton(this);
        if (spec.Name.empty()) {
            button->SetStyle(tbsSeparator);
            button->SetWidth(8);
        } else {
            button->SetName(spec.Name);
            button->SetCaption(spec.Caption);
            button->SetImageIndex(spec.Image);
            if (spec.Click) {
                std::function<void()> click = spec.Click;
                button->OnClick = [click](TObject*) { click(); };
            }
        }
        button->SetParent(ToolBar1);
    }
    ToolBar1->ArrangeButtons();
    auto find = [this](const char* name) { return dynamic_cast<TToolButton*>(FindComponent(name)); };
    tbNew = find("tbNew");
    tbEdit = find("tbEdit");
    tbDel = find("tbDel");
    tbFirst = find("tbFirst");
    tbPrior = find("tbPrior");
    tbNext = find("tbNext");
    tbLast = find("tbLast");
    tbQuery = find("tbQuery");
    tbPrint = find("tbPrint");
    tbset = find("tbset");
    ToolButton1 = find("ToolButton1");
    tbExit = find("tbExit");
}

TListButton TListWindow::NavButton(int which) {
    switch (which) {
    case navFirst:
        return {"tbFirst", "首项", tiFirst, [this] { FirstClick(); }};
    case navPrior:
        return {"tbPrior", "前项", tiPrior, [this] { PriorClick(); }};
    case navNext:
        return {"tbNext", "后项", tiNext, [this] { NextClick(); }};
    default:
        return {"tbLast", "末项", tiLast, [this] { LastClick(); }};
    }
}

std::vector<TListButton> TListWindow::FamilyButtons() {
    return {
        {"tbNew", "新增", tiNew, [this] { NewClick(); }},
        {"tbEdit", "修改", tiEdit, [this] { EditClick(); }},
        {"tbDel", "删除", tiDelete, [this] { DeleteClick(); }},
        {},
        NavButton(navFirst),
        NavButton(navPrior),
        NavButton(navNext),
        NavButton(navLast),
        {},
        {"tbQuery", "查询", tiQuery, nullptr},
        {"tbPrint", "打印", tiPrint, [this] { PrintClick(); }},
        {"tbset", "设置", tiSet, [this] { SetClick(); }},
        {"ToolButton1", "导出", tiExport, [this] { ExportClick(); }},
        {},
        {"tbExit", "退出", tiExit, [this] { ExitClick(); }},
    };
}

void TListWindow::SetNavState(bool firstAndPrior, bool nextAndLast) {
    if (tbFirst) tbFirst->SetEnabled(firstAndPrior);
    if (tbPrior) tbPrior->SetEnabled(firstAndPrior);
    if (tbNext) tbNext->SetEnabled(nextAndLast);
    if (tbLast) tbLast->SetEnabled(nextAndLast);
}

void TListWindow::FirstClick() {
    if (QryTable->Active()) QryTable->First();
    SetNavState(false, true);
}

void TListWindow::PriorClick() {
    if (QryTable->Active()) {
        if (QryTable->Bof())
            SetNavState(false, true);
        else
            QryTable->Prior();
    }
    if (tbNext) tbNext->SetEnabled(true);
    if (tbLast) tbLast->SetEnabled(true);
}

void TListWindow::NextClick() {
    if (QryTable->Active()) {
        if (QryTable->Eof())
            SetNavState(true, false);
        else
            QryTable->Next();
    }
    if (tbFirst) tbFirst->SetEnabled(true);
    if (tbPrior) tbPrior->SetEnabled(true);
}

void TListWindow::LastClick() {
    if (QryTable->Active()) QryTable->Last();
    SetNavState(true, false);
}

void TListWindow::NewClick() {
    OpenEditor(false);
}

void TListWindow::EditClick() {
    if (ListEmpty()) {
        ShowMess(MsgNothingToEdit, 3);
        return;
    }
    OpenEditor(true);
}

void TListWindow::DeleteClick() {
    if (ListEmpty()) return;
    DeleteCurrentRow();
}

void TListWindow::ExitClick() {
    Close();
}

bool TListWindow::ClickIfEnabled(TToolButton* button) {
    if (!button || !button->Visible() || !button->Enabled()) return false;
    button->Click();
    return true;
}
