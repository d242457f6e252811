#pragma once
#include "ComObject.h"
#include "DispatchImpl.h"
#include "VelForm_h.h"

namespace velform {

class FormSession;
class ControlSite;
class PropertyFrame;

// The `Host` named item of form code: assertions, the event and message-box
// journal, input, pixels, saving and reloading, design and run mode.
class HostObject : public vel::com::ComObject<HostObject, vel::com::DispatchImpl<IVelFormHost>> {
public:
    explicit HostObject(FormSession& session) : session_(&session) {}
    // The session is going; later calls fail.
    void Detach() { session_ = nullptr; }

    STDMETHODIMP Assert(VARIANT_BOOL condition, VARIANT message) override;
    STDMETHODIMP AssertEqual(VARIANT expected, VARIANT actual, VARIANT message) override;
    STDMETHODIMP Fail(VARIANT message) override;
    STDMETHODIMP Print(BSTR text) override;
    STDMETHODIMP get_Events(BSTR* log) override;
    STDMETHODIMP get_EventCount(long* count) override;
    STDMETHODIMP get_LastEvent(BSTR* line) override;
    STDMETHODIMP ClearEvents() override;
    STDMETHODIMP Pump(VARIANT milliseconds) override;
    STDMETHODIMP MouseDown(BSTR control, long x, long y, VARIANT button, VARIANT shift) override;
    STDMETHODIMP MouseUp(BSTR control, long x, long y, VARIANT button, VARIANT shift) override;
    STDMETHODIMP MouseMove(BSTR control, long x, long y, VARIANT button, VARIANT shift) override;
    STDMETHODIMP Click(BSTR control, long x, long y, VARIANT button, VARIANT shift) override;
    STDMETHODIMP DblClick(BSTR control, long x, long y) override;
    STDMETHODIMP KeyPress(BSTR control, long keyCode, VARIANT shift) override;
    STDMETHODIMP TypeText(BSTR control, BSTR text) override;
    STDMETHODIMP Pixel(BSTR control, long x, long y, long* color) override;
    STDMETHODIMP SaveForm(VARIANT path) override;
    STDMETHODIMP ReloadForm() override;
    STDMETHODIMP SavedProperty(BSTR control, BSTR name, VARIANT* value) override;
    STDMETHODIMP IsSaved(BSTR control, BSTR name, VARIANT_BOOL* saved) override;
    STDMETHODIMP get_SavedText(BSTR* text) override;
    STDMETHODIMP get_Dirty(VARIANT_BOOL* dirty) override;
    STDMETHODIMP put_Dirty(VARIANT_BOOL dirty) override;
    STDMETHODIMP get_Changes(BSTR* log) override;
    STDMETHODIMP get_UserMode(VARIANT_BOOL* userMode) override;
    STDMETHODIMP put_UserMode(VARIANT_BOOL userMode) override;
    STDMETHODIMP get_MessageBoxCount(long* count) override;
    STDMETHODIMP MessageBoxText(long index, BSTR* text) override;
    STDMETHODIMP MessageBoxTitle(long index, BSTR* title) override;
    STDMETHODIMP MessageBoxStyle(long index, long* style) override;
    STDMETHODIMP ClearMessageBoxes() override;
    STDMETHODIMP get_MessageBoxAnswer(long* answer) override;
    STDMETHODIMP put_MessageBoxAnswer(long answer) override;
    STDMETHODIMP Control(BSTR name, IDispatch** control) override;
    STDMETHODIMP ControlWindow(BSTR name, long* hwnd) override;
    STDMETHODIMP get_TestMode(VARIANT_BOOL* testMode) override;
    STDMETHODIMP OpenPropertyPages(BSTR control, long* pageCount) override;
    STDMETHODIMP PressPropertyButton(BSTR button) override;
    STDMETHODIMP get_PropertyFrameOpen(VARIANT_BOOL* open) override;
    STDMETHODIMP TypeInPropertyFrame(BSTR text) override;
    STDMETHODIMP PropertyFrameKey(long keyCode, VARIANT shift) override;
    STDMETHODIMP get_PropertyFrameText(BSTR* text) override;
    STDMETHODIMP LoadPicture(VARIANT path, IPictureDisp** picture) override;
    STDMETHODIMP SavePicture(VARIANT picture, BSTR path) override;
    STDMETHODIMP ConnectEvents(VARIANT object, BSTR prefix) override;
    // Named SendMessageW/PostMessageW here: the system headers rename them.
    STDMETHODIMP SendMessage(VARIANT window, long message, VARIANT wParam, VARIANT lParam, long* result) override;
    STDMETHODIMP PostMessage(VARIANT window, long message, VARIANT wParam, VARIANT lParam) override;
    STDMETHODIMP WindowAt(BSTR control, long x, long y, long* hwnd) override;
    STDMETHODIMP Move(BSTR control, long left, long top, long width, long height) override;
    STDMETHODIMP Refresh(BSTR control) override;
    STDMETHODIMP get_Cursor(long* handle) override;
    STDMETHODIMP get_ScaleUnits(BSTR* units) override;
    STDMETHODIMP put_ScaleUnits(BSTR units) override;
    STDMETHODIMP get_Font(IDispatch** font) override;
    STDMETHODIMP putref_Font(IDispatch* font) override;
    STDMETHODIMP get_ForeColor(long* color) override;
    STDMETHODIMP put_ForeColor(long color) override;
    STDMETHODIMP get_BackColor(long* color) override;
    STDMETHODIMP put_BackColor(long color) override;
    STDMETHODIMP get_LocaleID(long* locale) override;
    STDMETHODIMP put_LocaleID(long locale) override;
    STDMETHODIMP get_DisplayName(BSTR control, BSTR* name) override;
    STDMETHODIMP put_DisplayName(BSTR control, BSTR name) override;

private:
    template <class Body>
    HRESULT Run(Body&& body);
    FormSession& Session() const;
    ControlSite& Site(BSTR name) const;
    HWND ControlWindowOf(BSTR name) const;
    PropertyFrame& OpenFrame() const;
    HWND TargetWindow(const VARIANT& window) const;
    HRESULT MouseInput(BSTR control, int action, long x, long y, const VARIANT& button, const VARIANT& shift);
    [[noreturn]] void FailAssertion(const std::wstring& text, const VARIANT& message);

    FormSession* session_;
};

}  // namespace velform
