// The stored form of operator passwords: "~" followed by the password's bytes, each mixed with a
// key byte and its position, in upper-case hexadecimal. It keeps passwords from being read at a
// glance in the database; it is not encryption.
#include "app/core/Vardessa.h"

#include "rtl/StrUtils.h"

namespace {

const char StoredMark = '~';
const char Key[] = "Orvanta.wuyegl";

unsigned char Mix(size_t i) {
    return static_cast<unsigned char>(Key[i % (sizeof(Key) - 1)] ^ (i * 37 + 11));
}

} // namespace

String SavePass(const String& clear) {
    if (clear.empty()) return String();
    static const char digits[] = "0123456789ABCDEF";
    String stored(1, StoredMark);
    for (size_t i = 0; i < clear.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(clear[i]) ^ Mix(i);
        stored += digits[b >> 4];
        stored += digits[b & 15];
    }
    return stored;
}

String GetPass(const String& stored) {
    if (stored.size() < 3 || stored[0] != StoredMark || (stored.size() - 1) % 2 != 0) return stored;
    String clear;
    for (size_t i = 1; i < stored.size(); i += 2) {
        int high = HexDigitValue(stored[i]);
        int low = HexDigitValue(stored[i + 1]);
        if (high < 0 || low < 0) return stored;
        clear += static_cast<char>(static_cast<unsigned char>(high * 16 + low) ^ Mix(clear.size()));
    }
    return clear;
}
