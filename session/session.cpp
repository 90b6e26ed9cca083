#include "session/session.h"

namespace q42 {

Session::Session(DisplayHost& displayHost, RunHost& runHost)
    : display(machine, displayHost), run(machine, display, runHost) {
    machine.AttachTerminal(&display);  // the machine's text output and keyboard go to this screen
}

}  // namespace q42
