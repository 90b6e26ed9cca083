#pragma once
// Ctrl+C (SIGINT) and SIGTERM stop a run as the stop command does: the run ends after the step
// in progress, and an input that is waited for ends as if input had ended. A second signal ends
// the process as usual.

namespace q42::cli {

// Installs the handlers.
void CatchInterrupts();
// True once a signal came.
bool Interrupted();

}  // namespace q42::cli
