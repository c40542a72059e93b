// The grid's individual column widths and row heights in its stored form: the extra properties
// "ColWidths" and "RowHeights", each a list of one integer per normal column (row), written only
// when such values were set and the grid keeps its extents with itself.
#include "grid/GridsGx.h"

#include "classes/Filer.h"

namespace {

// Reads a list of integers, handing each with its index to Set.
template <class F> void ReadExtentList(TReader& Reader, F&& Set) {
    Reader.ReadListBegin();
    for (int i = 0; !Reader.EndOfList(); ++i)
        Set(i, static_cast<int>(Reader.ReadInteger()));
    Reader.ReadListEnd();
}

void WriteExtentList(TWriter& Writer, int Count, const std::function<int(int)>& Get) {
    Writer.WriteListBegin();
    for (int i = 0; i < Count; ++i)
        Writer.WriteInteger(Get(i));
    Writer.WriteListEnd();
}

} // namespace

void TCustomGridGx::DefineProperties(TFiler& Filer) {
    TCustomControl::DefineProperties(Filer);
    if (!FSaveExtents) return;
    Filer.DefineProperty(
        "ColWidths",
        [this](TReader& Reader) { ReadExtentList(Reader, [this](int i, int v) { SetColWidthAt(i, v); }); },
        [this](TWriter& Writer) { WriteExtentList(Writer, FColsCount, [this](int i) { return ColWidthAt(i); }); },
        !FColWidths.empty());
    Filer.DefineProperty(
        "RowHeights",
        [this](TReader& Reader) { ReadExtentList(Reader, [this](int i, int v) { SetRowHeightAt(i, v); }); },
        [this](TWriter& Writer) { WriteExtentList(Writer, FRowsCount, [this](int i) { return RowHeightAt(i); }); },
        !FRowHeights.empty());
}
