#pragma once

#include <string>

namespace velantro {

// Builds the main window, which loads the file named by argumentString (the
// program's non-option arguments joined by single blanks, the platform's
// bytes), shows it and runs the event loop until it closes. The exit status.
int RunWindow(int argc, char** argv, const std::string& argumentString);

} // namespace velantro
