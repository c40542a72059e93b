// What a data set may offer the grid for its record view and tree nodes. A data set that offers
// it is shown row by row (every row of the view is a grid row), its rows may be read without
// moving the current record, and in tree view each row is a node with a level (1 for the top
// nodes) that may be expanded or collapsed. The grid asks the data set for the interface by a
// dynamic cast; none of the system's data sets offer it.
#pragma once

#include "grid/ToolCtrlsGxData.h"

#include <memory>

class IMemTableGx {
public:
    // Rows of the record view, and the current one (0-based; -1 when there is none).
    virtual int MemTableRowCount() = 0;
    virtual int MemTableCurrentRow() = 0;
    // Makes a row the one the fields read, without moving the current record, until the read
    // ends; reads do not nest.
    virtual void InstantReadEnter(int Row) = 0;
    virtual void InstantReadLeave() = 0;

    // ---- tree nodes (of the row the fields read) --------------------------------------------------
    virtual bool TreeViewMode() = 0;
    virtual int NodeLevel() = 0;
    // The level of the row after this one (0 after the last row).
    virtual int NextNodeLevel() = 0;
    virtual int ParentNodeLevel() = 0;
    virtual bool NodeHasChildren() = 0;
    virtual bool NodeExpanded() = 0;
    // Whether the node's ancestor of that level (the node itself at its own level) has a following
    // sibling.
    virtual bool ParentHasNextSibling(int Level) = 0;
    // Expands or collapses the node of a row; answers the record number to go to (below 1: none).
    virtual int SetNodeExpanded(int Row, bool Expanded) = 0;

    // ---- data ---------------------------------------------------------------------------------
    virtual void MemTableRefresh() = 0;
    // Asks for Count further rows of a data set that loads its rows as they are needed.
    virtual void FetchRecords(int Count) = 0;
    // Moves the records of the bookmarks before record number ToRecNo at the tree level (-1
    // without a tree); CheckOnly only answers whether it could.
    virtual bool MoveRecords(TStrings* BookmarkList, int ToRecNo, int TreeLevel, bool CheckOnly) = 0;
    // The values of a field for the filter row's drop-down; none when the field has none.
    virtual std::unique_ptr<IDistinctValuesGx> FieldValueList(const String& FieldName) = 0;

protected:
    ~IMemTableGx() = default;
};
