// The search panel of a list window: every search runs RefreshList.
#include "app/registers/ListSearchPanel.h"
#include "app/registers/ListWindow.h"

TListSearchPanel* TListWindow::BuildSearchPanel() {
    SearchPanel = new TListSearchPanel(this, this);
    SearchPanel->SetTop(ToolBar1->Height());
    ComboBox1 = SearchPanel->ComboBox1;
    Edit1 = SearchPanel->Edit1;
    ComboBox2 = SearchPanel->ComboBox2;
    SpeedButton1 = SearchPanel->SpeedButton1;
    SearchPanel->OnSearch = [this] { RefreshList(); };
    return SearchPanel;
}
