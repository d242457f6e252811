#pragma once
#include <windows.h>

#include <vector>
#include <wrl/client.h>

namespace vel::checkframe {

// What the check frame does to the controls its host placed inside it, by name as a
// script would. A control without the property or method, or one that refuses it,
// is skipped; the others are still reached.
class ContainedControlUpdates {
public:
    using Controls = std::vector<Microsoft::WRL::ComPtr<IUnknown>>;

    static void SetEnabled(const Controls& controls, bool enabled);
    // Asks every control without a window of its own to repaint itself.
    static void RefreshWindowless(const Controls& controls);
};

}  // namespace vel::checkframe
