#include "platform/getpaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using velantro::GetDesktopFolder;
using velantro::ReadImgBurnGraphFolder;
using velantro::ReadWineUserString;
using velantro::WinePathToNative;

const std::string Key = "Software\\ImgBurn";
const std::string Value = "FILELOCATIONS_GraphDataFiles";

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Restores an environment variable when the test ends.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : Name(name), Had(qEnvironmentVariableIsSet(name)), Old(qgetenv(name)) {}
    ~EnvGuard()
    {
        if (Had)
            qputenv(Name, Old);
        else
            qunsetenv(Name);
    }

private:
    const char* Name;
    bool Had;
    QByteArray Old;
};

struct UserRegCase {
    const char* name;
    const char* userReg;
    std::string expected;
};

TEST(WineRegistry, UserStringLookup)
{
    const std::vector<UserRegCase> cases = {
        {"value found", R"(WINE REGISTRY Version 2
;; All keys relative to \\User\\S-1-5-21-0-0-0-1000

#arch=win64

[Software\\ImgBurn] 1701234567
#time=1da0b1c2d3e4f50
"FILELOCATIONS_GraphDataFiles"="C:\\users\\me\\Graph Data Files\\"
"Other"="x"
)",
         R"(C:\users\me\Graph Data Files\)"},
        {"key compared without case", "[software\\\\IMGBURN] 1\n\"FILELOCATIONS_GraphDataFiles\"=\"D:\\\\G\"\n",
         R"(D:\G)"},
        {"value name compared without case", "[Software\\\\ImgBurn] 1\n\"filelocations_graphdatafiles\"=\"D:\\\\G\"\n",
         R"(D:\G)"},
        {"key missing", "[Software\\\\Other] 1\n\"FILELOCATIONS_GraphDataFiles\"=\"C:\\\\x\"\n", ""},
        {"sub-key is not the key", "[Software\\\\ImgBurn\\\\Sub] 1\n\"FILELOCATIONS_GraphDataFiles\"=\"C:\\\\x\"\n",
         ""},
        {"value missing", "[Software\\\\ImgBurn] 1\n\"FILELOCATIONS_ImageFiles\"=\"C:\\\\x\"\n", ""},
        {"value under a later key", "[Software\\\\ImgBurn] 1\n\"A\"=\"b\"\n\n[Software\\\\Next] 2\n"
                                    "\"FILELOCATIONS_GraphDataFiles\"=\"C:\\\\x\"\n",
         ""},
        {"escapes", R"([Software\\ImgBurn] 1
"FILELOCATIONS_GraphDataFiles"="C:\\a \"q\" caf\x00e9\\"
)",
         "C:\\a \"q\" caf\xc3\xa9\\"},
        {"expandable string", "[Software\\\\ImgBurn] 1\n\"FILELOCATIONS_GraphDataFiles\"=str(2):\"C:\\\\e\"\n",
         R"(C:\e)"},
        {"number value", "[Software\\\\ImgBurn] 1\n\"FILELOCATIONS_GraphDataFiles\"=dword:00000001\n", ""},
        {"hex value", "[Software\\\\ImgBurn] 1\n\"FILELOCATIONS_GraphDataFiles\"=hex(2):43,00,3a,00,00,00\n", ""},
        {"unterminated string", "[Software\\\\ImgBurn] 1\n\"FILELOCATIONS_GraphDataFiles\"=\"C:\\\\abc\n", ""},
        {"CRLF line ends", "[Software\\\\ImgBurn] 1\r\n\"FILELOCATIONS_GraphDataFiles\"=\"C:\\\\crlf\"\r\n",
         R"(C:\crlf)"},
        {"empty file", "", ""},
    };
    for (const UserRegCase& c : cases) {
        QTemporaryDir prefix;
        ASSERT_TRUE(prefix.isValid());
        WriteFile(prefix.filePath(QStringLiteral("user.reg")), QByteArray(c.userReg));
        EXPECT_EQ(ReadWineUserString(prefix.path().toStdString(), Key, Value), c.expected) << c.name;
    }
}

TEST(WineRegistry, UnreadableUserFile)
{
    const std::vector<const char*> cases = {"missing", "directory", "binary"};
    for (const std::string c : cases) {
        QTemporaryDir prefix;
        ASSERT_TRUE(prefix.isValid());
        const QString userReg = prefix.filePath(QStringLiteral("user.reg"));
        if (c == "directory") {
            ASSERT_TRUE(QDir().mkpath(userReg));
        } else if (c == "binary") {
            QByteArray bytes;
            for (int i = 0; i < 4096; ++i)
                bytes.append(char((i * 131 + 7) & 0xff));
            WriteFile(userReg, bytes);
        }
        EXPECT_EQ(ReadWineUserString(prefix.path().toStdString(), Key, Value), "") << c;
    }
}

