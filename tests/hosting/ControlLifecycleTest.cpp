// The control base driven directly, as a container drives it.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>

#include "Automation.h"
#include "Fixture.h"
#include "HostingSupport.h"
#include "MemoryPropertyBag.h"
#include "TestContainer.h"

namespace {

using namespace vel;
using namespace vel::test;
using fixture::Fixture;
using Microsoft::WRL::ComPtr;

class ControlLifecycle : public HostingTest {};

ComPtr<IDispatch> NewFixture() {
    ComPtr<IDispatch> control;
    hosting::MakeControl<Fixture>().As(&control);
    return control;
}

std::wstring Lifecycle(IDispatch* control) { return AsText(Get(control, L"Lifecycle")); }

TEST_F(ControlLifecycle, InitializeComesFirstThenExactlyOneInitialisationThenTerminateLast) {
    {
        auto control = NewFixture();
        EXPECT_EQ(Lifecycle(control.Get()), L"Initialize");
        ComPtr<IPersistStreamInit> stream;
        ComPtr<IPersistPropertyBag> bag;
        ASSERT_HRESULT_SUCCEEDED(control.As(&stream));
        ASSERT_HRESULT_SUCCEEDED(control.As(&bag));
        EXPECT_EQ(stream->InitNew(), S_OK);
        // A second initialisation of either kind is refused.
        EXPECT_EQ(stream->InitNew(), E_UNEXPECTED);
        EXPECT_EQ(bag->InitNew(), E_UNEXPECTED);
        auto empty = com::Make<hosting::MemoryPropertyBag>();
        EXPECT_EQ(bag->Load(empty.Get(), nullptr), E_UNEXPECTED);
        EXPECT_EQ(Lifecycle(control.Get()), L"Initialize,InitProperties");
    }
    EXPECT_EQ(Fixture::LastLifecycle(), L"Initialize,InitProperties,Terminate");

    {
        auto control = NewFixture();
        ComPtr<IPersistPropertyBag> bag;
        ASSERT_HRESULT_SUCCEEDED(control.As(&bag));
        auto stored = com::Make<hosting::MemoryPropertyBag>();
        ASSERT_HRESULT_SUCCEEDED(bag->Load(stored.Get(), nullptr));
    }
    EXPECT_EQ(Fixture::LastLifecycle(), L"Initialize,ReadProperties,Terminate");
}

TEST_F(ControlLifecycle, AContainerThatNeverInitialisesGetsNewControlDefaultsBeforeActivation) {
    auto site = com::Make<TestContainer>();
    {
        auto control = NewFixture();
        ComPtr<IOleObject> object;
        ASSERT_HRESULT_SUCCEEDED(control.As(&object));
        object->SetClientSite(site.Get());
        ASSERT_HRESULT_SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, site->Window(), nullptr));
        PumpMessages();
        EXPECT_EQ(Lifecycle(control.Get()).rfind(L"Initialize,InitProperties,", 0), 0u) << Lifecycle(control.Get());
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
    }
}

TEST_F(ControlLifecycle, TheWindowHandleStaysTheSameThroughActivationAndDeactivation) {
    auto site = com::Make<TestContainer>();
    {
        auto control = NewFixture();
        long before = AsLong(Get(control.Get(), L"hWnd"));
        HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(before));
        EXPECT_TRUE(IsWindow(window));
        EXPECT_FALSE(IsWindowVisible(window));
        ComPtr<IOleObject> object;
        ComPtr<IPersistStreamInit> stream;
        control.As(&object);
        control.As(&stream);
        stream->InitNew();
        object->SetClientSite(site.Get());
        ASSERT_HRESULT_SUCCEEDED(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site.Get(), 0, site->Window(), nullptr));
        EXPECT_EQ(GetParent(window), site->Window());
        EXPECT_EQ(AsLong(Get(control.Get(), L"hWnd")), before);
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, 100);
        EXPECT_EQ(client.bottom, 50);

        ComPtr<IOleInPlaceObject> inPlace;
        control.As(&inPlace);
        RECT moved{0, 0, 80, 30};
        inPlace->SetObjectRects(&moved, &moved);
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, 80);
        SIZEL extent{};
        object->GetExtent(DVASPECT_CONTENT, &extent);
        HDC screen = GetDC(nullptr);
        int dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        EXPECT_NEAR(extent.cx, MulDiv(80, 2540, dpi), 1);

        ASSERT_HRESULT_SUCCEEDED(inPlace->InPlaceDeactivate());
        EXPECT_FALSE(IsWindowVisible(window));
        EXPECT_EQ(AsLong(Get(control.Get(), L"hWnd")), before);
        EXPECT_NE(Lifecycle(control.Get()).find(L"InitProperties,Resize,Show"), std::wstring::npos)
            << Lifecycle(control.Get());
        object->SetClientSite(nullptr);
    }
    EXPECT_EQ(Fixture::LastLifecycle().substr(Fixture::LastLifecycle().rfind(L',') + 1), L"Terminate");
}

