#include "gui/ListBoxSelect.h"

#include "rtl/StrUtils.h"
#include "rtl/StringList.h"

int ListBoxSelectString(TCustomListBox* ListBox, int StartIndex, const String& Prefix) {
    TStrings* items = ListBox->Items();
    const int count = items->Count();
    if (count == 0) return -1;
    const int first = StartIndex < 0 || StartIndex >= count ? 0 : StartIndex + 1;
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        const String item = items->Strings(i);
        if (AnsiCompareText(item.substr(0, Prefix.size()), Prefix) == 0) {
            ListBox->SetItemIndex(i);
            return i;
        }
    }
    return -1;
}
