// The importers' walk over the selection, the error trap, and the text and grid-data stream
// readers.
#include "grid/DBGridGxImpExp.h"

#include "grid/GxLibConsts.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "rtl/CodePage.h"
#include "rtl/ScopeGuards.h"

#include <cstdint>
#include <cstring>

namespace {

bool Editing(TDataSet* ds) {
    return ds->State() == dsEdit || ds->State() == dsInsert;
}

} // namespace

void TDBGridGxImport::ReadRow(const std::vector<int>& Columns) {
    for (int col : Columns)
        ReadCell(col);
}

void TDBGridGxImport::InsertRemainingRows(bool Append) {
    TDataSet* ds = Grid->DataSet();
    while (!AtEnd) {
        if (Append)
            ds->Append();
        else
            ds->Insert();
        ReadRow(ImportColumns);
        ds->Post();
        if (!Append) ds->Next();
    }
}

void TDBGridGxImport::ReadFromStream(TStream& AStream, bool ImportAll) {
    Stream = &AStream;
    AtEnd = false;
    TDataSet* ds = Grid->DataSet();
    if (ImportAll) {
        Grid->ClearSelection();
        ds->First();
        std::vector<int> visible = VisibleColumnsBetween(Grid, 0, Grid->ColumnCount() - 1);
        if (!visible.empty()) Grid->FocusColumnAt(visible.front());
    }
    bool append = ds->Eof();
    bool inserting = ds->State() == dsInsert;
    {
        ds->DisableControls();
        TScopeExit enableControls([ds] { ds->EnableControls(); });
        if (!inserting) Grid->SaveRowPosition();
        TScopeExit restoreRow([&] {
            if (!inserting) Grid->RestoreRowPosition();
        });
        try {
            switch (Grid->SelectionKind()) {
            case gstRecordBookmarks: {
                ImportColumns = VisibleColumnsBetween(Grid, 0, Grid->ColumnCount() - 1);
                ReadPrefix();
                if (inserting) {
                    InsertRemainingRows(append);
                } else {
                    TBMListGx* marks = Grid->MarkedRows();
                    for (int i = 0; i < marks->BookmarkCount(); ++i) {
                        ds->GotoBookmark(marks->BookmarkAt(i));
                        ReadRow(ImportColumns);
                    }
                }
                break;
            }
            case gstRectangle: {
                ImportColumns = VisibleColumnsBetween(Grid, Grid->RectLeftCol(), Grid->RectRightCol());
                ReadPrefix();
                if (inserting) {
                    InsertRemainingRows(append);
                } else {
                    ForEachRectangleRow(Grid, [this] { ReadRow(ImportColumns); });
                }
                break;
            }
            case gstColumns:
            case gstAll:
                ImportColumns = Grid->SelectionKind() == gstColumns
                                    ? Grid->SelectedColumns()
                                    : VisibleColumnsBetween(Grid, 0, Grid->ColumnCount() - 1);
                ReadPrefix();
                if (inserting) {
                    InsertRemainingRows(append);
                } else {
                    for (ds->First(); !ds->Eof(); ds->Next())
                        ReadRow(ImportColumns);
                }
                break;
            default: {
                ImportColumns =
                    VisibleColumnsBetween(Grid, Grid->FocusedColumnIndex(), Grid->ColumnCount() - 1);
                ReadPrefix();
                if (inserting) {
                    InsertRemainingRows(append);
                } else {
                    Grid->RestoreRowPosition();
                    do {
                        ReadRow(ImportColumns);
                        ds->Next();
                    } while (!ds->Eof() && !AtEnd);
                    if (Grid->AllowAppend()) {
                        append = true;
                        inserting = true;
                        InsertRemainingRows(append);
                    }
                }
                break;
            }
            }
        } catch (...) {
            // The record being filled is dropped rather than left half-filled for the next move to
            // post; what was stored in records before stays.
            if (Editing(ds)) ds->Cancel();
            throw;
        }
    }
    ReadTrailer();
}

