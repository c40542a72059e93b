// Attribute texts of variant values.
#include "report/vrXML.h"

#include "rtl/Format.h"

String VariantToXMLText(const Variant& value) {
    if (VarTypeIsInteger(value.VType())) return IntToStr(value.AsInt64());
    switch (value.VType()) {
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
