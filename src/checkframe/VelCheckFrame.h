#pragma once
#include <optional>
#include <string>

#include "CMaskBlt.h"
#include "CheckFrameAccessible.h"
#include "CPaint.h"
#include "CheckFrameInput.h"
#include "CheckFramePainter.h"
#include "CheckFrameView.h"
#include "Control.h"
#include "MsgHookOwner.h"
#include "VelLatchPanel_h.h"
#include "VelMsgHook.h"

namespace vel::checkframe {

// The check frame: a frame whose top edge carries a caption and a three-state check
// box; the box's value enables or disables the controls the host placed inside it.
// This class holds the state, the automation interface and persistence, and hands
// painting to CheckFramePainter and mouse and keyboard to CheckFrameInput.
class VelCheckFrame : public hosting::Control<VelCheckFrame, _VelCheckFrame, &CLSID_VelCheckFrame, &DIID___VelCheckFrame>,
                      private CheckFrameInputSink,
                      private CheckFrameAccessible::Source,
                      private msghook::MsgHookOwner {
public:
    VelCheckFrame();
    ~VelCheckFrame() override;

    // Automation interface.
    STDMETHODIMP get_Alignment(VelCheckFrameAlignmentConstants* alignment) override;
    STDMETHODIMP put_Alignment(VelCheckFrameAlignmentConstants alignment) override;
    STDMETHODIMP get_Appearance(VelAppearanceConstants* appearance) override;
    STDMETHODIMP put_Appearance(VelAppearanceConstants appearance) override;
    STDMETHODIMP get_BackColor(OLE_COLOR* color) override;
    STDMETHODIMP put_BackColor(OLE_COLOR color) override;
    STDMETHODIMP get_BorderStyle(VelBorderStyleConstants* style) override;
    STDMETHODIMP put_BorderStyle(VelBorderStyleConstants style) override;
    STDMETHODIMP get_Caption(BSTR* caption) override;
    STDMETHODIMP put_Caption(BSTR caption) override;
    STDMETHODIMP get_Enabled(VARIANT_BOOL* enabled) override;
    STDMETHODIMP put_Enabled(VARIANT_BOOL enabled) override;
    STDMETHODIMP get_Font(IFontDisp** font) override;
    STDMETHODIMP putref_Font(IFontDisp* font) override;
    STDMETHODIMP get_ForeColor(OLE_COLOR* color) override;
    STDMETHODIMP put_ForeColor(OLE_COLOR color) override;
    STDMETHODIMP get_HelpContextID(LONG* id) override;
    STDMETHODIMP put_HelpContextID(LONG id) override;
    STDMETHODIMP get_hWnd(LONG* window) override;
    STDMETHODIMP get_MaskColor(OLE_COLOR* color) override;
    STDMETHODIMP put_MaskColor(OLE_COLOR color) override;
    STDMETHODIMP get_MouseIcon(IPictureDisp** icon) override;
    STDMETHODIMP putref_MouseIcon(IPictureDisp* icon) override;
    STDMETHODIMP get_MousePointer(short* pointer) override;
    STDMETHODIMP put_MousePointer(short pointer) override;
    STDMETHODIMP get_OLEDropMode(VelOLEDropConstants* mode) override;
    STDMETHODIMP put_OLEDropMode(VelOLEDropConstants mode) override;
    STDMETHODIMP get_Picture(IPictureDisp** picture) override;
    STDMETHODIMP putref_Picture(IPictureDisp* picture) override;
    STDMETHODIMP get_RightToLeft(VARIANT_BOOL* rightToLeft) override;
    STDMETHODIMP put_RightToLeft(VARIANT_BOOL rightToLeft) override;
    STDMETHODIMP get_UseMaskColor(VARIANT_BOOL* use) override;
    STDMETHODIMP put_UseMaskColor(VARIANT_BOOL use) override;
    STDMETHODIMP get_Value(VelCheckboxConstants* value) override;
    STDMETHODIMP put_Value(VelCheckboxConstants value) override;
    STDMETHODIMP get_WhatsThisHelpID(LONG* id) override;
    STDMETHODIMP put_WhatsThisHelpID(LONG id) override;
    STDMETHODIMP OLEDrag() override;
    STDMETHODIMP ShowAboutBox() override;

    // For tests: the geometry of the last repaint, the composed frame, one repaint.
    const CheckFrameGeometry& Geometry() const { return geometry_; }
    HDC FrameDC() const { return paint_.hDCMem(); }
    HWND WindowHandle() const { return Surface().Hwnd(); }
    void RepaintParts(unsigned flags);
    bool HitCheckArea(float x, float y) const { return CheckFrameInput::HitCheckArea(geometry_, x, y); }

protected:
    void OnInitialize() override;
    void OnInitProperties() override;
    void OnReadProperties(hosting::PropertyBag& bag) override;
    void OnWriteProperties(hosting::PropertyBag& bag) override;
    void OnShow() override;
    void OnResize() override;
    void OnPaint(HDC dc) override;
    void OnGotFocus() override;
    void OnLostFocus() override;
    void OnTerminate() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM w, LPARAM l) override;
    std::vector<CLSID> PropertyPages() const override { return {CLSID_General}; }

private:
    void ApplyProperties(hosting::PropertyBag& bag);
    // Input.
    bool InputEnabled() const override;
    long CheckValue() const override { return value_; }
    void SetValueByUser(long value) override;
    void RepaintCheckBox(bool pressed) override;
    void MoveFocus(bool forward) override;
    void RaiseEvent(DISPID id) override { ControlBase::RaiseEvent(id, {}); }
    void RaiseMouseEvent(DISPID id, short button, short shift, float x, float y) override;
    void RaiseKeyEvent(DISPID id, short keyCode, short shift) override;
    // Accessibility clients.
    const std::wstring& AccessibleCaption() const override { return caption_; }
    long AccessibleValue() const override { return value_; }
    bool AccessibleEnabled() const override { return InputEnabled(); }
    void AccessibleClick() override;
    std::optional<LRESULT> AnswerAccessibility(WPARAM w, LPARAM l);
    void NotifyAccessibility(DWORD event) const;
    // The message hook.
    bool HookUserMode() const override;
    void HookMessage(HWND hwnd, UINT messageId, WPARAM wParam, LPARAM lParam) override;
    void HookPropertyChanged(std::wstring_view) override {}

    void UpdateContainedControls();
    void UseAmbientFont();
    void SetBackColor(OLE_COLOR color);
    void ApplyPicture(IPictureDisp* picture, long padding);
    void MeasureCaption();
    CheckFrameView View() const;
    bool UserMode() const;

    drawing::CPaint paint_;
    CheckFramePainter painter_{paint_};
    CheckFrameGeometry geometry_;
    CheckFrameInput input_{*this, geometry_};
    std::optional<CMaskBlt> maskBlt_;
    std::optional<msghook::VelMsgHook> velMsgHook1_;
    com::ComPtr<CheckFrameAccessible> accessible_;  // made for the first client that asks

    long alignment_ = 0;
    long appearance_ = 1;
    long borderStyle_ = 1;
    std::wstring caption_;
    com::ComPtr<IFontDisp> font_;
    OLE_COLOR foreColor_ = 0x80000012;
    long helpContextId_ = 0;
    OLE_COLOR maskColor_ = 0xFFFFFF;
    BYTE oleDropMode_ = 0;
    com::ComPtr<IPictureDisp> picture_;
    bool useMaskColor_ = false;
    long value_ = 0;
    long whatsThisHelpId_ = 0;
    bool hasFocus_ = false;
    bool refreshing_ = false;
};

}  // namespace vel::checkframe
