#include "RegistersFixture.h"

#include "app/core/EstateScope.h"

void Registers::RestrictTo(const String& list) {
    OperName = "clerk";
    IsAdmin = false;
    XQScopeFlag = 1;
    OperXQList = list;
    XQScopeSQL = BuildXQScopeSQL(list);
    XQNameScopeSQL = BuildXQNameScopeSQL(list);
}
