#include "classes/ObjectHandles.h"

#include <limits>
#include <mutex>
#include <unordered_map>

namespace {

struct TTable {
    std::mutex Lock;
    std::unordered_map<Integer, TObject*> Objects;
    // Handles count up and are never reused, so a freed object's number stays invalid.
    Integer Next = 1;
    TTable();
    ~TTable();
    TObject* Find(Integer handle) {
        auto it = Objects.find(handle);
        return it == Objects.end() ? nullptr : it->second;
    }
};

// Objects freed during program exit may outlive the table; they find this cleared and do nothing.
bool tableAlive = false;

TTable::TTable() {
    tableAlive = true;
}
TTable::~TTable() {
    tableAlive = false;
}

TTable& Table() {
    static TTable table;
    return table;
}

void ReleaseHook(TObject* obj) noexcept {
    TObjectHandleTable::Release(obj);
}

} // namespace

Integer TObjectHandleTable::Acquire(TObject* obj) {
    if (!obj) return 0;
    TTable& t = Table();
    std::lock_guard lock(t.Lock);
    if (obj->FObjectHandle != 0) return obj->FObjectHandle;
    if (t.Next == std::numeric_limits<Integer>::max()) throw EInvalidOperation("Too many object handles");
    ObjectHandleReleaseHook = &ReleaseHook;
    Integer handle = t.Next++;
    t.Objects.emplace(handle, obj);
    obj->FObjectHandle = handle;
    return handle;
}

TObject* TObjectHandleTable::Lookup(Integer handle) {
    if (handle == 0) return nullptr;
    TTable& t = Table();
    std::lock_guard lock(t.Lock);
    TObject* obj = t.Find(handle);
    if (!obj) throw EInvalidHandle("Invalid object handle");
    return obj;
}

void TObjectHandleTable::Release(TObject* obj) noexcept {
    if (!obj || obj->FObjectHandle == 0 || !tableAlive) return;
    TTable& t = Table();
    std::lock_guard lock(t.Lock);
    t.Objects.erase(obj->FObjectHandle);
    obj->FObjectHandle = 0;
}

Integer ObjectToHandle(TObject* obj) {
    return TObjectHandleTable::Acquire(obj);
}

TObject* HandleToObject(Integer handle) {
    return TObjectHandleTable::Lookup(handle);
}

bool IsValidObjectHandle(Integer handle) {
    if (handle == 0) return false;
    TTable& t = Table();
    std::lock_guard lock(t.Lock);
    return t.Find(handle) != nullptr;
}

void ReleaseObjectHandle(TObject* obj) noexcept {
    TObjectHandleTable::Release(obj);
}
