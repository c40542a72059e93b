#include "app/core/TypedInput.h"

#include "app/core/DataDm.h"

#include "db/ADODB.h"
#include "gui/StdCtrls.h"
#include "rtl/StrUtils.h"

#include <algorithm>

namespace {

String WithoutNul(String text) {
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

} // namespace

String TypedText(const String& text) {
    return Trim(WithoutNul(text));
}

String TypedMemo(const String& text) {
    return WithoutNul(text);
}

void LimitToColumns(const String& table, const std::vector<std::pair<TControl*, String>>& boxes) {
    TADOQuery columns;
    columns.SetConnection(dmData->ADOcnn());
    columns.SQL()->SetText("select * from " + table + " where 1 = 0");
    columns.Open();
    for (const auto& [box, fieldName] : boxes) {
        const TField* field = columns.FindField(fieldName);
        const int size = field && !field->IsBlob() ? field->Size() : 0;
        if (size <= 0) continue;
        if (auto* edit = dynamic_cast<TCustomEdit*>(box))
            edit->SetMaxLength(size);
        else if (auto* combo = dynamic_cast<TCustomComboBox*>(box))
            combo->SetMaxLength(size);
    }
}
