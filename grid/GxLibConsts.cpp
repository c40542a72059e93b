#include "grid/GxLibConsts.h"

namespace {

struct TGxText {
    int Id;
    const char* Text;
};

constexpr TGxText Texts[] = {
    {SNullGx, "Null"},
    {SQuoteIsAbsentGx, "Quote is absent: "},
    {SLeftBracketExpectedGx, "'(' expected: "},
    {SRightBracketExpectedGx, "')' expected: "},
    {SErrorInExpressionGx, "Error in expression: "},
    {SUnexpectedExpressionBeforeNullGx, "Unexpected expression before Null: "},
    {SUnexpectedExpressionAfterOperatorGx, "Unexpected expression after operator: "},
    {SIncorrectExpressionGx, "Incorrect expression: "},
    {SUnexpectedANDorORGx, "Unexpected AND or OR: "},
    {SCutGx, "Cut"},
    {SCopyGx, "Copy"},
    {SPasteGx, "Paste"},
    {SDeleteGx, "Delete"},
    {SSelectAllGx, "Select All"},
    {SEmptyFilterGx, "(Empty)"},
    {SNotEmptyFilterGx, "(Not empty)"},
    {SAllFilterGx, "(All)"},
    {SClearFilterGx, "(Clear filter)"},
    {SOrderByAscendingGx, "(Order by ascending)"},
    {SOrderByDescendingGx, "(Order by descending)"},
    {SNotWordGx, "Not"},
    {SAndWordGx, "AND"},
    {SOrWordGx, "OR"},
    {SLikeWordGx, ""},
    {SInWordGx, "In"},
    {SClearSelectedCellsGx, "Clear selected cells?"},
    {SInvalidTextFormatGx, "Invalid text format"},
    {SInvalidVCLDBIFFormatGx, "Invalid VCLDBIF format"},
    {SErrorDuringInsertValueGx, "Error during insert value:"},
    {SIgnoreErrorGx, "Ignore error?"},
    {STabularInformationGx, "Tabular information"},
    {SPageOfPagesGx, "Page %d of %d"},
    {SPreviewGx, "预览"},
    {SFieldNameNotFoundGx, "Field name '%s' not found"},
    {SVisibleColumnsGx, "Visible columns"},
};

} // namespace

String GxLibText(int Id) {
    for (const TGxText& t : Texts)
        if (t.Id == Id) return t.Text;
    return String();
}
