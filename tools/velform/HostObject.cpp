#include "HostObject.h"

#include <algorithm>
#include <optional>

#include "AutomationError.h"
#include "Boundary.h"
#include "Bstr.h"
#include "Convert.h"
#include "ControlInput.h"
#include "FormError.h"
#include "FormSession.h"
#include "PictureFile.h"
#include "PropertyFrame.h"
#include "Variant.h"
#include "WindowDC.h"

using vel::com::AutomationError;
using vel::com::Bstr;
using vel::com::ComPtr;
using vel::com::IsMissing;
using vel::com::Variant;
using vel::drawing::WindowDC;

namespace velform {
namespace {

// Host errors reach the code as run-time errors with their text.
constexpr HRESULT kHostError = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5000);
constexpr HRESULT kAssertionFailed = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5001);

[[noreturn]] void Throw(const std::wstring& text) { throw AutomationError(kHostError, text); }

std::wstring Joined(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (auto& line : lines) text += (text.empty() ? L"" : L"\n") + line;
    return text;
}

std::wstring Shown(const VARIANT& value) {
    auto plain = Variant::Dereferenced(value);
    switch (plain.Type()) {
        case VT_EMPTY: return L"Empty";
        case VT_NULL: return L"Null";
        case VT_DISPATCH:
        case VT_UNKNOWN: return plain.Get().punkVal ? L"[object]" : L"Nothing";
        case VT_BSTR: return L"\"" + std::wstring(vel::com::ToText(plain.Get()).View()) + L"\"";
        default: break;
    }
    auto text = vel::com::TextOf(plain.Get());
    return text ? std::wstring(text->View()) : L"?";
}

// Numbers of types VarCmp does not compare (Wine's lacks some unsigned ones, such
// as the VT_UI4 of an OLE_COLOR), compared by value. Text never counts as a number here.
bool SameNumber(Variant& a, Variant& b) {
    if (a.Type() == VT_BSTR || b.Type() == VT_BSTR) return false;
    Variant x, y;
    if (FAILED(VariantChangeType(x.Ptr(), a.Ptr(), 0, VT_R8)) || FAILED(VariantChangeType(y.Ptr(), b.Ptr(), 0, VT_R8)))
        return false;
    return x.Get().dblVal == y.Get().dblVal;
}

// Equality as VBScript's = sees it, with Empty equal to Empty and Null to Null.
bool SameValue(const VARIANT& expected, const VARIANT& actual) {
    auto a = Variant::Dereferenced(expected), b = Variant::Dereferenced(actual);
    if (a.Type() == VT_NULL || b.Type() == VT_NULL) return a.Type() == b.Type();
    if ((a.Type() == VT_DISPATCH || a.Type() == VT_UNKNOWN) && (b.Type() == VT_DISPATCH || b.Type() == VT_UNKNOWN)) {
        return a.Get().punkVal == b.Get().punkVal;
    }
    HRESULT order = VarCmp(a.Ptr(), b.Ptr(), LOCALE_USER_DEFAULT, 0);
    if (SUCCEEDED(order)) return order == static_cast<HRESULT>(VARCMP_EQ);
    return SameNumber(a, b);
}

long Optional(const VARIANT& value, long fallback) {
    return IsMissing(value) || value.vt == VT_EMPTY ? fallback : vel::com::ToLong(value);
}

bool IsIdentifier(const std::wstring& name) {
    if (name.empty() || !IsCharAlphaW(name[0])) return false;
    return std::all_of(name.begin(), name.end(), [](wchar_t c) { return IsCharAlphaNumericW(c) || c == L'_'; });
}

long Index(long index, size_t count) {
    if (index < 1 || static_cast<size_t>(index) > count) Throw(L"there is no message box " + std::to_wstring(index));
    return index - 1;
}

}  // namespace

// Faults of the form (a control that fails to reload, a file that cannot be written)
// reach the code with their text, like the host's own errors.
template <class Body>
HRESULT HostObject::Run(Body&& body) {
    return vel::com::Guarded(__uuidof(IVelFormHost), [&] {
        try {
            body();
        } catch (const FormError& error) {
            Throw(error.Message());
        }
    });
}

FormSession& HostObject::Session() const {
    if (!session_) Throw(L"the form is closed");
    return *session_;
}

