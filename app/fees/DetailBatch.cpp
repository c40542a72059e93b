#include "app/fees/DetailBatch.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "db/ADODB.h"

#include <exception>

namespace {

void OpenDetail(TADOQuery* detail) {
    try {
        detail->Open();
    } catch (const std::exception&) {
        ShowMess(MsgOpenFailed, 3);
    }
}

} // namespace

void FollowListRows(TADOQuery* detail, const String& statement, TDataSource* list) {
    detail->Close();
    detail->SQL()->SetText(statement);
    detail->SetDataSource(list);
    OpenDetail(detail);
}

void ShowRowsOfKey(TADOQuery* detail, const String& statement, const String& param, const String& key) {
    detail->Close();
    detail->SetDataSource(nullptr);
    detail->SQL()->SetText(statement);
    detail->Parameters()->ParamByName(param)->SetValue(key);
    OpenDetail(detail);
}
