#pragma once
#include <windows.h>
#include <oaidl.h>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vel::com {

// The keys of the members of one keyed collection, indexed two ways so that key
// lookups and uniqueness checks cost the same for any number of members:
// - exactly, for lookups: string keys with something besides spaces are unique
//   by the uniqueness rule, so each maps to its one member;
// - trimmed and case-folded, for the uniqueness rule: how many members share the form.
// Members are opaque pointers here.
class KeyIndex {
public:
    // The uniqueness form of a key: trimmed and case-folded text; empty for a key
    // that never clashes (blank, or without text).
    static std::wstring UniqueForm(const VARIANT& key);

    bool Clashes(const VARIANT& key) const;
    // The member whose string key is exactly `text`; nullptr for blank text or no match.
    const void* FindExact(std::wstring_view text) const;

    void Add(const void* member, const VARIANT& key);
    void Remove(const void* member, const VARIANT& key);
    void Clear();

private:
    std::unordered_map<std::wstring, const void*> exact_;
    std::unordered_map<std::wstring, int> unique_;
};

}  // namespace vel::com
