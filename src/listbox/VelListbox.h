#pragma once
#include <optional>
#include <utility>

#include "AccessibleRowIds.h"
#include "CPaint.h"
#include "CSplitter.h"
#include "ColumnHeadersListener.h"
#include "ColumnPersistence.h"
#include "Control.h"
#include "KeyNavigator.h"
#include "ListAccessSource.h"
#include "ListInputOwner.h"
#include "ListItemsListener.h"
#include "FontWatcher.h"
#include "ListboxAccessible.h"
#include "ListboxDragDrop.h"
#include "ListboxPainter.h"
#include "ListboxSorter.h"
#include "MsgHookOwner.h"
#include "RowSelection.h"
#include "ScrollBar.h"
#include "VelColumnHeaders.h"
#include "VelListItems.h"
#include "VelMsgHook.h"
#include "VelRoster_h.h"
#include "WheelScroll.h"

namespace vel::roster {

// The multi-column list box control: a header band of columns over keyed rows, two
// scroll bars, column dividers that can be dragged, its persisted properties, and the
// repaints that follow every change of its rows, columns and properties. Geometry is
// kept in pixels; scroll values and row positions are 32-bit. Selection, keys and drag
// and drop have classes of their own; the control routes its input to them.
class VelListbox : public hosting::Control<VelListbox, _VelListbox, &CLSID_VelListbox, &DIID___VelListbox>,
                   private ListItemsListener,
                   private ColumnHeadersListener,
                   private msghook::MsgHookOwner,
                   private ListInputOwner,
                   private ListAccessSource {
public:
    VelListbox();
    ~VelListbox() override;

    // Automation interface.
    STDMETHODIMP get_ListItems(_VelListItems** items) override;
    STDMETHODIMP get_ColumnHeaders(_VelColumnHeaders** columns) override;
    STDMETHODIMP get_ColumnHeaderForeColor(OLE_COLOR* color) override;
    STDMETHODIMP put_ColumnHeaderForeColor(OLE_COLOR color) override;
    STDMETHODIMP get_ForeColor(OLE_COLOR* color) override;
    STDMETHODIMP put_ForeColor(OLE_COLOR color) override;
    STDMETHODIMP get_BackColor(OLE_COLOR* color) override;
    STDMETHODIMP put_BackColor(OLE_COLOR color) override;
    STDMETHODIMP get_Redraw(VARIANT_BOOL* redraw) override;
    STDMETHODIMP put_Redraw(VARIANT_BOOL redraw) override;
    STDMETHODIMP get_SelectionType(VelSelectionTypeConstants* type) override;
    STDMETHODIMP put_SelectionType(VelSelectionTypeConstants type) override;
    STDMETHODIMP get_MultiSelect(VARIANT_BOOL* multiSelect) override;
    STDMETHODIMP put_MultiSelect(VARIANT_BOOL multiSelect) override;
    STDMETHODIMP get_SelectedItem(::VelListItem** item) override;
    STDMETHODIMP putref_SelectedItem(::VelListItem* item) override;
    STDMETHODIMP get_SortOrder(VelSortOrderConstants* order) override;
    STDMETHODIMP put_SortOrder(VelSortOrderConstants order) override;
    STDMETHODIMP get_SortKey(short* key) override;
    STDMETHODIMP put_SortKey(short key) override;
    STDMETHODIMP get_MouseIcon(IPictureDisp** icon) override;
    STDMETHODIMP putref_MouseIcon(IPictureDisp* icon) override;
    STDMETHODIMP get_MousePointer(LONG* pointer) override;
    STDMETHODIMP put_MousePointer(LONG pointer) override;
    STDMETHODIMP get_Font(IFontDisp** font) override;
    STDMETHODIMP put_Font(VARIANT font) override;
    STDMETHODIMP putref_Font(IFontDisp* font) override;
    STDMETHODIMP get_ColumnHeaderFont(IFontDisp** font) override;
    STDMETHODIMP put_ColumnHeaderFont(VARIANT font) override;
    STDMETHODIMP putref_ColumnHeaderFont(IFontDisp* font) override;
    STDMETHODIMP get_Appearance(VelAppearanceConstants* appearance) override;
    STDMETHODIMP put_Appearance(VelAppearanceConstants appearance) override;
    STDMETHODIMP get_BorderStyle(VelBorderStyleConstands* style) override;
    STDMETHODIMP put_BorderStyle(VelBorderStyleConstands style) override;
    STDMETHODIMP get_OLEDropMode(VelOLEDropConstants* mode) override;
    STDMETHODIMP put_OLEDropMode(VelOLEDropConstants mode) override;
    STDMETHODIMP get_Enabled(VARIANT_BOOL* enabled) override;
    STDMETHODIMP put_Enabled(VARIANT_BOOL enabled) override;
    STDMETHODIMP get_Sorted(VARIANT_BOOL* sorted) override;
    STDMETHODIMP put_Sorted(VARIANT_BOOL sorted) override;
    STDMETHODIMP get_ShowColumnHeaders(VARIANT_BOOL* show) override;
    STDMETHODIMP put_ShowColumnHeaders(VARIANT_BOOL show) override;
    STDMETHODIMP get_hWnd(LONG* window) override;
    STDMETHODIMP get_OLEDragMode(LONG* mode) override;
    STDMETHODIMP put_OLEDragMode(LONG mode) override;
    STDMETHODIMP GetFirstVisible(::VelListItem** item) override;
    STDMETHODIMP GetLastVisible(::VelListItem** item) override;
    STDMETHODIMP HitTest(float* x, float* y, ::VelListItem** item) override;
    STDMETHODIMP OLEDrag() override;
    STDMETHODIMP ShowAboutBox() override;

    // For tests and benchmarks: the scroll bars, the splitter, and repaints.
    const ScrollBar& HorizontalBar() const { return *scrLR_; }
    const ScrollBar& VerticalBar() const { return *scrUD_; }
    ScrollBar& VerticalBar() { return *scrUD_; }
    const CSplitter& Splitter() const { return splitter_; }
    // A repaint request. Requests gather until the window paints (or FlushPaint), so a
    // burst of changes costs one repaint.
    void PaintControl(PaintPart part);
    // Paints what was requested, now.
    void FlushPaint();
    // The composed frame (the off-screen DC), brought up to date, and the control's window.
    HDC FrameDC() {
        FlushPaint();
        return paint_.hDCMem();
    }
    HWND WindowHandle() const { return Surface().Hwnd(); }
    long HeaderHeight() const { return headerHeight_; }
    long RowHeight() const override { return rowHeight_; }
    short BorderWidth() const { return borderWidth_; }
    short ScaleFactor() const { return scaleFactor_; }

protected:
    void OnInitialize() override;
    void OnInitProperties() override;
    void OnReadProperties(hosting::PropertyBag& bag) override;
    void OnWriteProperties(hosting::PropertyBag& bag) override;
    void OnResize() override;
    void OnPaint(HDC dc) override;
    void OnAmbientChanged(std::wstring_view name) override;
    void OnGotFocus() override;
    void OnLostFocus() override;
    void OnTerminate() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM w, LPARAM l) override;
    IDropTarget* DropTarget() override;
    std::vector<CLSID> PropertyPages() const override;

private:
    // Collection events.
    void ListItemAdded(VelListItem& item) override;
    void ListItemRemoved(VelListItem* item) override;
    void ListItemChanged(VelListItem& item, std::wstring_view property) override;
    void ListSelectionCleared() override;
    void ColumnHeaderAdded(VelColumnHeader& column) override;
    void ColumnHeaderRemoved(VelColumnHeader* column) override;
    void ColumnHeaderChanged(VelColumnHeader& column, std::wstring_view property) override;
    // The message hook.
    bool HookUserMode() const override;
    void HookMessage(HWND hwnd, UINT messageId, WPARAM wParam, LPARAM lParam) override;
    void HookPropertyChanged(std::wstring_view) override {}