HWND HostObject::ControlWindowOf(BSTR name) const {
    HWND window = Site(name).Window();
    if (!window) Throw(L"the control has no window");
    return window;
}

ControlSite& HostObject::Site(BSTR name) const {
    ControlSite* site = Session().GetForm().Find(name ? name : L"");
    if (!site) Throw(L"there is no control " + std::wstring(name ? name : L""));
    return *site;
}

void HostObject::FailAssertion(const std::wstring& text, const VARIANT& message) {
    std::wstring full = L"Assertion failed: " + text;
    if (!IsMissing(message) && message.vt != VT_EMPTY) full += L": " + std::wstring(vel::com::ToText(message).View());
    Session().Script().NoteAssertion(full);
    throw AutomationError(kAssertionFailed, full);
}

STDMETHODIMP HostObject::Assert(VARIANT_BOOL condition, VARIANT message) {
    return Run([&] {
        if (!condition) FailAssertion(L"condition is False", message);
    });
}

STDMETHODIMP HostObject::AssertEqual(VARIANT expected, VARIANT actual, VARIANT message) {
    return Run([&] {
        if (!SameValue(expected, actual)) {
            FailAssertion(L"expected " + Shown(expected) + L", got " + Shown(actual), message);
        }
    });
}

STDMETHODIMP HostObject::Fail(VARIANT message) {
    return Run([&] { FailAssertion(L"Fail called", message); });
}

STDMETHODIMP HostObject::Print(BSTR text) {
    return Run([&] { Session().Print(text ? text : L""); });
}

STDMETHODIMP HostObject::get_Events(BSTR* log) {
    VEL_CHECK_OUT(log);
    return Run([&] { *log = Bstr(Joined(Session().Journal().Events())).Detach(); });
}

STDMETHODIMP HostObject::get_EventCount(long* count) {
    VEL_CHECK_OUT(count);
    return Run([&] { *count = static_cast<long>(Session().Journal().Events().size()); });
}

STDMETHODIMP HostObject::get_LastEvent(BSTR* line) {
    VEL_CHECK_OUT(line);
    return Run([&] {
        auto& events = Session().Journal().Events();
        *line = Bstr(events.empty() ? L"" : events.back()).Detach();
    });
}

STDMETHODIMP HostObject::ClearEvents() {
    return Run([&] { Session().Journal().ClearEvents(); });
}

STDMETHODIMP HostObject::Pump(VARIANT milliseconds) {
    return Run([&] { FormSession::PumpMessages(Optional(milliseconds, 0)); });
}

HRESULT HostObject::MouseInput(BSTR control, int action, long x, long y, const VARIANT& button, const VARIANT& shift) {
    return Run([&] {
        HeldInput& held = Session().Input();
        auto mouseAction = static_cast<ControlInput::MouseAction>(action);
        // A move without a button carries the buttons held down (none, unless a MouseDown holds one).
        long buttons = Optional(button, mouseAction == ControlInput::MouseAction::Move ? held.buttons : 1);
        ControlInput(ControlWindowOf(control), held).Mouse(mouseAction, POINT{x, y}, buttons, Optional(shift, 0));
    });
}

STDMETHODIMP HostObject::MouseDown(BSTR control, long x, long y, VARIANT button, VARIANT shift) {
    return MouseInput(control, static_cast<int>(ControlInput::MouseAction::Down), x, y, button, shift);
}

STDMETHODIMP HostObject::MouseUp(BSTR control, long x, long y, VARIANT button, VARIANT shift) {
    return MouseInput(control, static_cast<int>(ControlInput::MouseAction::Up), x, y, button, shift);
}

STDMETHODIMP HostObject::MouseMove(BSTR control, long x, long y, VARIANT button, VARIANT shift) {
    return MouseInput(control, static_cast<int>(ControlInput::MouseAction::Move), x, y, button, shift);
}

STDMETHODIMP HostObject::Click(BSTR control, long x, long y, VARIANT button, VARIANT shift) {
    HRESULT hr = MouseDown(control, x, y, button, shift);
    return FAILED(hr) ? hr : MouseUp(control, x, y, button, shift);
}

