#pragma once
#include <windows.h>
#include <oaidl.h>
#include <utility>
#include <vector>

#include "AutomationError.h"
#include "ComObject.h"
#include "Convert.h"
#include "KeyIndex.h"
#include "Variant.h"

namespace vel::com {

// The ordered, keyed members of a collection, positions 1 to Count, with the lookup
// rule every keyed collection of the controls follows:
// - a position is any number, or a string that reads as a number (rounded halves to
//   even; error 6 out of range); anything else is a key, matched exactly;
// - keys are unique trimmed and case-insensitively; blank keys never clash.
// Each member's index is kept equal to its position by renumbering.
//
// `Member` provides `const VARIANT& KeyValue() const`, `long IndexValue() const` and
// `void AssignIndex(long)` (stores without notification). `Container` holds the members
// in order: a vector, or a deque where members come and go at the front as well.
template <class Member, class Container = std::vector<ComPtr<Member>>>
class KeyedSequence {
public:
    using Members = Container;

    long Count() const { return static_cast<long>(members_.size()); }
    const Members& All() const { return members_; }
    bool ValidPosition(long position) const { return position >= 1 && position <= Count(); }
    Member* At(long position) const { return members_[static_cast<size_t>(position - 1)].Get(); }

    // The position a variant names: a number, or the index of the member keyed by it (0: none).
    long ToIndex(const VARIANT& value) const {
        Variant plain = Variant::Dereferenced(value);
        if (IsNumeric(plain.Get())) return ToLong(plain.Get());
        return IndexOfKey(plain.Get());
    }

    // The index of the first member whose key equals `value` exactly; 0 when none does.
    long IndexOfKey(const VARIANT& value) const {
        const Member* member = MemberOfKey(value);
        return member ? member->IndexValue() : 0;
    }

    // The first member whose key equals `value` exactly; null when none does.
    const Member* MemberOfKey(const VARIANT& value) const {
        auto text = TextOf(value);
        if (!text) return nullptr;
        if (!TrimSpaces(text->View()).empty()) return static_cast<const Member*>(keys_.FindExact(text->View()));
        // Blank keys may repeat (and Empty equals ""): the first in position order wins.
        for (auto& member : members_) {
            const VARIANT& key = member->KeyValue();
            if (IsStringLike(key) && TextOf(key)->View() == text->View()) return member.Get();
        }
        return nullptr;
    }

    bool KeyExists(const VARIANT& key) const { return keys_.Clashes(key); }

    // The member at position ToIndex(value); `outOfBounds` when there is none.
    ComPtr<Member> Find(const VARIANT& value, const AutomationError& outOfBounds) const {
        long position = ToIndex(value);
        if (!ValidPosition(position)) throw outOfBounds;
        return members_[static_cast<size_t>(position - 1)];
    }

    // The member a key names, when `value` is a key rather than a position; null otherwise.
    Member* KeyedMember(const VARIANT& value) const {
        Variant plain = Variant::Dereferenced(value);
        return IsNumeric(plain.Get()) ? nullptr : const_cast<Member*>(MemberOfKey(plain.Get()));
    }

    // Inserts before `position` (1..Count), or appends with position Count + 1.
    void Insert(long position, ComPtr<Member> member) {
        Member* added = member.Get();
        keys_.Add(added, added->KeyValue());
        try {
            members_.insert(members_.begin() + (position - 1), std::move(member));
        } catch (...) {
            keys_.Remove(added, added->KeyValue());
            throw;
        }
        MarkStale(position);
    }

    ComPtr<Member> RemoveAt(long position) {
        auto where = members_.begin() + (position - 1);
        ComPtr<Member> removed = std::move(*where);
        members_.erase(where);
        keys_.Remove(removed.Get(), removed->KeyValue());
        MarkStale(position);
        return removed;
    }

    // Empties the sequence and hands the former members to the caller, who releases them.
    Members TakeAll() {
        keys_.Clear();
        staleFrom_ = 0;
        return std::exchange(members_, {});
    }

    // Adopts the same members in a new order.
    void Reorder(Members members) {
        members_ = std::move(members);
        MarkStale(1);
    }

    // Records a key change of a member (the uniqueness check has passed).
    void ChangeKey(const Member* member, const VARIANT& oldKey, const VARIANT& newKey) {
        keys_.Remove(member, oldKey);
        keys_.Add(member, newKey);
    }

    // An index was written from outside: the next renumbering starts at position 1.
    void IndexWritten() { MarkStale(1); }

    // Assigns index = position to every member whose index may differ from its position
    // (those at and after the first change since the last renumbering).
    void Renumber() {
        if (staleFrom_ == 0) return;
        for (long position = staleFrom_; position <= Count(); ++position) At(position)->AssignIndex(position);
        staleFrom_ = 0;
    }

private:
    void MarkStale(long position) {
        if (staleFrom_ == 0 || position < staleFrom_) staleFrom_ = position;
    }

    Members members_;
    KeyIndex keys_;
    long staleFrom_ = 0;  // first position whose index may be stale; 0 when all are current
};

}  // namespace vel::com
