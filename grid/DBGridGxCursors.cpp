#include "grid/DBGridGxCursors.h"

#include "gui/Bitmap.h"
#include "gui/CursorTable.h"
#include "rtl/StrUtils.h"
#include "rtl/SysUtils.h"

#include <mutex>

namespace {

struct TCursorEntry {
    const char* Name;
    TCursor Id;
    int HotX, HotY;
};

// The hot spots are the tips of the arrows (tools/grid_cursors.py draws them there).
constexpr TCursorEntry CursorEntries[] = {
    {"DOWNCURGX", crDownCurGx, 5, 12},
    {"RIGHTCURGX", crRightCurGx, 12, 5},
    {"LEFTCURGX", crLeftCurGx, 0, 5},
};

} // namespace

void RegisterGridGxCursors(const TGridGxResource* Table, int Count) {
    for (const TCursorEntry& e : CursorEntries) {
        TBitmap picture;
        bool loaded = false;
        for (int i = 0; i < Count && !loaded; ++i) {
            if (!SameText(Table[i].Name, e.Name)) continue;
            try {
                picture.LoadFromBytes(std::vector<Byte>(Table[i].Data, Table[i].Data + Table[i].Size));
                loaded = !picture.Empty();
            } catch (const Exception&) {
                loaded = false;
            }
        }
        if (!loaded) throw EOutOfResources("Cannot load cursor resource");
        RegisterScreenCursor(e.Id, picture, e.HotX, e.HotY);
    }
}

void LoadGridGxCursors() {
    static std::once_flag once;
    std::call_once(once, [] { RegisterGridGxCursors(GridGxCursorResources, GridGxCursorResourceCount); });
}
