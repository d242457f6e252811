#pragma once
#include <windows.h>
#include <functional>
#include <vector>

#include "ComObject.h"
#include "DragData.h"
#include "DropSource.h"
#include "DropTarget.h"
#include "Variant.h"
#include "VelRoster_h.h"

namespace vel::roster {

// OLE drag and drop of the list box. The control starts a drag only when its host
// calls OLEDrag, and is a drop target while its drop mode is manual; either way it
// adds no data or drop logic of its own and passes every step to the host as an
// event whose arguments the host may change.
class ListboxDragDrop : private hosting::DropTarget::Listener, private hosting::DropSource::Listener {
public:
    using DataObject = hosting::DragData<::VelDataObject>;
    using RaiseEvent = std::function<void(DISPID, std::vector<com::Variant>)>;
    // Runs the system's drag loop (DoDragDrop) for a drag of `data`.
    using StartDrag = std::function<HRESULT(IDataObject* data, IDropSource* source, DWORD allowed, DWORD* effect)>;

    ListboxDragDrop(HWND window, RaiseEvent raise, StartDrag start);
    ListboxDragDrop(const ListboxDragDrop&) = delete;
    ListboxDragDrop& operator=(const ListboxDragDrop&) = delete;
    ~ListboxDragDrop();

    IDropTarget* Target() const { return target_.Get(); }
    // OLEStartDrag fills the data; a drag with no format or no allowed effect does
    // not start. OLECompleteDrag follows in every case.
    void Drag();
    // The control is going: no more events.
    void Detach();

private:
    void OnDragStep(hosting::DropTarget::Step step, IDataObject* data, DWORD keys, POINTL screen,
                    DWORD* effect) override;
    bool OnGiveFeedback(DWORD effect) override;
    void Supply(DataObject& data, short format);
    void Raise(DISPID id, std::vector<com::Variant> arguments);

    HWND window_;
    RaiseEvent raise_;
    StartDrag start_;
    com::ComPtr<hosting::DropTarget> target_;
    com::ComPtr<DataObject> over_;  // the data of the drag over the control
    bool dragging_ = false;
};

}  // namespace vel::roster
