// Entry points of the check frame control library.
#include "GeneralPage.h"
#include "ServerEntryPoints.h"
#include "VelCheckFrame.h"

using namespace vel::com;

namespace {

// The classes a client may create: the check frame and its property page.
const CreatableClass kCreatable[] = {
    {&CLSID_VelCheckFrame, &vel::hosting::CreateControl<vel::checkframe::VelCheckFrame>},
    {&CLSID_General, &vel::hosting::CreatePage<vel::checkframe::GeneralPage>}};
const ClassRegistration kRegistered[] = {
    {&CLSID_VelCheckFrame, L"CorvaneCheckFrame.VelCheckFrame", L"Corvane check frame", true,
     vel::hosting::kControlMiscStatus},
    {&CLSID_General, L"CorvaneCheckFrame.General", L"Check frame general property page", false, 0}};

}  // namespace

VEL_SERVER_ENTRY_POINTS(kCreatable, kRegistered)
