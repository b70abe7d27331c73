#include "graphfile/wineprefixes.h"

#include <algorithm>
#include <system_error>

namespace velantro {

namespace fs = std::filesystem;

namespace {

// Places that hold one prefix each and places whose subfolders are prefixes.
constexpr const char* SinglePrefix = "~/.wine";
constexpr const char* PrefixFolders[] = {
    "~/.var/app/com.usebottles.bottles/data/bottles/bottles/*/", // Bottles as a Flatpak
    "~/.local/share/bottles/bottles/*/",
    "~/.PlayOnLinux/wineprefix/*/",
    "~/Games/*/", // Lutris and other launchers
};

// The Roaming folder of Vista and later, then the one of XP.
constexpr const char* UserGraphFolders[] = {
    "AppData/Roaming/ImgBurn/Graph Data Files",
    "Application Data/ImgBurn/Graph Data Files",
};

bool IsFolder(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

bool IsPrefix(const fs::path& path)
{
    std::error_code error;
    return IsFolder(path / "drive_c") || fs::is_regular_file(path / "user.reg", error);
}

// The subfolders of a folder by name; none when it cannot be read.
std::vector<fs::path> Subfolders(const fs::path& folder)
{
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (IsFolder(it->path()))
            found.push_back(it->path());
    std::sort(found.begin(), found.end());
    return found;
}

fs::path UnderHome(const fs::path& home, const std::string& pattern)
{
    // "~/a/b/*/" -> home/a/b
    std::string relative = pattern.substr(2);
    if (relative.ends_with("*/"))
        relative.resize(relative.size() - 2);
    return home / relative;
}

} // namespace

std::vector<std::string> WinePrefixPatterns(const std::string& winePrefix)
{
    std::vector<std::string> patterns = {winePrefix.empty() ? std::string(SinglePrefix) : winePrefix};
    patterns.insert(patterns.end(), std::begin(PrefixFolders), std::end(PrefixFolders));
    return patterns;
}

std::vector<fs::path> FindWinePrefixes(const fs::path& home, const std::string& winePrefix)
{
    std::vector<fs::path> prefixes;
    fs::path single = winePrefix.empty() ? UnderHome(home, SinglePrefix) : fs::path(winePrefix).lexically_normal();
    // "/a/b/" and "/a/b" are one prefix: Bottles sets $WINEPREFIX to its own.
    if (single.filename().empty())
        single = single.parent_path();
    if (IsPrefix(single))
        prefixes.push_back(single);
    for (const char* pattern : PrefixFolders)
        for (const fs::path& folder : Subfolders(UnderHome(home, pattern)))
            if (IsPrefix(folder) && std::find(prefixes.begin(), prefixes.end(), folder) == prefixes.end())
                prefixes.push_back(folder);
    return prefixes;
}

std::vector<fs::path> DefaultGraphFolders(const fs::path& prefix)
{
    std::vector<fs::path> folders;
    for (const fs::path& user : Subfolders(prefix / "drive_c" / "users"))
        for (const char* graphs : UserGraphFolders)
            if (IsFolder(user / graphs))
                folders.push_back(user / graphs);
    return folders;
}

} // namespace velantro
