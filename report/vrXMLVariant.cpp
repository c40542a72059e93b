// Attribute texts of variant values.
#include "report/vrXML.h"

#include "rtl/Format.h"

String VariantToXMLText(const Variant& value) {
    switch (value.VType()) {
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return IntToStr(value.AsInt64());
    case varSingle:
    case varDouble:
        return FloatToStr(value.AsDouble());
    case varCurrency:
        return FloatToStr(value.AsCurrency().ToDouble());
    case varDate:
        return DateToStr(value.AsDateTime());
    case varString:
    case varOleStr:
        return EscapeXMLText(value.AsString());
    case varBoolean:
        return value.AsBoolean() ? "1" : "0";
    default:
        return String();
    }
}
