// The Filter text of a data set, parsed once and evaluated per record:
//   F_XQname = 'A' and (F_amount > 10 or F_memo1 like '%x%') and not F_flag = True
//   F_date >= #2026-03-01#   F_name is null   F_code <> ''   [Field name] = "text"
// Comparisons are =, <>, <, >, <=, >=, LIKE (wildcards % or *, _ or ?), IS [NOT] NULL,
// IN (v1, v2 ...); text compares without regard to case. A comparison with Null is false.
#pragma once

#include "rtl/Variant.h"

#include <memory>
#include <vector>

class TDataSet;

class TFilterExpression {
public:
    // Raises EDatabaseError for malformed text.
    explicit TFilterExpression(const String& Text);
    ~TFilterExpression();
    // Evaluates on the data set's active record.
    bool Evaluate(const TDataSet& DataSet) const;

    struct TNode;

private:
    std::unique_ptr<TNode> FRoot;
};
