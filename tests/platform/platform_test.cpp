#include "platform/filedialogs.h"
#include "platform/getpaths.h"
#include "support/graphtext.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QTimer>

namespace velantro {
namespace {

namespace fs = std::filesystem;

#define KEY "WINE REGISTRY Version 2\n\n[Software\\\\ImgBurn] 1701234567\n\"Other\"=\"x\"\n"
#define VALUE(data) R"("FILELOCATIONS_GraphDataFiles"=)" data
constexpr const char* Data = "ImgBurn/Graph Data Files";

// The whole lookup on a made-up Wine prefix: user.reg, then the drive mapping.
TEST(WineRegistry, GraphFolderFromPrefix)
{
    // user.reg (nullptr: none); layout: C drive_c, c or d a dosdevices link to it, R user.reg a folder,
    // H user.reg grown to a terabyte of sparse zeros (one endless line);
    // the folder found, under the prefix (nullptr: none).
    const std::vector<std::tuple<const char*, const char*, const char*>> cases = {
        {KEY VALUE(R"("C:\\Graphs\\")"), "C", "/drive_c/Graphs/"},
        {"WINE REGISTRY Version 2\n[software\\\\IMGBURN] 1\n" R"("filelocations_graphdatafiles"="C:\\Graphs")", "C",
         "/drive_c/Graphs"},
        {"[Software\\\\ImgBurn] 1\n" VALUE(R"("C:\\Graphs\\")"), "C", nullptr}, // no registry file
        {KEY VALUE(R"("C:\\..\\..\\")"), "C", "/drive_c/"},
        {KEY VALUE(R"("C:\\Graphs\\..\\..\\.\\..\\Graphs")"), "Cc", "/dosdevices/c:/Graphs"},
        {KEY VALUE(R"("C:\\Graphs\\")"), "CH", "/drive_c/Graphs/"},
        {KEY, "CH", nullptr},
        {"WINE REGISTRY Version 2\n[Software\\\\Other] 1\n" VALUE(R"("C:\\Graphs\\")"), "C", nullptr},
        {"WINE REGISTRY Version 2\n[Software\\\\ImgBurn\\\\Sub] 1\n" VALUE(R"("C:\\Graphs\\")"), "C", nullptr},
        {KEY R"("FILELOCATIONS_ImageFiles"="C:\\Graphs\\")", "C", nullptr},
        {KEY "[Software\\\\Next] 2\n" VALUE(R"("C:\\Graphs\\")"), "C", nullptr},
        {KEY VALUE(R"("C:\\a \"q\" caf\x00e9\\")"), "C", "/drive_c/a \"q\" caf\xc3\xa9/"},
        {KEY VALUE(R"(str(2):"C:\\Graphs")"), "C", "/drive_c/Graphs"},
        {KEY VALUE("dword:00000001"), "C", nullptr},
        {KEY VALUE(R"("C:\\Graphs)"), "C", nullptr},
        {KEY VALUE(R"("C:\\Graphs")") "\r", "C", "/drive_c/Graphs"},
        {KEY VALUE(R"("c:\\GRAPHS\\")"), "C", "/drive_c/Graphs/"},
        {KEY VALUE(R"("C:\\Graphs\\")"), "Cc", "/dosdevices/c:/Graphs/"},
        {KEY VALUE(R"("D:\\Graphs\\")"), "Cd", "/dosdevices/d:/Graphs/"},
        {KEY VALUE(R"("D:\\Graphs\\")"), "C", nullptr},
        {KEY VALUE(R"("C:\\Graphs\\")"), "", nullptr},
        {KEY VALUE(R"("Graphs\\x")"), "C", nullptr},
        {nullptr, "C", nullptr},
        {nullptr, "CR", nullptr},
        {"\x89PNG\r\n\x1a\n\xff\xfe[\x80\\\"]=\"\x01\\", "C", nullptr},
    };
    for (const auto& [userReg, layout, expected] : cases) {
        SCOPED_TRACE(std::string(userReg ? userReg : "none") + " in " + layout);
        const auto has = [&](char c) { return std::string(layout).find(c) != std::string::npos; };
        const testing::TempFile prefix;
        fs::create_directories(prefix.In("dosdevices"));
        for (const char* folder : {"drive_c/Graphs", "drive_c/a \"q\" caf\xc3\xa9"})
            if (has('C'))
                fs::create_directories(prefix.In(folder));
        for (const std::string drive : {"c", "d"})
            if (has(drive[0]))
                fs::create_directory_symlink("../drive_c", prefix.In("dosdevices/" + drive + ":"));
        if (has('R'))
            fs::create_directory(prefix.In("user.reg"));
        else if (userReg)
            std::ofstream(prefix.In("user.reg"), std::ios::binary) << userReg << '\n';
        if (has('H'))
            fs::resize_file(prefix.In("user.reg"), std::uintmax_t{1} << 40);
        qputenv("WINEPREFIX", prefix.Folder().c_str());
        EXPECT_EQ(ReadImgBurnGraphFolder(), expected ? prefix.Folder() + expected : "");
    }
}

// The prefix search on a made-up home: each kind of prefix, both user folder
// layouts, the registry value before the default folders, the search order.
TEST(WinePrefixes, GraphFoldersOnAMadeUpHome)
{
    const auto roaming = [](const std::string& user) { return "drive_c/users/" + user + "/AppData/Roaming/" + Data; };
    const auto older = [](const std::string& user) { return "drive_c/users/" + user + "/Application Data/" + Data; };
    const std::string flatpak = ".var/app/com.usebottles.bottles/data/bottles/bottles/f/";
    const std::string bottle = ".local/share/bottles/bottles/n/", playOnLinux = ".PlayOnLinux/wineprefix/p/";
    // Folders made under the home, a prefix whose user.reg names C:\Burns, $WINEPREFIX, the folders found.
    using Folders = std::vector<std::string>;
    const std::vector<std::tuple<Folders, std::string, std::string, Folders>> cases = {
        {{".wine/drive_c", "Games/notes/users"}, "", "", {}},
        {{".wine/" + roaming("me"), ".wine/" + older("o")}, "", "", {".wine/" + roaming("me"), ".wine/" + older("o")}},
        {{"Games/b/" + roaming("me"), playOnLinux + older("me"), bottle + roaming("me"), flatpak + roaming("b"),
          flatpak + roaming("a"), ".wine/" + roaming("me"), "Games/a/" + roaming("me")},
         "", "",
         {".wine/" + roaming("me"), flatpak + roaming("a"), flatpak + roaming("b"), bottle + roaming("me"),
          playOnLinux + older("me"), "Games/a/" + roaming("me"), "Games/b/" + roaming("me")}},
        {{"Games/g/drive_c/Burns", "Games/g/" + roaming("me")}, "Games/g", "", {"Games/g/drive_c/Burns"}},
        {{"Games/g/" + roaming("me")}, "Games/g", "", {"Games/g/" + roaming("me")}}, // the registry's folder gone
        {{"w/" + roaming("me"), ".wine/" + roaming("me")}, "", "w", {"w/" + roaming("me")}},
        {{bottle + roaming("me")}, "", bottle, {bottle + roaming("me")}}, // a bottle named twice is searched once
    };
    for (const auto& [folders, userReg, winePrefix, found] : cases) {
        SCOPED_TRACE(::testing::PrintToString(folders));
        const testing::TempFile home;
        for (const std::string& folder : folders)
            fs::create_directories(home.In(folder));
        if (!userReg.empty())
            std::ofstream(home.In(userReg + "/user.reg")) << KEY VALUE(R"("C:\\Burns")");
        std::vector<std::string> expected;
        for (const std::string& folder : found)
            expected.push_back(home.In(folder));
        EXPECT_EQ(FindImgBurnGraphFolders(home.Folder(), winePrefix.empty() ? "" : home.In(winePrefix)), expected);
    }
}

// Runs `act` on the next modal window to come up, from inside its own event
// loop. Gives up after a bounded number of event-loop turns.
void OnNextModal(std::function<void(QWidget*)> act, int turns = 2000)
{
    QTimer::singleShot(0, qApp, [act = std::move(act), turns]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible())
            act(modal);
        else if (turns > 0)
            OnNextModal(std::move(act), turns - 1);
    });
}

// The filter shows its pattern once, whether or not the caller named it; a
// save takes the default suffix.
TEST(FileDialogs, ChosenFile)
{
    // Save, filter name, chosen (graph.ibg exists), returned.
    const std::vector<std::tuple<bool, QString, std::string, std::string>> cases = {
        {false, "Graphs", "graph.ibg", "graph.ibg"},
        {false, "Graphs (*.ibg)", "graph.ibg", "graph.ibg"},
        {true, "Pictures", "shot", "shot.png"},
    };
    for (const auto& [save, filterName, chosen, returned] : cases) {
        const testing::TempFile folder;
        OnNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->nameFilters(), QStringList{save ? "Pictures (*.png)" : "Graphs (*.ibg)"});
            dialog->selectFile(QString::fromStdString(folder.In(chosen)));
            static_cast<QDialog*>(dialog)->accept();
        });
        const QString where = QString::fromStdString(folder.Folder());
        QtFileDialogs dialogs;
        const std::optional<QString> result =
            save ? dialogs.GetSaveFileName(nullptr, "t", filterName, "*.png", where, "x", "png")
                 : dialogs.GetOpenFileName(nullptr, "t", filterName, "*.ibg", where, "ibg");
        EXPECT_EQ(result.value_or("").toStdString(), folder.In(returned));
    }
}

