#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velantro {

// A graph file by its name: ".ibg" in any case.
bool HasGraphFileEnding(std::string_view name);

struct LibraryFiles {
    // Each file once, however many links or folders reach it; names as the
    // platform gives them, in the order of the folders, by name within one.
    std::vector<std::string> Paths;
    // What was passed over and why, a line each ("FOLDER: Permission denied").
    std::vector<std::string> Notes;
};

// The graph files in the folders and all their subfolders. Links are
// followed, but a folder is walked once (a link loop ends there), and only
// regular files are taken: a FIFO or a device named x.ibg is noted, never
// opened. A folder argument that is a graph file is taken as it is.
LibraryFiles FindLibraryFiles(const std::vector<std::string>& folders);

// The same, search after search: a file found by an earlier search is not
// found again.
class LibraryFinder {
public:
    LibraryFinder();
    ~LibraryFinder();
    LibraryFiles Find(const std::vector<std::string>& folders);

private:
    struct Seen;
    std::unique_ptr<Seen> seen_;
};

} // namespace velantro
