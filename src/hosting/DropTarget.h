#pragma once
#include <windows.h>
#include <ole2.h>
#include <wrl/client.h>

#include "ComObject.h"

namespace vel::hosting {

// A control's IDropTarget: it hands each step of a drag over the control to its
// listener, and keeps the dragged data for the step in which the drag leaves.
class DropTarget : public com::ComObject<DropTarget, IDropTarget> {
public:
    enum class Step { Enter, Over, Leave, Drop };

    class Listener {
    public:
        // `keys` as MK_ flags, `screen` the mouse position; the listener may change
        // `effect`, the effect the drop would have.
        virtual void OnDragStep(Step step, IDataObject* data, DWORD keys, POINTL screen, DWORD* effect) = 0;

    protected:
        ~Listener() = default;
    };

    explicit DropTarget(Listener& listener) : listener_(&listener) {}
    // The listener is going; the system may still hold this object.
    void Detach() { listener_ = nullptr; }

    STDMETHODIMP DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

private:
    void Pass(Step step, DWORD keys, POINTL point, DWORD* effect);

    Listener* listener_;
    Microsoft::WRL::ComPtr<IDataObject> data_;
    DWORD keys_ = 0;
    POINTL point_{};
};

}  // namespace vel::hosting
