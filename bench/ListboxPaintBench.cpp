// Cost of one repaint of the list box at 100 and 100,000 rows: a full repaint (code 3, everything)
// from the top, and a row-area repaint (code 2, rows only) scrolled to the middle. Painting visits
// only the rows in view, so the figures should not grow with the row count. Then the accessible
// object's child count and one child's name at 1,000 and 10,000 rows, which should not either.
#include <windows.h>
#include <oleacc.h>
#include <cstdio>
#include <string>

#include "Automation.h"
#include "BenchClock.h"
#include "HostingSupport.h"
#include "TestContainer.h"
#include "VelListbox.h"

using namespace vel;

namespace {

using bench::Now;

// Milliseconds per repaint of `part`.
double Measure(roster::VelListbox& control, roster::PaintPart part, int repeats) {
    auto paint = [&] {
        control.PaintControl(part);
        control.FlushPaint();
    };
    paint();
    double start = Now();
    for (int i = 0; i < repeats; ++i) paint();
    return (Now() - start) * 1000.0 / repeats;
}

// A list box of `rows` rows in six columns, in place in the test container.
struct HostedListbox {
    explicit HostedListbox(long rows) {
        control = hosting::MakeControl<roster::VelListbox>();
        control.As(&object);
        object->SetClientSite(site.Get());
        com::ComPtr<IPersistStreamInit> stream;
        control.As(&stream);
        stream->InitNew();
        object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, site->Window(), nullptr);
        com::ComPtr<IOleInPlaceObject> inPlace;
        control.As(&inPlace);
        RECT rect{0, 0, 600, 400};
        inPlace->SetObjectRects(&rect, &rect);

        IDispatch* disp = static_cast<_VelListbox*>(control.Get());
        auto columns = test::AsObject(test::Get(disp, L"ColumnHeaders"));
        for (int c = 1; c <= 6; ++c)
            test::Call(columns.Get(), L"Add", {test::Missing(), test::Missing(), test::Str(L"Column"), test::Num(120)});
        test::Put(disp, L"Redraw", test::Variant::FromBool(false));
        com::ComPtr<_VelListItems> itemsInterface;
        control->get_ListItems(&itemsInterface);
        auto* items = static_cast<roster::VelListItems*>(itemsInterface.Get());
        for (long i = 1; i <= rows; ++i) {
            std::wstring text = L"Row " + std::to_wstring(i);
            auto row = items->AddItem(test::Missing().Get(), test::Missing().Get(), test::Str(text.c_str()).Get());
            for (long s = 1; s < 6; ++s) row->SetSubItemText(s, com::Bstr(L"cell " + std::to_wstring(s)));
        }
        test::Put(disp, L"Redraw", test::Variant::FromBool(true));
    }
    ~HostedListbox() {
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        test::PumpMessages();
    }

    com::ComPtr<test::TestContainer> site = com::Make<test::TestContainer>();
    com::ComPtr<roster::VelListbox> control;
    com::ComPtr<IOleObject> object;
};

void Run(long rows) {
    HostedListbox list(rows);
    auto& control = *list.control.Get();
    double all = Measure(control, roster::PaintPart::All, 200);
    control.VerticalBar().SetValue(control.VerticalBar().Max() / 2);
    double middle = Measure(control, roster::PaintPart::Items, 200);
    std::printf("%8ld rows: full repaint (3) %7.3f ms, row area scrolled to the middle (2) %7.3f ms\n", rows, all,
                middle);
}

// Microseconds per call of get_accChildCount and of get_accName of the middle row, as an
// accessibility client makes them: neither should grow with the row count.
void RunAccessible(long rows) {
    HostedListbox list(rows);
    com::ComPtr<IAccessible> accessible;
    AccessibleObjectFromWindow(list.control->WindowHandle(), static_cast<DWORD>(OBJID_CLIENT), IID_PPV_ARGS(&accessible));
    com::ComPtr<IEnumVARIANT> children;
    if (!accessible || FAILED(accessible.As(&children))) return;
    VARIANT middle;
    VariantInit(&middle);
    children->Reset();
    children->Skip(static_cast<ULONG>(rows / 2));
    children->Next(1, &middle, nullptr);
    constexpr int kCalls = 20000;
    LONG count = 0;
    double start = Now();
    for (int i = 0; i < kCalls; ++i) accessible->get_accChildCount(&count);
    double countCost = (Now() - start) * 1e6 / kCalls;
    start = Now();
    for (int i = 0; i < kCalls; ++i) {
        BSTR name = nullptr;
        accessible->get_accName(middle, &name);
        SysFreeString(name);
    }
    double nameCost = (Now() - start) * 1e6 / kCalls;
    std::printf("%8ld rows: get_accChildCount %7.3f us, get_accName of the middle row %7.3f us\n", rows, countCost,
                nameCost);
}

}  // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::printf("List box repaint, 600 x 400 pixels, 6 columns\n");
    Run(100);
    Run(100000);
    std::printf("List box accessible object, 6 columns\n");
    RunAccessible(1000);
    RunAccessible(10000);
    CoUninitialize();
    return 0;
}
