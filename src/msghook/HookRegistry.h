#pragma once
#include <optional>
#include <vector>

#include "ComObject.h"

namespace vel::msghook {

class VelWindows;

// The windows collections of the live hooks, one ordered list per thread. A thread's
// list is created when its first hook registers and then kept, so that the window
// procedure can tell a thread that never had a hook from one whose hooks are gone.
class HookRegistry {
public:
    using Hooks = std::vector<com::ComPtr<VelWindows>>;

    static void Append(VelWindows& windows);
    static void Remove(VelWindows& windows);
    // 1-based position of `windows` in the calling thread's list; 0 when absent.
    static long Position(const VelWindows& windows);
    // A copy of the calling thread's list (holding every collection); nothing when
    // the thread has none.
    static std::optional<Hooks> ThreadHooks();
};

}  // namespace vel::msghook
