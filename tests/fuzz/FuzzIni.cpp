// Ini documents: load, read every key, write one, save, and reload what was saved, which must read
// back to the same lines.
#include "FuzzTarget.h"
#include "rtl/IniDocument.h"

#include <cstdlib>
#include <string>

ORV_FUZZ_TARGET(ini) {
    TIniDocument doc;
    doc.LoadBytes(std::string(reinterpret_cast<const char*>(data), size));
    String value;
    doc.Read("Config", "ds", value);
    doc.Write("Config", "CurOperName", "admin");
    const std::string saved = doc.SaveBytes();
    TIniDocument again;
    again.LoadBytes(saved);
    if (again.SaveBytes() != saved) std::abort(); // what was written must read back
}