    // Metrics and layout.
    long CalcHeaderHeight();
    long CalcRowHeight();
    void ApplyHeaderHeight();
    void ApplyRowHeight();
    void ApplyBorderStyle();
    void ApplyScaleUnits();
    bool NeedsHScroll() const;
    bool NeedsVScroll() const;
    void LayoutScrollBars();
    void UpdateHScrollRange();
    void UpdateVScrollRange();
    void RecomputeScrollRanges();
    void SizeScrollBars();
    void UpdateSplitterBounds();
    bool SizeGripWanted();
    ListboxView View(bool userMode);
    void SchedulePaint(unsigned parts);
    long FirstPositionInView() const;
    long LastPositionInView() const;
    void SortItems();

    // Persistence.
    void ApplyProperties(hosting::PropertyBag& bag, const std::vector<ColumnPersistence::SavedColumn>& columns);
    void ReadColumns(const std::vector<ColumnPersistence::SavedColumn>& columns);
    void WriteColumns(hosting::PropertyBag& bag);

    // Input.
    void OnScrollBar(ScrollBar& bar, ScrollBar::Event event);
    void MouseDown(short button, short shift, float x, float y);
    void MouseMove(short button, short shift, float x, float y);
    void MouseUp(short button, short shift, float x, float y);
    void FinishDividerDrag(float x);
    void KeyDown(WPARAM key);
    void RaiseMouse(DISPID id, short button, short shift, float x, float y);
    void RaiseKey(DISPID id, WPARAM key, bool withShift);
    long FirstVisiblePosition() const;
    long LastVisiblePosition() const;

