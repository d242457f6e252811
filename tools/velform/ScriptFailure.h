#pragma once
#include <string>

namespace velform {

// Why form code stopped: the error's text and its line in the form file (0 when
// the engine did not say).
struct ScriptFailure {
    std::wstring message;
    unsigned long line = 0;
};

}  // namespace velform
