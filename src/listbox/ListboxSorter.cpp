#include "ListboxSorter.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "AutomationError.h"
#include "VelListItems.h"

namespace vel::roster {
namespace {

const wchar_t* Chars(std::wstring_view text) { return text.empty() ? L"" : text.data(); }

constexpr DWORD kTextOrder = NORM_IGNORECASE;

[[noreturn]] void RaiseCannotCompare() {
    com::Raise(com::AutomationError(HRESULT_FROM_WIN32(GetLastError()), L"The texts cannot be compared."));
}

// The sort keys of many texts, end to end in one block: keys the system makes so that
// comparing two of them byte by byte orders their texts as comparing the texts does. A
// full sort makes each row's key once and then compares keys only, as asking the system to
// compare the texts for each of the twenty million comparisons of a million rows took most
// of the sort's time.
class SortKeys {
public:
    struct Key {
        size_t at;
        size_t size;
    };

    Key Add(std::wstring_view text) {
        // An empty text is given as the empty terminated string: the system takes no text
        // of length 0.
        const int length = text.empty() ? -1 : static_cast<int>(text.size());
        const size_t at = bytes_.size();
        int room = static_cast<int>(std::min<size_t>(text.size() * 6 + 16, 0x7fffffff));
        bytes_.resize(at + static_cast<size_t>(room));
        int made = Make(text, length, at, room);
        if (made == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
            room = Make(text, length, at, 0);
            bytes_.resize(at + static_cast<size_t>(room));
            made = room ? Make(text, length, at, room) : 0;
        }
        if (made == 0) RaiseCannotCompare();
        bytes_.resize(at + static_cast<size_t>(made));
        return {at, static_cast<size_t>(made)};
    }

    bool Before(const Key& a, const Key& b) const {
        int order = std::memcmp(&bytes_[a.at], &bytes_[b.at], std::min(a.size, b.size));
        return order < 0 || (order == 0 && a.size < b.size);
    }

private:
    int Make(std::wstring_view text, int length, size_t at, int room) {
        auto* out = room ? reinterpret_cast<LPWSTR>(bytes_.data() + at) : nullptr;
        return LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | kTextOrder, Chars(text), length, out, room);
    }

    std::vector<BYTE> bytes_;
};

struct Entry {
    VelListItem* row;
    SortKeys::Key key;
};

// The first k in [from, to) for which `holds` is true, where it is false before and true after.
template <class Predicate>
long FirstWhere(long from, long to, Predicate holds) {
    while (from < to) {
        long middle = from + (to - from) / 2;
        if (holds(middle)) to = middle;
        else from = middle + 1;
    }
    return from;
}

}  // namespace

int ListboxSorter::Compare(std::wstring_view a, std::wstring_view b) {
    int result = CompareStringW(LOCALE_USER_DEFAULT, kTextOrder, Chars(a), static_cast<int>(a.size()), Chars(b),
                                static_cast<int>(b.size()));
    if (result == 0) RaiseCannotCompare();
    return result - CSTR_EQUAL;
}

std::wstring_view ListboxSorter::KeyOf(const VelListItem& row, long column) {
    return column == 1 ? row.TextValue().View() : row.SubItemText(column - 1).View();
}

bool ListboxSorter::SortAll(VelListItems& items, long column, bool descending) {
    if (column < 1 || column > items.ColumnCount()) return false;
    try {
        const auto& rows = items.All();
        std::vector<Entry> entries;
        entries.reserve(rows.size());
        SortKeys keys;
        // Equal rows keep the order in which the arrangement reads in its own direction.
        auto collect = [&](auto first, auto last) {
            for (; first != last; ++first) entries.push_back({first->Get(), keys.Add(KeyOf(*first->Get(), column))});
        };
        if (descending_) collect(rows.rbegin(), rows.rend());
        else collect(rows.begin(), rows.end());
        std::stable_sort(entries.begin(), entries.end(),
                         [&keys](const Entry& a, const Entry& b) { return keys.Before(a.key, b.key); });
        if (descending) std::reverse(entries.begin(), entries.end());
        VelListItems::Items sorted;
        for (auto& entry : entries) sorted.emplace_back(entry.row);
        items.ReplaceItems(std::move(sorted));
    } catch (...) {
        // The sort ends silently; the rows were not touched.
        inOrder_ = false;
        return false;
    }
    Remember(items, column, descending);
    return true;
}

bool ListboxSorter::PlaceAdded(VelListItems& items, VelListItem& row, long column, bool descending) {
    if (column < 1 || column > items.ColumnCount()) return false;
    long position = row.Parent() == &items ? row.IndexValue() : 0;
    if (!StillInOrder(items, column, descending) || position < 1 || items.At(position) != &row) {
        SortAll(items, column, descending);
        return false;
    }
    try {
        std::wstring_view key = KeyOf(row, column);
        // The other rows, in order, skipping the new one: k = 0 .. count - 2.
        auto other = [&](long k) { return KeyOf(*items.At(k + 1 < position ? k + 1 : k + 2), column); };
        auto before = [&](std::wstring_view a, std::wstring_view b) {
            int order = Compare(a, b);
            return descending ? order > 0 : order < 0;
        };
        // The run of rows equal to the new one: [low, end) among the others.
        long others = items.Count() - 1;
        long low = FirstWhere(0, others, [&](long k) { return !before(other(k), key); });
        long end = FirstWhere(low, others, [&](long k) { return before(key, other(k)); });
        long target = std::clamp(position - 1, low, end) + 1;
        items.MoveItem(position, target);
    } catch (...) {
        inOrder_ = false;
        return false;
    }
    Remember(items, column, descending);
    return true;
}

// Nothing but the one new row changed the texts since the rows were last in order.
bool ListboxSorter::StillInOrder(const VelListItems& items, long column, bool descending) const {
    return inOrder_ && items_ == &items && column_ == column && descending_ == descending &&
           items.ContentVersion() == version_ + 1;
}

void ListboxSorter::Remember(const VelListItems& items, long column, bool descending) {
    inOrder_ = true;
    items_ = &items;
    column_ = column;
    descending_ = descending;
    version_ = items.ContentVersion();
}

}  // namespace vel::roster
