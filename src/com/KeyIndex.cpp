#include "KeyIndex.h"

#include "Convert.h"

namespace vel::com {
namespace {

// The exact form under which a member can be found: the text of a non-blank string key.
bool ExactForm(const VARIANT& key, std::wstring& text) {
    if ((key.vt & ~VT_BYREF) != VT_BSTR) return false;
    BSTR value = (key.vt & VT_BYREF) ? *key.pbstrVal : key.bstrVal;
    std::wstring_view view(value ? value : L"", SysStringLen(value));
    if (TrimSpaces(view).empty()) return false;
    text.assign(view);
    return true;
}

}  // namespace

std::wstring KeyIndex::UniqueForm(const VARIANT& key) {
    auto text = TextOf(key);
    if (!text) return {};
    return FoldCase(TrimSpaces(text->View()));
}

bool KeyIndex::Clashes(const VARIANT& key) const {
    std::wstring form = UniqueForm(key);
    return !form.empty() && unique_.count(form) != 0;
}

const void* KeyIndex::FindExact(std::wstring_view text) const {
    auto found = exact_.find(std::wstring(text));
    return found == exact_.end() ? nullptr : found->second;
}

void KeyIndex::Add(const void* member, const VARIANT& key) {
    std::wstring form = UniqueForm(key);
    if (!form.empty()) ++unique_[form];
    std::wstring text;
    if (ExactForm(key, text)) exact_[text] = member;
}

void KeyIndex::Remove(const void* member, const VARIANT& key) {
    std::wstring form = UniqueForm(key);
    if (!form.empty()) {
        auto found = unique_.find(form);
        if (found != unique_.end() && --found->second == 0) unique_.erase(found);
    }
    std::wstring text;
    if (ExactForm(key, text)) {
        auto found = exact_.find(text);
        if (found != exact_.end() && found->second == member) exact_.erase(found);
    }
}

void KeyIndex::Clear() {
    exact_.clear();
    unique_.clear();
}

}  // namespace vel::com
