// The exporters' walk over the selection, the footer totals, and the text, CSV and grid-data
// stream formats.
#include "grid/DBGridGxImpExp.h"

#include "grid/DBGridGxFooters.h"
#include "rtl/CodePage.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <cmath>
#include <cstdint>
#include <cstring>

void StreamWriteText(TStream& Stream, const AnsiString& Text) {
    if (!Text.empty()) Stream.WriteBuffer(Text.data(), static_cast<Int64>(Text.size()));
}

void TDBGridGxExport::Write(const String& Utf8Text) {
    StreamWriteText(*Stream, AnsiFromUtf8(Utf8Text));
}

void TDBGridGxExport::WriteBytes(const AnsiString& Bytes) {
    StreamWriteText(*Stream, Bytes);
}

std::vector<int> VisibleColumnsBetween(TDBGridGxImpExpSource* Grid, int From, int To) {
    std::vector<int> cols;
    for (int c = std::max(From, 0); c <= To && c < Grid->ColumnCount(); ++c)
        if (Grid->ColumnVisible(c)) cols.push_back(c);
    return cols;
}

TField* CellTargetField(TDBGridGxImpExpSource* Grid, int Col) {
    TField* field = Grid->ColumnField(Col);
    if (!field || !field->Lookup()) return field;
    return field->KeyFields().empty() ? nullptr : field->DataSet()->FindField(field->KeyFields());
}

void ForEachRectangleRow(TDBGridGxImpExpSource* Grid, const std::function<void()>& Visit) {
    TDataSet* ds = Grid->DataSet();
    const TBookmark bottom = Grid->RectBottomRow();
    ds->GotoBookmark(Grid->RectTopRow());
    while (!ds->Eof()) {
        Visit();
        if (CompareBookmarkStrings(ds, ds->GetBookmark(), bottom) == 0) break;
        ds->Next();
    }
}

void TDBGridGxExport::WriteToStream(TStream& AStream, bool ExportAll) {
    Stream = &AStream;
    const TDBGridGxSelectionType kind = ExportAll ? gstAll : Grid->SelectionKind();
    if (kind == gstNon) return;
    TDataSet* ds = Grid->DataSet();
    auto begin = [&](std::vector<int> columns) {
        ExportColumns = std::move(columns);
        FooterTotals.assign(ExportColumns.size() * static_cast<size_t>(std::max(Grid->FooterRowCount(), 0)),
                            0);
        PutPrefix();
        if (Grid->ShowTitles()) PutTitles(ExportColumns);
    };
    auto record = [&] {
        PutRecord(ExportColumns);
        AddToTotals();
    };
    {
        ds->DisableControls();
        TScopeExit enableControls([ds] { ds->EnableControls(); });
        Grid->SaveRowPosition();
        TScopeExit restoreRow([this] { Grid->RestoreRowPosition(); });
        switch (kind) {
        case gstRecordBookmarks: {
            begin(VisibleColumnsBetween(Grid, 0, Grid->ColumnCount() - 1));
            TBMListGx* marks = Grid->MarkedRows();
            for (int i = 0; i < marks->BookmarkCount(); ++i) {
                ds->GotoBookmark(marks->BookmarkAt(i));
                record();
            }
            break;
        }
        case gstRectangle: {
            begin(VisibleColumnsBetween(Grid, Grid->RectLeftCol(), Grid->RectRightCol()));
            ForEachRectangleRow(Grid, record);
            break;
        }
        case gstColumns:
            begin(Grid->SelectedColumns());
            for (ds->First(); !ds->Eof(); ds->Next())
                record();
            break;
        default:
            begin(VisibleColumnsBetween(Grid, 0, Grid->ColumnCount() - 1));
            for (ds->First(); !ds->Eof(); ds->Next())
                record();
            break;
        }
        for (int r = 0; r < Grid->FooterRowCount(); ++r)
            PutFooter(ExportColumns, r);
    }
    PutSuffix(); // only after a walk that no exception ended
}

void TDBGridGxExport::WriteToFile(const String& FileName, bool ExportAll) {
    TFileStream file(FileName, fmCreate);
    WriteToStream(file, ExportAll);
}

