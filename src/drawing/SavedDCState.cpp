#include "SavedDCState.h"

namespace vel::drawing {

SavedDCState::~SavedDCState() {
    if (level_ > 0) RestoreDC(dc_, level_);
}

}  // namespace vel::drawing
