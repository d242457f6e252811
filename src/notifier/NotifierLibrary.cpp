#include "Module.h"

namespace vel::com {

const wchar_t* LibraryTitle() { return L"VelNotifier"; }

}  // namespace vel::com
