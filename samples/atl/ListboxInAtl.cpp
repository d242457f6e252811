// The list box in the system's ATL container window ("AtlAxWin" of atl.dll), driven through
// the early-bound interfaces of VelRoster_h.h and handling the list box's events.
//
//   ListboxInAtl            shows a window with the list; click a column header to sort by it
//   ListboxInAtl /click     clicks the City header itself, prints the rows and exits: 0 when
//                           the ColumnClick handler sorted them by city
//
// Needs VelRoster.ocx registered (regsvr32 VelRoster.ocx). Build it with the generated
// VelRoster_h.h and VelRoster_i.c, linking ole32, oleaut32 and uuid.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <type_traits>
#include <wrl/client.h>

#include "VelRoster_h.h"

using Microsoft::WRL::ComPtr;

namespace {

// A BSTR that frees itself.
class Bstr {
public:
    explicit Bstr(const wchar_t* text) : value_(SysAllocString(text)) {}
    Bstr() = default;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(value_); }
    BSTR* Out() { return &value_; }
    operator BSTR() const { return value_; }
    std::wstring Text() const { return value_ ? value_ : L""; }

private:
    BSTR value_ = nullptr;
};

// A VARIANT argument: a string, a number, or omitted (VT_ERROR with DISP_E_PARAMNOTFOUND).
class Arg {
public:
    Arg() { value_.vt = VT_ERROR; value_.scode = DISP_E_PARAMNOTFOUND; }
    explicit Arg(const wchar_t* text) { value_.vt = VT_BSTR; value_.bstrVal = SysAllocString(text); }
    explicit Arg(long number) { value_.vt = VT_I4; value_.lVal = number; }
    Arg(const Arg&) = delete;
    Arg& operator=(const Arg&) = delete;
    ~Arg() { VariantClear(&value_); }
    operator VARIANT() const { return value_; }

private:
    VARIANT value_{};
};

// The list box's events: a column header click sorts by that column, a second click on it
// turns the order round; a row click shows the row in the window's caption.
class ListboxEvents : public IDispatch {
public:
    ListboxEvents(_VelListbox* list, HWND frame) : list_(list), frame_(frame) {}
    bool Sorted() const { return sortedBy_ != 0; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID___VelListbox ? this : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    // The sink lives on the stack of main and outlives its connection.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }

    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
        if (!params || params->cArgs != 1 || params->rgvarg[0].vt != VT_DISPATCH || !params->rgvarg[0].pdispVal)
            return S_OK;
        IDispatch* argument = params->rgvarg[0].pdispVal;
        if (id == kColumnClick) {
            ComPtr<VelColumnHeader> column;
            if (SUCCEEDED(argument->QueryInterface(IID_VelColumnHeader, &column))) SortBy(column.Get());
        } else if (id == kListItemClick) {
            ComPtr<VelListItem> row;
            Bstr text;
            if (SUCCEEDED(argument->QueryInterface(IID_VelListItem, &row)) && SUCCEEDED(row->get_Text(text.Out())))
                SetWindowTextW(frame_, (L"Clicked: " + text.Text()).c_str());
        }
        return S_OK;
    }

private:
    static constexpr DISPID kColumnClick = 1, kListItemClick = 2;

    void SortBy(VelColumnHeader* column) {
        LONG index = 0;
        if (FAILED(column->get_Index(&index))) return;
        VelSortOrderConstants order = velAscending;
        if (index == sortedBy_) {
            list_->get_SortOrder(&order);
            order = order == velAscending ? velDescending : velAscending;
        }
        list_->put_SortOrder(order);
        list_->put_SortKey(static_cast<short>(index));
        list_->put_Sorted(VARIANT_TRUE);
        sortedBy_ = index;
    }

    _VelListbox* list_;
    HWND frame_;
    LONG sortedBy_ = 0;
};

struct FreeLibraryDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct DestroyWindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeLibraryDeleter>;
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, DestroyWindowDeleter>;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

