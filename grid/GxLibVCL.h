// The lowest layer of the grid library: the memory stream the grid's export writes into, the
// bookmark comparison and the master data set of a data set. The platform's drawing, window and
// text services are reached through the canvas, the controls and the runtime directly.
#pragma once

#include "db/DataSet.h"
#include "rtl/Streams.h"

namespace meta {
struct TPropInfo;
}

// A memory stream whose block is counted in steps of twice HalfStep (8192 bytes): every non-empty
// block has a capacity that is a multiple of the step, except when the size is set exactly. A
// block that grows at least doubles.
class TMemoryStreamGx : public TMemoryStream {
public:
    TMemoryStreamGx() = default;
    String ClassName() const override { return "TMemoryStreamGx"; }
    int HalfStep() const { return FHalfStep; }

protected:
    // A request C above the capacity takes at least twice the capacity; a request C > 0 that
    // differs from the size is rounded up to the next step; C = 0 frees the
    // block; a failed allocation raises "Out of memory while expanding memory stream".
    void SetCapacity(Int64 NewCapacity) override;

private:
    int FHalfStep = 4096;
};

// The data set's own comparison of two bookmarks: negative, 0 or positive in record order.
int CompareBookmarkStrings(const TDataSet* DataSet, const TBookmark& A, const TBookmark& B);

// The data set of the data source held by the data set's published property Prop (a class-kind
// property such as "MasterSource"); nullptr for a missing property, another kind, an empty value,
// a value that is not a data source or any failure while reading.
TDataSet* GetMasterDataSet(const TDataSet* DataSet, const meta::TPropInfo* Prop);
