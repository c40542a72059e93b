// The grid's stored form of its columns: user-defined columns are written as the extra property
// "Columns", each column with its stored properties, its footers among them; reading it replaces
// the columns in one layout.
#include "grid/DBGridGx.h"

#include "classes/Filer.h"
#include "rtl/ScopeGuards.h"

void TCustomDBGridGx::DefineProperties(TFiler& Filer) {
    TCustomGridGx::DefineProperties(Filer);
    Filer.DefineProperty(
        "Columns",
        [this](TReader& Reader) {
            BeginLayout();
            const TScopeExit end([this] { EndLayout(); });
            FColumns->Clear();
            Reader.ReadCollection(*FColumns);
        },
        [this](TWriter& Writer) { Writer.WriteCollection(*FColumns); }, FColumns->State() == csCustomizedGx);
}