void TDBGridGxImport::ReadFromFile(const String& FileName, bool ImportAll) {
    TFileStream file(FileName, fmOpenRead);
    ReadFromStream(file, ImportAll);
}

void TDBGridGxImport::StoreCell(int Col, const std::function<void(TField* Target, TField* Field)>& Store) {
    if (Col < 0 || !Grid->CanModifyCell(Col)) return;
    TField* target = CellTargetField(Grid, Col);
    if (!target) return;
    TField* field = Grid->ColumnField(Col);
    TDataSet* ds = target->DataSet();
    if (!ds->CanModify()) return;
    if (!Editing(ds)) ds->Edit();
    if (!Editing(ds)) return;
    try {
        Store(target, field);
    } catch (const EAbort&) {
        throw;
    } catch (const Exception& e) {
        if (IgnoreAllErrors) return;
        const String text =
            GxLibText(SErrorDuringInsertValueGx) + "\n" + e.Message() + "\n\n" + GxLibText(SIgnoreErrorGx);
        switch (MessageDlg(text, mtError, TMsgDlgButtons{mbYes, mbNo, mbAll}, 0)) {
        case mrYes:
            return;
        case mrAll:
            IgnoreAllErrors = true;
            return;
        default:
            Abort();
        }
    }
}

// ---- text ----------------------------------------------------------------------------------------

void TDBGridGxImportAsText::ReadFromStream(TStream& AStream, bool ImportAll) {
    IgnoreAllErrors = false;
    FPosition = AStream.Position();
    FSize = AStream.Size();
    TDBGridGxImport::ReadFromStream(AStream, ImportAll);
}

bool TDBGridGxImportAsText::NextChar() {
    // The last byte (the terminating zero of clipboard text) is never read.
    if (FPosition >= FSize - 1 || Stream->Read(&LastChar, 1) != 1) return false;
    ++FPosition;
    return true;
}

int TDBGridGxImportAsText::CheckState() {
    if (!NextChar()) {
        AtEnd = true;
        LastState = 3;
    } else if (LastChar == '\t') {
        LastState = 1;
    } else if (LastChar == '\r') {
        if (!NextChar() || LastChar != '\n')
            throw Exception("TDBGridGxImportAsText.CheckState: " + GxLibText(SInvalidTextFormatGx));
        LastState = 2;
    } else {
        LastState = 0;
    }
    return LastState;
}

int TDBGridGxImportAsText::ReadCellText() {
    AnsiString text(1, LastChar);
    while (CheckState() == 0)
        text += LastChar;
    if (LastState == 1) CheckState();
    LastString = text;
    return LastState == 1 ? 1 : LastState;
}

void TDBGridGxImportAsText::ReadPrefix() {
    CheckState();
}

void TDBGridGxImportAsText::ReadRow(const std::vector<int>& Columns) {
    if (LastState == 3) return;
    const size_t count = Columns.size();
    size_t p = 0;
    if (LastState == 0) {
        ReadCellText();
        if (count > 0) ReadCell(Columns[0]);
        p = 1;
        // ReadCellText already read past a TAB: the state is that of the next cell's first byte.
    }
    while (LastState == 0 || LastState == 1) {
        if (LastState == 1) {
            LastString.clear();
            CheckState();
        } else {
            ReadCellText();
        }
        if (p < count) ReadCell(Columns[p]);
        ++p;
    }
    CheckState();
}

void TDBGridGxImportAsText::ReadCell(int Col) {
    const String text = Utf8FromAnsi(LastString);
    StoreCell(Col, [&](TField* target, TField* field) {
        if (field->Lookup()) {
            TDataSet* lookup = field->LookupDataSet();
            if (lookup &&
                lookup->Locate(field->LookupResultField(), Variant(text), loCaseInsensitive | loPartialKey))
                target->SetAsVariant(lookup->FieldValues(field->LookupKeyFields()));
        } else if (Grid->CellKind(Col) == 3) {
            const TStrings* pick = Grid->PickList(Col);
            const TStrings* keys = Grid->KeyList(Col);
            const int index = pick ? pick->IndexOf(text) : -1;
            if (index < 0)
                target->Clear();
            else
                target->SetText(keys && index < keys->Count() ? keys->Strings(index) : String());
        } else {
            target->SetText(text);
        }
    });
}

