// Entry points of the list box control library.
#include "ColumnHeadersPP.h"
#include "General.h"
#include "ServerEntryPoints.h"
#include "Sort.h"
#include "VelListbox.h"

using namespace vel::com;

namespace {

// The classes a client may create: the list box control and its property pages.
// The row and column collections are created only by their list box.
const CreatableClass kCreatable[] = {
    {&CLSID_VelListbox, &vel::hosting::CreateControl<vel::roster::VelListbox>},
    {&CLSID_General, &vel::hosting::CreatePage<vel::roster::General>},
    {&CLSID_ColumnHeadersPP, &vel::hosting::CreatePage<vel::roster::ColumnHeadersPP>},
    {&CLSID_Sort, &vel::hosting::CreatePage<vel::roster::Sort>}};
const ClassRegistration kRegistered[] = {
    {&CLSID_VelListbox, L"CorvaneListbox.VelListbox", L"Corvane multi-column list box", true,
     vel::hosting::kControlMiscStatus},
    {&CLSID_General, L"CorvaneListbox.General", L"VelListbox General property page", false, 0},
    {&CLSID_ColumnHeadersPP, L"CorvaneListbox.ColumnHeadersPP", L"VelListbox ColumnHeaders property page", false, 0},
    {&CLSID_Sort, L"CorvaneListbox.Sort", L"VelListbox Sorting property page", false, 0}};

}  // namespace

VEL_SERVER_ENTRY_POINTS(kCreatable, kRegistered)
