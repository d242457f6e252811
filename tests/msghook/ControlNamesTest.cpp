// The names the hook collects from the objects around its owner.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "Automation.h"
#include "SnapshotEnumerator.h"
#include "VelMsgHook.h"

namespace vel::test {
namespace {

using msghook::VelMsgHook;

// An object with named properties, as a form or control shows them to a script;
// a member list answers DISPID_NEWENUM.
class FakeObject : public com::ComObject<FakeObject, IDispatch> {
public:
    std::map<std::wstring, Variant> properties;
    std::vector<Variant> members;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) override {
        auto found = properties.find(names[0]);
        if (found == properties.end()) return DISP_E_UNKNOWNNAME;
        *id = static_cast<DISPID>(std::distance(properties.begin(), found)) + 1;
        return S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
        if (id == DISPID_NEWENUM) {
            auto enumerator = com::Make<com::VariantEnumerator>(members);
            result->vt = VT_UNKNOWN;
            result->punkVal = enumerator->Unknown();
            result->punkVal->AddRef();
            return S_OK;
        }
        auto property = std::next(properties.begin(), id - 1);
        if (property->second.Type() == VT_ERROR) return property->second.Get().scode;
        property->second.CopyTo(result);
        return S_OK;
    }
};

Variant Failing() {
    Variant v;
    v.Ptr()->vt = VT_ERROR;
    v.Ptr()->scode = E_FAIL;
    return v;
}

std::vector<std::wstring> Names(const Variant& array) {
    std::vector<std::wstring> names;
    EXPECT_EQ(array.Type(), VT_ARRAY | VT_VARIANT);
    SAFEARRAY* values = array.Get().parray;
    LONG low = 0, high = -1;
    SafeArrayGetLBound(values, 1, &low);
    SafeArrayGetUBound(values, 1, &high);
    EXPECT_EQ(low, 0);
    for (LONG i = low; i <= high; ++i) {
        Variant name;
        SafeArrayGetElement(values, &i, name.Ptr());
        names.push_back(AsText(name));
    }
    return names;
}

TEST(ControlNames, TheTopContainerThenItsWindowedControls) {
    auto form = com::Make<FakeObject>();
    auto owner = com::Make<FakeObject>();
    auto windowless = com::Make<FakeObject>();
    auto broken = com::Make<FakeObject>();
    auto controls = com::Make<FakeObject>();
    form->properties[L"Name"] = Str(L"Form1");
    form->properties[L"Parent"] = Failing();
    form->properties[L"Controls"] = Obj(controls.Get());
    owner->properties[L"Name"] = Str(L"VelListbox1");
    owner->properties[L"hWnd"] = Num(100);
    owner->properties[L"Parent"] = Obj(form.Get());
    windowless->properties[L"Name"] = Str(L"Label1");
    windowless->properties[L"hWnd"] = Failing();
    broken->properties[L"hWnd"] = Num(200);
    controls->members = {Obj(owner.Get()), Obj(windowless.Get()), Obj(broken.Get()), Num(7)};

    EXPECT_EQ(Names(VelMsgHook::GetControlNames(owner.Get())),
              (std::vector<std::wstring>{L"Form1", L"VelListbox1"}))
        << "only readable names count; members without a window are left out";

    form->properties[L"Parent"] = Obj(owner.Get());  // a loop ends the climb somewhere
    EXPECT_FALSE(Names(VelMsgHook::GetControlNames(owner.Get())).empty());
    form->properties.erase(L"Parent");
    controls->members.clear();
    owner->properties.erase(L"Parent");  // breaks the cycle of references
}

TEST(ControlNames, NothingToStartFromGivesAnEmptyArray) {
    EXPECT_TRUE(Names(VelMsgHook::GetControlNames(nullptr)).empty());
}

}  // namespace
}  // namespace vel::test
