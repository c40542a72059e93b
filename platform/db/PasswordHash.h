// The database password as a file records it: a random salt and the SHA-256 of salt and
// password, both as hexadecimal text.
#pragma once

#include "rtl/Types.h"

String NewPasswordSalt();
String HashPassword(const String& salt, const String& password);
// SHA-256 of the bytes, as 64 lower-case hexadecimal digits.
String Sha256Hex(const String& data);
