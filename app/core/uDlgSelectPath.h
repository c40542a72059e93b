// The folder chooser "选择文件路径": a drive list ("/" and the mounted volumes), the folder tree of
// the chosen drive (hidden folders left out, sub-folders read when a folder is opened) and the
// chosen folder's path. "确定(&O)" confirms; "取消(&C)" and the close box leave it unconfirmed.
#pragma once

#include "gui/Forms.h"

#include <vector>

class TButton;
class TComboBox;
class TLabel;
class TTreeNode;
class TTreeView;

class TDlgSelectPath : public TForm {
public:
    explicit TDlgSelectPath(TComponent* AOwner);
    String ClassName() const override { return "TDlgSelectPath"; }

    TLabel* lblDrive;
    TComboBox* cbbDrive;
    TTreeView* tvFolders;
    TLabel* lblPathName;
    TLabel* lblPath;
    TButton* btnOk;
    TButton* btnCancel;

    // Shows the drive's folder tree ("/" when the drive is not in the list).
    void SetDrive(const String& drive);
    // Opens the tree down to an existing folder and selects it; false when the folder is not
    // under the current drive or does not exist.
    bool OpenFolder(const String& folder);
    // The folder of a node of the tree.
    String NodePath(TTreeNode* node) const;
    // The node of a folder once its parents are open (nullptr when it is not in the tree).
    TTreeNode* FindFolderNode(const String& folder);

private:
    void FillChildren(TTreeNode* node);
    String FDrive;
};

// The drives of the drive list: "/" and the mounted volumes.
std::vector<String> FolderChooserDrives();
// The drive a folder lies on: the longest drive of the list that holds it ("/" otherwise).
String DriveOfFolder(const String& folder, const std::vector<String>& drives);

// Lets the user choose a folder, starting at current (a relative folder lies under the program's
// folder), as a dialog of owner. Returns the chosen folder on "确定(&O)" (the path label's text,
// trimmed), otherwise current as it was.
String SelectFolder(const String& current, TComponent* owner = nullptr);