void Fill(_VelListbox* list) {
    ComPtr<_VelColumnHeaders> columns;
    ComPtr<_VelListItems> rows;
    list->get_ColumnHeaders(&columns);
    list->get_ListItems(&rows);
    ComPtr<VelColumnHeader> column;
    // Widths are in the container's units: pixels here, since ATL's container names no
    // ScaleUnits.
    columns->Add(Arg(), Arg(L"name"), Arg(L"Name"), Arg(150L), Arg(), &column);
    columns->Add(Arg(), Arg(L"city"), Arg(L"City"), Arg(120L), Arg(), &column);
    const wchar_t* people[][2] = {{L"Ada", L"London"}, {L"Bruno", L"Bologna"}, {L"Chiara", L"Cork"}};
    for (auto& person : people) {
        ComPtr<VelListItem> row;
        if (SUCCEEDED(rows->Add(Arg(), Arg(), Arg(person[0]), &row))) row->put_SubItems(1, Bstr(person[1]));
    }
}

// The rows' first texts in their order, "Bruno Chiara Ada".
std::wstring Order(_VelListbox* list) {
    ComPtr<_VelListItems> rows;
    LONG count = 0;
    list->get_ListItems(&rows);
    rows->get_Count(&count);
    std::wstring order;
    for (LONG i = 1; i <= count; ++i) {
        ComPtr<VelListItem> row;
        Bstr text;
        if (SUCCEEDED(rows->get_Item(Arg(i), &row)) && SUCCEEDED(row->get_Text(text.Out())))
            order += (order.empty() ? L"" : L" ") + text.Text();
    }
    return order;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A left click on the control at a point of its window, as the mouse sends it.
void Click(HWND window, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(window, WM_LBUTTONUP, 0, at);
    Pump();
}

int Run(bool selfClick) {
    Library atl(LoadLibraryW(L"atl.dll"));
    auto init = atl ? reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(atl.get(), "AtlAxWinInit"))) : nullptr;
    auto getControl = atl ? reinterpret_cast<HRESULT(WINAPI*)(HWND, IUnknown**)>(
                                reinterpret_cast<void*>(GetProcAddress(atl.get(), "AtlAxGetControl")))
                          : nullptr;
    if (!init || !getControl || !init()) {
        std::fputs("ListboxInAtl: atl.dll and its container window are missing\n", stderr);
        return 1;
    }
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = L"ListboxInAtlFrame";
    RegisterClassW(&frameClass);
    Window frame(CreateWindowExW(0, frameClass.lpszClassName, L"The list box in ATL's container", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 CW_USEDEFAULT, CW_USEDEFAULT, 460, 300, nullptr, nullptr, frameClass.hInstance, nullptr));
    // The window text names the control to create.
    HWND host = CreateWindowExW(0, L"AtlAxWin", L"CorvaneListbox.VelListbox", WS_CHILD | WS_VISIBLE, 10, 10, 420, 230,
                                frame.get(), nullptr, frameClass.hInstance, nullptr);
    ComPtr<IUnknown> control;
    ComPtr<_VelListbox> list;
    if (!host || FAILED(getControl(host, &control)) || !control || FAILED(control.As(&list))) {
        std::fputs("ListboxInAtl: the list box could not be created; is VelRoster.ocx registered?\n", stderr);
        return 1;
    }
    Fill(list.Get());

    ListboxEvents events(list.Get(), frame.get());
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    if (FAILED(control.As(&container)) || FAILED(container->FindConnectionPoint(DIID___VelListbox, &point)) ||
        FAILED(point->Advise(&events, &cookie))) {
        std::fputs("ListboxInAtl: the list box's events could not be connected\n", stderr);
        return 1;
    }
    int result = 0;
    if (selfClick) {
        Pump();
        LONG handle = 0, left = 0;
        ComPtr<_VelColumnHeaders> columns;
        ComPtr<VelColumnHeader> city;
        list->get_hWnd(&handle);
        list->get_ColumnHeaders(&columns);
        if (SUCCEEDED(columns->get_Item(Arg(L"city"), &city))) city->get_Left(&left);
        Click(reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle)), left + 10, 6);
        const std::wstring order = Order(list.Get());
        std::printf("rows after the click on City: %ls\n", order.c_str());
        result = events.Sorted() && order == L"Bruno Chiara Ada" ? 0 : 1;
    } else {
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        frame.release();  // destroyed by its close box
    }
    point->Unadvise(cookie);
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (FAILED(OleInitialize(nullptr))) return 1;
    const int result = Run(argc > 1 && lstrcmpiW(argv[1], L"/click") == 0);
    OleUninitialize();
    return result;
}
