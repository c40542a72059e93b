#include "app/core/CodeNumbering.h"

#include "rtl/Format.h"

namespace {

String Increment(const String& head, const String& tail, int digits) {
    if (digits < 1 || digits > 18)
        throw ECodeNumberingError("编号位数 " + IntToStr(digits) + " 无效，应在 1 到 18 之间！");
    for (char c : tail)
        if (c < '0' || c > '9') throw EConvertError("'1" + tail + "' is not a valid integer value");
    // Count up the digits from the right; a carry out of the first digit means the counter is full.
    String counted = tail;
    int i = static_cast<int>(counted.size()) - 1;
    for (; i >= 0; --i) {
        if (counted[static_cast<size_t>(i)] != '9') {
            ++counted[static_cast<size_t>(i)];
            break;
        }
        counted[static_cast<size_t>(i)] = '0';
    }
    if (i < 0)
        throw ECodeNumberingError("编号“" + head + tail + "”已达到最大值，无法生成新编号，请检查编号设置！");
    return head + counted;
}

} // namespace

String NextCodeAfter(const String& highest, int digits) {
    if (highest.empty())
        return Increment(String(), String(static_cast<size_t>(digits > 0 ? digits : 0), '0'), digits);
    const size_t n = static_cast<size_t>(digits > 0 ? digits : 0);
    if (highest.size() <= n) return Increment(String(), highest, digits);
    return Increment(highest.substr(0, highest.size() - n), highest.substr(highest.size() - n), digits);
}

String NewDatedCodeAfter(const String& highest, const String& prefix, int digits, TDateTime now) {
    if (!highest.empty()) return NextCodeAfter(highest, digits);
    return Increment(prefix + FormatDateTime("yyyymmdd", now),
                     String(static_cast<size_t>(digits > 0 ? digits : 0), '0'), digits);
}
