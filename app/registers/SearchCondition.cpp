#include "app/registers/SearchCondition.h"

#include "app/registers/TypedText.h"

bool AddTextCondition(TSqlStatement& statement, const String& field, const String& text, TTextMatch match) {
    const String value = TypedText(text);
    if (value.empty()) return false;
    const String param = ":" + statement.NewParam(value);
    switch (match) {
    case tmStartsWith:
        statement.Add("and Left(" + field + ", Len(" + param + ")) = " + param + " ");
        break;
    case tmContains:
        statement.Add("and InStr(" + field + ", " + param + ") > 0 ");
        break;
    case tmEquals:
        statement.Add("and " + field + " = " + param + " ");
        break;
    }
    return true;
}
