#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BagFile.h"
#include "ControlSite.h"
#include "FormFile.h"
#include "FormFrame.h"
#include "OwnedWindow.h"
#include "SiteOwner.h"

namespace velform {

class PropertyFrame;

// A form window with its controls sited in the order the form file declares
// them, each in the form or in the control that contains it.
class Form : public SiteOwner {
public:
    Form(const FormFile& file, FormJournal& journal, bool userMode);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the controls; those with saved properties load them, the others start new.
    void SiteControls(const FormBags& saved);
    void CloseControls();
    // Closes every control and creates it again in the same site from `saved`, so
    // that what refers to the sites stays valid.
    void ReloadControls(const FormBags& saved);
    FormBags Save();

    ControlSite* Find(std::wstring_view name) const;
    const std::vector<vel::com::ComPtr<ControlSite>>& Sites() const { return sites_; }
    void SetUserMode(bool userMode);
    // Ambient properties form code may change; `change` edits them, then every
    // control is told that the ambient `id` changed.
    template <class Change>
    void ChangeAmbient(DISPID id, Change&& change) {
        change(ambients_);
        NotifyAmbientChange(id);
    }
    void SetScriptSource(std::function<vel::com::ComPtr<IDispatch>()> source) { scriptSource_ = std::move(source); }
    void Show();

    // The property frame of a control without blocking (for code that presses
    // its buttons); null when the control has no pages.
    PropertyFrame* OpenPropertyFrame(ControlSite& site);
    PropertyFrame* OpenFrame() const { return openFrame_.get(); }
    void ClosePropertyFrame();

    // SiteOwner
    HWND FormWindow() const override { return window_.Get(); }
    const std::wstring& FormTitle() const override { return title_; }
    IOleInPlaceFrame* Frame() const override { return frame_.Get(); }
    bool UserMode() const override { return userMode_; }
    const FormAmbients& Ambients() const override { return ambients_; }
    FormJournal& Journal() override { return journal_; }
    vel::com::ComPtr<IDispatch> ScriptDispatch() const override;
    void ShowPropertyFrame(ControlSite& site) override;
    std::vector<vel::com::ComPtr<IUnknown>> ContainedControls(IUnknown* control) const override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void RegisterWindowClass();
    void NotifyAmbientChange(DISPID id);
    // Passes a system-wide notice (colours, settings, theme) on to every control.
    void ForwardBroadcast(UINT message, WPARAM wParam, LPARAM lParam);
    HWND ParentWindow(const ControlDeclaration& declaration) const;
    // The site of a control object, compared by COM identity.
    const ControlSite* FindByObject(IUnknown* control) const;

    const FormFile& file_;
    FormJournal& journal_;
    std::wstring title_;
    bool userMode_;
    FormAmbients ambients_;
    vel::drawing::OwnedWindow window_;
    vel::com::ComPtr<FormFrame> frame_;
    std::vector<vel::com::ComPtr<ControlSite>> sites_;
    std::function<vel::com::ComPtr<IDispatch>()> scriptSource_;
    std::unique_ptr<PropertyFrame> openFrame_;
};

}  // namespace velform
