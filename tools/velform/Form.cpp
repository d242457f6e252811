#include "Form.h"

#include <algorithm>
#include <olectl.h>

#include "FormError.h"
#include "PropertyFrame.h"

using vel::com::ComPtr;
using vel::com::Make;

namespace velform {
namespace {

constexpr wchar_t kWindowClass[] = L"VelFormWindow";

bool IsBroadcast(UINT message) {
    return message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE || message == WM_THEMECHANGED;
}

ComPtr<IFontDisp> DefaultFont() {
    FONTDESC description{sizeof(FONTDESC)};
    description.lpstrName = const_cast<LPOLESTR>(L"Tahoma");
    description.cySize.int64 = 8 * 10000;
    description.sWeight = FW_NORMAL;
    description.sCharset = DEFAULT_CHARSET;
    ComPtr<IFontDisp> font;
    OleCreateFontIndirect(&description, IID_PPV_ARGS(&font));
    return font;
}

const PropertyBag* SavedBag(const FormBags& saved, const std::wstring& name) {
    for (auto& [bagName, bag] : saved) {
        if (lstrcmpiW(bagName.c_str(), name.c_str()) == 0) return bag.Get();
    }
    return nullptr;
}

}  // namespace

void Form::RegisterWindowClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW windowClass{sizeof(WNDCLASSEXW)};
    windowClass.lpfnWndProc = &Form::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    windowClass.style = CS_DBLCLKS;
    RegisterClassExW(&windowClass);
    registered = true;
}

// Closing the window ends the message loop; the form itself tears the window down.
// System-wide notices reach only top-level windows: the form passes them on.
LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form && IsBroadcast(message)) form->ForwardBroadcast(message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

void Form::ForwardBroadcast(UINT message, WPARAM wParam, LPARAM lParam) {
    std::vector<ComPtr<ControlSite>> sites = sites_;  // a control may close the form meanwhile
    for (auto& site : sites) {
        if (site->Window()) SendMessageW(site->Window(), message, wParam, lParam);
    }
}

Form::Form(const FormFile& file, FormJournal& journal, bool userMode)
    : file_(file), journal_(journal), title_(file.Title()), userMode_(userMode) {
    RegisterWindowClass();
    RECT frame{0, 0, file.ClientSize().cx, file.ClientSize().cy};
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    window_.Reset(CreateWindowExW(0, kWindowClass, title_.c_str(), style, 20, 20, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!window_) throw FormError(L"the form window cannot be created");
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ambients_.font = DefaultFont();
    frame_ = Make<FormFrame>(window_.Get());
}

Form::~Form() {
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    ClosePropertyFrame();
    CloseControls();
}

void Form::Show() {
    ShowWindow(window_.Get(), SW_SHOWNOACTIVATE);
    UpdateWindow(window_.Get());
}

HWND Form::ParentWindow(const ControlDeclaration& declaration) const {
    return declaration.parent.empty() ? window_.Get() : Find(declaration.parent)->ContainerWindow();
}

void Form::SiteControls(const FormBags& saved) {
    for (auto& declaration : file_.Controls()) {
        auto site = Make<ControlSite>(*this, declaration);
        sites_.push_back(site);
        site->Create(ParentWindow(declaration), const_cast<PropertyBag*>(SavedBag(saved, declaration.name)));
    }
}

void Form::ReloadControls(const FormBags& saved) {
    ClosePropertyFrame();
    for (auto site = sites_.rbegin(); site != sites_.rend(); ++site) (*site)->Close();
    for (auto& site : sites_) {
        site->Create(ParentWindow(site->Declaration()), const_cast<PropertyBag*>(SavedBag(saved, site->Name())));
    }
}

// Contained controls close before their containers.
void Form::CloseControls() {
    ClosePropertyFrame();
    while (!sites_.empty()) {
        ComPtr<ControlSite> site = sites_.back();
        sites_.pop_back();
        site->Close();
    }
}

FormBags Form::Save() {
    FormBags bags;
    for (auto& site : sites_) bags.emplace_back(site->Name(), site->Save());
    return bags;
}

ControlSite* Form::Find(std::wstring_view name) const {
    std::wstring wanted(name);
    auto found = std::find_if(sites_.begin(), sites_.end(),
                              [&](auto& site) { return lstrcmpiW(site->Name().c_str(), wanted.c_str()) == 0; });
    return found == sites_.end() ? nullptr : found->Get();
}

void Form::SetUserMode(bool userMode) {
    if (userMode_ == userMode) return;
    userMode_ = userMode;
    NotifyAmbientChange(DISPID_AMBIENT_USERMODE);
}

void Form::NotifyAmbientChange(DISPID id) {
    std::vector<ComPtr<ControlSite>> sites = sites_;
    for (auto& site : sites) site->AmbientChanged(id);
}

std::vector<ComPtr<IUnknown>> Form::ContainedControls(IUnknown* control) const {
    std::vector<ComPtr<IUnknown>> contained;
    const ControlSite* container = FindByObject(control);
    if (!container) return contained;
    for (auto& site : sites_) {
        if (site->Object() && lstrcmpiW(site->Declaration().parent.c_str(), container->Name().c_str()) == 0)
            contained.emplace_back(site->Object());
    }
    return contained;
}

const ControlSite* Form::FindByObject(IUnknown* control) const {
    ComPtr<IUnknown> identity;
    if (!control || FAILED(control->QueryInterface(IID_PPV_ARGS(&identity)))) return nullptr;
    for (auto& site : sites_) {
        ComPtr<IUnknown> siteIdentity;
        if (site->Object() && SUCCEEDED(site->Object()->QueryInterface(IID_PPV_ARGS(&siteIdentity))) &&
            siteIdentity.Get() == identity.Get())
            return site.Get();
    }
    return nullptr;
}

ComPtr<IDispatch> Form::ScriptDispatch() const { return scriptSource_ ? scriptSource_() : nullptr; }

void Form::ShowPropertyFrame(ControlSite& site) {
    PropertyFrame frame(window_.Get(), site.Object(), site.Name());
    if (frame.PageCount() > 0) frame.RunModal();
}

PropertyFrame* Form::OpenPropertyFrame(ControlSite& site) {
    ClosePropertyFrame();
    openFrame_ = std::make_unique<PropertyFrame>(window_.Get(), site.Object(), site.Name());
    if (openFrame_->PageCount() == 0) openFrame_.reset();
    return openFrame_.get();
}

void Form::ClosePropertyFrame() { openFrame_.reset(); }

}  // namespace velform