    // What the selection and keyboard classes ask of the control.
    bool MultiSelect() const override { return multiSelect_; }
    bool HoldPainting() override { return std::exchange(redraw_, false); }
    void ResumePainting(bool wasOn) override { redraw_ = wasOn; }
    void RepaintRows() override { PaintControl(PaintPart::Items); }
    void RaiseListItemClick(VelListItem& row) override;
    long FirstVisibleIndex() override { return FirstVisiblePosition(); }
    long LastVisibleIndex() override { return LastVisiblePosition(); }
    HWND Window() const override { return Surface().Hwnd(); }
    void CurrentRowChanged(VelListItem* row) override;

    // What the accessible objects ask; the events accessibility clients hear.
    HWND AccessWindow() const override { return Surface().Hwnd(); }
    ListboxView AccessView() override { return View(UserMode()); }
    AccessibleRowIds& AccessIds() override { return rowIds_; }
    bool AccessEnabled() const override { return Surface().Enabled(); }
    void AccessTakeFocus() override;
    void AccessClick(VelListItem& row, short shift) override;
    void AccessFocusRow(VelListItem& row) override;
    void AccessActivate(VelListItem& row) override;
    void AccessColumnClick(VelColumnHeader& column) override;
    std::optional<LRESULT> AnswerAccessibility(WPARAM w, LPARAM l);
    void NotifyRow(DWORD event, VelListItem& row);
    void NotifyList(DWORD event, LONG object = OBJID_CLIENT, LONG child = CHILDID_SELF) const;

    void Changed(const wchar_t* property) { PropertyChanged(property); }
    void WatchFonts();
    void RowFontChanged();
    void HeaderFontChanged();
    void MarkColumnsChanged();
    bool UserMode() const;

    com::ComPtr<VelListItems> items_;
    com::ComPtr<VelColumnHeaders> columns_;
    drawing::CPaint paint_;
    ListboxPainter painter_{paint_};
    ListboxSorter sorter_;
    unsigned pendingPaint_ = 0;  // repaint parts requested and not yet painted
    CSplitter splitter_;
    std::optional<msghook::VelMsgHook> velMsgHook1_;
    std::optional<ScrollBar> scrLR_;
    std::optional<ScrollBar> scrUD_;
    com::ComPtr<IPictureDisp> resizeCursor_;
    std::optional<RowSelection> selection_;
    std::optional<KeyNavigator> keys_;
    WheelScroll wheel_;
    std::optional<ListboxDragDrop> dragDrop_;
    AccessibleRowIds rowIds_;
    com::ComPtr<ListboxAccessible> accessible_;  // made for the first client that asks

    long selectionType_ = 0;
    bool multiSelect_ = false;
    short sortKey_ = 0;
    long sortOrder_ = 0;
    bool sorted_ = false;
    bool redraw_ = true;
    com::ComPtr<IFontDisp> columnHeaderFont_;
    com::ComPtr<IFontDisp> font_;
    // Declared after the fonts, so they stop watching before the fonts go.
    hosting::FontWatcher fontWatcher_{[this] { RowFontChanged(); }};
    hosting::FontWatcher headerFontWatcher_{[this] { HeaderFontChanged(); }};
    OLE_COLOR columnHeaderForeColor_ = 0x80000012;
    OLE_COLOR foreColor_ = 0x80000012;
    com::ComPtr<IPictureDisp> mouseIcon_;
    long mousePointer_ = 0;
    long borderStyle_ = 1;
    long appearance_ = 1;
    bool showColumnHeaders_ = true;
    long oleDragMode_ = 0;

    long headerHeight_ = 0;
    long rowHeight_ = 0;
    short borderWidth_ = 0;
    short scaleFactor_ = 1;
    bool hasFocus_ = false;

    com::ComPtr<VelColumnHeader> pressedColumn_;
    bool headerPressed_ = false;
    com::ComPtr<VelColumnHeader> sizingColumn_;
    bool suppressScrollPaint_ = false;
    bool loadingColumns_ = false;
};

}  // namespace vel::roster
