#include "app/core/AppErrors.h"

#include "app/core/DataDm.h"
#include "app/core/Vardessa.h"

#include "db/DB.h"
#include "db/JetSql.h"
#include "rtl/SysUtils.h"

String UserErrorText(const std::exception& error) {
    String heading = MsgProgramError;
    if (dynamic_cast<const EDatabaseError*>(&error) || dynamic_cast<const EJetSqlError*>(&error))
        heading = MsgOperationFailed;
    else if (dynamic_cast<const EStreamError*>(&error) || dynamic_cast<const EInOutError*>(&error) ||
             dynamic_cast<const EIniFileException*>(&error) || dynamic_cast<const EOSError*>(&error))
        heading = MsgFileFailed;
    const String detail = error.what();
    return detail.empty() ? heading : heading + "\n\n" + detail;
}

void ShowAppException(const std::exception& error) {
    ShowMess(UserErrorText(error), 3);
}
