#include "gridprint/PrnDbggx.h"

#include "grid/DBGridGx.h"
#include "rtl/ScopeGuards.h"

void TPrintDBGridGx::PrintToPrinter(TVirtualPrinter* printer) {
    if (FBusy) throw EGridPrintBusy("The grid is already being printed");
    if (!printer || !FDBGridGx || !FDBGridGx->DataSource() || !FDBGridGx->DataSource()->DataSet() ||
        !FDBGridGx->DataSource()->DataSet()->Active())
        return;
}
