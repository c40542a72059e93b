#include "app/core/uDlgSelectPath.h"

#include "app/core/DataBackup.h"
#include "app/core/Vardessa.h"

#include "gui/ComCtrls.h"
#include "gui/StdCtrls.h"
#include "rtl/FileUtils.h"
#include "rtl/StringList.h"
#include "rtl/StrUtils.h"

#include <memory>

namespace {

// The child of a folder not yet read, which gives the folder its expander.
const String kNotRead = "";

std::vector<String> VisibleFolders(const String& folder) {
    std::vector<String> names;
    for (const String& name : FindFolders(folder))
        if (!name.empty() && name[0] != '.') names.push_back(name);
    return names;
}

bool HoldsFolders(const String& folder) {
    return !VisibleFolders(folder).empty();
}

bool Within(const String& folder, const String& drive) {
    if (drive == "/") return !folder.empty() && folder[0] == '/';
    return folder == drive || folder.compare(0, drive.size() + 1, drive + "/") == 0;
}

} // namespace

std::vector<String> FolderChooserDrives() {
    std::vector<String> drives{"/"};
    for (const String& volume : MountedVolumes())
        drives.push_back(volume);
    return drives;
}

String DriveOfFolder(const String& folder, const std::vector<String>& drives) {
    String best = "/";
    for (const String& drive : drives)
        if (drive.size() > best.size() && Within(folder, drive)) best = drive;
    return best;
}

TDlgSelectPath::TDlgSelectPath(TComponent* AOwner) : TForm(AOwner) {
    SetName("DlgSelectPath");
    SetCaption("选择文件路径");
    SetBorderStyle(bsDialog);
    SetBorderIcons(TBorderIcons{biSystemMenu});
    SetPosition(poOwnerFormCenter);
    SetClientWidth(380);
    SetClientHeight(400);

    lblDrive = new TLabel(this);
    lblDrive->SetName("lblDrive");
    lblDrive->SetParent(this);
    lblDrive->SetBounds(12, 16, 60, 20);
    lblDrive->SetCaption("驱动器:");
    cbbDrive = new TComboBox(this);
    cbbDrive->SetName("cbbDrive");
    cbbDrive->SetParent(this);
    cbbDrive->SetStyle(csDropDownList);
    cbbDrive->SetBounds(76, 12, 292, 24);
    for (const String& drive : FolderChooserDrives())
        cbbDrive->Items()->Add(drive);
    cbbDrive->OnSelect = [this](TObject*) {
        if (cbbDrive->ItemIndex() >= 0) SetDrive(cbbDrive->Items()->Strings(cbbDrive->ItemIndex()));
    };

    tvFolders = new TTreeView(this);
    tvFolders->SetName("tvFolders");
    tvFolders->SetParent(this);
    tvFolders->SetBounds(12, 44, 356, 262);
    tvFolders->SetReadOnly(true);
    tvFolders->SetHideSelection(false);
    tvFolders->OnExpanded = [this](TObject*, TTreeNode* node) { FillChildren(node); };
    tvFolders->OnChange = [this](TObject*, TTreeNode* node) {
        if (node) lblPath->SetCaption(NodePath(node));
    };

    lblPathName = new TLabel(this);
    lblPathName->SetName("lblPathName");
    lblPathName->SetParent(this);
    lblPathName->SetBounds(12, 318, 60, 20);
    lblPathName->SetCaption("路径名：");
    lblPath = new TLabel(this);
    lblPath->SetName("lblPath");
    lblPath->SetParent(this);
    lblPath->SetAutoSize(false);
    lblPath->SetBounds(76, 318, 292, 36);
    lblPath->SetWordWrap(true);

    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetBounds(196, 364, 80, 26);
    btnOk->SetCaption("确定(&O)");
    btnOk->SetDefault(true);
    btnOk->SetModalResult(mrOk);
    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(this);
    btnCancel->SetBounds(288, 364, 80, 26);
    btnCancel->SetCaption("取消(&C)");
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);

    SetDrive("/");
    DoCreate();
}

void TDlgSelectPath::SetDrive(const String& drive) {
    const int index = cbbDrive->Items()->IndexOf(drive);
    FDrive = index >= 0 ? drive : String("/");
    cbbDrive->SetItemIndex(index >= 0 ? index : 0);
    TTreeNodes* nodes = tvFolders->Items();
    nodes->BeginUpdate();
    nodes->Clear();
    TTreeNode* root = nodes->Add(nullptr, FDrive);
    if (HoldsFolders(FDrive)) nodes->AddChild(root, kNotRead);
    nodes->EndUpdate();
    tvFolders->SetSelected(root);
    lblPath->SetCaption(FDrive);
}

String TDlgSelectPath::NodePath(TTreeNode* node) const {
    if (!node) return String();
    if (!node->Parent()) return node->Text();
    const String parent = NodePath(node->Parent());
    return IncludeTrailingPathDelimiter(parent) + node->Text();
}

void TDlgSelectPath::FillChildren(TTreeNode* node) {
    if (!node || node->Count() != 1 || node->GetFirstChild()->Text() != kNotRead) return;
    TTreeNodes* nodes = tvFolders->Items();
    nodes->BeginUpdate();
    node->DeleteChildren();
    const String folder = NodePath(node);
    for (const String& name : VisibleFolders(folder)) {
        TTreeNode* child = nodes->AddChild(node, name);
        if (HoldsFolders(IncludeTrailingPathDelimiter(folder) + name)) nodes->AddChild(child, kNotRead);
    }
    nodes->EndUpdate();
}

TTreeNode* TDlgSelectPath::FindFolderNode(const String& folder) {
    TTreeNode* node = tvFolders->Items()->GetFirstNode();
    if (!node || !Within(folder, FDrive)) return nullptr;
    String rest = folder.substr(FDrive == "/" ? 1 : FDrive.size());
    while (!rest.empty() && rest[0] == '/')
        rest.erase(0, 1);
    while (!rest.empty()) {
        const size_t slash = rest.find('/');
        const String name = rest.substr(0, slash);
        rest = slash == String::npos ? String() : rest.substr(slash + 1);
        if (name.empty()) continue;
        FillChildren(node);
        TTreeNode* child = node->GetFirstChild();
        while (child && child->Text() != name)
            child = child->GetNextSibling();
        if (!child) return nullptr;
        node = child;
    }
    return node;
}

bool TDlgSelectPath::OpenFolder(const String& folder) {
    if (!DirectoryExists(folder)) return false;
    TTreeNode* node = FindFolderNode(ExcludeTrailingPathDelimiter(folder));
    if (!node) return false;
    for (TTreeNode* parent = node->Parent(); parent; parent = parent->Parent())
        parent->SetExpanded(true);
    tvFolders->SetSelected(node);
    node->MakeVisible();
    lblPath->SetCaption(NodePath(node));
    return true;
}

String SelectFolder(const String& current, TComponent* owner) {
    auto dialog = std::make_unique<TDlgSelectPath>(owner);
    const String folder = BackupFolderPath(current);
    dialog->SetDrive(DriveOfFolder(folder, FolderChooserDrives()));
    if (!folder.empty() && DirectoryExists(folder)) dialog->OpenFolder(folder);
    DispFormPos(dialog.get(), 1);
    if (dialog->ShowModal() != mrOk) return current;
    return Trim(dialog->lblPath->Caption());
}