// Down, up, double-click, up: the sequence a window with CS_DBLCLKS receives.
STDMETHODIMP HostObject::DblClick(BSTR control, long x, long y) {
    VARIANT left{};
    left.vt = VT_I4;
    left.lVal = 1;
    HRESULT hr = Click(control, x, y, left, VARIANT{});
    if (SUCCEEDED(hr)) hr = MouseInput(control, static_cast<int>(ControlInput::MouseAction::DoubleClick), x, y, left,
                                       VARIANT{});
    return SUCCEEDED(hr) ? MouseUp(control, x, y, left, VARIANT{}) : hr;
}

STDMETHODIMP HostObject::KeyPress(BSTR control, long keyCode, VARIANT shift) {
    return Run([&] {
        ControlInput(ControlWindowOf(control), Session().Input()).Key(static_cast<UINT>(keyCode), Optional(shift, 0));
    });
}

STDMETHODIMP HostObject::TypeText(BSTR control, BSTR text) {
    return Run([&] { ControlInput(ControlWindowOf(control), Session().Input()).Type(text ? text : L""); });
}

// The pixel as the screen shows it, with what was drawn straight onto the screen
// (a divider's tracker) and without repainting anything. What waits to be painted
// is painted first, and the thread idles a moment: the system copies what windows
// painted to the screen when their thread is idle.
STDMETHODIMP HostObject::Pixel(BSTR control, long x, long y, long* color) {
    VEL_CHECK_OUT(color);
    return Run([&] {
        HWND window = ControlWindowOf(control);
        RECT client{};
        GetClientRect(window, &client);
        if (x < 0 || y < 0 || x >= client.right || y >= client.bottom) Throw(L"the point is outside the control");
        constexpr long kScreenSettle = 60;  // milliseconds
        FormSession::PumpMessages(kScreenSettle);
        POINT screen{x, y};
        ClientToScreen(window, &screen);
        COLORREF pixel = GetPixel(WindowDC(nullptr).Get(), screen.x, screen.y);
        if (pixel == CLR_INVALID) pixel = GetPixel(WindowDC(window).Get(), x, y);
        if (pixel == CLR_INVALID) Throw(L"the point cannot be read");
        *color = static_cast<long>(pixel);
    });
}

STDMETHODIMP HostObject::SaveForm(VARIANT path) {
    return Run([&] {
        std::optional<std::wstring> file;
        if (!IsMissing(path) && path.vt != VT_EMPTY) file = std::wstring(vel::com::ToText(path).View());
        Session().SaveForm(file);
    });
}

STDMETHODIMP HostObject::ReloadForm() {
    return Run([&] { Session().ReloadForm(); });
}

STDMETHODIMP HostObject::SavedProperty(BSTR control, BSTR name, VARIANT* value) {
    VEL_CHECK_OUT(value);
    VariantInit(value);
    return Run([&] {
        PropertyBag* bag = Session().SavedBag(control ? control : L"");
        if (!bag) Throw(L"nothing is saved for " + std::wstring(control ? control : L""));
        HRESULT hr = bag->Read(name, value, nullptr);
        if (hr == E_INVALIDARG) Throw(L"nothing is saved as " + std::wstring(control) + L"." + name);
        if (FAILED(hr)) throw AutomationError(hr, L"the saved value cannot be read");
    });
}

