#pragma once
#include <optional>

#include "Control.h"
#include "IconsListener.h"
#include "MsgHookOwner.h"
#include "NotifierAccessible.h"
#include "TrayAnimation.h"
#include "TrayState.h"
#include "VelIcons.h"
#include "VelMsgHook.h"
#include "VelNotifier_h.h"

namespace vel::notifier {

// The notification-area icon control: a small fixed-size control whose window owns
// the tray icon and hears the shell's mouse notifications through its message hook.
// The icon, its tip and the animation settings live in the thread's TrayState,
// shared by every notifier on the thread; this class passes properties, icon
// collection events and mouse notifications on to it.
class VelNotifier : public hosting::Control<VelNotifier, _VelNotifier, &CLSID_VelNotifier, &DIID___VelNotifier>,
                    private IconsListener,
                    private msghook::MsgHookOwner {
public:
    static constexpr long kWidthPixels = 27;
    static constexpr long kHeightPixels = 28;

    VelNotifier();
    ~VelNotifier() override;

    // Automation interface.
    STDMETHODIMP get_Animate(VARIANT_BOOL* animate) override;
    STDMETHODIMP put_Animate(VARIANT_BOOL animate) override;
    STDMETHODIMP get_AnimationStyle(VelAnimationStyleConstants* style) override;
    STDMETHODIMP put_AnimationStyle(VelAnimationStyleConstants style) override;
    STDMETHODIMP get_Continuous(VARIANT_BOOL* continuous) override;
    STDMETHODIMP put_Continuous(VARIANT_BOOL continuous) override;
    STDMETHODIMP get_Enabled(VARIANT_BOOL* enabled) override;
    STDMETHODIMP put_Enabled(VARIANT_BOOL enabled) override;
    STDMETHODIMP get_Icons(_VelIcons** icons) override;
    STDMETHODIMP get_Interval(short* interval) override;
    STDMETHODIMP put_Interval(short interval) override;
    STDMETHODIMP get_ReverseAnimation(VARIANT_BOOL* reverse) override;
    STDMETHODIMP put_ReverseAnimation(VARIANT_BOOL reverse) override;
    STDMETHODIMP get_ToolTipText(BSTR* text) override;
    STDMETHODIMP put_ToolTipText(BSTR text) override;
    STDMETHODIMP ShowAboutBox() override;
    STDMETHODIMP ShowBalloon(BSTR text, VARIANT title, VelBalloonIconConstants icon, long timeout) override;

    HWND WindowHandle() const { return Surface().Hwnd(); }
    VelIcons& Icons() const { return *m_colIcons.Get(); }

protected:
    void OnInitialize() override;
    void OnInitProperties() override;
    void OnReadProperties(hosting::PropertyBag& bag) override;
    void OnWriteProperties(hosting::PropertyBag& bag) override;
    void OnResize() override;
    void OnPaint(HDC dc) override;
    void OnAmbientChanged(std::wstring_view name) override;
    void OnTerminate() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM w, LPARAM l) override;
    std::vector<CLSID> PropertyPages() const override;
    // Only its icon in the notification area shows at run time; the box on the form
    // is for the designer.
    bool InvisibleAtRunTime() const override { return true; }

private:
    // The icon collection.
    void IconAdded(VelIcon& icon) override;
    void IconRemoved(VelIcon* icon) override;
    void IconChanged(VelIcon& icon, std::wstring_view property) override;
    void ShowIconsMessage(std::wstring_view text, UINT style) override;
    // The message hook.
    bool HookUserMode() const override;
    void HookMessage(HWND hwnd, UINT messageId, WPARAM wParam, LPARAM lParam) override;
    void HookPropertyChanged(std::wstring_view) override {}

    void MapTrayMouse(LPARAM message);
    void ApplySubclass();
    bool UserMode() const;
    TrayState& Tray() const { return TrayState::ForThread(); }
    TrayAnimation Animation() const { return TrayAnimation(Tray()); }
    bool AnimateValue() const { return Tray().iconShown || Tray().timerActive; }

    std::optional<msghook::VelMsgHook> velMsgHook1_;
    com::ComPtr<VelIcons> m_colIcons;
    com::ComPtr<NotifierAccessible> accessible_;  // made for the first client that asks
};

}  // namespace vel::notifier
