#pragma once
// The list box under measurement: hosted in place in the test container, 600 x 400 pixels,
// three columns, driven early-bound through its own interfaces.
#include "BenchSide.h"
#include "TestContainer.h"
#include "VelListbox.h"

namespace vel::bench {

class ListBoxSide : public BenchSide {
public:
    ListBoxSide(int width, int height, int columns, int columnPixels);
    ~ListBoxSide() override;

    // The font the rows are drawn in; the list view is given the same one.
    HFONT Font() const;

    const char* Name() const override { return "list box"; }
    bool Can(Ability) const override { return true; }
    HWND Window() const override { return control_->WindowHandle(); }
    long RowsInView() const override;
    void SetRedraw(bool on) override;
    void Append(const std::wstring& text, long key) override;
    void Insert(long at, const std::wstring& text) override;
    void Remove(long at) override;
    bool FindKey(long key) override;
    bool FindIndex(long at) override;
    std::wstring TextAt(long at) override;
    long Count() const override;
    void Clear() override;
    void SelectFirst() override;
    void Sort(bool descending) override;
    void KeepSorted() override {}

private:
    com::ComPtr<test::TestContainer> site_;
    com::ComPtr<roster::VelListbox> control_;
    com::ComPtr<IOleObject> object_;
    com::ComPtr<_VelListItems> items_;
    com::ComPtr<IFont> font_;
};

}  // namespace vel::bench
