// The grid library's user-visible texts, each with its resource identifier.
#pragma once

#include "rtl/Types.h"

enum : int {
    SNullGx = 64912,
    SQuoteIsAbsentGx = 64913,
    SLeftBracketExpectedGx = 64914,
    SRightBracketExpectedGx = 64915,
    SErrorInExpressionGx = 64916,
    SUnexpectedExpressionBeforeNullGx = 64917,
    SUnexpectedExpressionAfterOperatorGx = 64918,
    SIncorrectExpressionGx = 64919,
    SUnexpectedANDorORGx = 64920,
    SCutGx = 64928,
    SCopyGx = 64929,
    SPasteGx = 64930,
    SDeleteGx = 64931,
    SSelectAllGx = 64932,
    SEmptyFilterGx = 64933,
    SNotEmptyFilterGx = 64934,
    SAllFilterGx = 64935,
    SClearFilterGx = 64936,
    SOrderByAscendingGx = 64937,
    SOrderByDescendingGx = 64938,
    SNotWordGx = 64939,
    SAndWordGx = 64940,
    SOrWordGx = 64941,
    SLikeWordGx = 64942,
    SInWordGx = 64943,
    SClearSelectedCellsGx = 64950,
    SInvalidTextFormatGx = 64951,
    SInvalidVCLDBIFFormatGx = 64952,
    SErrorDuringInsertValueGx = 64953,
    SIgnoreErrorGx = 64954,
    STabularInformationGx = 64955,
    SPageOfPagesGx = 64956,
    SPreviewGx = 64957,
    SFieldNameNotFoundGx = 64958,
    SVisibleColumnsGx = 64959,
};

// The text of a resource identifier above; empty for any other number.
String GxLibText(int Id);
