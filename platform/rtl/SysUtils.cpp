#include "rtl/SysUtils.h"

void Abort() { throw EAbort(); }

void ListIndexError(Int64 index) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void StringListIndexError(Int64 index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void ListCountError(Int64 count) {
    throw EListError("List count out of bounds (" + std::to_string(count) + ")");
}

void ListCapacityError(Int64 capacity) {
    throw EListError("List capacity out of bounds (" + std::to_string(capacity) + ")");
}

void SortedListError() {
    throw EStringListError("Operation not allowed on sorted list");
}
