// The list box as a drag source, with the system's drag loop replaced by a target that
// reads the data: a format declared in OLEStartDrag without a value is asked of form
// code through OLESetData when the target reads it, once, and never after the drag.
#include <string>
#include <vector>

#include "ListboxDragDrop.h"
#include "ListboxEventIds.h"
#include "ListboxHost.h"

namespace {

using namespace vel;
using namespace vel::test;
using vel::roster::ListboxDragDrop;

using namespace vel::roster::events;

class ListboxDragSource : public ListboxTest {};

// The text a target reads in `format`; empty when the source answers with an error.
std::wstring ReadText(IDataObject* data, CLIPFORMAT format, HRESULT& hr) {
    FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    hr = data->GetData(&wanted, &medium);
    if (FAILED(hr)) return L"";
    std::wstring text;
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(medium.hGlobal))) {
        text = chars;
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return text;
}

// Form code as the events reach it: OLEStartDrag declares text without a value, and
// OLESetData supplies it when `supplies` says so.
struct FormCode {
    bool supplies = true;
    std::vector<DISPID> events;
    std::vector<long> suppliedFormats;
    long completedEffect = -1;
    ComPtr<IDispatch> keptData;  // what a careless handler holds on to after the drag

    void operator()(DISPID id, std::vector<com::Variant> arguments) {
        events.push_back(id);
        ComPtr<IDispatch> data;
        if (!arguments.empty()) data = AsObject(com::Variant::Dereferenced(arguments[0].Get()));
        if (id == kOLEStartDrag) {
            Call(data.Get(), L"SetData", {Missing(), Num(CF_TEXT)});
            keptData = data;
        } else if (id == kOLESetData) {
            long format = AsLong(com::Variant::Dereferenced(arguments[1].Get()));
            suppliedFormats.push_back(format);
            if (supplies) Call(data.Get(), L"SetData", {Str(L"supplied later"), Num(format)});
        } else if (id == kOLECompleteDrag) {
            completedEffect = AsLong(com::Variant::Dereferenced(arguments[0].Get()));
        }
    }
};

TEST_F(ListboxDragSource, AFormatDeclaredWithoutAValueIsAskedForOnceWhenTheTargetReadsIt) {
    FormCode form;
    std::vector<std::wstring> read;
    std::vector<HRESULT> results;
    auto target = [&](IDataObject* data, IDropSource*, DWORD, DWORD* effect) {
        for (CLIPFORMAT format : {CLIPFORMAT(CF_UNICODETEXT), CLIPFORMAT(CF_UNICODETEXT)}) {
            HRESULT hr = S_OK;
            read.push_back(ReadText(data, format, hr));
            results.push_back(hr);
        }
        *effect = DROPEFFECT_COPY;
        return DRAGDROP_S_DROP;
    };
    {
        ListboxDragDrop drag(nullptr, std::ref(form), target);
        drag.Drag();
        drag.Detach();
    }
    EXPECT_EQ(read, (std::vector<std::wstring>{L"supplied later", L"supplied later"}));
    EXPECT_EQ(results, (std::vector<HRESULT>{S_OK, S_OK}));
    EXPECT_EQ(form.suppliedFormats, (std::vector<long>{CF_TEXT})) << "asked once, in the declared format";
    EXPECT_EQ(form.events, (std::vector<DISPID>{kOLEStartDrag, kOLESetData, kOLECompleteDrag}));
    EXPECT_EQ(form.completedEffect, DROPEFFECT_COPY);
    form.keptData.Reset();
}

TEST_F(ListboxDragSource, AHandlerThatSuppliesNothingLeavesTheTargetWithAnErrorAndTheDragCompletes) {
    FormCode form;
    form.supplies = false;
    HRESULT hr = S_OK;
    ComPtr<IDataObject> keptByTarget;
    auto target = [&](IDataObject* data, IDropSource*, DWORD, DWORD* effect) {
        ReadText(data, CF_UNICODETEXT, hr);
        keptByTarget = data;
        *effect = DROPEFFECT_NONE;
        return DRAGDROP_S_CANCEL;
    };
    {
        ListboxDragDrop drag(nullptr, std::ref(form), target);
        drag.Drag();
        // A target that kept the data and reads it after the drag asks form code nothing.
        HRESULT late = S_OK;
        ReadText(keptByTarget.Get(), CF_UNICODETEXT, late);
        EXPECT_TRUE(FAILED(late));
        drag.Detach();
    }
    EXPECT_EQ(hr, DV_E_FORMATETC);
    EXPECT_EQ(form.suppliedFormats.size(), 1u);
    EXPECT_EQ(form.events.back(), kOLECompleteDrag);
    EXPECT_EQ(form.completedEffect, DROPEFFECT_NONE);
    keptByTarget.Reset();
    form.keptData.Reset();
}

}  // namespace
