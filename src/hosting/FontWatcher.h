#pragma once
// Hears the property changes of one font object through its IPropertyNotifySink connection
// point, so that a control re-measures and repaints when form code changes the font it holds
// (`List1.Font.Size = 20`) instead of assigning another font.
#include <windows.h>
#include <ocidl.h>

#include <functional>

#include "ComObject.h"

namespace vel::hosting {

class FontWatcher {
public:
    explicit FontWatcher(std::function<void()> changed);
    FontWatcher(const FontWatcher&) = delete;
    FontWatcher& operator=(const FontWatcher&) = delete;
    ~FontWatcher();

    // Watches `font` from now on (nullptr: nothing); the previous font is let go.
    void Watch(IUnknown* font);

private:
    class Sink;
    void Stop();

    std::function<void()> changed_;
    com::ComPtr<Sink> sink_;
    com::ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

}  // namespace vel::hosting
