// Undo and redo by whole snapshots of the report (or of the prepared page being edited), and the
// designer's clipboard: the selected objects as one line of element text after a header line.
// Both carry picture numbers of the designer's picture cache instead of picture data.
#pragma once

#include "rtl/Object.h"
#include "rtl/Streams.h"

#include <memory>
#include <vector>

class TvrComponent;
class TvrDesignerHost;
class TvrPictureCache;

// The clipboard text of designer content begins with this, then a line feed and a carriage
// return.
inline constexpr const char* vrClipboardHeader = "#DI3 clipboard#";

class TvrUndoBuffer : public TObject {
public:
    explicit TvrUndoBuffer(TvrPictureCache* PictureCache);
    ~TvrUndoBuffer() override;
    String ClassName() const override { return "TvrUndoBuffer"; }

    // A snapshot of the component appended to the undo list / the redo list.
    void AddUndo(TvrComponent* component);
    void AddRedo(TvrComponent* component);
    // Loads the second-to-last undo snapshot into the component, then drops the last one
    // (needs two).
    void Undo(TvrComponent* component);
    // Loads the last redo snapshot into the component, then drops it (needs one).
    void Redo(TvrComponent* component);
    void ClearUndo();
    void ClearRedo();
    int UndoCount() const { return static_cast<int>(FUndoList.size()); }
    int RedoCount() const { return static_cast<int>(FRedoList.size()); }
    // The memory all snapshots hold, in bytes.
    Int64 SnapshotBytes() const;
    // A snapshot's text (for tests and the round trip); index counts from the first.
    String UndoText(int index) const;

private:
    std::unique_ptr<TMemoryStream> Snapshot(TvrComponent* component);
    void Load(TMemoryStream& stream, TvrComponent* component);

    std::vector<std::unique_ptr<TMemoryStream>> FRedoList, FUndoList;
    TvrPictureCache* FPictureCache;
};

class TvrClipboard : public TObject {
public:
    explicit TvrClipboard(TvrDesignerHost* Designer);
    String ClassName() const override { return "TvrClipboard"; }

    // The selected objects onto the system clipboard.
    void Copy();
    // The objects on the system clipboard onto the current page, selected.
    void Paste();
    // The clipboard holds designer content; false on any error while asking.
    bool PasteAvailable() const;

    // The clipboard text of the selection (what Copy puts on the clipboard).
    String CopyText();
    // Pastes designer text (the header line first) onto the current page.
    void PasteText(const String& text);

private:
    TvrDesignerHost* FDesigner;
    TvrPictureCache* FPictureCache;
};
