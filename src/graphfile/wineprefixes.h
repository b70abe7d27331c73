#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace velantro {

// The places under a home folder where Wine prefixes are kept, in search
// order, as shown to a user ("~/.wine", "~/Games/*/"). The first is
// $WINEPREFIX instead when that is set.
std::vector<std::string> WinePrefixPatterns(const std::string& winePrefix);

// The Wine prefixes that exist in those places, in the same order (the
// prefixes of one place by name). A folder counts as a prefix when it has a
// drive_c folder or a user.reg file.
std::vector<std::filesystem::path> FindWinePrefixes(const std::filesystem::path& home, const std::string& winePrefix);

// ImgBurn's own graph folder of each user of the prefix that has one, the
// later Windows layout before the older one.
std::vector<std::filesystem::path> DefaultGraphFolders(const std::filesystem::path& prefix);

} // namespace velantro