STDMETHODIMP HostObject::IsSaved(BSTR control, BSTR name, VARIANT_BOOL* saved) {
    VEL_CHECK_OUT(saved);
    return Run([&] {
        PropertyBag* bag = Session().SavedBag(control ? control : L"");
        *saved = bag && bag->Find(name ? name : L"") ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

STDMETHODIMP HostObject::get_SavedText(BSTR* text) {
    VEL_CHECK_OUT(text);
    return Run([&] { *text = Bstr(BagFile::Format(Session().Saved())).Detach(); });
}

STDMETHODIMP HostObject::get_Dirty(VARIANT_BOOL* dirty) {
    VEL_CHECK_OUT(dirty);
    return Run([&] { *dirty = Session().Journal().Dirty() ? VARIANT_TRUE : VARIANT_FALSE; });
}

STDMETHODIMP HostObject::put_Dirty(VARIANT_BOOL dirty) {
    return Run([&] { Session().Journal().SetDirty(dirty != VARIANT_FALSE); });
}

STDMETHODIMP HostObject::get_Changes(BSTR* log) {
    VEL_CHECK_OUT(log);
    return Run([&] { *log = Bstr(Joined(Session().Journal().Changes())).Detach(); });
}

STDMETHODIMP HostObject::get_UserMode(VARIANT_BOOL* userMode) {
    VEL_CHECK_OUT(userMode);
    return Run([&] { *userMode = Session().GetForm().UserMode() ? VARIANT_TRUE : VARIANT_FALSE; });
}

STDMETHODIMP HostObject::put_UserMode(VARIANT_BOOL userMode) {
    return Run([&] { Session().GetForm().SetUserMode(userMode != VARIANT_FALSE); });
}

STDMETHODIMP HostObject::get_MessageBoxCount(long* count) {
    VEL_CHECK_OUT(count);
    return Run([&] { *count = static_cast<long>(Session().Journal().MessageBoxes().size()); });
}

STDMETHODIMP HostObject::MessageBoxText(long index, BSTR* text) {
    VEL_CHECK_OUT(text);
    return Run([&] {
        auto& boxes = Session().Journal().MessageBoxes();
        *text = Bstr(boxes[Index(index, boxes.size())].text).Detach();
    });
}

STDMETHODIMP HostObject::MessageBoxTitle(long index, BSTR* title) {
    VEL_CHECK_OUT(title);
    return Run([&] {
        auto& boxes = Session().Journal().MessageBoxes();
        *title = Bstr(boxes[Index(index, boxes.size())].title).Detach();
    });
}

STDMETHODIMP HostObject::MessageBoxStyle(long index, long* style) {
    VEL_CHECK_OUT(style);
    return Run([&] {
        auto& boxes = Session().Journal().MessageBoxes();
        *style = boxes[Index(index, boxes.size())].style;
    });
}

STDMETHODIMP HostObject::ClearMessageBoxes() {
    return Run([&] { Session().Journal().ClearMessageBoxes(); });
}

STDMETHODIMP HostObject::get_MessageBoxAnswer(long* answer) {
    VEL_CHECK_OUT(answer);
    return Run([&] { *answer = Session().Journal().MessageBoxAnswer(); });
}

STDMETHODIMP HostObject::put_MessageBoxAnswer(long answer) {
    return Run([&] { Session().Journal().SetMessageBoxAnswer(answer); });
}

STDMETHODIMP HostObject::Control(BSTR name, IDispatch** control) {
    VEL_CHECK_OUT(control);
    *control = nullptr;
    return Run([&] {
        IDispatch* object = Site(name).Dispatch();
        if (!object) Throw(L"the control is not running");
        object->AddRef();
        *control = object;
    });
}

STDMETHODIMP HostObject::ControlWindow(BSTR name, long* hwnd) {
    VEL_CHECK_OUT(hwnd);
    return Run([&] { *hwnd = static_cast<long>(reinterpret_cast<INT_PTR>(Site(name).Window())); });
}

STDMETHODIMP HostObject::get_TestMode(VARIANT_BOOL* testMode) {
    VEL_CHECK_OUT(testMode);
    return Run([&] { *testMode = Session().Journal().TestMode() ? VARIANT_TRUE : VARIANT_FALSE; });
}

STDMETHODIMP HostObject::OpenPropertyPages(BSTR control, long* pageCount) {
    VEL_CHECK_OUT(pageCount);
    return Run([&] {
        PropertyFrame* frame = Session().GetForm().OpenPropertyFrame(Site(control));
        *pageCount = frame ? static_cast<long>(frame->PageCount()) : 0;
    });
}

PropertyFrame& HostObject::OpenFrame() const {
    PropertyFrame* frame = Session().GetForm().OpenFrame();
    if (!frame || !frame->IsOpen()) Throw(L"no property frame is open");
    return *frame;
}

STDMETHODIMP HostObject::PressPropertyButton(BSTR button) {
    return Run([&] {
        PropertyFrame& frame = OpenFrame();
        std::wstring name(button ? button : L"");
        if (lstrcmpiW(name.c_str(), L"OK") == 0) frame.Press(PropertyFrame::Button::Ok);
        else if (lstrcmpiW(name.c_str(), L"Cancel") == 0) frame.Press(PropertyFrame::Button::Cancel);
        else if (lstrcmpiW(name.c_str(), L"Apply") == 0) frame.Press(PropertyFrame::Button::Apply);
        else Throw(L"the property frame has no button " + name);
        if (!frame.IsOpen()) Session().GetForm().ClosePropertyFrame();
    });
}

STDMETHODIMP HostObject::TypeInPropertyFrame(BSTR text) {
    return Run([&] { OpenFrame().Type(text ? text : L""); });
}

STDMETHODIMP HostObject::PropertyFrameKey(long keyCode, VARIANT shift) {
    return Run([&] {
        PropertyFrame& frame = OpenFrame();
        frame.Key(static_cast<UINT>(keyCode), Optional(shift, 0));
        if (!frame.IsOpen()) Session().GetForm().ClosePropertyFrame();
    });
}

STDMETHODIMP HostObject::get_PropertyFrameText(BSTR* text) {
    VEL_CHECK_OUT(text);
    return Run([&] { *text = Bstr(OpenFrame().FocusText()).Detach(); });
}

STDMETHODIMP HostObject::get_PropertyFrameOpen(VARIANT_BOOL* open) {
    VEL_CHECK_OUT(open);
    return Run([&] {
        PropertyFrame* frame = Session().GetForm().OpenFrame();
        *open = frame && frame->IsOpen() ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

STDMETHODIMP HostObject::LoadPicture(VARIANT path, IPictureDisp** picture) {
    VEL_CHECK_OUT(picture);
    *picture = nullptr;
    return Run([&] {
        std::wstring file;
        if (!IsMissing(path) && path.vt != VT_EMPTY) file = std::wstring(vel::com::ToText(path).View());
        *picture = PictureFile::Load(Session().File().Beside(file)).Detach();
    });
}

STDMETHODIMP HostObject::SavePicture(VARIANT picture, BSTR path) {
    return Run([&] {
        auto object = Variant::Dereferenced(picture);
        bool isObject = object.Type() == VT_DISPATCH || object.Type() == VT_UNKNOWN;
        PictureFile::Save(isObject ? object.Get().punkVal : nullptr, Session().File().Beside(path ? path : L""));
    });
}

STDMETHODIMP HostObject::ConnectEvents(VARIANT object, BSTR prefix) {
    return Run([&] {
        auto value = Variant::Dereferenced(object);
        bool isObject = (value.Type() == VT_DISPATCH || value.Type() == VT_UNKNOWN) && value.Get().punkVal;
        if (!isObject) throw vel::com::MakeStandardError(vel::com::StandardError::TypeMismatch);
        std::wstring name(prefix ? prefix : L"");
        if (!IsIdentifier(name)) Throw(L"the prefix \"" + name + L"\" is not a name");
        Session().ConnectEvents(value.Get().punkVal, name);
    });
}

// A control's name ("" for the form) or a window handle of this program.
HWND HostObject::TargetWindow(const VARIANT& window) const {
    auto value = Variant::Dereferenced(window);
    if (value.Type() == VT_BSTR) {
        auto name = vel::com::ToText(value.Get());
        if (name.View().empty()) return Session().GetForm().FormWindow();
        return ControlWindowOf(name.Get());
    }
    auto handle = reinterpret_cast<HWND>(static_cast<INT_PTR>(vel::com::ToLong(value.Get())));
    DWORD process = 0;
    if (!IsWindow(handle) || !GetWindowThreadProcessId(handle, &process) || process != GetCurrentProcessId()) {
        Throw(L"there is no window " + std::to_wstring(reinterpret_cast<INT_PTR>(handle)) + L" in this program");
    }
    return handle;
}

STDMETHODIMP HostObject::SendMessage(VARIANT window, long message, VARIANT wParam, VARIANT lParam, long* result) {
    VEL_CHECK_OUT(result);
    return Run([&] {
        HWND target = TargetWindow(window);
        *result = static_cast<long>(::SendMessageW(target, static_cast<UINT>(message),
                                                 static_cast<WPARAM>(Optional(wParam, 0)),
                                                 static_cast<LPARAM>(Optional(lParam, 0))));
    });
}

STDMETHODIMP HostObject::PostMessage(VARIANT window, long message, VARIANT wParam, VARIANT lParam) {
    return Run([&] {
        HWND target = TargetWindow(window);
        if (!::PostMessageW(target, static_cast<UINT>(message), static_cast<WPARAM>(Optional(wParam, 0)),
                          static_cast<LPARAM>(Optional(lParam, 0)))) {
            Throw(L"the message cannot be posted");
        }
    });
}

STDMETHODIMP HostObject::WindowAt(BSTR control, long x, long y, long* hwnd) {
    VEL_CHECK_OUT(hwnd);
    return Run([&] {
        HWND window = ControlInput(ControlWindowOf(control), Session().Input()).WindowAt(POINT{x, y});
        *hwnd = static_cast<long>(reinterpret_cast<INT_PTR>(window));
    });
}

STDMETHODIMP HostObject::Move(BSTR control, long left, long top, long width, long height) {
    return Run([&] {
        if (width < 0 || height < 0) Throw(L"a control cannot be smaller than nothing");
        Site(control).Move(RECT{left, top, left + width, top + height});
        FormSession::PumpMessages(0);
    });
}

STDMETHODIMP HostObject::Refresh(BSTR control) {
    return Run([&] {
        RedrawWindow(ControlWindowOf(control), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        FormSession::PumpMessages(0);
    });
}

STDMETHODIMP HostObject::get_Cursor(long* handle) {
    VEL_CHECK_OUT(handle);
    return Run([&] { *handle = static_cast<long>(reinterpret_cast<INT_PTR>(GetCursor())); });
}

STDMETHODIMP HostObject::get_ScaleUnits(BSTR* units) {
    VEL_CHECK_OUT(units);
    return Run([&] { *units = Bstr(Session().GetForm().Ambients().scaleUnits).Detach(); });
}

STDMETHODIMP HostObject::put_ScaleUnits(BSTR units) {
    return Run([&] {
        Session().GetForm().ChangeAmbient(DISPID_AMBIENT_SCALEUNITS,
                                          [&](FormAmbients& ambients) { ambients.scaleUnits = units ? units : L""; });
    });
}

STDMETHODIMP HostObject::get_Font(IDispatch** font) {
    VEL_CHECK_OUT(font);
    return Run([&] { *font = ComPtr<IDispatch>(Session().GetForm().Ambients().font).Detach(); });
}

STDMETHODIMP HostObject::putref_Font(IDispatch* font) {
    return Run([&] {
        ComPtr<IFontDisp> fontObject;
        if (!font || FAILED(font->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(fontObject.GetAddressOf())))) {
            throw vel::com::MakeStandardError(vel::com::StandardError::TypeMismatch);
        }
        Session().GetForm().ChangeAmbient(DISPID_AMBIENT_FONT, [&](FormAmbients& ambients) { ambients.font = fontObject; });
    });
}

STDMETHODIMP HostObject::get_ForeColor(long* color) {
    VEL_CHECK_OUT(color);
    return Run([&] { *color = static_cast<long>(Session().GetForm().Ambients().foreColor); });
}

STDMETHODIMP HostObject::put_ForeColor(long color) {
    return Run([&] {
        Session().GetForm().ChangeAmbient(DISPID_AMBIENT_FORECOLOR, [&](FormAmbients& ambients) {
            ambients.foreColor = static_cast<OLE_COLOR>(color);
        });
    });
}

STDMETHODIMP HostObject::get_BackColor(long* color) {
    VEL_CHECK_OUT(color);
    return Run([&] { *color = static_cast<long>(Session().GetForm().Ambients().backColor); });
}

STDMETHODIMP HostObject::put_BackColor(long color) {
    return Run([&] {
        Session().GetForm().ChangeAmbient(DISPID_AMBIENT_BACKCOLOR, [&](FormAmbients& ambients) {
            ambients.backColor = static_cast<OLE_COLOR>(color);
        });
    });
}

STDMETHODIMP HostObject::get_LocaleID(long* locale) {
    VEL_CHECK_OUT(locale);
    return Run([&] { *locale = static_cast<long>(Session().GetForm().Ambients().localeId); });
}

STDMETHODIMP HostObject::put_LocaleID(long locale) {
    return Run([&] {
        Session().GetForm().ChangeAmbient(DISPID_AMBIENT_LOCALEID, [&](FormAmbients& ambients) {
            ambients.localeId = static_cast<LCID>(locale);
        });
    });
}

STDMETHODIMP HostObject::get_DisplayName(BSTR control, BSTR* name) {
    VEL_CHECK_OUT(name);
    return Run([&] { *name = Bstr(Site(control).DisplayName()).Detach(); });
}

STDMETHODIMP HostObject::put_DisplayName(BSTR control, BSTR name) {
    return Run([&] { Site(control).SetDisplayName(name ? name : L""); });
}

}  // namespace velform
