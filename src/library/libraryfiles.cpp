#include "library/libraryfiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace velantro {

namespace {

using FileId = std::pair<dev_t, ino_t>;

class FolderWalk {
public:
    FolderWalk(LibraryFiles& found, std::set<FileId>& files) : found_(found), files_(files) {}

    void Start(const std::string& path)
    {
        struct stat status {};
        if (stat(path.c_str(), &status) != 0)
            return Note(path, std::strerror(errno));
        if (S_ISDIR(status.st_mode))
            return Walk(path, status);
        if (!HasGraphFileEnding(path))
            return Note(path, "not a folder");
        TakeFile(path, status);
    }

private:
    void Walk(const std::string& root, const struct stat& rootStatus)
    {
        // Depth first without recursion: a deep tree costs heap, not stack.
        std::vector<std::pair<std::string, FileId>> pending{{root, {rootStatus.st_dev, rootStatus.st_ino}}};
        while (!pending.empty()) {
            auto [folder, id] = std::move(pending.back());
            pending.pop_back();
            if (!folders_.insert(id).second)
                continue;
            std::vector<std::pair<std::string, FileId>> subfolders = ReadFolder(folder);
            pending.insert(pending.end(), std::make_move_iterator(subfolders.rbegin()),
                           std::make_move_iterator(subfolders.rend()));
        }
    }

    // Takes the folder's graph files; its subfolders by name.
    std::vector<std::pair<std::string, FileId>> ReadFolder(const std::string& folder)
    {
        std::vector<std::pair<std::string, FileId>> subfolders;
        DIR* dir = opendir(folder.c_str());
        if (dir == nullptr) {
            Note(folder, std::strerror(errno));
            return subfolders;
        }
        std::vector<std::string> names;
        while (const dirent* entry = readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..")
                names.emplace_back(name);
        }
        closedir(dir);
        std::sort(names.begin(), names.end());
        const std::string base = folder.ends_with('/') ? folder : folder + '/';
        for (const std::string& name : names) {
            const std::string path = base + name;
            struct stat status {};
            const bool graphName = HasGraphFileEnding(name);
            if (stat(path.c_str(), &status) != 0) {
                if (graphName)
                    Note(path, std::strerror(errno));
                continue;
            }
            if (S_ISDIR(status.st_mode))
                subfolders.push_back({path, {status.st_dev, status.st_ino}});
            else if (graphName)
                TakeFile(path, status);
        }
        return subfolders;
    }

    void TakeFile(const std::string& path, const struct stat& status)
    {
        if (!S_ISREG(status.st_mode))
            return Note(path, "not a regular file");
        if (files_.insert({status.st_dev, status.st_ino}).second)
            found_.Paths.push_back(path);
    }

    void Note(const std::string& path, const std::string& reason) { found_.Notes.push_back(path + ": " + reason); }

    LibraryFiles& found_;
    std::set<FileId> folders_;
    std::set<FileId>& files_;
};

} // namespace

bool HasGraphFileEnding(std::string_view name)
{
    if (name.size() < 4)
        return false;
    const std::string_view ending = name.substr(name.size() - 4);
    return std::equal(ending.begin(), ending.end(), ".ibg",
                      [](char c, char want) { return (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) == want; });
}

struct LibraryFinder::Seen {
    std::set<FileId> Files;
};

LibraryFinder::LibraryFinder() : seen_(std::make_unique<Seen>()) {}
LibraryFinder::~LibraryFinder() = default;

LibraryFiles LibraryFinder::Find(const std::vector<std::string>& folders)
{
    LibraryFiles found;
    FolderWalk walk(found, seen_->Files);
    for (const std::string& folder : folders)
        walk.Start(folder);
    return found;
}

LibraryFiles FindLibraryFiles(const std::vector<std::string>& folders)
{
    return LibraryFinder().Find(folders);
}

} // namespace velantro
