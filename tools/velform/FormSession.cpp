#include "FormSession.h"

#include <cstdio>

#include "ControlProxy.h"
#include "FormError.h"
#include "HostObject.h"
#include "MessagePump.h"
#include "TypeLibraryConstants.h"

using vel::com::ComPtr;
using vel::com::Make;

namespace velform {

FormSession::FormSession(const FormFile& file, FormJournal& journal, FormBags initial, bool userMode)
    : file_(file), journal_(journal), saved_(std::move(initial)),
      form_(std::make_unique<Form>(file, journal, userMode)) {
    script_ = Make<ScriptHost>(form_->FormWindow(), journal.TestMode());
    host_ = Make<HostObject>(*this);
    form_->SetScriptSource([script = script_.Get()] { return script->Dispatch(); });
}

// The code goes first, so that nothing it holds outlives the controls.
FormSession::~FormSession() {
    connections_.clear();
    host_->Detach();
    form_->SetScriptSource(nullptr);
    script_->Close();
    form_->CloseControls();
}

bool FormSession::Start() {
    form_->Show();
    form_->SiteControls(saved_);
    for (auto& site : form_->Sites()) script_->AddItem(site->Name(), Make<ControlProxy>(*site.Get())->Unknown());
    script_->AddItem(L"Host", host_->Unknown());
    // The controls' enumeration constants as global names (the item's own name is
    // one no code can write).
    auto constants = Make<TypeLibraryConstants>();
    for (auto& site : form_->Sites()) constants->AddLibraryOf(site->Object());
    script_->AddItem(L"VelForm constants", constants->Unknown(), true);
    if (!script_->Start(file_.Code())) return false;
    PumpMessages(0);
    return !file_.HasSub(L"Form_Load") || script_->Call(L"Form_Load");
}

bool FormSession::Call(const std::wstring& sub) { return script_->Call(sub); }

void FormSession::Print(const std::wstring& text) const {
    std::fwprintf(stdout, L"%ls\n", text.c_str());
    std::fflush(stdout);
}

void FormSession::SaveForm(const std::optional<std::wstring>& path) {
    saved_ = form_->Save();
    if (path) BagFile::Write(*path, saved_);
    journal_.SetDirty(false);
}

void FormSession::ReloadForm() {
    form_->ReloadControls(saved_);
    PumpMessages(0);
}

PropertyBag* FormSession::SavedBag(const std::wstring& control) const {
    for (auto& [name, bag] : saved_) {
        if (lstrcmpiW(name.c_str(), control.c_str()) == 0) return bag.Get();
    }
    return nullptr;
}

void FormSession::PumpMessages(long milliseconds) { velform::PumpMessages(milliseconds); }

void FormSession::ConnectEvents(IUnknown* object, const std::wstring& prefix) {
    EventConnection connection;
    if (!connection.Connect(object, *form_, prefix)) throw FormError(L"the object has no events to connect");
    connections_.push_back(std::move(connection));
}

}  // namespace velform
