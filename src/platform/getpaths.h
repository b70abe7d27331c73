#pragma once

#include <string>

namespace velantro {

// The user's desktop folder without a trailing separator, "" when unknown.
std::string GetDesktopFolder();

// ImgBurn's folder for graph data files as a native path, "" when it cannot
// be read. On Linux ImgBurn runs under Wine, so its value is read from the
// Wine prefix ($WINEPREFIX, else ~/.wine).
std::string ReadImgBurnGraphFolder();

// The pieces of the Wine lookup, open for tests: the value of `valueName`
// under HKEY_CURRENT_USER\`keyPath` in `<prefix>/user.reg`, "" on any failure.
std::string ReadWineUserString(const std::string& prefix, const std::string& keyPath,
                               const std::string& valueName);
// "C:\\Users\\me\\Graphs\\" -> "<prefix>/dosdevices/c:/Users/me/Graphs/" when
// that exists, else through "<prefix>/drive_c"; "" when it cannot be mapped.
std::string WinePathToNative(const std::string& prefix, const std::string& windowsPath);

} // namespace velantro
