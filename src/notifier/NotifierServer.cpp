// Entry points of the notification-area icon control library.
#include "GeneralPage.h"
#include "IconsPage.h"
#include "NotifierPages.h"
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

using vel::notifier::kGeneralPageClsid;
using vel::notifier::kIconsPageClsid;

// The classes a client may create: the notifier control, an icon collection and the
// control's property pages.
const CreatableClass kCreatable[] = {{&CLSID_VelNotifier, &vel::hosting::CreateControl<vel::notifier::VelNotifier>},
                                     {&CLSID_VelIcons, &CreateIcons},
                                     {&kGeneralPageClsid, &vel::hosting::CreatePage<vel::notifier::GeneralPage>},
                                     {&kIconsPageClsid, &vel::hosting::CreatePage<vel::notifier::IconsPage>}};
const ClassRegistration kRegistered[] = {
    {&CLSID_VelNotifier, L"CorvaneNotifier.VelNotifier", L"Corvane notification-area icon", true,
     vel::hosting::kControlMiscStatus | OLEMISC_INVISIBLEATRUNTIME},
    {&CLSID_VelIcons, L"CorvaneNotifier.VelIcons", L"Corvane icon collection", false, 0},
    {&kGeneralPageClsid, L"CorvaneNotifier.General", L"Corvane notifier general page", false, 0},
    {&kIconsPageClsid, L"CorvaneNotifier.IconsPP", L"Corvane notifier icons page", false, 0}};

}  // namespace

VEL_SERVER_ENTRY_POINTS(kCreatable, kRegistered)
