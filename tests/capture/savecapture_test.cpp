#include "capture/savecapture.h"
#include "graphfile/burnfields.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velantro {
namespace {

// Answers each save dialog with the next scripted path (nothing: cancel)
// and remembers what the dialog was asked to show.
struct ScriptedSaveDialogs : FileDialogs {
    std::optional<QString> GetOpenFileName(QWidget*, const QString&, const QString&, const QString&, const QString&,
                                           const QString&) override { return std::nullopt; }
    std::optional<QString> GetSaveFileName(QWidget*, const QString& title, const QString& filterName,
                                           const QString& pattern, const QString& initialFolder,
                                           const QString& proposedName, const QString& defaultSuffix) override
    {
        Asked.push_back(QStringList{title, filterName, pattern, initialFolder, proposedName, defaultSuffix}.join('|'));
        return Answers.at(Asked.size() - 1);
    }
    std::vector<std::optional<QString>> Answers;
    std::vector<QString> Asked;
};

struct AnsweringBoxes : MessageBoxes {
    void Show(QWidget*, const QString&, const QString&) override {}
    bool Ask(QWidget*, const QString&, const QString&) override { ++Questions; return Yes; }
    bool Yes = false;
    int Questions = 0;
};

TEST(SaveCapture, ChosenPathsAndTargets)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    ASSERT_TRUE(QFile(folder + "taken.bmp.png").open(QIODevice::WriteOnly));

    const std::vector<std::tuple<const char*, std::optional<QString>, bool, std::optional<QString>, int>> cases = {
        {"cancelled", std::nullopt, false, std::nullopt, 0},
        {"proposed name", folder + "disc.png", false, folder + "disc.png", 0},
        {"upper-case extension kept", folder + "SHOT.PNG", false, folder + "SHOT.PNG", 0},
        {"other extension gets png appended", folder + "shot.bmp", false, folder + "shot.bmp.png", 0},
        {"appended name taken, answer no", folder + "taken.bmp", false, std::nullopt, 1},
        {"appended name taken, answer yes", folder + "taken.bmp", true, folder + "taken.bmp.png", 1},
    };
    for (const auto& [name, chosen, yes, target, questions] : cases) {
        SCOPED_TRACE(name);
        BurnFields fields = StartupFields();
        fields.CaptureFolder = "/start/";
        fields.CaptureBaseName = "disc";
        fields.CapturePath = "before";
        ScriptedSaveDialogs dialogs;
        dialogs.Answers = {chosen, std::nullopt};
        AnsweringBoxes boxes;
        boxes.Yes = yes;
        EXPECT_EQ(AskCaptureFile(nullptr, dialogs, boxes, fields), target);
        EXPECT_EQ(boxes.Questions, questions);
        EXPECT_EQ(fields.CapturePath, target ? target->toStdString() : "before");

        // The next dialog starts where the last save went.
        EXPECT_FALSE(AskCaptureFile(nullptr, dialogs, boxes, fields));
        const QString asked = "Save Velantro Screen Capture|Portable Network Graphics (*.png)|*.png|%1|disc|png";
        const QString start = QStringLiteral("/start/"), next = target ? QDir::toNativeSeparators(folder) : start;
        EXPECT_EQ(dialogs.Asked, (std::vector<QString>{asked.arg(start), asked.arg(next)}));
    }
}

} // namespace
} // namespace velantro
