// The multi-level title of the data grid: column captions split at "|" form a tree whose header
// nodes span the neighbouring columns that share a leading segment, and whose leaves are the
// columns. Siblings form a ring (the last points back to the first child); the root owns the tree.
#pragma once

#include "rtl/Object.h"
#include "gui/Geometry.h"
#include "rtl/Types.h"

#include <set>

class TColumnGx;

class THeadTreeNode : public TObject {
public:
    THeadTreeNode();
    THeadTreeNode(const String& AText, int AWidth, int AHeight);
    // A node without parent frees its whole tree.
    ~THeadTreeNode() override;
    THeadTreeNode(const THeadTreeNode&) = delete;
    THeadTreeNode& operator=(const THeadTreeNode&) = delete;
    String ClassName() const override { return "THeadTreeNode"; }

    THeadTreeNode* Child = nullptr;  // first node of the ring of children
    TColumnGx* Column = nullptr;     // the column of a leaf
    bool Painted = false;            // a header node drawn in the current paint
    int Height = 0;
    int PrintHeight = 0;
    THeadTreeNode* Host = nullptr;   // the parent
    THeadTreeNode* Next = this;      // next sibling in the ring
    String Text;
    int LineWidth = 0;               // the line between sibling cells
    int Width = 0;
    int PrintWidth = 0;
    int Indent = 0;                  // room for a sort marker

    // Inserts a node after After (which must be in this tree) in its ring.
    THeadTreeNode* AddSibling(THeadTreeNode* After, const String& AText, int AWidth, int AHeight);
    // Appends a node as the last child of Node (which must be in this tree).
    THeadTreeNode* AppendChildNode(THeadTreeNode* Node, const String& AText, int AWidth, int AHeight);
    void FreeAllChildren();
    // This node, one of its later siblings, or a descendant of any of them.
    bool FindNode(const THeadTreeNode* Node) const;
    // The number of ancestors (the root is level 0).
    static int NodeLevel(const THeadTreeNode* Node);
    // Makes a new node the parent of the sibling run From..To.
    THeadTreeNode* InsertParent(THeadTreeNode* From, THeadTreeNode* To, int AHeight, const String& AText);
    // The children in ring order.
    template <class F> void ForEachChild(F&& Fn) const {
        if (!Child) return;
        THeadTreeNode* p = Child;
        do {
            THeadTreeNode* next = p->Next;
            Fn(p);
            p = next;
        } while (p != Child);
    }
};

// Words of a text separated by runs of delimiter bytes; positions are 1-based byte positions.
int WordStart(int N, const String& Text, const std::set<char>& Delimiters);
String WordAt(int N, const String& Text, const std::set<char>& Delimiters);
String WordAtPos(int N, const String& Text, const std::set<char>& Delimiters, int& Pos);
