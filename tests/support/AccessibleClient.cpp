#include "AccessibleClient.h"

#include <algorithm>
#include <map>

namespace vel::test {

namespace accessible {

ComPtr<IAccessible> FromWindow(HWND window, LONG object) {
    ComPtr<IAccessible> found;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(object), IID_PPV_ARGS(&found));
    return found;
}

std::vector<com::Variant> Children(IAccessible* parent) {
    LONG count = 0;
    if (FAILED(parent->get_accChildCount(&count)) || count <= 0) return {};
    // The owners stand ready before the call, so that nothing it hands out goes unowned.
    std::vector<com::Variant> children(static_cast<size_t>(count));
    std::vector<VARIANT> raw(static_cast<size_t>(count));
    LONG obtained = 0;
    if (FAILED(AccessibleChildren(parent, 0, count, raw.data(), &obtained))) return {};
    obtained = std::clamp<LONG>(obtained, 0, count);
    for (size_t i = 0; i < static_cast<size_t>(obtained); ++i) *children[i].Out() = raw[i];  // taken over
    children.resize(static_cast<size_t>(obtained));
    return children;
}

std::vector<LONG> ChildIds(const std::vector<com::Variant>& children) {
    std::vector<LONG> ids;
    for (auto& child : children)
        if (child.Get().vt == VT_I4) ids.push_back(child.Get().lVal);
    return ids;
}

ComPtr<IAccessible> ObjectOf(const com::Variant& child) {
    ComPtr<IAccessible> object;
    if (child.Get().vt == VT_DISPATCH && child.Get().pdispVal) child.Get().pdispVal->QueryInterface(IID_PPV_ARGS(&object));
    return object;
}

// A plain VT_I4: it owns nothing, so it goes by value as IAccessible takes it.
VARIANT Child(LONG id) {
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

namespace {

std::wstring Take(HRESULT hr, BSTR text) {
    std::wstring taken = SUCCEEDED(hr) && text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return taken;
}

std::wstring RoleText(LONG role) {
    wchar_t text[80] = L"";
    GetRoleTextW(static_cast<DWORD>(role), text, 80);
    return text;
}

std::wstring StateTexts(LONG state) {
    std::wstring texts;
    for (DWORD bit = 1; bit != 0 && bit <= static_cast<DWORD>(STATE_SYSTEM_VALID); bit <<= 1) {
        if (!(static_cast<DWORD>(state) & bit)) continue;
        wchar_t text[80] = L"";
        GetStateTextW(bit, text, 80);
        texts += (texts.empty() ? L"" : L", ") + std::wstring(text);
    }
    return texts;
}

std::wstring Line(IAccessible* object, LONG child, HWND origin, int depth) {
    std::wstring line(static_cast<size_t>(2 * depth), L' ');
    line += RoleText(Role(object, child)) + L" \"" + Name(object, child) + L"\"";
    std::wstring description = Description(object, child);
    if (!description.empty()) line += L" (" + description + L")";
    std::wstring states = StateTexts(State(object, child));
    if (!states.empty()) line += L" [" + states + L"]";
    RECT rect = Location(object, child);
    POINT corner{rect.left, rect.top};
    ScreenToClient(origin, &corner);
    line += L" at " + std::to_wstring(corner.x) + L"," + std::to_wstring(corner.y) + L" " +
            std::to_wstring(rect.right - rect.left) + L"x" + std::to_wstring(rect.bottom - rect.top) + L"\n";
    return line;
}

}  // namespace

std::wstring Name(IAccessible* object, LONG child) {
    BSTR text = nullptr;
    HRESULT hr = object->get_accName(Child(child), &text);
    return Take(hr, text);
}

std::wstring Description(IAccessible* object, LONG child) {
    BSTR text = nullptr;
    HRESULT hr = object->get_accDescription(Child(child), &text);
    return Take(hr, text);
}

LONG Role(IAccessible* object, LONG child) {
    com::Variant role;
    object->get_accRole(Child(child), role.Out());
    return role.Type() == VT_I4 ? role.Get().lVal : 0;
}

LONG State(IAccessible* object, LONG child) {
    com::Variant state;
    object->get_accState(Child(child), state.Out());
    return state.Type() == VT_I4 ? state.Get().lVal : 0;
}

RECT Location(IAccessible* object, LONG child) {
    LONG left = 0, top = 0, width = 0, height = 0;
    object->accLocation(&left, &top, &width, &height, Child(child));
    return {left, top, left + width, top + height};
}

std::wstring Tree(IAccessible* object, HWND origin, int depth, size_t limit) {
    std::wstring tree = Line(object, CHILDID_SELF, origin, depth);
    HWND own = nullptr;
    WindowFromAccessibleObject(object, &own);
    size_t plain = 0, skipped = 0;
    for (auto& child : Children(object)) {
        if (auto inner = ObjectOf(child)) {
            // The system's object of a child window: its client area is what it shows.
            HWND window = nullptr;
            ComPtr<IOleWindow> windowed;
            if (SUCCEEDED(inner.As(&windowed))) windowed->GetWindow(&window);
            else WindowFromAccessibleObject(inner.Get(), &window);
            if (window && window != own)
                if (auto client = FromWindow(window)) inner = client;
            tree += Tree(inner.Get(), origin, depth + 1, limit);
        } else if (child.Get().vt == VT_I4) {
            if (limit && plain++ >= limit) ++skipped;
            else tree += Line(object, child.Get().lVal, origin, depth + 1);
        }
    }
    if (skipped)
        tree += std::wstring(static_cast<size_t>(2 * depth + 2), L' ') + L"... " + std::to_wstring(skipped) + L" more\n";
    return tree;
}

}  // namespace accessible

namespace {

WinEventLog* g_log = nullptr;

std::wstring EventName(DWORD event) {
    static const std::map<DWORD, const wchar_t*> names{
        {EVENT_OBJECT_CREATE, L"CREATE"},
        {EVENT_OBJECT_DESTROY, L"DESTROY"},
        {EVENT_OBJECT_FOCUS, L"FOCUS"},
        {EVENT_OBJECT_SELECTION, L"SELECTION"},
        {EVENT_OBJECT_SELECTIONADD, L"SELECTIONADD"},
        {EVENT_OBJECT_SELECTIONREMOVE, L"SELECTIONREMOVE"},
        {EVENT_OBJECT_SELECTIONWITHIN, L"SELECTIONWITHIN"},
        {EVENT_OBJECT_STATECHANGE, L"STATECHANGE"},
        {EVENT_OBJECT_NAMECHANGE, L"NAMECHANGE"},
        {EVENT_OBJECT_DESCRIPTIONCHANGE, L"DESCRIPTIONCHANGE"},
        {EVENT_OBJECT_REORDER, L"REORDER"},
    };
    auto found = names.find(event);
    return found == names.end() ? L"0x" + std::to_wstring(event) : found->second;
}

std::wstring ObjectName(LONG object) {
    switch (object) {
    case OBJID_CLIENT: return L"CLIENT";
    case OBJID_WINDOW: return L"WINDOW";
    default: return std::to_wstring(object);
    }
}

}  // namespace

WinEventLog::WinEventLog(HWND window, std::function<std::wstring(HWND)> nameOf)
    : window_(window), nameOf_(std::move(nameOf)) {
    g_log = this;
    hook_ = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CONTENTSCROLLED, nullptr, &WinEventLog::Hook,
                            GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
}

WinEventLog::~WinEventLog() {
    if (hook_) UnhookWinEvent(hook_);
    g_log = nullptr;
}

void CALLBACK WinEventLog::Hook(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    // The system's own events of the window (shown, moved) are not the control's.
    if (!g_log || EventName(event).rfind(L"0x", 0) == 0) return;
    std::wstring name = g_log->nameOf_ ? g_log->nameOf_(window) : std::wstring();
    if (g_log->nameOf_ ? name.empty() : window != g_log->window_) return;
    g_log->lines_.push_back((name.empty() ? L"" : name + L": ") + EventName(event) + L" " + ObjectName(object) + L" " +
                            std::to_wstring(child));
}

const std::vector<std::wstring>& WinEventLog::Lines() {
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
    return lines_;
}

void WinEventLog::Clear() {
    Lines();
    lines_.clear();
}

size_t WinEventLog::CountOf(const std::wstring& line) {
    auto& lines = Lines();
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

}  // namespace vel::test