void TDBGridGxExport::PutRecord(const std::vector<int>& Columns) {
    TCellParamsGx params;
    for (int col : Columns) {
        Grid->DataCellParams(col, params);
        PutDataCell(col, params);
    }
}

void TDBGridGxExport::PutFooter(const std::vector<int>& Columns, int FooterRow) {
    TCellParamsGx params;
    for (size_t i = 0; i < Columns.size(); ++i) {
        const TFooterValueTypeGx type = Grid->FooterValueType(Columns[i], FooterRow);
        params.Text =
            type == fvtSum || type == fvtCount ? TotalText(static_cast<int>(i), FooterRow) : String();
        Grid->FooterCellParams(Columns[i], FooterRow, params);
        PutFooterCell(static_cast<int>(i), FooterRow, Columns[i], params);
    }
}

TField* TDBGridGxExport::FooterField(int Col, int FooterRow) const {
    const String name = Grid->FooterFieldName(Col, FooterRow);
    if (!name.empty()) return Grid->DataSet()->FindField(name);
    TField* field = Grid->ColumnField(Col);
    return field ? Grid->DataSet()->FindField(field->FieldName()) : nullptr;
}

void TDBGridGxExport::AddToTotals() {
    const size_t n = ExportColumns.size();
    for (int r = 0; r < Grid->FooterRowCount(); ++r) {
        for (size_t i = 0; i < n; ++i) {
            const TFooterValueTypeGx type = Grid->FooterValueType(ExportColumns[i], r);
            if (type != fvtSum && type != fvtCount) continue;
            TField* field = FooterField(ExportColumns[i], r);
            if (!field) continue;
            Int64& total = FooterTotals[i + static_cast<size_t>(r) * n];
            if (type == fvtCount)
                total += 10000;
            else if (field->DataType() == ftBCD && !field->IsNull())
                total = (Currency::FromRaw(total) + field->AsCurrency()).Value;
            else if (!field->IsNull())
                total = static_cast<Int64>(std::nearbyint(
                    static_cast<long double>(total) + static_cast<long double>(field->AsFloat()) * 10000));
        }
    }
}

String TDBGridGxExport::TotalText(int Position, int FooterRow) {
    const size_t n = ExportColumns.size();
    const int col = ExportColumns[static_cast<size_t>(Position)];
    const Currency total =
        Currency::FromRaw(FooterTotals[static_cast<size_t>(Position) + static_cast<size_t>(FooterRow) * n]);
    // As the grid's footer shows it: "￥62,706.83", not "62706.83".
    const String format = Grid->FooterDisplayFormat(col, FooterRow);
    if (Grid->FooterValueType(col, FooterRow) == fvtCount) return FooterCountText(format, total);
    TField* field = FooterField(col, FooterRow);
    if (!field) return String();
    return FooterAggregateText(field, format, total);
}

// ---- text ----------------------------------------------------------------------------------------

void TDBGridGxExportAsText::WriteToStream(TStream& AStream, bool ExportAll) {
    FirstRecord = true;
    TDBGridGxExport::WriteToStream(AStream, ExportAll);
}

void TDBGridGxExportAsText::StartRecordLine() {
    if (FirstRecord)
        FirstRecord = false;
    else
        WriteBytes("\r\n");
}

void TDBGridGxExportAsText::StartCell() {
    if (FirstCell)
        FirstCell = false;
    else
        WriteBytes("\t");
}

void TDBGridGxExportAsText::PutTitles(const std::vector<int>& Columns) {
    StartRecordLine();
    TCellParamsGx title;
    for (size_t i = 0; i < Columns.size(); ++i) {
        Grid->TitleParams(Columns[i], title);
        Write(title.Text);
        if (i + 1 < Columns.size()) WriteBytes("\t");
    }
}

void TDBGridGxExportAsText::PutRecord(const std::vector<int>& Columns) {
    StartRecordLine();
    FirstCell = true;
    TDBGridGxExport::PutRecord(Columns);
}

void TDBGridGxExportAsText::PutDataCell(int, const TCellParamsGx& Params) {
    StartCell();
    Write(Params.Text);
}

