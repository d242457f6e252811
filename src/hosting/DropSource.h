#pragma once
#include <windows.h>
#include <ole2.h>

#include "ComObject.h"

namespace vel::hosting {

// A control's IDropSource for the drags it starts: the drag goes on while a mouse
// button is held, drops when none is, and ends without a drop on Escape. The listener
// is asked for the cursor at every change of the effect.
class DropSource : public com::ComObject<DropSource, IDropSource> {
public:
    class Listener {
    public:
        // Answers true to show the system's drag cursors, false when it set its own.
        virtual bool OnGiveFeedback(DWORD effect) = 0;

    protected:
        ~Listener() = default;
    };

    explicit DropSource(Listener& listener) : listener_(&listener) {}
    void Detach() { listener_ = nullptr; }

    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keys) override;
    STDMETHODIMP GiveFeedback(DWORD effect) override;

private:
    Listener* listener_;
};

}  // namespace vel::hosting
