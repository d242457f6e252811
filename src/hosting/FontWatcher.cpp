#include "FontWatcher.h"

namespace vel::hosting {

// The sink the font calls; it forwards to the watcher until the watcher lets it go.
class FontWatcher::Sink : public com::ComObject<Sink, IPropertyNotifySink> {
public:
    explicit Sink(FontWatcher* owner) : owner_(owner) {}
    void Detach() { owner_ = nullptr; }

    STDMETHODIMP OnChanged(DISPID) override {
        com::ComPtr<Sink> alive(this);  // the handler may assign another font and let this sink go
        if (owner_) {
            try {
                owner_->changed_();
            } catch (...) {
                // A failed repaint must not reach the font that reported the change.
            }
        }
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

private:
    FontWatcher* owner_;
};

FontWatcher::FontWatcher(std::function<void()> changed) : changed_(std::move(changed)) {}

FontWatcher::~FontWatcher() { Stop(); }

void FontWatcher::Watch(IUnknown* font) {
    Stop();
    com::ComPtr<IConnectionPointContainer> container;
    if (!font || FAILED(font->QueryInterface(IID_PPV_ARGS(&container)))) return;
    com::ComPtr<IConnectionPoint> point;
    if (FAILED(container->FindConnectionPoint(IID_IPropertyNotifySink, &point))) return;
    auto sink = com::Make<Sink>(this);
    DWORD cookie = 0;
    if (FAILED(point->Advise(sink->Unknown(), &cookie))) {
        sink->Detach();
        return;
    }
    sink_ = std::move(sink);
    point_ = std::move(point);
    cookie_ = cookie;
}

void FontWatcher::Stop() {
    if (sink_) sink_->Detach();
    if (point_) point_->Unadvise(cookie_);
    sink_.Reset();
    point_.Reset();
    cookie_ = 0;
}

}  // namespace vel::hosting
