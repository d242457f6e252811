#pragma once
// An icon collection owned as the notifier owns it: a listener that hears its events
// and records the message boxes it shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Automation.h"
#include "EventRecorder.h"
#include "ExpectedError.h"
#include "IconPictures.h"
#include "IconsListener.h"
#include "Module.h"
#include "VelIcons.h"

namespace vel::test {

using notifier::VelIcon;
using notifier::VelIcons;

inline IDispatch* Disp(VelIcons* icons) { return static_cast<_VelIcons*>(icons); }

struct ShownMessage {
    std::wstring text;
    UINT style;
};

class RecordingOwner : public notifier::IconsListener {
public:
    void IconAdded(VelIcon&) override { heard.push_back(L"added"); }
    void IconRemoved(VelIcon* icon) override { heard.push_back(icon ? L"removed" : L"cleared"); }
    void IconChanged(VelIcon&, std::wstring_view property) override { heard.push_back(L"changed " + std::wstring(property)); }
    void ShowIconsMessage(std::wstring_view text, UINT style) override { messages.push_back({std::wstring(text), style}); }

    std::vector<std::wstring> heard;
    std::vector<ShownMessage> messages;
};

class IconsTest : public ::testing::Test {
protected:
    void SetUp() override {
        icons = com::Make<VelIcons>();
        icons->SetListener(&owner);
    }
    void TearDown() override {
        if (events) events->Disconnect();
        events.Reset();
        icons->ClearIcons();
        icons->SetListener(nullptr);
        icons.Reset();
        EXPECT_EQ(com::Module::ObjectCount(), 0) << "COM objects still alive";
    }

    EventRecorder& RecordEvents() {
        events = com::Make<EventRecorder>();
        events->Connect(icons->Unknown(), DIID___VelIcons);
        return *events.Get();
    }

    // Adds `count` icons keyed "k1".. with pictures of distinct colours.
    void AddIcons(int count) {
        for (int i = 1; i <= count; ++i) {
            std::wstring key = L"k" + std::to_wstring(i);
            auto picture = MakeIconPicture(RGB(40 * i, 0, 0));
            ASSERT_TRUE(Call(Disp(icons.Get()), L"Add", {Missing(), Str(key.c_str()), Obj(picture.Get())}).Ok());
        }
        owner.heard.clear();
    }

    ComPtr<IDispatch> Icon(long position) { return AsObject(Get(Disp(icons.Get()), L"Item", {Num(position)})); }
    long IndexOf(long position) { return AsLong(Get(Icon(position).Get(), L"Index")); }
    std::wstring KeyOf(long position) { return AsText(Get(Icon(position).Get(), L"Key")); }
    long Count() { return AsLong(Get(Disp(icons.Get()), L"Count")); }

    RecordingOwner owner;
    com::ComPtr<VelIcons> icons;
    com::ComPtr<EventRecorder> events;
};

constexpr HRESULT kKeyExists = static_cast<HRESULT>(0x800A0000 + 50001);
constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);

}  // namespace vel::test
