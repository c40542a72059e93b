// The grid text search, and the grid's locate operation that reaches it.
#include "grid/DBGridGxFindDlgs.h"

#include "grid/DBGridGx.h"
#include "grid/DBGridGxFilter.h"
#include "grid/DBGridGxStyle.h"
#include "gui/InputQueue.h"
#include "rtl/ScopeGuards.h"
#include "rtl/StrUtils.h"

#include <vector>

namespace {

bool TextMatches(const String& Cell, const String& Text, int MatchType) {
    switch (MatchType) {
    case gsmWholeFieldGx:
        return Cell == Text;
    case gsmBeginningGx:
        return Cell.compare(0, Text.size(), Text) == 0 && Cell.size() >= Text.size();
    default:
        return !Text.empty() && Cell.find(Text) != String::npos;
    }
}

String CellText(TColumnGx* Column, bool UseFormat) {
    if (UseFormat) return Column->CurrentCellText();
    TField* f = Column->Field();
    return f ? f->AsString() : String();
}

} // namespace

bool SearchGridText(TCustomDBGridGx* Grid, const String& FieldName, const String& Text, int Options,
                    int Direction, int MatchType, int) {
    TDataSet* ds = Grid && Grid->DataSource() ? Grid->DataSource()->DataSet() : nullptr;
    if (!ds || !ds->Active() || (ds->Bof() && ds->Eof())) return false;

    // The columns walked: every visible one for all columns, else the one column. A named column
    // that is hidden is searched on its own.
    TColumnsGxList& visible = Grid->VisibleColumns();
    TColumnGx* start = nullptr;
    if (!FieldName.empty()) {
        start = Grid->ColumnByFieldName(FieldName);
    } else {
        int i = Grid->FocusedColumnIndex();
        if (i >= 0 && i < Grid->Columns()->Count()) start = Grid->Columns()->ColumnAt(i);
    }
    std::vector<TColumnGx*> cols;
    int index = 0;
    int at = start ? visible.IndexOf(start) : -1;
    if (start && at < 0) {
        cols.push_back(start);
    } else if (Options & gsoAllColumnsGx) {
        cols = visible.Items();
        index = std::max(at, 0);
    } else if (start) {
        cols.push_back(start);
    } else if (visible.Count() > 0) {
        cols.push_back(visible.ColumnAt(0));
    }
    if (cols.empty()) return false;
    const int n = static_cast<int>(cols.size());
    const bool ignoreCase = Options & gsoIgnoreCaseGx;
    const String text = ignoreCase ? AnsiUpperCase(Text) : Text;

    // One step to the next cell in the direction; false at the end of the records.
    auto step = [&]() {
        if (Direction == gsdUpGx) {
            if (index > 0) {
                --index;
                return true;
            }
            if (ds->MoveBy(-1) == 0) return false;
            index = n - 1;
            return true;
        }
        if (index < n - 1) {
            ++index;
            return true;
        }
        if (ds->MoveBy(1) == 0) return false;
        index = 0;
        return true;
    };

    TColumnGx* found = nullptr;
    TBookmark saved = ds->GetBookmark();
    {
        ds->DisableControls();
        const TScopeExit enable([ds] { ds->EnableControls(); });
        bool more;
        if (Direction == gsdAllGx) {
            ds->First();
            index = 0;
            more = true;
        } else {
            more = step();
        }
        while (more) {
            String cell = CellText(cols[static_cast<size_t>(index)], Options & gsoUseFormatGx);
            if (TextMatches(ignoreCase ? AnsiUpperCase(cell) : cell, text, MatchType)) {
                found = cols[static_cast<size_t>(index)];
                break;
            }
            if ((Options & gsoStopOnKeyGx) && KeyDownWaiting()) break;
            more = step();
        }
        if (!found) ds->GotoBookmark(saved);
    }
    // The focus follows every match, so the next "Find next" starts after it.
    if (found) Grid->SetFocusCol(found->Index() + Grid->IndicatorOffset());
    return found != nullptr;
}

bool TCustomDBGridGx::CenterLocateText(const String& FieldName, const String& Text, int Options,
                                       int Direction, int MatchType, int TreeRange) {
    BeginBusyCursor();
    const TScopeExit endBusy([this] { EndBusyCursor(); });
    TDataSet* ds = DataSource() ? DataSource()->DataSet() : nullptr;
    if (TDataSetCapabilitiesGx* entry = FindDatasetFeatures(ds))
        return entry->LocateText(this, FieldName, Text, Options, Direction, MatchType, TreeRange);
    return SearchGridText(this, FieldName, Text, Options, Direction, MatchType, TreeRange);
}
