#include "grid/GxLibVCL.h"

#include "classes/MetaProps.h"
#include "db/DataSource.h"

#include <algorithm>

void TMemoryStreamGx::SetCapacity(Int64 NewCapacity) {
    const Int64 step = 2 * static_cast<Int64>(FHalfStep);
    // A growing block at least doubles, so writing n bytes piece by piece copies O(n) bytes in all
    // (a fixed step made a 100,000-row export copy the whole block some thousand times).
    if (NewCapacity > Capacity() && Capacity() > 0) NewCapacity = std::max(NewCapacity, 2 * Capacity());
    if (NewCapacity > 0 && NewCapacity != Size()) NewCapacity = (NewCapacity + step - 1) / step * step;
    ReserveBlock(NewCapacity);
}

int CompareBookmarkStrings(const TDataSet* DataSet, const TBookmark& A, const TBookmark& B) {
    return DataSet->CompareBookmarks(A, B);
}

TDataSet* GetMasterDataSet(const TDataSet* DataSet, const meta::TPropInfo* Prop) {
    if (!DataSet || !Prop) return nullptr;
    if (Prop->Kind != meta::TPropKind::Component && Prop->Kind != meta::TPropKind::Object) return nullptr;
    try {
        auto* source = dynamic_cast<TDataSource*>(GetObjectProp(DataSet, *Prop));
        return source ? source->DataSet() : nullptr;
    } catch (...) {
        return nullptr;
    }
}
