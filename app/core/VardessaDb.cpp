#include "app/core/Vardessa.h"

#include "db/ADODB.h"

bool CompactDatabase(const String& fileName, const String& password) {
    try {
        TADOConnection::CompactDatabase(fileName, password);
        return true;
    } catch (const Exception&) {
        return false;
    }
}
