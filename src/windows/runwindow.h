#pragma once

#include <string>

namespace velantro {

// Builds the main window, which opens graphFile (the platform's bytes, as
// given; none when empty), shows it and runs the event loop until it closes.
// The exit status.
int RunWindow(int argc, char** argv, const std::string& graphFile);

} // namespace velantro
