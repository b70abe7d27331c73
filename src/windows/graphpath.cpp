#include "windows/graphpath.h"

namespace velantro {

namespace {

// A UTF-8 continuation byte belongs to the character before it; in names
// that are not UTF-8 each byte is taken as a character of its own.
bool ContinuesCharacter(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Where the last `count` characters start, or npos when there are fewer.
std::size_t StartOfLast(const std::string& path, int count)
{
    std::size_t at = path.size();
    while (count > 0) {
        if (at == 0)
            return std::string::npos;
        --at;
        if (!ContinuesCharacter(path[at]))
            --count;
    }
    return at;
}

} // namespace

std::string PathSeparators()
{
#ifdef _WIN32
    return "\\/";
#else
    return "/";
#endif
}

bool HasIbgEnding(const std::string& path)
{
    return path.size() >= 3 && path.compare(path.size() - 3, 3, "ibg") == 0;
}

GraphPathSplit SplitGraphPath(const std::string& path, const std::string& separators)
{
    GraphPathSplit split;
    const std::size_t end = StartOfLast(path, 4);
    if (end == std::string::npos)
        return split;
    for (std::size_t i = end; i > 0; --i) {
        if (separators.find(path[i - 1]) != std::string::npos) {
            split.Found = true;
            split.Folder = path.substr(0, i);
            split.Name = path.substr(i, end - i);
            return split;
        }
    }
    return split;
}

} // namespace velantro
