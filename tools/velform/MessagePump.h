#pragma once

namespace velform {

// Dispatches the thread's window messages, translated as the form's message loop
// does, for `milliseconds` (0: only those waiting). A quit message ends the pump
// and stays for the loop that owns it.
void PumpMessages(long milliseconds);

}  // namespace velform
