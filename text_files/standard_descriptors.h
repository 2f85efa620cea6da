#pragma once

namespace palvane {

// Opens /dev/null as each of standard input, output and error that the program was started
// without (as with 2>&-), so that no file the program opens later gets descriptor 0, 1 or 2
// and receives its console output. Call first in main, before anything is opened; ends the
// process with status 1 when /dev/null cannot be opened.
void openMissingStandardDescriptors();

}  // namespace palvane
