#include "HookRegistry.h"

#include <windows.h>
#include <algorithm>
#include <map>

#include "VelWindows.h"

namespace vel::msghook {
namespace {

// The lists are process-wide state of this library, keyed by thread; hooks of one
// thread never see another's. The lock only guards the map between threads.
SRWLOCK g_lock = SRWLOCK_INIT;

std::map<DWORD, HookRegistry::Hooks>& Lists() {
    static std::map<DWORD, HookRegistry::Hooks> lists;
    return lists;
}

class Exclusive {
public:
    Exclusive() { AcquireSRWLockExclusive(&g_lock); }
    ~Exclusive() { ReleaseSRWLockExclusive(&g_lock); }
    Exclusive(const Exclusive&) = delete;
    Exclusive& operator=(const Exclusive&) = delete;
};

class Shared {
public:
    Shared() { AcquireSRWLockShared(&g_lock); }
    ~Shared() { ReleaseSRWLockShared(&g_lock); }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;
};

HookRegistry::Hooks::const_iterator Find(const HookRegistry::Hooks& hooks, const VelWindows& windows) {
    return std::find_if(hooks.begin(), hooks.end(), [&](auto& hook) { return hook.Get() == &windows; });
}

}  // namespace

void HookRegistry::Append(VelWindows& windows) {
    Exclusive lock;
    Lists()[GetCurrentThreadId()].emplace_back(&windows);
}

void HookRegistry::Remove(VelWindows& windows) {
    com::ComPtr<VelWindows> removed;  // released after the lock
    {
        Exclusive lock;
        auto list = Lists().find(GetCurrentThreadId());
        if (list == Lists().end()) return;
        auto found = Find(list->second, windows);
        if (found == list->second.end()) return;
        removed = *found;
        list->second.erase(found);
    }
}

long HookRegistry::Position(const VelWindows& windows) {
    Shared lock;
    auto list = Lists().find(GetCurrentThreadId());
    if (list == Lists().end()) return 0;
    auto found = Find(list->second, windows);
    return found == list->second.end() ? 0 : static_cast<long>(found - list->second.begin()) + 1;
}

std::optional<HookRegistry::Hooks> HookRegistry::ThreadHooks() {
    Shared lock;
    auto list = Lists().find(GetCurrentThreadId());
    if (list == Lists().end()) return std::nullopt;
    return list->second;
}

}  // namespace vel::msghook
