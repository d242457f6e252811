#pragma once
// An accessibility client as a screen reader is one: the objects of a window through
// oleacc, their children, properties and tree as text, and the WinEvents a window raises.
#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>
#include <vector>

#include "ComObject.h"
#include "Variant.h"

namespace vel::test {

using com::ComPtr;

namespace accessible {

ComPtr<IAccessible> FromWindow(HWND window, LONG object = OBJID_CLIENT);
// The children as AccessibleChildren hands them out: ids (VT_I4) and objects (VT_DISPATCH).
std::vector<com::Variant> Children(IAccessible* parent);
// The child ids among `children`.
std::vector<LONG> ChildIds(const std::vector<com::Variant>& children);
ComPtr<IAccessible> ObjectOf(const com::Variant& child);
VARIANT Child(LONG id);
std::wstring Name(IAccessible* object, LONG child = CHILDID_SELF);
std::wstring Description(IAccessible* object, LONG child = CHILDID_SELF);
LONG Role(IAccessible* object, LONG child = CHILDID_SELF);
LONG State(IAccessible* object, LONG child = CHILDID_SELF);
RECT Location(IAccessible* object, LONG child = CHILDID_SELF);
// Every object and child below `object`, one line each, indented by depth: role, name,
// description, state texts and location relative to `origin`'s client area. A child
// window shows as its client area's object; with `limit`, at most that many plain
// children of an object are listed, and then how many more there are.
std::wstring Tree(IAccessible* object, HWND origin, int depth = 0, size_t limit = 0);

}  // namespace accessible

// The WinEvents a window raises, recorded by an out-of-context hook; messages are pumped
// before the log is read, as out-of-context events arrive through the message queue.
class WinEventLog {
public:
    // The events of `window`; or, with `nameOf`, of every window it names, each line
    // starting with that name.
    explicit WinEventLog(HWND window, std::function<std::wstring(HWND)> nameOf = {});
    WinEventLog(const WinEventLog&) = delete;
    WinEventLog& operator=(const WinEventLog&) = delete;
    ~WinEventLog();

    // "EVENT object child" per event, e.g. "FOCUS CLIENT 5".
    const std::vector<std::wstring>& Lines();
    void Clear();
    size_t CountOf(const std::wstring& line);

private:
    static void CALLBACK Hook(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD);

    HWND window_;
    std::function<std::wstring(HWND)> nameOf_;
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<std::wstring> lines_;
};

}  // namespace vel::test