// The type chosen in the dialog gives a name without an ending its own.
TEST(FileDialogs, ChosenType)
{
    const QStringList filters = {"Text (*.txt)", "JSON (*.json)", "CSV (*.csv)"};
    // Type chosen, name typed, name returned.
    const std::tuple<int, std::string, std::string> cases[] = {
        {1, "name", "name.json"}, {2, "name", "name.csv"}, {0, "name", "name.txt"}, {1, "name.txt", "name.txt"}};
    for (const auto& [type, typed, returned] : cases) {
        const testing::TempFile folder;
        OnNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->nameFilters(), filters);
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            ASSERT_NE(types, nullptr);
            // As a user picks it: the signals of a click in the list.
            types->setCurrentIndex(type);
            emit types->activated(type);
            emit types->textActivated(types->currentText());
            dialog->selectFile(QString::fromStdString(folder.In(typed)));
            static_cast<QDialog*>(dialog)->accept();
        });
        QtFileDialogs dialogs;
        const auto chosen =
            dialogs.GetSaveFileNameOfType(nullptr, "t", filters, 0, QString::fromStdString(folder.Folder()), "x.txt");
        ASSERT_TRUE(chosen) << typed;
        EXPECT_EQ(chosen->Path.toStdString(), folder.In(returned));
        EXPECT_EQ(chosen->Type, type);
    }
}

} // namespace
} // namespace velantro
