// The property page base driven through IPropertyPage, as a property frame drives it.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>

#include "Automation.h"
#include "Fixture.h"
#include "HostingSupport.h"
#include "PropertyPage.h"

namespace {

using namespace vel;
using namespace vel::test;
using Microsoft::WRL::ComPtr;

// A page that shows the first selected control's Caption and writes it back.
class CaptionPage : public hosting::PropertyPage<CaptionPage> {
public:
    CaptionPage() { SetPageInfo(L"General", {200, 100}); }
    std::wstring shown;
    int selections = 0;
    void Edit(const std::wstring& text) {
        shown = text;
        SetChanged(true);
    }

protected:
    void SelectionChanged() override {
        ++selections;
        shown = AsText(Get(FirstSelected(), L"Caption"));
    }
    void ApplyChanges() override {
        Put(FirstSelected(), L"Caption", Str(shown.c_str()));
        SetChanged(false);
    }
};

// Records the status changes a page reports to its frame.
struct FrameSite : com::ComObject<FrameSite, IPropertyPageSite> {
    std::vector<DWORD> statuses;
    STDMETHODIMP OnStatusChange(DWORD flags) override {
        statuses.push_back(flags);
        return S_OK;
    }
    STDMETHODIMP GetLocaleID(LCID* id) override { return *id = LOCALE_USER_DEFAULT, S_OK; }
    STDMETHODIMP GetPageContainer(IUnknown**) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }
};

class PropertyPages : public HostingTest {};

TEST_F(PropertyPages, APageReadsTheFirstSelectedControlReportsChangesAndAppliesThem) {
    HWND frame = CreateWindowExW(0, L"STATIC", L"Frame", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    {
        auto site = com::Make<FrameSite>();
        auto page = com::Make<CaptionPage>();
        auto first = hosting::MakeControl<fixture::Fixture>();
        auto second = hosting::MakeControl<fixture::Fixture>();
        ComPtr<IDispatch> firstDispatch;
        first.As(&firstDispatch);
        Put(firstDispatch.Get(), L"Caption", Str(L"Before"));

        PROPPAGEINFO info{};  // as the system's frame passes it: the size not set
        ASSERT_HRESULT_SUCCEEDED(page->GetPageInfo(&info));
        EXPECT_EQ(info.cb, sizeof(PROPPAGEINFO));
        EXPECT_STREQ(info.pszTitle, L"General");
        CoTaskMemFree(info.pszTitle);

        page->SetPageSite(site.Get());
        IUnknown* objects[] = {static_cast<IOleObject*>(first.Get()), static_cast<IOleObject*>(second.Get())};
        page->SetObjects(2, objects);
        EXPECT_EQ(page->selections, 0) << "nothing to show before the page opens";
        RECT position{0, 0, 200, 100};
        ASSERT_HRESULT_SUCCEEDED(page->Activate(frame, &position, TRUE));
        EXPECT_EQ(page->selections, 1);
        EXPECT_EQ(page->shown, L"Before");
        EXPECT_EQ(page->IsPageDirty(), S_FALSE);

        page->Edit(L"After");
        EXPECT_EQ(page->IsPageDirty(), S_OK);
        EXPECT_EQ(site->statuses, (std::vector<DWORD>{PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE}));
        ASSERT_HRESULT_SUCCEEDED(page->Apply());
        EXPECT_EQ(AsText(Get(firstDispatch.Get(), L"Caption")), L"After");
        EXPECT_EQ(page->IsPageDirty(), S_FALSE);

        page->Deactivate();
        page->SetObjects(0, nullptr);
        page->SetPageSite(nullptr);
    }
    DestroyWindow(frame);
}

}  // namespace
