// Entry points of the list box control library.
#include "ServerEntryPoints.h"
#include "VelListbox.h"

using namespace vel::com;

namespace {

// The classes a client may create: the list box control. The row and column
// collections are created only by their list box.
const CreatableClass kCreatable[] = {{&CLSID_VelListbox, &vel::hosting::CreateControl<vel::roster::VelListbox>}};
const ClassRegistration kRegistered[] = {{&CLSID_VelListbox, L"CorvaneListbox.VelListbox",
                                          L"Corvane multi-column list box", true, vel::hosting::kControlMiscStatus}};

}  // namespace

VEL_SERVER_ENTRY_POINTS(kCreatable, kRegistered)
