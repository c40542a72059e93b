#include "script/vs_itools.h"

#include "rtl/Format.h"
#include "rtl/StrUtils.h"
#include "rtl/StringList.h"
#include "script/vs_ibasic.h"
#include "script/vs_iconst.h"
#include "script/vs_icpp.h"
#include "script/vs_ijs.h"
#include "script/vs_ipascal.h"

#include <utility>

namespace {

using TLanguageList = std::vector<std::pair<String, String>>;

// The registry, made on first use with the built-in languages in their order.
TLanguageList& Languages() {
    static TLanguageList list = [] {
        TLanguageList l;
        l.emplace_back("PascalScript", vsPascalScriptGrammar);
        l.emplace_back("D++Idezer", vsCppScriptGrammar);
        l.emplace_back("VuzirUzezid", vsBasicScriptGrammar);
        l.emplace_back("JScript", vsJScriptGrammar);
        return l;
    }();
    return list;
}

} // namespace

void RegisterLanguage(const String& Name, const String& Grammar) {
    for (auto& entry : Languages())
        if (AnsiSameText(entry.first, Name)) {
            entry = {Name, Grammar};
            return;
        }
    Languages().emplace_back(Name, Grammar);
}

String GetLanguageGrammar(const String& Name) {
    for (const auto& entry : Languages())
        if (AnsiSameText(entry.first, Name)) return entry.second;
    throw EvsScriptError(Format(SLangNotFound, {Name}));
}

void GetLanguageList(TStrings& List) {
    List.Clear();
    for (const auto& entry : Languages())
        if (entry.first.empty() || entry.first[0] != '@') List.Add(entry.first);
}
