#include "platform/getpaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

#define KEY "WINE REGISTRY Version 2\n\n[Software\\\\ImgBurn] 1701234567\n\"Other\"=\"x\"\n"
#define VALUE(data) R"("FILELOCATIONS_GraphDataFiles"=)" data

// The whole lookup on a made-up Wine prefix: user.reg, then the drive mapping.
TEST(WineRegistry, GraphFolderFromPrefix)
{
    struct Case {
        const char* name;
        const char* userReg;   // nullptr: none
        const char* layout;    // C: drive_c, c/d: dosdevices/c: or d: -> drive_c, R: user.reg is a folder
        const char* expected;  // relative to the prefix; nullptr: ""
    };
    const std::vector<Case> cases = {
        {"value found", KEY VALUE(R"("C:\\Graphs\\")"), "C", "/drive_c/Graphs/"},
        {"case", "[software\\\\IMGBURN] 1\n" R"("filelocations_graphdatafiles"="C:\\Graphs")", "C", "/drive_c/Graphs"},
        {"key missing", "[Software\\\\Other] 1\n" VALUE(R"("C:\\Graphs\\")"), "C", nullptr},
        {"sub-key is not the key", "[Software\\\\ImgBurn\\\\Sub] 1\n" VALUE(R"("C:\\Graphs\\")"), "C", nullptr},
        {"value missing", KEY R"("FILELOCATIONS_ImageFiles"="C:\\Graphs\\")", "C", nullptr},
        {"value under a later key", KEY "[Software\\\\Next] 2\n" VALUE(R"("C:\\Graphs\\")"), "C", nullptr},
        {"escapes", KEY VALUE(R"("C:\\a \"q\" caf\x00e9\\")"), "C", "/drive_c/a \"q\" caf\xc3\xa9/"},
        {"expandable string", KEY VALUE(R"(str(2):"C:\\Graphs")"), "C", "/drive_c/Graphs"},
        {"number value", KEY VALUE("dword:00000001"), "C", nullptr},
        {"unterminated string", KEY VALUE(R"("C:\\Graphs)"), "C", nullptr},
        {"CRLF line end", KEY VALUE(R"("C:\\Graphs")") "\r", "C", "/drive_c/Graphs"},
        {"folder case differs", KEY VALUE(R"("c:\\GRAPHS\\")"), "C", "/drive_c/Graphs/"},
        {"dosdevices before drive_c", KEY VALUE(R"("C:\\Graphs\\")"), "Cc", "/dosdevices/c:/Graphs/"},
        {"other drive through dosdevices", KEY VALUE(R"("D:\\Graphs\\")"), "Cd", "/dosdevices/d:/Graphs/"},
        {"other drive without dosdevices", KEY VALUE(R"("D:\\Graphs\\")"), "C", nullptr},
        {"no drive at all", KEY VALUE(R"("C:\\Graphs\\")"), "", nullptr},
        {"relative path", KEY VALUE(R"("Graphs\\x")"), "C", nullptr},
        {"no user.reg", nullptr, "C", nullptr},
        {"user.reg is a folder", nullptr, "CR", nullptr},
        {"binary user.reg", "\x89PNG\r\n\x1a\n\xff\xfe[\x80\\\"]=\"\x01\\", "C", nullptr},
    };
    const QByteArray oldPrefix = qgetenv("WINEPREFIX");
    for (const Case& c : cases) {
        QTemporaryDir prefix;
        QDir root(prefix.path());
        const QString layout = QString::fromLatin1(c.layout);
        bool made = prefix.isValid() && root.mkpath("dosdevices");
        if (layout.contains(u'C'))
            made = made && root.mkpath("drive_c/Graphs") && root.mkpath("drive_c/a \"q\" caf\xc3\xa9");
        for (const QChar drive : {u'c', u'd'})
            if (layout.contains(drive))
                made = made && QFile::link("../drive_c", root.filePath(QStringLiteral("dosdevices/%1:").arg(drive)));
        if (layout.contains(u'R'))
            made = made && root.mkpath("user.reg");
        else if (c.userReg)
            made = made && WriteFile(root.filePath("user.reg"), QByteArray(c.userReg) + '\n');
        ASSERT_TRUE(made) << c.name;
        qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
        const std::string expected = c.expected ? prefix.path().toStdString() + c.expected : std::string();
        EXPECT_EQ(velantro::ReadImgBurnGraphFolder(), expected) << c.name;
    }
    qputenv("WINEPREFIX", oldPrefix);
}

// The prefix search on a made-up home: each kind of prefix, both user folder
// layouts, the registry value before the default folders, the search order.
TEST(WinePrefixes, GraphFoldersOnAMadeUpHome)
{
    const QString roaming = "drive_c/users/%1/AppData/Roaming/ImgBurn/Graph Data Files";
    const QString older = "drive_c/users/%1/Application Data/ImgBurn/Graph Data Files";
    const QString flatpak = ".var/app/com.usebottles.bottles/data/bottles/bottles/";
    struct Case {
        const char* name;
        QStringList folders;  // made under home
        QString userReg;      // a prefix whose user.reg names C:\Burns; "" for none
        QString winePrefix;   // relative to home; "" for unset
        QStringList expected; // relative to home
    };
    const std::vector<Case> cases = {
        {"nothing", {".wine/drive_c", "Games/notes/users"}, "", "", {}},
        {"~/.wine, both layouts", {".wine/" + roaming.arg("me"), ".wine/" + older.arg("old")}, "", "",
         {".wine/" + roaming.arg("me"), ".wine/" + older.arg("old")}},
        {"every kind, in search order",
         {"Games/b/" + roaming.arg("me"), ".PlayOnLinux/wineprefix/p/" + older.arg("me"),
          ".local/share/bottles/bottles/n/" + roaming.arg("me"), flatpak + "f/" + roaming.arg("b"),
          flatpak + "f/" + roaming.arg("a"), ".wine/" + roaming.arg("me"), "Games/a/" + roaming.arg("me")},
         "", "",
         {".wine/" + roaming.arg("me"), flatpak + "f/" + roaming.arg("a"), flatpak + "f/" + roaming.arg("b"),
          ".local/share/bottles/bottles/n/" + roaming.arg("me"), ".PlayOnLinux/wineprefix/p/" + older.arg("me"),
          "Games/a/" + roaming.arg("me"), "Games/b/" + roaming.arg("me")}},
        {"registry value before the default folder", {"Games/g/drive_c/Burns", "Games/g/" + roaming.arg("me")},
         "Games/g", "", {"Games/g/drive_c/Burns"}},
        {"registry folder gone: default folder", {"Games/g/" + roaming.arg("me")}, "Games/g", "",
         {"Games/g/" + roaming.arg("me")}},
        {"$WINEPREFIX instead of ~/.wine", {"w/" + roaming.arg("me"), ".wine/" + roaming.arg("me")}, "", "w", {"w/" + roaming.arg("me")}},
        {"$WINEPREFIX naming a bottle: once", {".local/share/bottles/bottles/n/" + roaming.arg("me")}, "", ".local/share/bottles/bottles/n/",
         {".local/share/bottles/bottles/n/" + roaming.arg("me")}},
    };
    for (const Case& c : cases) {
        QTemporaryDir home;
        bool made = home.isValid();
        for (const QString& folder : c.folders)
            made = made && QDir(home.path()).mkpath(folder);
        if (!c.userReg.isEmpty())
            made = made && WriteFile(home.filePath(c.userReg + "/user.reg"), KEY VALUE(R"("C:\\Burns")"));
        ASSERT_TRUE(made) << c.name;
        std::vector<std::string> expected;
        for (const QString& folder : c.expected)
            expected.push_back(home.filePath(folder).toStdString());
        const std::string winePrefix = c.winePrefix.isEmpty() ? "" : home.filePath(c.winePrefix).toStdString();
        EXPECT_EQ(velantro::FindImgBurnGraphFolders(home.path().toStdString(), winePrefix), expected) << c.name;
    }
}

TEST(DesktopFolder, NoTrailingSeparator)
{
    QTemporaryDir config;
    ASSERT_TRUE(WriteFile(config.filePath("user-dirs.dirs"), "XDG_DESKTOP_DIR=\"/srv/desk//\"\n"));
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    EXPECT_EQ(velantro::GetDesktopFolder(), "/srv/desk");
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

} // namespace
