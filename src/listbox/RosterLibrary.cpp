#include "Module.h"

namespace vel::com {

const wchar_t* LibraryTitle() { return L"VelRoster"; }

}  // namespace vel::com
