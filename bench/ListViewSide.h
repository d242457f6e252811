#pragma once
// The system's list view under measurement: report view, 600 x 400 pixels, the list box's
// font and column widths, in a frame window of its own beside the list box. In owner-data
// mode the rows live in this side's vector and the list view asks for the texts it paints;
// that mode has no keys, no positions of its own and no sorting.
#include "BenchSide.h"

#include <vector>

namespace vel::bench {

class ListViewSide : public BenchSide {
public:
    ListViewSide(int left, int width, int height, int columns, int columnPixels, HFONT font, bool ownerData);
    ~ListViewSide() override;

    const char* Name() const override { return ownerData_ ? "list view (owner data)" : "list view"; }
    bool Can(Ability) const override { return !ownerData_; }
    HWND Window() const override { return list_; }
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
    void KeepSorted() override;

private:
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM self);
    void AnswerText(NMLVDISPINFOW& info) const;
    void PublishCount();

    bool ownerData_;
    bool redraw_ = true;
    bool descending_ = false;
    HWND frame_ = nullptr;
    HWND list_ = nullptr;
    std::vector<std::wstring> texts_;      // owner data only
    std::vector<std::wstring> sortTexts_;  // the rows' texts while they are sorted
};

}  // namespace vel::bench
