// The grid's clipboard actions: copy in all four formats within one opening of the clipboard,
// cut, paste (the grid-data stream before plain text) and delete.
#include "grid/DBGridGxImpExp.h"

#include "grid/GxLibConsts.h"
#include "gui/Clipbrd.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "rtl/ScopeGuards.h"

Word GridDataClipboardFormat() {
    static const Word format = RegisterClipboardFormat("VCLDBIF");
    return format;
}

Word CsvClipboardFormat() {
    static const Word format = RegisterClipboardFormat("Csv");
    return format;
}

Word RtfClipboardFormat() {
    static const Word format = RegisterClipboardFormat("Rich Text Format");
    return format;
}

namespace {

std::vector<Byte> StreamBytes(TMemoryStream& Stream) {
    const Byte* data = static_cast<const Byte*>(Stream.Memory());
    return std::vector<Byte>(data, data + Stream.Size());
}

template <class TExporter>
void PutExport(TClipboard* Clip, Word Format, TDBGridGxImpExpSource* Grid, bool AllRows, bool Terminate) {
    TMemoryStreamGx stream;
    WriteGridExport<TExporter>(Grid, stream, AllRows);
    if (Terminate) StreamWriteText(stream, AnsiString(1, '\0'));
    Clip->SetAsBytes(Format, StreamBytes(stream));
}

// Plain text as the text importer reads it: every lone LF becomes CR LF, and a zero byte ends it
// (the importer never reads the last byte).
AnsiString TextForImport(const std::vector<Byte>& Bytes) {
    AnsiString out;
    out.reserve(Bytes.size() + 16);
    for (size_t i = 0; i < Bytes.size(); ++i) {
        const char c = static_cast<char>(Bytes[i]);
        if (c == '\n' && (i == 0 || Bytes[i - 1] != '\r')) out += '\r';
        out += c;
    }
    out += '\0';
    return out;
}

} // namespace

void CopyGridToClipboard(TDBGridGxImpExpSource* Grid, bool AllRows) {
    TClipboard* clip = Clipboard();
    TDataSet* ds = Grid->DataSet();
    clip->Open();
    TScopeExit closeClipboard([clip] { clip->Close(); });
    ds->DisableControls();
    TScopeExit enableControls([ds] { ds->EnableControls(); });
    PutExport<TDBGridGxExportAsText>(clip, CF_TEXT, Grid, AllRows, true);
    PutExport<TDBGridGxExportAsCSV>(clip, CsvClipboardFormat(), Grid, AllRows, true);
    PutExport<TDBGridGxExportAsRTF>(clip, RtfClipboardFormat(), Grid, AllRows, true);
    PutExport<TDBGridGxExportAsVCLDBIF>(clip, GridDataClipboardFormat(), Grid, AllRows, false);
}

void PasteGridFromClipboard(TDBGridGxImpExpSource* Grid, bool AllRows) {
    TClipboard* clip = Clipboard();
    clip->Open();
    TScopeExit closeClipboard([clip] { clip->Close(); });
    if (clip->HasFormat(GridDataClipboardFormat())) {
        std::vector<Byte> bytes = clip->GetAsBytes(GridDataClipboardFormat());
        TMemoryStreamGx stream;
        if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
        stream.SetPosition(0);
        ReadGridImport<TDBGridGxImportAsVCLDBIF>(Grid, stream, AllRows);
    } else if (clip->HasFormat(CF_TEXT)) {
        const AnsiString text = TextForImport(clip->GetAsBytes(CF_TEXT));
        TMemoryStreamGx stream;
        StreamWriteText(stream, text);
        stream.SetPosition(0);
        ReadGridImport<TDBGridGxImportAsText>(Grid, stream, AllRows);
    }
}

void CutGridToClipboard(TDBGridGxImpExpSource* Grid, bool AllRows) {
    CopyGridToClipboard(Grid, AllRows);
    DeleteGridSelection(Grid, AllRows);
}

namespace {

void ClearRecordCells(TDBGridGxImpExpSource* Grid, const std::vector<int>& Columns) {
    for (int col : Columns) {
        if (!Grid->CanModifyCell(col)) continue;
        TField* target = CellTargetField(Grid, col);
        if (!target) continue;
        TDataSet* ds = target->DataSet();
        if (!ds->CanModify()) continue;
        if (ds->State() == dsBrowse) ds->Edit();
        if (ds->State() == dsEdit || ds->State() == dsInsert) target->Clear();
    }
}

} // namespace

void DeleteGridSelection(TDBGridGxImpExpSource* Grid, bool AllRows) {
    const TDBGridGxSelectionType kind = AllRows ? gstAll : Grid->SelectionKind();
    TDataSet* ds = Grid->DataSet();
    if (kind == gstNon || !ds) return;
    if (Grid->ConfirmDelete()) {
        String question;
        switch (kind) {
        case gstRecordBookmarks:
            question =
                Grid->MarkedRows()->BookmarkCount() <= 1 ? "Delete record?" : "Delete all selected records?";
            break;
        case gstAll:
            question = "Delete all selected records?";
            break;
        default: // a rectangle or columns
            question = GxLibText(SClearSelectedCellsGx);
            break;
        }
        if (MessageDlg(question, mtConfirmation, TMsgDlgButtons{mbOK, mbCancel}, 0) != mrOk) return;
    }
    Grid->SaveRowPosition();
    ds->DisableControls();
    TScopeExit enableControls([ds] { ds->EnableControls(); });
    switch (kind) {
    case gstRecordBookmarks: {
        TBMListGx* marks = Grid->MarkedRows();
        for (int i = 0; i < marks->BookmarkCount(); ++i) {
            ds->GotoBookmark(marks->BookmarkAt(i));
            ds->Delete();
        }
        Grid->ClearSelection();
        break;
    }
    case gstRectangle: {
        const std::vector<int> cols = VisibleColumnsBetween(Grid, Grid->RectLeftCol(), Grid->RectRightCol());
        ForEachRectangleRow(Grid, [&] { ClearRecordCells(Grid, cols); });
        ds->CheckBrowseMode();
        Grid->RestoreRowPosition();
        break;
    }
    case gstColumns:
        for (ds->First(); !ds->Eof(); ds->Next())
            ClearRecordCells(Grid, Grid->SelectedColumns());
        ds->CheckBrowseMode();
        Grid->RestoreRowPosition();
        break;
    default:
        ds->First();
        while (!ds->Eof())
            ds->Delete();
        break;
    }
}
