#include "VelListbox.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "AboutBox.h"
#include "ColumnPersistence.h"
#include "Checked.h"
#include "EventArguments.h"
#include "FontMeasure.h"
#include "LibraryFlags.h"
#include "ListboxEventIds.h"
#include "Module.h"
#include "StandardObjects.h"

namespace vel::roster {
namespace {

using com::ComPtr;
using com::Guarded;
using com::Variant;

const IID& kIid = IID__VelListbox;

constexpr OLE_COLOR kWindowBackground = 0x80000005;
constexpr OLE_COLOR kButtonText = 0x80000012;
constexpr UINT kSysColorChange = WM_SYSCOLORCHANGE;  // 21
constexpr long kMinimumColumnWidth = 4;
constexpr WORD kResizeCursorResource = 110;

// Repaint parts waiting for the next paint: the header band, the rows, a new frame, and
// the frame copied to the window again (the scroll bars alone changed).
constexpr unsigned kPaintHeaders = 1, kPaintItems = 2, kPaintNewFrame = 4, kPaintCopy = 8;

using namespace events;

VARIANT_BOOL Vb(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

using EventArguments::Reference;
using EventArguments::Short;
using EventArguments::Single;

Variant Missing() {
    VARIANT raw{};
    raw.vt = VT_ERROR;
    raw.scode = DISP_E_PARAMNOTFOUND;
    return Variant(raw);
}

template <class Interface, class T>
Interface* Out(const ComPtr<T>& object) {
    if (!object) return nullptr;
    Interface* out = static_cast<Interface*>(object.Get());
    out->AddRef();
    return out;
}

template <class T>
T* AddRefOut(T* object) {
    if (object) object->AddRef();
    return object;
}

// Rounds as automation conversions do: to the nearest integer, halves to even.
long RoundEven(double value) { return static_cast<long>(std::nearbyint(value)); }

// Shift / Ctrl / Alt state of a mouse message, as 1 2 4 bit sets.
short ShiftOf(WPARAM w) {
    return static_cast<short>(((w & MK_SHIFT) ? 1 : 0) | ((w & MK_CONTROL) ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

short KeyShift() {
    return static_cast<short>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

// The product's installation folder, from HKLM\Software\Corvane\Vel, value MainPath.
std::wstring MainPath() {
    wchar_t path[MAX_PATH] = L"";
    DWORD size = sizeof(path);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Corvane\\Vel", L"MainPath", RRF_RT_REG_SZ, nullptr, path,
                     &size) != ERROR_SUCCESS)
        return L"";
    return path;
}

// An object given for a property of an interface type must be one: automation may hand
// over any object the caller passed. Error 13 (type mismatch) otherwise; Nothing passes.
template <class Expected>
ComPtr<Expected> Require(IUnknown* object) {
    ComPtr<Expected> checked;
    if (object && FAILED(object->QueryInterface(IID_PPV_ARGS(&checked)))) com::Raise(com::StandardError::TypeMismatch);
    return checked;
}

// A copy of a font, so that this control's font is not shared with its container's.
ComPtr<IFontDisp> OwnFont(IFontDisp* font) { return font ? hosting::StandardObjects::CloneFont(font) : nullptr; }

}  // namespace

VelListbox::VelListbox() = default;
VelListbox::~VelListbox() = default;

bool VelListbox::UserMode() const { return Ambient().UserMode(); }

// ---- lifecycle ----------------------------------------------------------------------------

void VelListbox::OnInitialize() {
    items_ = com::Make<VelListItems>();
    columns_ = com::Make<VelColumnHeaders>();
    items_->SetListener(static_cast<ListItemsListener*>(this));
    columns_->SetListener(static_cast<ColumnHeadersListener*>(this));
    com::Module::SetHelpFile(MainPath() + L"\\Help\\Stellate.hlp");
    HWND window = Surface().Hwnd();
    splitter_.SetParentHwnd(window);
    splitter_.SetOrientation(0);
    splitter_.SetWidth(2);
    velMsgHook1_.emplace(static_cast<msghook::MsgHookOwner&>(*this));
    Variant handle = Variant::FromLong(static_cast<long>(reinterpret_cast<LONG_PTR>(window)));
    if (auto hooked = velMsgHook1_->Windows().AddWindow(Missing().Get(), Missing().Get(), Missing().Get(), handle.Get()))
        hooked->Messages().AddMessage(Missing().Get(), Missing().Get(), Variant::FromLong(kSysColorChange).Get(),
                                      Variant::FromString(L"WM_SYSCOLORCHANGE").Get(), Missing().Get(),
                                      Missing().Get());
    scrLR_.emplace(window, false);
    scrUD_.emplace(window, true);
    scrLR_->SetHandler([this](ScrollBar::Event event) { OnScrollBar(*scrLR_, event); });
    scrUD_->SetHandler([this](ScrollBar::Event event) { OnScrollBar(*scrUD_, event); });
    SizeScrollBars();
    selection_.emplace(*items_.Get(), static_cast<ListInputOwner&>(*this));
    keys_.emplace(*items_.Get(), *selection_, *scrUD_, static_cast<ListInputOwner&>(*this));
    dragDrop_.emplace(
        window, [this](DISPID id, std::vector<Variant> arguments) { RaiseEvent(id, std::move(arguments)); },
        [this](IDataObject* data, IDropSource* source, DWORD allowed, DWORD* effect) {
            return StartOleDrag(data, source, allowed, effect);
        });
    // The library's own column-resize pointer; the system's as a stand-in.
    HCURSOR resizePointer = LoadCursorW(com::Module::Handle(), MAKEINTRESOURCEW(kResizeCursorResource));
    HICON resize = CopyIcon(resizePointer ? resizePointer : LoadCursorW(nullptr, IDC_SIZEWE));
    if (resize) resizeCursor_ = hosting::StandardObjects::PictureFromIcon(resize);
    redraw_ = true;
}

void VelListbox::OnInitProperties() {
    redraw_ = false;
    velMsgHook1_->SetSubclass(true);
    Surface().SetBackColor(kWindowBackground);
    Surface().SetForeColor(kButtonText);
    foreColor_ = columnHeaderForeColor_ = Surface().ForeColor();
    showColumnHeaders_ = true;
    selectionType_ = 0;
    items_->SetSelectionType(selectionType_);
    multiSelect_ = false;
    sorted_ = false;
    sortOrder_ = 0;
    sortKey_ = 0;
    mousePointer_ = 0;
    Surface().SetMousePointer(0);
    mouseIcon_.Reset();
    auto ambientFont = Ambient().Font();
    columnHeaderFont_ = OwnFont(ambientFont.Get());
    font_ = OwnFont(ambientFont.Get());
    Surface().SetFont(font_.Get());
    borderStyle_ = 1;
    appearance_ = 1;
    ApplyHeaderHeight();
    ApplyRowHeight();
    ApplyScaleUnits();
    ApplyBorderStyle();
    redraw_ = true;
    PaintControl(PaintPart::All);
    LibraryFlags::SetRunTimeMode(UserMode());
    UpdateSplitterBounds();
    WatchFonts();
}

// A bag is checked before anything of it is applied; one that is refused, or fails while
// it is applied, leaves the control as a new one and the error goes to the container.
void VelListbox::OnReadProperties(hosting::PropertyBag& bag) {
    try {
        auto columns = ColumnPersistence::Read(bag);
        short sortKey = bag.ReadShort(L"SortKey", 0);
        if (sortKey < 0 || sortKey > static_cast<long>(columns.size()))
            com::Raise(com::StandardError::InvalidPropertyValue);
        ApplyProperties(bag, columns);
    } catch (...) {
        if (columns_->Count() > 0) columns_->ClearColumns();
        OnInitProperties();
        throw;
    }
}

void VelListbox::ApplyProperties(hosting::PropertyBag& bag, const std::vector<ColumnPersistence::SavedColumn>& columns) {
    redraw_ = false;
    auto ambient = Ambient();
    OLE_COLOR ambientFore = ambient.ForeColor();
    auto ambientFont = ambient.Font();
    Surface().SetBackColor(bag.ReadColor(L"BackColor", kWindowBackground));
    Surface().SetForeColor(bag.ReadColor(L"ForeColor", ambientFore));
    foreColor_ = Surface().ForeColor();
    columnHeaderForeColor_ = bag.ReadColor(L"ColumnHeaderForeColor", ambientFore);
    appearance_ = bag.ReadLong(L"Appearance", 1);
    borderStyle_ = bag.ReadLong(L"BorderStyle", 1);
    multiSelect_ = bag.ReadBool(L"MultiSelect", false);
    sortOrder_ = bag.ReadLong(L"SortOrder", 0);
    sortKey_ = bag.ReadShort(L"SortKey", 0);
    sorted_ = bag.ReadBool(L"Sorted", false);
    showColumnHeaders_ = bag.ReadBool(L"ShowColumnHeaders", true);
    mousePointer_ = bag.ReadLong(L"MousePointer", 0);
    try {
        Surface().SetMousePointer(static_cast<short>(mousePointer_));
    } catch (const com::AutomationError&) {
        // A pointer code the surface does not know is kept but not shown.
    }
    mouseIcon_ = bag.ReadPicture(L"MouseIcon", nullptr);
    Surface().SetMouseIcon(mouseIcon_.Get());
    auto headerFont = bag.ReadFont(L"ColumnHeaderFont", nullptr);
    columnHeaderFont_ = headerFont ? headerFont : OwnFont(ambientFont.Get());
    auto rowFont = bag.ReadFont(L"Font", nullptr);
    font_ = rowFont ? rowFont : OwnFont(ambientFont.Get());
    Surface().SetFont(font_.Get());
    selectionType_ = bag.ReadLong(L"SelectionType", 0);
    items_->SetSelectionType(selectionType_);
    ApplyHeaderHeight();
    ApplyRowHeight();
    ApplyScaleUnits();
    ApplyBorderStyle();
    ReadColumns(columns);
    velMsgHook1_->SetSubclass(true);
    redraw_ = true;
    PaintControl(PaintPart::All);
    UpdateSplitterBounds();
    LibraryFlags::SetRunTimeMode(UserMode());
    WatchFonts();
}

void VelListbox::OnWriteProperties(hosting::PropertyBag& bag) {
    auto ambient = Ambient();
    OLE_COLOR ambientFore = ambient.ForeColor();
    // Written against the same default it is read with, so that every colour but the
    // window colour survives a save and a reload.
    bag.WriteColor(L"BackColor", Surface().BackColor(), kWindowBackground);
    bag.WriteColor(L"ForeColor", Surface().ForeColor(), ambientFore);
    bag.WriteColor(L"ColumnHeaderForeColor", columnHeaderForeColor_, ambientFore);
    bag.WriteLong(L"SelectionType", selectionType_, 0);
    bag.WriteBool(L"MultiSelect", multiSelect_, false);
    bag.WriteLong(L"SortOrder", sortOrder_, 0);
    bag.WriteShort(L"SortKey", sortKey_, 0);
    bag.WriteBool(L"Sorted", sorted_, false);
    bag.WriteLong(L"MousePointer", mousePointer_, 0);
    bag.WriteObject(L"MouseIcon", mouseIcon_.Get(), nullptr);
    bag.WriteObject(L"ColumnHeaderFont", columnHeaderFont_.Get());
    bag.WriteObject(L"Font", font_.Get());
    bag.WriteLong(L"Appearance", appearance_, 1);
    bag.WriteLong(L"BorderStyle", borderStyle_, 1);
    bag.WriteBool(L"ShowColumnHeaders", showColumnHeaders_, true);
    if (!UserMode()) WriteColumns(bag);
}

// Reading restores the columns; it does not change them for the host.
void VelListbox::ReadColumns(const std::vector<ColumnPersistence::SavedColumn>& columns) {
    struct Loading {
        bool& flag;
        explicit Loading(bool& f) : flag(f) { flag = true; }
        ~Loading() { flag = false; }
    } loading(loadingColumns_);
    ColumnPersistence::Append(columns, *columns_.Get());
    RecomputeScrollRanges();
}

void VelListbox::WriteColumns(hosting::PropertyBag& bag) { ColumnPersistence::Write(bag, *columns_.Get()); }

void VelListbox::OnResize() {
    UpdateSplitterBounds();
    items_->SetClientHeight(Surface().ScaleHeight());
    RecomputeScrollRanges();
    PaintControl(PaintPart::All);
}

// Paints into the window's own DC; a container that asks for a picture gets the same
// frame copied into its DC.
void VelListbox::OnPaint(HDC dc) {
    // Requests waiting are painted; a window uncovered with none waiting paints everything.
    if (pendingPaint_ == 0) pendingPaint_ = kPaintHeaders | kPaintItems | kPaintNewFrame;
    FlushPaint();
    if (dc != Surface().Dc() && paint_.hDCMem())
        BitBlt(dc, 0, 0, Surface().ScaleWidth(), Surface().ScaleHeight(), paint_.hDCMem(), 0, 0, SRCCOPY);
}

void VelListbox::OnAmbientChanged(std::wstring_view name) {
    if (name == L"ScaleUnits") ApplyScaleUnits();
}

void VelListbox::OnGotFocus() {
    hasFocus_ = true;
    PaintControl(PaintPart::Items);
    // The system reports the window's focus; the current row has it within the list.
    if (selection_ && selection_->Current()) NotifyRow(EVENT_OBJECT_FOCUS, *selection_->Current());
}

void VelListbox::OnLostFocus() {
    hasFocus_ = false;
    PaintControl(PaintPart::Items);
}

void VelListbox::OnTerminate() {
    if (accessible_) std::exchange(accessible_, nullptr)->Disconnect();
    rowIds_.Forget(nullptr);
    if (splitter_.Dragging()) {
        splitter_.MouseUp();
        ReleaseCapture();
    }
    if (velMsgHook1_) {
        try {
            velMsgHook1_->SetSubclass(false);
        } catch (const com::AutomationError&) {
        }
        velMsgHook1_.reset();
    }
    if (items_) items_->SetListener(nullptr);
    if (columns_) columns_->SetListener(nullptr);
    if (dragDrop_) dragDrop_->Detach();
    keys_.reset();
    selection_.reset();
    pressedColumn_.Reset();
    sizingColumn_.Reset();
    items_.Reset();
    columns_.Reset();
    scrLR_.reset();
    scrUD_.reset();
    paint_.ReleaseMemDC();
}

// ---- the message hook ---------------------------------------------------------------------

bool VelListbox::HookUserMode() const { return UserMode(); }

void VelListbox::HookMessage(HWND, UINT messageId, WPARAM, LPARAM) {
    if (messageId == kSysColorChange) PaintControl(PaintPart::All);
}

// ---- metrics ------------------------------------------------------------------------------

long VelListbox::CalcHeaderHeight() {
    if (!showColumnHeaders_) return 0;
    return FontMeasure::TextHeight(Surface().Dc(), columnHeaderFont_.Get(), L"B") + 4;
}

long VelListbox::CalcRowHeight() { return FontMeasure::TextHeight(Surface().Dc(), font_.Get(), L"O"); }

void VelListbox::ApplyHeaderHeight() {
    headerHeight_ = CalcHeaderHeight();
    items_->SetHeaderHeight(headerHeight_);
    columns_->SetHeaderHeight(headerHeight_);
}

void VelListbox::ApplyRowHeight() {
    rowHeight_ = CalcRowHeight();
    items_->SetRowHeight(static_cast<short>(rowHeight_));
}

void VelListbox::ApplyBorderStyle() {
    borderWidth_ = borderStyle_ == 1 ? (appearance_ == 1 ? 2 : 1) : 0;
    items_->SetBorderOffset(borderWidth_);
    columns_->SetBorderOffset(borderWidth_);
}

void VelListbox::ApplyScaleUnits() {
    using hosting::ScaleUnit;
    std::wstring units = Ambient().ScaleUnits();
    std::optional<ScaleUnit> unit;
    if (units == L"Twip") unit = ScaleUnit::Twip;
    else if (units == L"Point") unit = ScaleUnit::Point;
    else if (units == L"Inch") unit = ScaleUnit::Inch;
    else if (units == L"Millimeter") unit = ScaleUnit::Millimeter;
    else if (units == L"Centimeter") unit = ScaleUnit::Centimeter;
    if (unit)
        scaleFactor_ = static_cast<short>(RoundEven(hosting::DrawingSurface::ScaleX(1, ScaleUnit::Pixel, *unit)));
    else
        scaleFactor_ = (units == L"Pixel" || units == L"User") ? 1 : 0;
    items_->SetScaleFactor(scaleFactor_);
    columns_->SetScaleFactor(scaleFactor_);
}

// ---- layout -------------------------------------------------------------------------------

bool VelListbox::NeedsHScroll() const {
    if (columns_->Count() == 0) return false;
    return Surface().ScaleWidth() - borderWidth_ < columns_->GetTotalWidth();
}

bool VelListbox::NeedsVScroll() const {
    long count = items_->Count();
    if (count == 0) return false;
    return int64_t{Surface().ScaleHeight()} < int64_t{items_->GetRowTop(count)} + rowHeight_ + headerHeight_;
}

void VelListbox::LayoutScrollBars() {
    long width = Surface().ScaleWidth(), height = Surface().ScaleHeight(), b = borderWidth_;
    bool horizontal = NeedsHScroll(), vertical = NeedsVScroll();
    ScrollBar &lr = *scrLR_, &ud = *scrUD_;
    if (horizontal && vertical) {
        ud.Move(width - b - ud.Width(), b, ud.Width(), height - 2 * b - lr.Height());
        lr.Move(b, height - b - lr.Height(), width - 2 * b - ud.Width(), lr.Height());
    } else if (horizontal) {
        lr.Move(b, height - b - lr.Height(), width - 2 * b, lr.Height());
    } else if (vertical) {
        ud.Move(width - b - ud.Width(), b, ud.Width(), height - 2 * b);
    }
    lr.SetVisible(width - b < columns_->GetTotalWidth());
    if (columns_->Count() > 0 && !lr.Visible()) {
        suppressScrollPaint_ = true;
        lr.SetValue(0);
        suppressScrollPaint_ = false;
    }
    // An emptied list gives its bar up too, scrolled back to the top.
    ud.SetVisible(vertical);
    if (!vertical) ud.SetValue(0);
}

void VelListbox::UpdateHScrollRange() {
    long count = columns_->Count();
    if (count > 0) {
        ScrollBar& lr = *scrLR_;
        long max = columns_->GetTotalWidth();
        long over = max - Surface().ScaleWidth() + borderWidth_;
        if (over > 0) max = over + (scrUD_->Visible() ? scrUD_->Width() : 0);
        lr.SetMax(max);
        long small = max / (2 * count);
        lr.SetSmallChange(small == 0 ? 1 : small);
        lr.SetLargeChange(max / count <= count ? max : max / count);
    }
    UpdateVScrollRange();
}

void VelListbox::UpdateVScrollRange() {
    long count = items_->Count();
    if (count == 0) return;
    ScrollBar& ud = *scrUD_;
    ud.SetSmallChange(rowHeight_);
    ud.SetLargeChange(4 * rowHeight_);
    // 32-bit: a hundred thousand rows and more scroll to every pixel.
    int64_t max = int64_t{count} * rowHeight_;
    if (ud.Visible()) max -= Surface().ScaleHeight() - (2 * borderWidth_ + headerHeight_);
    if (scrLR_->Visible()) max += scrLR_->Height();
    ud.SetMax(static_cast<long>(std::min<int64_t>(max, INT32_MAX)));
}

// The bars take their new values at once and show them at the next repaint.
void VelListbox::RecomputeScrollRanges() {
    LayoutScrollBars();
    UpdateHScrollRange();
    if (redraw_ && (scrLR_->Stale() || scrUD_->Stale())) SchedulePaint(kPaintCopy);
}

void VelListbox::SizeScrollBars() {
    scrLR_->Move(scrLR_->Left(), scrLR_->Top(), scrLR_->Width(), GetSystemMetrics(SM_CXHSCROLL));
    scrUD_->Move(scrUD_->Left(), scrUD_->Top(), GetSystemMetrics(SM_CXVSCROLL), scrUD_->Height());
}

void VelListbox::UpdateSplitterBounds() {
    long b2 = 2 * borderWidth_;
    splitter_.SetParentHeight(Surface().ScaleHeight() - b2);
    splitter_.SetParentWidth(Surface().ScaleWidth() - b2);
    splitter_.SetHeight(Surface().ScaleHeight() - b2);
}

// Whether the control's lower-right corner lies within two container units times the
// scale factor of its container's lower-right corner.
bool VelListbox::SizeGripWanted() {
    HWND window = Surface().Hwnd(), parent = GetParent(window);
    if (!parent) return false;
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    double unit = hosting::DrawingSurface::ScaleX(1, hosting::ScaleUnit::Pixel, ContainerUnit());
    double right = rect.right * unit, bottom = rect.bottom * unit, slack = 2.0 * scaleFactor_;
    double containerWidth = ContainerScaleWidth(), containerHeight = ContainerScaleHeight();
    return containerWidth - slack <= right && right <= containerWidth && containerHeight - slack <= bottom &&
           bottom <= containerHeight;
}

ListboxView VelListbox::View(bool userMode) {
    ListboxView view;
    view.width = Surface().ScaleWidth();
    view.height = Surface().ScaleHeight();
    view.border = borderWidth_;
    view.headerHeight = headerHeight_;
    view.rowHeight = rowHeight_;
    view.showHeaders = showColumnHeaders_;
    view.userMode = userMode;
    view.hasFocus = hasFocus_;
    view.multiSelect = multiSelect_;
    view.selectionType = selectionType_;
    view.borderStyle = borderStyle_;
    view.appearance = appearance_;
    view.backColor = Surface().BackColor();
    view.foreColor = foreColor_;
    view.headerForeColor = columnHeaderForeColor_;
    view.font = font_.Get();
    view.headerFont = columnHeaderFont_.Get();
    view.items = items_.Get();
    view.columns = columns_.Get();
    view.selectedItem = selection_ ? selection_->Current() : nullptr;
    view.pressedColumn = pressedColumn_.Get();
    view.hBarVisible = scrLR_->Visible();
    view.vBarVisible = scrUD_->Visible();
    view.horizontalOffset = view.hBarVisible ? scrLR_->Value() : 0;
    view.verticalOffset = scrUD_->Value();
    view.hBarTop = scrLR_->Top();
    view.hBarHeight = scrLR_->Height();
    view.vBarLeft = scrUD_->Left();
    view.vBarWidth = scrUD_->Width();
    view.cornerSquare = NeedsHScroll() && NeedsVScroll();
    if (view.cornerSquare) view.sizeGrip = SizeGripWanted();
    if (!userMode) view.displayName = Ambient().DisplayName();
    return view;
}

void VelListbox::PaintControl(PaintPart part) {
    if (!redraw_ || !items_) return;
    switch (part) {
    case PaintPart::Headers: SchedulePaint(kPaintHeaders); break;
    case PaintPart::Items: SchedulePaint(kPaintItems); break;
    case PaintPart::All: SchedulePaint(kPaintHeaders | kPaintItems | kPaintNewFrame); break;
    }
}

// The first request of a burst asks the window to paint; the rest only add parts.
void VelListbox::SchedulePaint(unsigned parts) {
    bool idle = pendingPaint_ == 0;
    pendingPaint_ |= parts;
    if (idle && Surface().Hwnd()) InvalidateRect(Surface().Hwnd(), nullptr, FALSE);
}

void VelListbox::FlushPaint() {
    unsigned parts = std::exchange(pendingPaint_, 0u);
    if (!parts || !redraw_ || !items_ || Surface().ScaleWidth() <= 0 || Surface().ScaleHeight() <= 0) return;
    scrLR_->Refresh();
    scrUD_->Refresh();
    PaintPart part = PaintPart::All;
    bool both = (parts & (kPaintHeaders | kPaintItems)) == (kPaintHeaders | kPaintItems);
    // Parts 1 and 2 draw on the existing bitmap; without one they draw everything.
    if (paint_.hDCMem() && !(parts & kPaintNewFrame) && !both) {
        if (parts & kPaintItems) part = PaintPart::Items;
        else if (parts & kPaintHeaders) part = PaintPart::Headers;
        else {
            paint_.BltMemDC(Surface().Dc(), Surface().ScaleWidth(), Surface().ScaleHeight());
            return;
        }
    }
    painter_.Paint(Surface().Dc(), View(UserMode()), part);
}

// The first and last positions a row can show at (the last one generously).
long VelListbox::FirstPositionInView() const {
    if (rowHeight_ <= 0) return 1;
    return static_cast<long>((std::max(int64_t{scrUD_->Value()}, int64_t{0}) + rowHeight_ - 1) / rowHeight_) + 1;
}

long VelListbox::LastPositionInView() const {
    if (rowHeight_ <= 0) return LONG_MAX;
    return FirstPositionInView() + Surface().ScaleHeight() / rowHeight_ + 1;
}

// Sorts the rows by the SortKey column; a failure leaves them as they were.
void VelListbox::SortItems() {
    if (!redraw_ || sortKey_ == 0) return;
    sorter_.SortAll(*items_.Get(), sortKey_, sortOrder_ != 0);
    NotifyList(EVENT_OBJECT_REORDER);
}

// ---- collection events --------------------------------------------------------------------

// A row added below the view moves no row in view: it costs no drawing, only the scroll
// bar's new range. A sorted list places the new row by binary search.
void VelListbox::ListItemAdded(VelListItem& item) {
    ComPtr<VelListItem> hold(&item);
    if (redraw_) RecomputeScrollRanges();
    bool alone = true;
    if (sorted_ && redraw_ && sortKey_ >= 1)
        alone = sorter_.PlaceAdded(*items_.Get(), item, sortKey_, sortOrder_ != 0);
    if (!alone) NotifyList(EVENT_OBJECT_REORDER);
    if (!alone || item.IndexValue() <= LastPositionInView()) PaintControl(PaintPart::Items);
}

void VelListbox::ListItemRemoved(VelListItem* item) {
    // A removed row is no longer current; after Clear (no row) nothing is.
    selection_->Forget(item);
    // A row a client knew is gone; after Clear every child is.
    if (LONG id = rowIds_.Forget(item)) NotifyList(EVENT_OBJECT_DESTROY, OBJID_CLIENT, id);
    if (!item) NotifyList(EVENT_OBJECT_REORDER);
    RecomputeScrollRanges();
    if (!item || item->IndexValue() <= LastPositionInView()) PaintControl(PaintPart::Items);
}

// A new text below or above the view, or a new Index, changes nothing on the screen.
void VelListbox::ListItemChanged(VelListItem& item, std::wstring_view property) {
    if (property == L"Selected") {
        if (!selection_->Current() || !multiSelect_) {
            selection_->SetCurrent(&item);
            selection_->SetAnchor(&item);
        }
        PaintControl(PaintPart::Items);
        if (multiSelect_) NotifyRow(item.IsSelected() ? EVENT_OBJECT_SELECTIONADD : EVENT_OBJECT_SELECTIONREMOVE, item);
        else if (item.IsSelected()) NotifyRow(EVENT_OBJECT_SELECTION, item);
        NotifyRow(EVENT_OBJECT_STATECHANGE, item);
        return;
    }
    if (property == L"Index") return;
    // Only a row a client knows can have changed for it.
    if (LONG id = rowIds_.Find(item); id && (property == L"Text" || property == L"SubItems"))
        NotifyList(property == L"Text" ? EVENT_OBJECT_NAMECHANGE : EVENT_OBJECT_DESCRIPTIONCHANGE, OBJID_CLIENT, id);
    long position = item.IndexValue();
    if (position >= FirstPositionInView() && position <= LastPositionInView()) PaintControl(PaintPart::Items);
}

// Many rows left the selection at once: clients read the selection again.
void VelListbox::ListSelectionCleared() { NotifyList(EVENT_OBJECT_SELECTIONWITHIN); }

void VelListbox::ColumnHeaderAdded(VelColumnHeader& column) {
    if (column.IndexValue() == 1) items_->SetRowWidth(column.GetInternalWidth());
    items_->AddColumnSlot();
    // A load lays the columns out once, when all are in.
    if (!loadingColumns_) RecomputeScrollRanges();
    PaintControl(PaintPart::All);
    MarkColumnsChanged();
    NotifyList(EVENT_OBJECT_REORDER, ListboxAccessible::kHeaderObjectId);
}

void VelListbox::ColumnHeaderRemoved(VelColumnHeader* column) {
    if (!column) {
        items_->ResetColumnCount();
        items_->ClearItems();
    } else {
        // The row width follows the column that is now first.
        if (column->IndexValue() == 1 && columns_->Count() >= 1)
            items_->SetRowWidth(columns_->At(1)->GetInternalWidth());
        items_->RemoveColumnSlot();
    }
    long count = columns_->Count();
    if (sortKey_ > count) sortKey_ = static_cast<short>(count == 0 ? 0 : 1);
    RecomputeScrollRanges();
    PaintControl(PaintPart::All);
    MarkColumnsChanged();
    NotifyList(EVENT_OBJECT_REORDER, ListboxAccessible::kHeaderObjectId);
}

void VelListbox::ColumnHeaderChanged(VelColumnHeader& column, std::wstring_view property) {
    if (property == L"Width" && column.IndexValue() == 1) items_->SetRowWidth(column.GetInternalWidth());
    if (column.GetDrawState() == 0) {
        // A new width or visibility changes the total width the scroll bars cover.
        if ((property == L"Width" || property == L"Visible") && !loadingColumns_) RecomputeScrollRanges();
        PaintControl(PaintPart::All);
    }
    MarkColumnsChanged();
    if (property == L"Text")
        if (LONG id = ListHeaderAccessible::ChildIdOf(AccessView(), column.IndexValue()))
            NotifyList(EVENT_OBJECT_NAMECHANGE, ListboxAccessible::kHeaderObjectId, id);
    if (property == L"Visible") NotifyList(EVENT_OBJECT_REORDER, ListboxAccessible::kHeaderObjectId);
}

void VelListbox::MarkColumnsChanged() {
    if (!UserMode() && !loadingColumns_) Changed(L"Columns");
}

// ---- properties ---------------------------------------------------------------------------

STDMETHODIMP VelListbox::get_ListItems(_VelListItems** items) {
    VEL_CHECK_OUT(items);
    *items = Out<_VelListItems>(items_);
    return S_OK;
}

STDMETHODIMP VelListbox::get_ColumnHeaders(_VelColumnHeaders** columns) {
    VEL_CHECK_OUT(columns);
    *columns = Out<_VelColumnHeaders>(columns_);
    return S_OK;
}

STDMETHODIMP VelListbox::get_ColumnHeaderForeColor(OLE_COLOR* color) {
    VEL_CHECK_OUT(color);
    *color = columnHeaderForeColor_;
    return S_OK;
}

STDMETHODIMP VelListbox::put_ColumnHeaderForeColor(OLE_COLOR color) {
    return Guarded(kIid, [&] {
        columnHeaderForeColor_ = color;
        PaintControl(PaintPart::Headers);
        Changed(L"ColumnHeaderForeColor");
    });
}

STDMETHODIMP VelListbox::get_ForeColor(OLE_COLOR* color) {
    VEL_CHECK_OUT(color);
    *color = foreColor_;
    return S_OK;
}

// The surface's fore colour is what is saved, so it follows the property.
STDMETHODIMP VelListbox::put_ForeColor(OLE_COLOR color) {
    return Guarded(kIid, [&] {
        foreColor_ = color;
        Surface().SetForeColor(color);
        Changed(L"ForeColor");
        PaintControl(PaintPart::Items);
    });
}

STDMETHODIMP VelListbox::get_BackColor(OLE_COLOR* color) {
    VEL_CHECK_OUT(color);
    *color = Surface().BackColor();
    return S_OK;
}

STDMETHODIMP VelListbox::put_BackColor(OLE_COLOR color) {
    return Guarded(kIid, [&] {
        Surface().SetBackColor(color);
        Changed(L"BackColor");
        PaintControl(PaintPart::Items);
    });
}

STDMETHODIMP VelListbox::get_Redraw(VARIANT_BOOL* redraw) {
    VEL_CHECK_OUT(redraw);
    *redraw = Vb(redraw_);
    return S_OK;
}

STDMETHODIMP VelListbox::put_Redraw(VARIANT_BOOL redraw) {
    return Guarded(kIid, [&] {
        redraw_ = redraw != VARIANT_FALSE;
        if (items_->Count() >= 1 && redraw_) {
            RecomputeScrollRanges();
            if (sorted_ && sortKey_ >= 1) SortItems();
        }
        PaintControl(PaintPart::All);
    });
}

STDMETHODIMP VelListbox::get_SelectionType(VelSelectionTypeConstants* type) {
    VEL_CHECK_OUT(type);
    *type = static_cast<VelSelectionTypeConstants>(selectionType_);
    return S_OK;
}

// The rows' hit test follows the highlight style, so it hears of the change at once.
STDMETHODIMP VelListbox::put_SelectionType(VelSelectionTypeConstants type) {
    return Guarded(kIid, [&] {
        com::RequireRange(type, 0, 1);
        selectionType_ = type;
        items_->SetSelectionType(selectionType_);
        PaintControl(PaintPart::Items);
        Changed(L"SelectionType");
    });
}

STDMETHODIMP VelListbox::get_MultiSelect(VARIANT_BOOL* multiSelect) {
    VEL_CHECK_OUT(multiSelect);
    *multiSelect = Vb(multiSelect_);
    return S_OK;
}

STDMETHODIMP VelListbox::put_MultiSelect(VARIANT_BOOL multiSelect) {
    return Guarded(kIid, [&] {
        multiSelect_ = multiSelect != VARIANT_FALSE;
        Changed(L"MultiSelect");
        PaintControl(PaintPart::Items);
    });
}

STDMETHODIMP VelListbox::get_SelectedItem(::VelListItem** item) {
    VEL_CHECK_OUT(item);
    *item = Out<::VelListItem>(ComPtr<VelListItem>(selection_->Current()));
    return S_OK;
}

// Selects the row at the given row's position; Nothing clears the selection.
STDMETHODIMP VelListbox::putref_SelectedItem(::VelListItem* item) {
    return Guarded(kIid, [&] {
        if (!item) {
            selection_->SetCurrent(nullptr);
            items_->DeselectAll();
            PaintControl(PaintPart::Items);
            return;
        }
        LONG index = 0;
        HRESULT hr = Require<::VelListItem>(item)->get_Index(&index);
        if (FAILED(hr)) throw com::AutomationError(hr, L"The row has no position.");
        ComPtr<VelListItem> row = items_->ItemAt(Variant::FromLong(index).Get());
        selection_->SetCurrent(row.Get());
        items_->DeselectAll();
        row->SetSelectedValue(true);
        PaintControl(PaintPart::Items);
    });
}

STDMETHODIMP VelListbox::get_SortOrder(VelSortOrderConstants* order) {
    VEL_CHECK_OUT(order);
    *order = static_cast<VelSortOrderConstants>(sortOrder_);
    return S_OK;
}

STDMETHODIMP VelListbox::put_SortOrder(VelSortOrderConstants order) {
    return Guarded(kIid, [&] {
        com::RequireRange(order, 0, 1);
        sortOrder_ = order;
        if (UserMode() && sorted_) {
            SortItems();
            PaintControl(PaintPart::Items);
        }
        Changed(L"SortOrder");
    });
}

STDMETHODIMP VelListbox::get_SortKey(short* key) {
    VEL_CHECK_OUT(key);
    *key = sortKey_;
    return S_OK;
}

// An out-of-range key is reported to the user, not raised to the caller.
STDMETHODIMP VelListbox::put_SortKey(short key) {
    return Guarded(kIid, [&] {
        if (key < 0 || key > columns_->Count()) {
            ShowMessage(L"SortKey value must be between 0 and the number of ColumnHeaders.", MB_OK | MB_ICONINFORMATION);
            return;
        }
        sortKey_ = key;
        if (UserMode() && sorted_ && sortKey_ >= 1) {
            SortItems();
            PaintControl(PaintPart::Items);
        }
        Changed(L"SortKey");
    });
}

STDMETHODIMP VelListbox::get_MouseIcon(IPictureDisp** icon) {
    VEL_CHECK_OUT(icon);
    *icon = AddRefOut(mouseIcon_.Get());
    return S_OK;
}

STDMETHODIMP VelListbox::putref_MouseIcon(IPictureDisp* icon) {
    return Guarded(kIid, [&] {
        Require<IPicture>(icon);
        mouseIcon_ = icon;
        Surface().SetMouseIcon(icon);
        Changed(L"MouseIcon");
    });
}

STDMETHODIMP VelListbox::get_MousePointer(LONG* pointer) {
    VEL_CHECK_OUT(pointer);
    *pointer = mousePointer_;
    return S_OK;
}

// The standard pointers 0 to 15 and the custom pointer, 99, which shows MouseIcon.
constexpr LONG kLastStandardPointer = 15;
constexpr LONG kCustomPointer = 99;

STDMETHODIMP VelListbox::put_MousePointer(LONG pointer) {
    return Guarded(kIid, [&] {
        if (pointer != kCustomPointer) com::RequireRange(pointer, 0, kLastStandardPointer);
        mousePointer_ = pointer;
        try {
            Surface().SetMousePointer(static_cast<short>(pointer));
        } catch (const com::AutomationError&) {
            // Stored as given; a code the surface does not know shows the default pointer.
        }
        Changed(L"MousePointer");
    });
}

STDMETHODIMP VelListbox::get_Font(IFontDisp** font) {
    VEL_CHECK_OUT(font);
    *font = AddRefOut(font_.Get());
    return S_OK;
}

// `Font = value` without Set: a font object is taken as by Set; other values name the face,
// which the watcher then hears.
STDMETHODIMP VelListbox::put_Font(VARIANT value) {
    return Guarded(kIid, [&] {
        if (auto font = hosting::StandardObjects::LetFont(font_.Get(), value)) {
            font_ = font;
            WatchFonts();
            RowFontChanged();
        }
    });
}

STDMETHODIMP VelListbox::putref_Font(IFontDisp* font) {
    return Guarded(kIid, [&] {
        Require<IFont>(font);
        font_ = font;
        WatchFonts();
        RowFontChanged();
    });
}

void VelListbox::WatchFonts() {
    fontWatcher_.Watch(font_.Get());
    headerFontWatcher_.Watch(columnHeaderFont_.Get());
}

// The row font was assigned or one of its properties changed.
void VelListbox::RowFontChanged() {
    Surface().SetFont(font_.Get());
    ApplyRowHeight();
    // The scroll range counts rows in pixels, so it follows the row height.
    RecomputeScrollRanges();
    PaintControl(PaintPart::Items);
    Changed(L"Font");
}

void VelListbox::HeaderFontChanged() {
    ApplyHeaderHeight();
    PaintControl(PaintPart::All);
    Changed(L"ColumnHeaderFont");
}

STDMETHODIMP VelListbox::get_ColumnHeaderFont(IFontDisp** font) {
    VEL_CHECK_OUT(font);
    *font = AddRefOut(columnHeaderFont_.Get());
    return S_OK;
}

STDMETHODIMP VelListbox::put_ColumnHeaderFont(VARIANT value) {
    return Guarded(kIid, [&] {
        if (auto font = hosting::StandardObjects::LetFont(columnHeaderFont_.Get(), value)) {
            columnHeaderFont_ = font;
            WatchFonts();
            HeaderFontChanged();
        }
    });
}

STDMETHODIMP VelListbox::putref_ColumnHeaderFont(IFontDisp* font) {
    return Guarded(kIid, [&] {
        Require<IFont>(font);
        columnHeaderFont_ = font;
        WatchFonts();
        HeaderFontChanged();
    });
}

STDMETHODIMP VelListbox::get_Appearance(VelAppearanceConstants* appearance) {
    VEL_CHECK_OUT(appearance);
    *appearance = static_cast<VelAppearanceConstants>(appearance_);
    return S_OK;
}

STDMETHODIMP VelListbox::put_Appearance(VelAppearanceConstants appearance) {
    return Guarded(kIid, [&] {
        com::RequireRange(appearance, 0, 1);
        appearance_ = appearance;
        Changed(L"Appearance");
        ApplyBorderStyle();
        PaintControl(PaintPart::All);
    });
}

STDMETHODIMP VelListbox::get_BorderStyle(VelBorderStyleConstands* style) {
    VEL_CHECK_OUT(style);
    *style = static_cast<VelBorderStyleConstands>(borderStyle_);
    return S_OK;
}

STDMETHODIMP VelListbox::put_BorderStyle(VelBorderStyleConstands style) {
    return Guarded(kIid, [&] {
        com::RequireRange(style, 0, 1);
        borderStyle_ = style;
        Changed(L"BorderStyle");
        ApplyBorderStyle();
        PaintControl(PaintPart::All);
    });
}

STDMETHODIMP VelListbox::get_OLEDropMode(VelOLEDropConstants* mode) {
    VEL_CHECK_OUT(mode);
    *mode = static_cast<VelOLEDropConstants>(OleDropMode());
    return S_OK;
}

STDMETHODIMP VelListbox::put_OLEDropMode(VelOLEDropConstants mode) {
    return Guarded(kIid, [&] {
        com::RequireRange(mode, 0, 1);
        SetOleDropMode(static_cast<short>(mode));
        Changed(L"OLEDropMode");
    });
}

STDMETHODIMP VelListbox::get_Enabled(VARIANT_BOOL* enabled) {
    VEL_CHECK_OUT(enabled);
    *enabled = Vb(Surface().Enabled());
    return S_OK;
}

STDMETHODIMP VelListbox::put_Enabled(VARIANT_BOOL enabled) {
    return Guarded(kIid, [&] {
        Surface().SetEnabled(enabled != VARIANT_FALSE);
        Changed(L"Enabled");
        if (UserMode()) PaintControl(PaintPart::All);
    });
}

STDMETHODIMP VelListbox::get_Sorted(VARIANT_BOOL* sorted) {
    VEL_CHECK_OUT(sorted);
    *sorted = Vb(sorted_);
    return S_OK;
}

STDMETHODIMP VelListbox::put_Sorted(VARIANT_BOOL sorted) {
    return Guarded(kIid, [&] {
        sorted_ = sorted != VARIANT_FALSE;
        if (UserMode() && sorted_ && sortKey_ >= 1) {
            SortItems();
            PaintControl(PaintPart::Items);
        }
        Changed(L"Sorted");
    });
}

STDMETHODIMP VelListbox::get_ShowColumnHeaders(VARIANT_BOOL* show) {
    VEL_CHECK_OUT(show);
    *show = Vb(showColumnHeaders_);
    return S_OK;
}

// The band's new height reaches the hit tests and the screen at once.
STDMETHODIMP VelListbox::put_ShowColumnHeaders(VARIANT_BOOL show) {
    return Guarded(kIid, [&] {
        showColumnHeaders_ = show != VARIANT_FALSE;
        ApplyHeaderHeight();
        Changed(L"ShowColumnHeaders");
        RecomputeScrollRanges();
        PaintControl(PaintPart::All);
    });
}

STDMETHODIMP VelListbox::get_hWnd(LONG* window) {
    VEL_CHECK_OUT(window);
    *window = static_cast<LONG>(reinterpret_cast<LONG_PTR>(Surface().Hwnd()));
    return S_OK;
}

STDMETHODIMP VelListbox::get_OLEDragMode(LONG* mode) {
    VEL_CHECK_OUT(mode);
    *mode = oleDragMode_;
    return S_OK;
}

STDMETHODIMP VelListbox::put_OLEDragMode(LONG mode) {
    return Guarded(kIid, [&] {
        oleDragMode_ = mode;
        Changed(L"OLEDragMode");
    });
}

// ---- methods ------------------------------------------------------------------------------

// The first row whose top is at or below the top of the row area, found by
// arithmetic; 1 when none is (and on an empty list, where no row answers to it).
long VelListbox::FirstVisiblePosition() const {
    long count = items_->Count(), position = 1;
    if (rowHeight_ > 0) {
        int64_t above = int64_t{scrUD_->Value()} - borderWidth_;
        position = above <= 0 ? 1 : static_cast<long>((above + rowHeight_ - 1) / rowHeight_) + 1;
    }
    return position > count ? 1 : position;
}

// The row cut off at the bottom of the view, or the last row when all fit.
long VelListbox::LastVisiblePosition() const {
    long count = items_->Count(), position = count;
    if (rowHeight_ > 0) {
        int64_t bottom = int64_t{Surface().ScaleHeight()} - borderWidth_ + 1;
        if (NeedsHScroll()) bottom -= scrLR_->Height();
        int64_t reach = int64_t{scrUD_->Value()} + bottom - borderWidth_ - headerHeight_;
        int64_t first = reach < 0 ? 1 : reach / rowHeight_ + 1;
        if (first <= count) position = static_cast<long>(first);
    }
    return position;
}

STDMETHODIMP VelListbox::GetFirstVisible(::VelListItem** item) {
    VEL_CHECK_OUT(item);
    *item = nullptr;
    return Guarded(kIid, [&] {
        *item = Out<::VelListItem>(items_->ItemAt(Variant::FromLong(FirstVisiblePosition()).Get()));
    });
}

STDMETHODIMP VelListbox::GetLastVisible(::VelListItem** item) {
    VEL_CHECK_OUT(item);
    *item = nullptr;
    return Guarded(kIid, [&] {
        *item = Out<::VelListItem>(items_->ItemAt(Variant::FromLong(LastVisiblePosition()).Get()));
    });
}

STDMETHODIMP VelListbox::HitTest(float* x, float* y, ::VelListItem** item) {
    VEL_CHECK_OUT(item);
    *item = nullptr;
    if (!x || !y) return E_POINTER;
    return Guarded(kIid, [&] {
        if (scaleFactor_ == 0) com::Raise(com::StandardError::DivisionByZero);
        VelListItem* hit = items_->HitTestItem(*x / scaleFactor_, *y / scaleFactor_);
        *item = Out<::VelListItem>(ComPtr<VelListItem>(hit));
    });
}

STDMETHODIMP VelListbox::OLEDrag() {
    return Guarded(kIid, [&] {
        if (dragDrop_) dragDrop_->Drag();
    });
}

IDropTarget* VelListbox::DropTarget() { return dragDrop_ ? dragDrop_->Target() : nullptr; }

STDMETHODIMP VelListbox::ShowAboutBox() {
    return Guarded(kIid, [&] {
        about::AboutBox::WithModuleVersion(com::Module::Handle(), com::LibraryTitle()).Show(Surface().Hwnd());
    });
}

// ---- input --------------------------------------------------------------------------------

std::optional<LRESULT> VelListbox::OnMessage(UINT message, WPARAM w, LPARAM l) {
    float x = static_cast<float>(GET_X_LPARAM(l)), y = static_cast<float>(GET_Y_LPARAM(l));
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A press takes the focus, as a standard list box's does.
        if (GetFocus() != Surface().Hwnd()) SetFocus(Surface().Hwnd());
        MouseDown(message == WM_RBUTTONDOWN ? 2 : message == WM_MBUTTONDOWN ? 4 : 1, ShiftOf(w), x, y);
        if (message == WM_LBUTTONDBLCLK) RaiseEvent(kDblClick, {});
        return 0;
    case WM_MOUSEMOVE: MouseMove(EventArguments::ButtonsOf(static_cast<DWORD>(w)), ShiftOf(w), x, y); return 0;
    case WM_LBUTTONUP:
        MouseUp(1, ShiftOf(w), x, y);
        RaiseEvent(kClick, {});
        return 0;
    case WM_RBUTTONUP: MouseUp(2, ShiftOf(w), x, y); return 0;
    case WM_MBUTTONUP: MouseUp(4, ShiftOf(w), x, y); return 0;
    case WM_MOUSEWHEEL:
        wheel_.Turn(*scrUD_, GET_WHEEL_DELTA_WPARAM(w), rowHeight_);
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_GETOBJECT: return AnswerAccessibility(w, l);
    case WM_KEYDOWN: KeyDown(w); return 0;
    case WM_KEYUP: RaiseKey(kKeyUp, w, true); return 0;
    case WM_CHAR: RaiseKey(kKeyPress, w, false); return 0;
    case WM_HSCROLL:
        if (scrLR_ && reinterpret_cast<HWND>(l) == scrLR_->Handle()) scrLR_->HandleScroll(LOWORD(w));
        return 0;
    case WM_VSCROLL:
        if (scrUD_ && reinterpret_cast<HWND>(l) == scrUD_->Handle()) scrUD_->HandleScroll(LOWORD(w));
        return 0;
    default: return std::nullopt;
    }
}

// The list acts on the key first; the host then hears KeyDown, and Click when a
// move of the current row asks for it.
void VelListbox::KeyDown(WPARAM key) {
    ComPtr<IUnknown> keepAlive(static_cast<IOleObject*>(this));
    short code = static_cast<short>(key), shift = KeyShift();
    if (keys_ && keys_->KeyDown(code, shift)) RaiseEvent(kClick, {});
    RaiseEvent(kKeyDown, {Reference(&code), Reference(&shift)});
}

void VelListbox::RaiseListItemClick(VelListItem& row) {
    ComPtr<VelListItem> held(&row);
    RaiseEvent(kListItemClick, {Variant::FromDispatch(static_cast<::VelListItem*>(held.Get()))});
}

// ---- accessibility -------------------------------------------------------------------------

// The list's object for OBJID_CLIENT, the header band's for its own id; the system
// answers every other object id.
std::optional<LRESULT> VelListbox::AnswerAccessibility(WPARAM w, LPARAM l) {
    auto make = [this] { return com::Make<ListboxAccessible>(static_cast<ListAccessSource&>(*this)); };
    if (static_cast<LONG>(l) != ListboxAccessible::kHeaderObjectId)
        return hosting::AnswerClientObject(accessible_, w, l, make);
    if (!accessible_) accessible_ = make();
    return LresultFromObject(__uuidof(IAccessible), w, static_cast<IAccessible*>(&accessible_->Header()));
}

// Raised whether or not a client asked for the object yet: a listening client asks then.
void VelListbox::NotifyRow(DWORD event, VelListItem& row) { NotifyList(event, OBJID_CLIENT, rowIds_.IdOf(row)); }

void VelListbox::NotifyList(DWORD event, LONG object, LONG child) const {
    if (Surface().Hwnd()) NotifyWinEvent(event, Surface().Hwnd(), object, child);
}

void VelListbox::CurrentRowChanged(VelListItem* row) {
    if (row && hasFocus_) NotifyRow(EVENT_OBJECT_FOCUS, *row);
}

void VelListbox::AccessTakeFocus() {
    if (GetFocus() != Surface().Hwnd()) SetFocus(Surface().Hwnd());
}

// As a left click on the row: the selection, ListItemClick, then Click.
void VelListbox::AccessClick(VelListItem& row, short shift) {
    ComPtr<IUnknown> keepAlive(static_cast<IOleObject*>(this));
    selection_->Click(row, shift);
    RaiseEvent(kClick, {});
}

void VelListbox::AccessFocusRow(VelListItem& row) {
    selection_->SetCurrent(&row);
    PaintControl(PaintPart::Items);
}

// As a double click on the row: the row selected as by a click, then DblClick.
void VelListbox::AccessActivate(VelListItem& row) {
    ComPtr<IUnknown> keepAlive(static_cast<IOleObject*>(this));
    selection_->Click(row, 0);
    RaiseEvent(kDblClick, {});
}

void VelListbox::AccessColumnClick(VelColumnHeader& column) {
    ComPtr<IUnknown> keepAlive(static_cast<IOleObject*>(this));
    ComPtr<VelColumnHeader> held(&column);
    RaiseEvent(kColumnClick, {Variant::FromDispatch(static_cast<::VelColumnHeader*>(held.Get()))});
}

void VelListbox::OnScrollBar(ScrollBar& bar, ScrollBar::Event event) {
    if (&bar == &*scrUD_) {
        items_->SetScrollTop(bar.Value());
        PaintControl(PaintPart::Items);
        return;
    }
    items_->SetScrollLeft(bar.Value());
    columns_->SetScrollLeft(bar.Value());
    if (event == ScrollBar::Event::Scroll || !suppressScrollPaint_) PaintControl(PaintPart::All);
}

void VelListbox::RaiseMouse(DISPID id, short button, short shift, float x, float y) {
    float factor = static_cast<float>(scaleFactor_);
    RaiseEvent(id, {Short(button), Short(shift), Single(x * factor), Single(y * factor)});
}

// Key events go to the host with their arguments by reference.
void VelListbox::RaiseKey(DISPID id, WPARAM key, bool withShift) {
    short code = static_cast<short>(key), shift = KeyShift();
    if (withShift)
        RaiseEvent(id, {Reference(&code), Reference(&shift)});
    else
        RaiseEvent(id, {Reference(&code)});
}

void VelListbox::MouseDown(short button, short shift, float x, float y) {
    pressedColumn_ = columns_->HitTestCaption(x, y);
    ComPtr<VelColumnHeader> divider = columns_->HitTestDivider(x, y);
    if (divider) {
        // A divider drag starts; the host hears no MouseDown for it.
        SetCapture(Surface().Hwnd());
        sizingColumn_ = divider;
        divider->SetDrawState(1);
        pressedColumn_ = divider;
        splitter_.MouseDown(0, borderWidth_, x, y);
        return;
    }
    RaiseMouse(kMouseDown, button, shift, x, y);
    if (button != 1) return;
    ComPtr<VelListItem> row;
    if (pressedColumn_) {
        headerPressed_ = true;
        SetCapture(Surface().Hwnd());
        PaintControl(PaintPart::Headers);
        return;
    }
    row = items_->HitTestItem(x, y);
    if (row) selection_->Click(*row.Get(), shift);
}

void VelListbox::MouseMove(short button, short shift, float x, float y) {
    if (button & 1) {
        if (!pressedColumn_) {
            ComPtr<VelColumnHeader> hit = columns_->HitTestCaption(x, y);
            if (headerPressed_) pressedColumn_ = hit;
            if (hit) PaintControl(PaintPart::Headers);
        }
        if (pressedColumn_ && pressedColumn_->GetDrawState() != 0) {
            splitter_.MouseMove(0, borderWidth_, x, y);
        } else if (pressedColumn_) {
            ComPtr<VelColumnHeader> hit = columns_->HitTestCaption(x, y);
            if (headerPressed_) pressedColumn_ = hit;
            PaintControl(PaintPart::Headers);
        }
    } else if (columns_->HitTestDivider(x, y)) {
        Surface().SetMouseIcon(resizeCursor_.Get());
        Surface().SetMousePointer(hosting::kMousePointerCustom);
    } else {
        // The host's own pointer and icon come back, the pointer first, so that no icon
        // the host's pointer does not use shows on the way.
        try {
            Surface().SetMousePointer(static_cast<short>(mousePointer_));
        } catch (const com::AutomationError&) {
            Surface().SetMousePointer(0);
        }
        Surface().SetMouseIcon(mouseIcon_.Get());
    }
    RaiseMouse(kMouseMove, button, shift, x, y);
}

void VelListbox::MouseUp(short button, short shift, float x, float y) {
    ComPtr<VelListItem> row = items_->HitTestItem(x, y);
    if (row || pressedColumn_ || GetCapture() == Surface().Hwnd()) ReleaseCapture();
    if (pressedColumn_) {
        ComPtr<VelColumnHeader> pressed = pressedColumn_;
        short state = pressed->GetDrawState();
        bool dragged = splitter_.MouseUp();
        if (state != 0 && dragged) FinishDividerDrag(x);
        if (headerPressed_) RaiseEvent(kColumnClick, {Variant::FromDispatch(static_cast<::VelColumnHeader*>(pressed.Get()))});
        pressedColumn_.Reset();
        PaintControl(PaintPart::All);
    }
    RaiseMouse(kMouseUp, button, shift, x, y);
    headerPressed_ = false;
}

// The dragged divider lands under the mouse; a column is never narrower than 4 pixels.
// The drag follows its column wherever it moved meanwhile, and resizes nothing when a
// handler removed it.
void VelListbox::FinishDividerDrag(float x) {
    ComPtr<VelColumnHeader> column = std::exchange(sizingColumn_, nullptr);
    if (!column) return;
    long position = 0;
    for (long p = 1; p <= columns_->Count() && position == 0; ++p)
        if (columns_->At(p) == column.Get()) position = p;
    if (position == 0) {
        column->SetDrawState(0);
        return;
    }
    long left = columns_->GetColumnLeft(position), width = column->GetInternalWidth();
    long shift = RoundEven(static_cast<double>(left + width - scrLR_->Value()) - x);
    long newWidth = width - shift > kMinimumColumnWidth ? width - shift : kMinimumColumnWidth;
    column->SetInternalWidth(newWidth);
    LayoutScrollBars();
    UpdateHScrollRange();
    column->SetDrawState(0);
}

// General, ColumnHeaders and Sorting, in that order.
std::vector<CLSID> VelListbox::PropertyPages() const { return {CLSID_General, CLSID_ColumnHeadersPP, CLSID_Sort}; }

}  // namespace vel::roster
