#pragma once
#include <string>
#include <vector>

namespace velform {

struct MessageBoxRecord {
    std::wstring text;
    std::wstring title;
    long style = 0;
};

// What happened on a form that code may ask about afterwards: the events the
// controls raised, the property changes they reported, the message boxes they
// showed. In test mode message boxes are only recorded and answered at once.
class FormJournal {
public:
    explicit FormJournal(bool testMode) : testMode_(testMode) {}

    bool TestMode() const { return testMode_; }

    void RecordEvent(std::wstring line) { events_.push_back(std::move(line)); }
    const std::vector<std::wstring>& Events() const { return events_; }
    void ClearEvents() { events_.clear(); }

    void RecordChange(std::wstring line) {
        changes_.push_back(std::move(line));
        dirty_ = true;
    }
    const std::vector<std::wstring>& Changes() const { return changes_; }
    bool Dirty() const { return dirty_; }
    void SetDirty(bool dirty) {
        dirty_ = dirty;
        if (!dirty) changes_.clear();
    }

    void RecordMessageBox(MessageBoxRecord box) { messageBoxes_.push_back(std::move(box)); }
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
    void ClearMessageBoxes() { messageBoxes_.clear(); }
    long MessageBoxAnswer() const { return messageBoxAnswer_; }
    void SetMessageBoxAnswer(long answer) { messageBoxAnswer_ = answer; }

private:
    bool testMode_;
    std::vector<std::wstring> events_;
    std::vector<std::wstring> changes_;
    bool dirty_ = false;
    std::vector<MessageBoxRecord> messageBoxes_;
    long messageBoxAnswer_ = 1;  // IDOK
};

}  // namespace velform
