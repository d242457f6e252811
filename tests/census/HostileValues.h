#pragma once
// The arguments a careless or hostile caller passes: every kind of VARIANT a script or a
// C++ container can produce, with the extremes of each.
#include <windows.h>
#include <oaidl.h>
#include <string>
#include <vector>

#include "Variant.h"

namespace vel::census {

struct HostileValue {
    std::string name;
    com::Variant value;
};

class HostileValues {
public:
    // `foreign` is an object of the caller's own; `font` a standard font with a face name
    // longer than GDI takes.
    HostileValues(IDispatch* foreign, IDispatch* font);
    const std::vector<HostileValue>& All() const { return values_; }
    // One of each kind (nothing, extremes, text, objects, arrays, references): the
    // quick census of the test run.
    std::vector<HostileValue> Sample() const;
    // The value that fills the positions not under test.
    static com::Variant Filler();

private:
    void Add(std::string name, com::Variant value) { values_.push_back({std::move(name), std::move(value)}); }
    std::vector<HostileValue> values_;
    long byReferenceLong_ = 7;
    VARIANT byReferenceVariant_{};
};

}  // namespace vel::census
