#pragma once
#include <memory>
#include <optional>
#include <string>

#include "BagFile.h"
#include "ControlInput.h"
#include "EventConnection.h"
#include "Form.h"
#include "FormFile.h"
#include "FormJournal.h"
#include "ScriptHost.h"

namespace velform {

class HostObject;

// One run of a form: its window and controls, the code behind it in a fresh
// script engine with the controls and `Host` as named items, and what was saved.
class FormSession {
public:
    FormSession(const FormFile& file, FormJournal& journal, FormBags initial, bool userMode);
    ~FormSession();
    FormSession(const FormSession&) = delete;
    FormSession& operator=(const FormSession&) = delete;

    // Sites the controls, runs the code's global statements and its Form_Load.
    // False when the code failed (see Failure()); a form fault throws FormError.
    bool Start();
    bool Call(const std::wstring& sub);
    const std::optional<ScriptFailure>& Failure() const { return script_->Failure(); }

    Form& GetForm() { return *form_; }
    const FormFile& File() const { return file_; }
    HeldInput& Input() { return input_; }
    // Connects an object's events to `Sub <prefix>_<Event>` of the code, until the form closes.
    void ConnectEvents(IUnknown* object, const std::wstring& prefix);
    FormJournal& Journal() { return journal_; }
    ScriptHost& Script() { return *script_.Get(); }
    void Print(const std::wstring& text) const;

    // Saves every control's properties (and writes them to `path` when given).
    void SaveForm(const std::optional<std::wstring>& path);
    // Closes the controls and sites them again from what was saved last.
    void ReloadForm();
    const FormBags& Saved() const { return saved_; }
    PropertyBag* SavedBag(const std::wstring& control) const;

    static void PumpMessages(long milliseconds);

private:
    const FormFile& file_;
    FormJournal& journal_;
    FormBags saved_;
    std::unique_ptr<Form> form_;
    vel::com::ComPtr<ScriptHost> script_;
    vel::com::ComPtr<HostObject> host_;
    std::vector<EventConnection> connections_;
    HeldInput input_;
};

}  // namespace velform