// ---- grid-data stream ----------------------------------------------------------------------------

void TDBGridGxImportAsVCLDBIF::ReadFromStream(TStream& AStream, bool ImportAll) {
    IgnoreAllErrors = false;
    TDBGridGxImport::ReadFromStream(AStream, ImportAll);
}

void TDBGridGxImportAsVCLDBIF::FormatError() const {
    throw Exception("TDBGridGxImportAsVCLDBIF.ReadPrefix: " + GxLibText(SInvalidVCLDBIFFormatGx));
}

void TDBGridGxImportAsVCLDBIF::ReadExact(void* Buffer, Int64 Count) {
    if (Count > Stream->Size() - Stream->Position() || Stream->Read(Buffer, Count) != Count) FormatError();
}

void TDBGridGxImportAsVCLDBIF::ReadPrefix() {
    char header[12];
    ReadExact(header, 12);
    if (std::memcmp(header, "VCLDBIF", 7) != 0) FormatError();
    std::int32_t count = 0;
    std::memcpy(&count, header + 8, 4);
    if (count < 0) FormatError();
    for (std::int32_t i = 0; i < count; ++i) {
        char b = 0;
        ReadExact(&b, 1); // visible flag
        do
            ReadExact(&b, 1);
        while (b != 0); // field name
    }
    FColumnCount = count;
    ReadNextValue();
    // Without columns no row would ever take a value: values after such a header are malformed.
    if (FColumnCount == 0 && !AtEnd) FormatError();
}

void TDBGridGxImportAsVCLDBIF::ReadNextValue() {
    if (AtEnd) return;
    char tag = 0;
    ReadExact(&tag, 1);
    LastValue = Unassigned();
    LastIsBinary = false;
    switch (tag) {
    case 0:
        AtEnd = true;
        break;
    case 2:
        LastValue = Null();
        break;
    case 3: {
        std::int32_t v = 0;
        ReadExact(&v, 4);
        LastValue = Variant(static_cast<int>(v));
        break;
    }
    case 4: {
        double v = 0;
        ReadExact(&v, 8);
        LastValue = Variant(v);
        break;
    }
    case 5:
    case 6: {
        std::int32_t length = 0;
        ReadExact(&length, 4);
        if (length < 0 || length > Stream->Size() - Stream->Position()) FormatError();
        AnsiString bytes(static_cast<size_t>(length), '\0');
        ReadExact(bytes.data(), length);
        LastIsBinary = tag == 6;
        LastValue = Variant(bytes);
        break;
    }
    default:
        break; // unassigned, no payload
    }
}

void TDBGridGxImportAsVCLDBIF::ReadRow(const std::vector<int>& Columns) {
    for (int k = 0; k < FColumnCount; ++k)
        ReadCell(static_cast<size_t>(k) < Columns.size() ? Columns[static_cast<size_t>(k)] : -1);
}

namespace {

bool IsTextField(TFieldType type) {
    return type == ftString || type == ftWideString || type == ftMemo || type == ftFmtMemo ||
           type == ftFixedChar || type == ftBoolean || type == ftLargeint || type == ftGuid ||
           type == ftOraClob;
}

} // namespace

void TDBGridGxImportAsVCLDBIF::ReadCell(int Col) {
    if (!VarIsEmpty(LastValue) && Col >= 0) {
        StoreCell(Col, [&](TField* target, TField*) {
            if (VarIsNull(LastValue)) {
                target->Clear();
            } else if (VarIsStr(LastValue)) {
                // Strings travel as GBK; binary values of text fields as well, other binary
                // values byte for byte.
                const AnsiString bytes = LastValue.AsString();
                const bool text = !LastIsBinary || IsTextField(target->DataType());
                target->SetAsVariant(Variant(text ? Utf8FromAnsi(bytes) : bytes));
            } else {
                target->SetAsVariant(LastValue);
            }
        });
    }
    ReadNextValue();
}
