#pragma once

#include <string>
#include <vector>

namespace velantro {

// The user's desktop folder without a trailing separator, "" when unknown.
std::string GetDesktopFolder();

// ImgBurn's folder for graph data files as a native path, "" when it cannot
// be read. On Linux ImgBurn runs under Wine, so its value is read from the
// Wine prefix ($WINEPREFIX, else ~/.wine).
std::string ReadImgBurnGraphFolder();

// ImgBurn's graph folders in the Wine prefixes under `home` (see
// FindWinePrefixes): in each prefix the folder of its registry value where
// that is set, else ImgBurn's default folder of each of its users. Only
// folders that exist, each once, in search order.
std::vector<std::string> FindImgBurnGraphFolders(const std::string& home, const std::string& winePrefix);
// The same for this user: $HOME and $WINEPREFIX.
std::vector<std::string> FindImgBurnGraphFolders();

// The first of those, "" when there is none.
std::string FirstImgBurnGraphFolder();

// The pieces of the Wine lookup, open for tests: the value of `valueName`
// under HKEY_CURRENT_USER\`keyPath` in `<prefix>/user.reg`, "" on any failure.
std::string ReadWineUserString(const std::string& prefix, const std::string& keyPath,
                               const std::string& valueName);
// "C:\\Users\\me\\Graphs\\" -> "<prefix>/dosdevices/c:/Users/me/Graphs/" when
// that exists, else through "<prefix>/drive_c"; "" when it cannot be mapped.
std::string WinePathToNative(const std::string& prefix, const std::string& windowsPath);

} // namespace velantro