TEST_F(ControlLifecycle, AmbientsDefaultToARunTimeHostAndFollowTheContainerWhenItAnswers) {
    auto site = com::Make<TestContainer>();
    {
        auto control = NewFixture();
        EXPECT_EQ(AsLong(Get(control.Get(), L"UserMode")), -1) << "no site: run time";
        ComPtr<IOleObject> object;
        control.As(&object);
        object->SetClientSite(site.Get());
        EXPECT_EQ(AsLong(Get(control.Get(), L"UserMode")), -1) << "a site without ambients: run time";

        site->ambients[DISPID_AMBIENT_USERMODE] = com::Variant::FromBool(false);
        site->ambients[DISPID_AMBIENT_DISPLAYNAME] = com::Variant::FromString(L"Fixture1");
        EXPECT_EQ(AsLong(Get(control.Get(), L"UserMode")), 0);
        ComPtr<IPersistStreamInit> stream;
        control.As(&stream);
        stream->InitNew();
        EXPECT_EQ(AsText(Get(control.Get(), L"Caption")), L"Fixture1") << "caption from the ambient display name";

        ComPtr<IOleControl> oleControl;
        control.As(&oleControl);
        oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_SCALEUNITS);
        EXPECT_NE(Lifecycle(control.Get()).find(L"AmbientChanged:ScaleUnits"), std::wstring::npos);
        object->SetClientSite(nullptr);
    }
}

TEST_F(ControlLifecycle, APropertyChangeNotifiesTheContainerByIdAndMakesTheControlDirtyUntilSaved) {
    auto site = com::Make<TestContainer>();
    {
        auto control = NewFixture();
        ComPtr<IPersistStreamInit> stream;
        control.As(&stream);
        stream->InitNew();
        EXPECT_EQ(stream->IsDirty(), S_FALSE);
        ComPtr<IConnectionPointContainer> points;
        ComPtr<IConnectionPoint> point;
        control.As(&points);
        ASSERT_HRESULT_SUCCEEDED(points->FindConnectionPoint(IID_IPropertyNotifySink, &point));
        DWORD cookie = 0;
        ASSERT_HRESULT_SUCCEEDED(point->Advise(static_cast<IPropertyNotifySink*>(site.Get()), &cookie));

        Put(control.Get(), L"Caption", Str(L"Changed"));
        Put(control.Get(), L"Count", Num(3));
        EXPECT_EQ(site->changes, (std::vector<DISPID>{DISPID_CAPTION, 3}));
        EXPECT_EQ(stream->IsDirty(), S_OK);

        ComPtr<IStream> memory;
        CreateStreamOnHGlobal(nullptr, TRUE, &memory);
        ASSERT_HRESULT_SUCCEEDED(stream->Save(memory.Get(), FALSE));
        EXPECT_EQ(stream->IsDirty(), S_OK) << "saving without clearing keeps it dirty";
        ASSERT_HRESULT_SUCCEEDED(stream->Save(memory.Get(), TRUE));
        EXPECT_EQ(stream->IsDirty(), S_FALSE);
        point->Unadvise(cookie);
    }
}

TEST_F(ControlLifecycle, TheMessageBoxGoesThroughTheContainerWithTheApplicationTitle) {
    auto site = com::Make<TestContainer>();
    {
        auto control = NewFixture();
        ComPtr<IOleObject> object;
        control.As(&object);
        object->SetClientSite(site.Get());
        EXPECT_EQ(AsLong(Call(control.Get(), L"Report", {Str(L"Hello")})), IDOK);
        EXPECT_EQ(site->messages, (std::vector<std::wstring>{L"Hello|<application>"}));
        object->SetClientSite(nullptr);
    }
}

TEST_F(ControlLifecycle, FrozenEventsAreNotRaised) {
    // A sink that counts the calls it receives.
    struct Sink : com::ComObject<Sink, IDispatch> {
        int calls = 0;
        STDMETHODIMP GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
            ++calls;
            return S_OK;
        }
    };
    auto sink = com::Make<Sink>();
    {
        auto control = NewFixture();
        ComPtr<IConnectionPointContainer> points;
        ComPtr<IConnectionPoint> point;
        control.As(&points);
        ASSERT_HRESULT_SUCCEEDED(points->FindConnectionPoint(DIID___Fixture, &point));
        DWORD cookie = 0;
        point->Advise(sink.Get(), &cookie);
        Put(control.Get(), L"Caption", Str(L"One"));
        ComPtr<IOleControl> oleControl;
        control.As(&oleControl);
        oleControl->FreezeEvents(TRUE);
        Put(control.Get(), L"Caption", Str(L"Two"));
        oleControl->FreezeEvents(FALSE);
        Put(control.Get(), L"Caption", Str(L"Three"));
        EXPECT_EQ(sink->calls, 2);
        point->Unadvise(cookie);
    }
}

}  // namespace
