// The estate and building tree of the house list and the house picker: the operator's estates
// (names that are not empty, each once) at level 0, under each the buildings its houses name
// (building codes that are not empty, each once). A node narrows a house statement to its estate
// (caption trimmed) or to its estate and building (the building's caption as stored).
#pragma once

#include "app/registers/RegisterStatement.h"

#include <functional>

class TComponent;
class TTreeView;
class TTreeNode;
class TWinControl;

// The tree view "tvTree" on the left of the parent: read-only, its selection kept visible, a
// double click runs onDoubleClick.
TTreeView* NewEstateTreeView(TComponent* owner, TWinControl* parent, std::function<void()> onDoubleClick);

// Empties the tree and fills it; the images are those of ImageTree().
void BuildEstateTree(TTreeView* tree);
// Appends one estate with its buildings.
void AddEstateNode(TTreeView* tree, const String& name);
// "and F_XQname = ... [and F_LDcode = ...] " for the node (nothing for nullptr).
void AddNodeCondition(TSqlStatement& statement, const TTreeNode* node);
