#pragma once

#include <string>

namespace velantro {

// Paths here are the platform's bytes (UTF-8 on most systems, but any bytes
// on Linux); every separator and ending looked for is ASCII.

// The characters that end a folder in a path: "\" and "/" on Windows, "/"
// elsewhere.
std::string PathSeparators();

// The last three characters are "ibg", case-sensitive; no dot is needed.
bool HasIbgEnding(const std::string& path);

struct GraphPathSplit {
    bool Found = false;
    std::string Folder; // with its trailing separator
    std::string Name;   // without the last four characters of the path
};

// The walk starts four characters before the end, so the last four are
// never part of the name and a separator among them is never found.
GraphPathSplit SplitGraphPath(const std::string& path, const std::string& separators);

} // namespace velantro
