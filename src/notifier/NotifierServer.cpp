// Entry points of the notification-area icon control library.
#include "ServerEntryPoints.h"
#include "VelIcons.h"
#include "VelNotifier.h"

using namespace vel::com;

namespace {

HRESULT CreateIcons(IUnknown** object) {
    try {
        *object = Make<vel::notifier::VelIcons>()->Unknown();
        (*object)->AddRef();
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

// The classes a client may create: the notifier control and an icon collection.
const CreatableClass kCreatable[] = {{&CLSID_VelNotifier, &vel::hosting::CreateControl<vel::notifier::VelNotifier>},
                                     {&CLSID_VelIcons, &CreateIcons}};
const ClassRegistration kRegistered[] = {
    {&CLSID_VelNotifier, L"CorvaneNotifier.VelNotifier", L"Corvane notification-area icon", true,
     vel::hosting::kControlMiscStatus},
    {&CLSID_VelIcons, L"CorvaneNotifier.VelIcons", L"Corvane icon collection", false, 0}};

}  // namespace

VEL_SERVER_ENTRY_POINTS(kCreatable, kRegistered)
