#include "ListboxSorter.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "AutomationError.h"
#include "VelListItems.h"

namespace vel::roster {
namespace {

struct Entry {
    VelListItem* row;
    std::wstring_view key;
};

const wchar_t* Chars(std::wstring_view text) { return text.empty() ? L"" : text.data(); }

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
    int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Chars(a), static_cast<int>(a.size()), Chars(b),
                                static_cast<int>(b.size()));
    if (result == 0) com::Raise(com::AutomationError(HRESULT_FROM_WIN32(GetLastError()), L"The texts cannot be compared."));
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
        // Equal rows keep the order in which the arrangement reads in its own direction.
        auto collect = [&](auto first, auto last) {
            for (; first != last; ++first) entries.push_back({first->Get(), KeyOf(*first->Get(), column)});
        };
        if (descending_) collect(rows.rbegin(), rows.rend());
        else collect(rows.begin(), rows.end());
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return Compare(a.key, b.key) < 0; });
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
