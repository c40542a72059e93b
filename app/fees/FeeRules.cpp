#include "app/fees/FeeRules.h"

#include "db/DataSet.h"
#include "db/Field.h"
#include "rtl/Currency.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

namespace {

const char* const KeptWhenPaid[] = {"F_Bamount", "F_Eamount", "F_amount", "F_price", "F_totalPrice"};

// The difference of two readings in decimal: both taken to their four decimals.
double ReadingDifference(TField* current, TField* previous) {
    const Currency difference =
        Currency::FromDouble(current->AsFloat()) - Currency::FromDouble(previous->AsFloat());
    // The double nearest the decimal: one correctly rounded division of exact values.
    return static_cast<double>(difference.Value) / 10000.0;
}

} // namespace

bool FeeFieldKeptWhenPaid(const char* fieldName) {
    for (const char* name : KeptWhenPaid)
        if (SameText(name, fieldName)) return true;
    return false;
}

bool FeeRowPaid(const TDataSet* dataSet) {
    TField* paid = dataSet->FindField("F_JFflag");
    return paid && !paid->IsNull() && paid->AsBoolean();
}

void AttachFeeRules(TDataSet* dataSet) {
    TField* previous = dataSet->FindField("F_Bamount");
    TField* current = dataSet->FindField("F_Eamount");
    TField* amount = dataSet->FindField("F_amount");
    TField* price = dataSet->FindField("F_price");
    TField* total = dataSet->FindField("F_totalPrice");
    if (previous && current && amount) {
        const auto usage = [=](TField*) { amount->SetAsFloat(ReadingDifference(current, previous)); };
        previous->OnChange = usage;
        current->OnChange = usage;
    }
    if (amount && price && total) {
        const auto due = [=](TField*) {
            total->SetAsCurrency(MulQuantity(price->AsCurrency(), amount->AsFloat()));
        };
        amount->OnChange = due;
        price->OnChange = due;
    }
    for (const char* name : KeptWhenPaid)
        if (TField* field = dataSet->FindField(name))
            field->OnValidate = [dataSet](TField*) {
                if (FeeRowPaid(dataSet)) Abort();
            };
}
