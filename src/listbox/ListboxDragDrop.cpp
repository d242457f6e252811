#include "ListboxDragDrop.h"

#include "EventArguments.h"
#include "ListboxEventIds.h"

namespace vel::roster {
namespace {

using EventArguments::Reference;
using Step = hosting::DropTarget::Step;

using namespace events;

// OLEDragOver's State: the drag entered, left, or moves over the control.
constexpr short kEnter = 0;
constexpr short kLeave = 1;
constexpr short kOver = 2;

constexpr DWORD kAnyEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

short ShiftOf(DWORD keys) {
    return static_cast<short>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                              ((keys & MK_ALT) ? 4 : 0));
}

// Sets a flag for the length of a scope.
class InProgress {
public:
    explicit InProgress(bool& flag) : flag_(flag) { flag_ = true; }
    InProgress(const InProgress&) = delete;
    InProgress& operator=(const InProgress&) = delete;
    ~InProgress() { flag_ = false; }

private:
    bool& flag_;
};

}  // namespace

ListboxDragDrop::ListboxDragDrop(HWND window, RaiseEvent raise, StartDrag start)
    : window_(window), raise_(std::move(raise)), start_(std::move(start)),
      target_(com::Make<hosting::DropTarget>(static_cast<hosting::DropTarget::Listener&>(*this))) {}

ListboxDragDrop::~ListboxDragDrop() { Detach(); }

void ListboxDragDrop::Detach() {
    if (target_) target_->Detach();
    raise_ = nullptr;
    over_.Reset();
}

// Events go out from inside the system's drag loop: nothing a handler does may
// throw back into it.
void ListboxDragDrop::Raise(DISPID id, std::vector<com::Variant> arguments) {
    if (!raise_) return;
    try {
        raise_(id, std::move(arguments));
    } catch (...) {
    }
}

void ListboxDragDrop::Drag() {
    if (dragging_ || !raise_) return;  // one drag at a time
    InProgress inProgress(dragging_);
    auto data = com::Make<DataObject>();
    DataObject* raw = data.Get();
    raw->Core().SetSupplier([this, raw](short format) { Supply(*raw, format); });
    long allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    {
        ObjectSlot slot(static_cast<::VelDataObject*>(raw));
        Raise(kOLEStartDrag, {slot.Reference(), Reference(&allowed)});
    }
    DWORD effect = DROPEFFECT_NONE;
    DWORD offered = static_cast<DWORD>(allowed) & kAnyEffect;
    if (offered != 0 && !raw->Core().Empty() && start_) {
        auto source = com::Make<hosting::DropSource>(static_cast<hosting::DropSource::Listener&>(*this));
        HRESULT hr = start_(static_cast<IDataObject*>(raw), source.Get(), offered, &effect);
        source->Detach();
        if (hr != DRAGDROP_S_DROP) effect = DROPEFFECT_NONE;
    }
    // A target that keeps the data object may still read it, but asks no more of us.
    raw->Core().SetSupplier(nullptr);
    long completed = static_cast<long>(effect);
    Raise(kOLECompleteDrag, {Reference(&completed)});
}

void ListboxDragDrop::Supply(DataObject& data, short format) {
    com::ComPtr<DataObject> hold(&data);
    ObjectSlot slot(static_cast<::VelDataObject*>(&data));
    short dataFormat = format;
    Raise(kOLESetData, {slot.Reference(), Reference(&dataFormat)});
}

bool ListboxDragDrop::OnGiveFeedback(DWORD effect) {
    long shown = static_cast<long>(effect);
    VARIANT_BOOL defaultCursors = VARIANT_TRUE;
    Raise(kOLEGiveFeedback, {Reference(&shown), EventArguments::BoolReference(&defaultCursors)});
    return defaultCursors != VARIANT_FALSE;
}

// Coordinates go to the host in the control's own pixels.
void ListboxDragDrop::OnDragStep(Step step, IDataObject* data, DWORD keys, POINTL screen, DWORD* effect) {
    try {
        if (step == Step::Enter || !over_) over_ = data ? com::Make<DataObject>(data) : nullptr;
    } catch (...) {
        over_.Reset();
    }
    com::ComPtr<DataObject> view = over_;
    POINT client{screen.x, screen.y};
    ScreenToClient(window_, &client);
    long chosen = static_cast<long>(*effect);
    short button = EventArguments::ButtonsOf(keys), shift = ShiftOf(keys);
    float x = static_cast<float>(client.x), y = static_cast<float>(client.y);
    {
        ObjectSlot slot(view ? static_cast<::VelDataObject*>(view.Get()) : nullptr);
        if (step == Step::Drop) {
            Raise(kOLEDragDrop, {slot.Reference(), Reference(&chosen), Reference(&button), Reference(&shift),
                                 Reference(&x), Reference(&y)});
        } else {
            short state = step == Step::Enter ? kEnter : step == Step::Leave ? kLeave : kOver;
            Raise(kOLEDragOver, {slot.Reference(), Reference(&chosen), Reference(&button), Reference(&shift),
                                 Reference(&x), Reference(&y), Reference(&state)});
        }
    }
    *effect = static_cast<DWORD>(chosen);
    if (step == Step::Drop || step == Step::Leave) over_.Reset();
}

}  // namespace vel::roster
