// One record of a client cursor: its values, the values it had when read from the database
// (kept once it changes, for optimistic writes and for cancelling a batch), its calculated
// values, the database rowid that locates it again, and its update status.
#pragma once

#include "db/DB.h"
#include "rtl/Variant.h"

#include <cstdint>
#include <memory>
#include <vector>

// Kept small: an open data set holds one per row (the parts most rows never use, the original
// and calculated values, are held apart only when there are any).
struct TRecordData {
    std::vector<Variant> Values;                    // one per field definition, in order
    std::unique_ptr<std::vector<Variant>> Original; // as read, once the record changed
    std::unique_ptr<std::vector<Variant>> Calc;     // calculated and lookup fields, once computed
    Int64 RowId = 0;                                // locates the row in its table (0: none)
    UInt64 Id = 0;                                  // the bookmark
    unsigned CalcGeneration = 0;                    // Calc holds values of this generation
    mutable uint32_t ViewIndex = 0;                 // position in the cursor (when valid)
    TUpdateStatus Status = usUnmodified;
    bool Hidden = false; // a pending deletion: not in the cursor

    // Keeps the values as read before the first change.
    void KeepOriginal() {
        if (!Original) Original = std::make_unique<std::vector<Variant>>(Values);
    }
    const std::vector<Variant>& OriginalValues() const { return Original ? *Original : Values; }
    // The calculated values, made on first use with n slots (at least).
    std::vector<Variant>& CalcValues(size_t n) {
        if (!Calc) Calc = std::make_unique<std::vector<Variant>>();
        if (Calc->size() < n) Calc->resize(n);
        return *Calc;
    }
};
