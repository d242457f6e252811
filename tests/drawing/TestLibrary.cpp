// The runtime names the library it serves in error reports; this test program is its own library.
#include "Module.h"

namespace vel::com {

const wchar_t* LibraryTitle() { return L"VelDrawingTests"; }

}  // namespace vel::com
