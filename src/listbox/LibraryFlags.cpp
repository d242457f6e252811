#include "LibraryFlags.h"

namespace vel::roster {
namespace {

thread_local bool t_runTimeMode = false;
thread_local bool t_internalRenumber = false;

}  // namespace

bool LibraryFlags::RunTimeMode() { return t_runTimeMode; }
void LibraryFlags::SetRunTimeMode(bool value) { t_runTimeMode = value; }
bool LibraryFlags::InternalRenumber() { return t_internalRenumber; }
void LibraryFlags::SetInternalRenumber(bool value) { t_internalRenumber = value; }

}  // namespace vel::roster
