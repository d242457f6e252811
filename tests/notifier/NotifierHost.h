#pragma once
// A notifier sited in the test container, new or restored from a bag, in-place active,
// with the shell replaced by a recorder of every request the tray makes.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>

#include <string>
#include <vector>

#include "Automation.h"
#include "EventRecorder.h"
#include "HostingSupport.h"
#include "IconPictures.h"
#include "Module.h"
#include "TestContainer.h"
#include "TrayAnimation.h"
#include "TrayState.h"
#include "VelNotifier.h"

namespace vel::test {

using notifier::TrayState;
using notifier::VelNotifier;

// One request to the shell, as the record stood when it was made.
struct ShellRequest {
    DWORD message;
    NOTIFYICONDATAW data;
    std::wstring Tip() const { return Text(data.szTip); }
    std::wstring BalloonText() const { return Text(data.szInfo); }
    std::wstring BalloonTitle() const { return Text(data.szInfoTitle); }

private:
    // A field as the shell reads it: up to its first NUL.
    template <size_t N>
    static std::wstring Text(const wchar_t (&field)[N]) {
        return std::wstring(field, wcsnlen(field, N));
    }
};

class ShellRecorder {
public:
    static std::vector<ShellRequest>& Requests() {
        static std::vector<ShellRequest> requests;
        return requests;
    }
    static BOOL WINAPI Call(DWORD message, NOTIFYICONDATAW* data) {
        Requests().push_back({message, *data});
        return message != NIM_MODIFY || TrayState::ForThread().iconShown;
    }
    // The icons the requests showed (adds and image changes), in order.
    static std::vector<HICON> ShownIcons() {
        std::vector<HICON> icons;
        for (auto& r : Requests())
            if (r.message == NIM_ADD || (r.message == NIM_MODIFY && (r.data.uFlags & NIF_ICON))) icons.push_back(r.data.hIcon);
        return icons;
    }
    static size_t CountOf(DWORD message) {
        size_t n = 0;
        for (auto& r : Requests()) n += r.message == message;
        return n;
    }
};

class NotifierHost {
public:
    explicit NotifierHost(bool userMode = true, IPropertyBag* bag = nullptr) {
        site = com::Make<TestContainer>();
        site->ambients[DISPID_AMBIENT_USERMODE] = com::Variant::FromBool(userMode);
        site->ambients[DISPID_AMBIENT_DISPLAYNAME] = com::Variant::FromString(L"VelNotifier1");
        control = hosting::MakeControl<VelNotifier>();
        control.As(&object);
        object->SetClientSite(site.Get());
        ComPtr<IConnectionPointContainer> points;
        control.As(&points);
        points->FindConnectionPoint(IID_IPropertyNotifySink, &notify_);
        notify_->Advise(static_cast<IPropertyNotifySink*>(site.Get()), &cookie_);
        if (bag) {
            ComPtr<IPersistPropertyBag> persist;
            control.As(&persist);
            EXPECT_HRESULT_SUCCEEDED(persist->Load(bag, nullptr));
        } else {
            ComPtr<IPersistStreamInit> stream;
            control.As(&stream);
            EXPECT_HRESULT_SUCCEEDED(stream->InitNew());
        }
        EXPECT_HRESULT_SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, site->Window(), nullptr));
        ComPtr<IOleInPlaceObject> inPlace;
        control.As(&inPlace);
        RECT rect{0, 0, 100, 100};
        inPlace->SetObjectRects(&rect, &rect);
        PumpMessages();
    }
    NotifierHost(const NotifierHost&) = delete;
    NotifierHost& operator=(const NotifierHost&) = delete;
    ~NotifierHost() { Close(); }

    void Close() {
        if (!object) return;
        if (events) events->Disconnect();
        events.Reset();
        notify_->Unadvise(cookie_);
        notify_.Reset();
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        object.Reset();
        control.Reset();
        PumpMessages();
    }

    IDispatch* Disp() const { return static_cast<_VelNotifier*>(control.Get()); }
    ComPtr<IDispatch> Icons() const { return AsObject(Get(Disp(), L"Icons")); }
    HWND Window() const { return control->WindowHandle(); }

    // Adds `count` icons of distinct colours, and keeps their handles.
    void AddIcons(int count) {
        auto icons = Icons();
        for (int i = 1; i <= count; ++i) {
            auto picture = MakeIconPicture(RGB(60 * i, 30, 255 - 60 * i));
            EXPECT_TRUE(Call(icons.Get(), L"Add", {Missing(), Missing(), Obj(picture.Get())}).Ok());
        }
    }
    HICON IconAt(long position) const { return control->Icons().IconHandleAt(position); }

    EventRecorder& RecordEvents() {
        events = com::Make<EventRecorder>();
        events->Connect(control->Unknown(), DIID___VelNotifier);
        return *events.Get();
    }

    ComPtr<TestContainer> site;
    ComPtr<VelNotifier> control;
    ComPtr<IOleObject> object;
    ComPtr<EventRecorder> events;

private:
    ComPtr<IConnectionPoint> notify_;
    DWORD cookie_ = 0;
};

// Every test starts with a fresh recorder in place of the shell and ends with its
// objects released, no icon left in the tray and (from its second run on, see
// HostingTest) no GDI object left behind.
class NotifierTest : public HostingTest {
protected:
    void SetUp() override {
        ShellRecorder::Requests().clear();
        TrayState::SetShell(&ShellRecorder::Call);
        HostingTest::SetUp();
    }
    void TearDown() override {
        PumpMessages();
        EXPECT_FALSE(TrayState::ForThread().iconShown) << "the icon is still in the tray";
        EXPECT_FALSE(TrayState::ForThread().timerActive) << "the animation timer still runs";
        HostingTest::TearDown();
        TrayState::SetShell(nullptr);
    }
};

}  // namespace vel::test