void TDBGridGxExportAsText::PutFooter(const std::vector<int>& Columns, int FooterRow) {
    StartRecordLine();
    FirstCell = true;
    TDBGridGxExport::PutFooter(Columns, FooterRow);
}

void TDBGridGxExportAsText::PutFooterCell(int, int, int, const TCellParamsGx& Params) {
    StartCell();
    Write(Params.Text);
}

// ---- CSV -----------------------------------------------------------------------------------------

void TDBGridGxExportAsCSV::StartCell() {
    if (FirstCell)
        FirstCell = false;
    else
        WriteBytes(String(1, Separator));
}

void TDBGridGxExportAsCSV::PutTitles(const std::vector<int>& Columns) {
    StartRecordLine();
    TCellParamsGx title;
    for (size_t i = 0; i < Columns.size(); ++i) {
        Grid->TitleParams(Columns[i], title);
        Write(AnsiQuotedStr(title.Text, '"'));
        if (i + 1 < Columns.size()) WriteBytes(String(1, Separator));
    }
}

void TDBGridGxExportAsCSV::PutDataCell(int, const TCellParamsGx& Params) {
    StartCell();
    Write(AnsiQuotedStr(Params.Text, '"'));
}

void TDBGridGxExportAsCSV::PutFooterCell(int, int, int, const TCellParamsGx& Params) {
    StartCell();
    Write(AnsiQuotedStr(Params.Text, '"'));
}

// ---- grid-data stream ----------------------------------------------------------------------------

namespace {

void AppendInt32(AnsiString& out, std::int32_t value) {
    char b[4];
    std::memcpy(b, &value, 4); // the stream is little-endian, as the machine is
    out.append(b, 4);
}

enum : char {
    TagEnd = 0,
    TagUnassigned = 1,
    TagNull = 2,
    TagInteger = 3,
    TagFloat = 4,
    TagString = 5,
    TagBinary = 6
};

int TagOf(TFieldType type) {
    switch (type) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
        return TagInteger;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp:
    case ftFMTBcd:
        return TagFloat;
    case ftString:
    case ftBoolean:
    case ftMemo:
    case ftFixedChar:
    case ftLargeint:
    case ftOraClob:
    case ftGuid:
        return TagString;
    case ftBytes:
    case ftVarBytes:
    case ftBlob:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
    case ftWideString:
    case ftOraBlob:
        return TagBinary;
    default:
        return TagUnassigned;
    }
}

// Text fields travel as GBK; the binary kinds that hold text as well.
bool HoldsText(TFieldType type) {
    return type == ftWideString || type == ftFmtMemo;
}

} // namespace

void TDBGridGxExportAsVCLDBIF::PutPrefix() {
    AnsiString header("VCLDBIF\x01", 8);
    AppendInt32(header, static_cast<std::int32_t>(ExportColumns.size()));
    for (int col : ExportColumns) {
        header += Grid->ColumnVisible(col) ? '\x01' : '\x00';
        header += '\x00';
    }
    WriteBytes(header);
}

void TDBGridGxExportAsVCLDBIF::PutSuffix() {
    WriteBytes(AnsiString(1, TagEnd));
}

void TDBGridGxExportAsVCLDBIF::PutRecord(const std::vector<int>& Columns) {
    AnsiString out;
    for (int col : Columns) {
        TField* field = CellTargetField(Grid, col);
        if (!field) {
            out += TagUnassigned;
            continue;
        }
        if (field->IsNull()) {
            out += TagNull;
            continue;
        }
        const int tag = TagOf(field->DataType());
        out += static_cast<char>(tag);
        if (tag == TagInteger) {
            AppendInt32(out, field->AsInteger());
        } else if (tag == TagFloat) {
            double v = field->AsFloat();
            char b[8];
            std::memcpy(b, &v, 8);
            out.append(b, 8);
        } else if (tag == TagString || tag == TagBinary) {
            const AnsiString bytes = tag == TagString || HoldsText(field->DataType())
                                         ? AnsiFromUtf8(field->AsString())
                                         : field->AsString();
            AppendInt32(out, static_cast<std::int32_t>(bytes.size()));
            out += bytes;
        }
    }
    WriteBytes(out);
}