struct PathCase {
    const char* name;
    bool dosdevicesC;   // dosdevices/c: -> ../drive_c
    bool driveC;
    bool dosdevicesD;   // dosdevices/d: -> an outside folder
    const char* windowsPath;
    const char* expected;   // relative to the prefix; nullptr: cannot be mapped
};

TEST(WineRegistry, PathMapping)
{
    const std::vector<PathCase> cases = {
        {"drive_c only", false, true, false, R"(C:\users\Me\Graphs\)", "/drive_c/users/Me/Graphs/"},
        {"no trailing separator", false, true, false, R"(C:\Graphs)", "/drive_c/Graphs"},
        {"drive root", false, true, false, R"(C:\)", "/drive_c/"},
        {"small drive letter", false, true, false, R"(c:\Graphs\)", "/drive_c/Graphs/"},
        {"dosdevices first", true, true, false, R"(C:\Graphs\)", "/dosdevices/c:/Graphs/"},
        {"other drive through dosdevices", false, true, true, R"(D:\Data\)", "/dosdevices/d:/Data/"},
        {"other drive without dosdevices", false, true, false, R"(D:\Data\)", nullptr},
        {"no drive at all", false, false, false, R"(C:\Graphs\)", nullptr},
        {"relative path", false, true, false, R"(Graphs\x)", nullptr},
        {"network path", false, true, false, R"(\\server\share\)", nullptr},
        {"empty", false, true, false, "", nullptr},
        {"folder case differs", false, true, false, R"(C:\Users\ME\graph data files\)",
         "/drive_c/users/Me/Graph Data Files/"},
    };
    for (const PathCase& c : cases) {
        QTemporaryDir prefix;
        QTemporaryDir outside;
        ASSERT_TRUE(prefix.isValid() && outside.isValid());
        QDir root(prefix.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("dosdevices")));
        if (c.driveC) {
            ASSERT_TRUE(root.mkpath(QStringLiteral("drive_c/users/Me/Graph Data Files")));
        }
        if (c.dosdevicesC) {
            ASSERT_TRUE(QFile::link(QStringLiteral("../drive_c"), root.filePath(QStringLiteral("dosdevices/c:"))));
        }
        if (c.dosdevicesD) {
            ASSERT_TRUE(QFile::link(outside.path(), root.filePath(QStringLiteral("dosdevices/d:"))));
        }
        const std::string expected = c.expected ? prefix.path().toStdString() + c.expected : std::string();
        EXPECT_EQ(WinePathToNative(prefix.path().toStdString(), c.windowsPath), expected) << c.name;
    }
}

TEST(WineRegistry, GraphFolderFromPrefix)
{
    struct Case {
        const char* name;
        bool withValue;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"value present", true, "/drive_c/Graphs/"},
        {"empty prefix", false, nullptr},
    };
    EnvGuard guard("WINEPREFIX");
    for (const Case& c : cases) {
        QTemporaryDir prefix;
        ASSERT_TRUE(prefix.isValid());
        ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("drive_c/Graphs")));
        if (c.withValue)
            WriteFile(prefix.filePath(QStringLiteral("user.reg")),
                      "[Software\\\\ImgBurn] 1\n\"FILELOCATIONS_GraphDataFiles\"=\"C:\\\\Graphs\\\\\"\n");
        qputenv("WINEPREFIX", prefix.path().toLocal8Bit());
        const std::string expected = c.expected ? prefix.path().toStdString() + c.expected : std::string();
        EXPECT_EQ(ReadImgBurnGraphFolder(), expected) << c.name;
    }
}

TEST(DesktopFolder, NoTrailingSeparator)
{
    struct Case {
        const char* userDirs;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"XDG_DESKTOP_DIR=\"$HOME/Schreibtisch/\"\n", QDir::homePath() + QStringLiteral("/Schreibtisch")},
        {"XDG_DESKTOP_DIR=\"/srv/desk\"\n", QStringLiteral("/srv/desk")},
        {"", QDir::homePath() + QStringLiteral("/Desktop")},
    };
    EnvGuard guard("XDG_CONFIG_HOME");
    for (const Case& c : cases) {
        QTemporaryDir config;
        ASSERT_TRUE(config.isValid());
        WriteFile(config.filePath(QStringLiteral("user-dirs.dirs")), c.userDirs);
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        EXPECT_EQ(GetDesktopFolder(), c.expected.toStdString()) << c.userDirs;
    }
}

} // namespace
