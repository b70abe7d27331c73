#include "capture/savecapture.h"
#include "graphfile/burnfields.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>

namespace velantro {
namespace {

// Answers each save dialog with the next scripted path (nothing: cancel)
// and remembers what the dialog was asked to show.
class ScriptedSaveDialogs : public FileDialogs {
public:
    std::optional<QString> GetOpenFileName(QWidget*, const QString&, const QString&, const QString&,
                                           const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QString> GetSaveFileName(QWidget*, const QString& title, const QString& filterName,
                                           const QString& pattern, const QString& initialFolder,
                                           const QString& proposedName, const QString& defaultSuffix) override
    {
        Asked.push_back(title + "|" + filterName + "|" + pattern + "|" + initialFolder + "|" + proposedName + "|" +
                        defaultSuffix);
        std::optional<QString> answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::deque<std::optional<QString>> Answers;
    std::vector<QString> Asked;
};

class AnsweringBoxes : public MessageBoxes {
public:
    void Show(QWidget*, const QString&, const QString&) override {}
    bool Ask(QWidget*, const QString& prompt, const QString& title) override
    {
        Questions.push_back(title + "|" + prompt);
        return Yes;
    }
    bool Yes = false;
    std::vector<QString> Questions;
};

TEST(SaveCapture, ChosenPathsAndTargets)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QFile existing(folder + "taken.bmp.png");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();

    struct Case {
        const char* Name;
        std::optional<QString> Chosen;
        bool AnswerYes;
        std::optional<QString> Target;
        int Questions;
    };
    const std::vector<Case> cases = {
        {"cancelled", std::nullopt, false, std::nullopt, 0},
        {"proposed name", folder + "disc.png", false, folder + "disc.png", 0},
        {"upper-case extension kept", folder + "SHOT.PNG", false, folder + "SHOT.PNG", 0},
        {"other extension gets png appended", folder + "shot.bmp", false, folder + "shot.bmp.png", 0},
        {"longer extension", folder + "shot.jpeg", false, folder + "shot.jpeg.png", 0},
        {"appended name taken, answer no", folder + "taken.bmp", false, std::nullopt, 1},
        {"appended name taken, answer yes", folder + "taken.bmp", true, folder + "taken.bmp.png", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        BurnFields fields = StartupFields();
        fields.CaptureFolder = "/start/";
        fields.CapturePath = "before";
        ScriptedSaveDialogs dialogs;
        dialogs.Answers = {c.Chosen};
        AnsweringBoxes boxes;
        boxes.Yes = c.AnswerYes;
        const std::optional<QString> target = AskCaptureFile(nullptr, dialogs, boxes, fields);
        EXPECT_EQ(target, c.Target);
        EXPECT_EQ(static_cast<int>(boxes.Questions.size()), c.Questions);
        EXPECT_EQ(dialogs.Asked.front(),
                  "Save Velantro Screen Capture|Portable Network Graphics (*.png)|*.png|/start/|Velantro|png");
        if (c.Target) {
            EXPECT_EQ(fields.CapturePath, c.Target->toStdString());
            EXPECT_EQ(fields.CaptureFolder, QDir::toNativeSeparators(folder).toStdString());
        } else {
            EXPECT_EQ(fields.CapturePath, "before");
            EXPECT_EQ(fields.CaptureFolder, "/start/");
        }
    }
}

TEST(SaveCapture, NextDialogStartsWhereTheLastSaveWent)
{
    QTemporaryDir dir;
    BurnFields fields = StartupFields();
    fields.CaptureFolder = "/desktop/";
    fields.CaptureBaseName = "disc";
    ScriptedSaveDialogs dialogs;
    AnsweringBoxes boxes;
    dialogs.Answers = {dir.path() + "/one.png", std::nullopt};
    ASSERT_TRUE(AskCaptureFile(nullptr, dialogs, boxes, fields));
    EXPECT_FALSE(AskCaptureFile(nullptr, dialogs, boxes, fields));
    ASSERT_EQ(dialogs.Asked.size(), 2u);
    EXPECT_TRUE(dialogs.Asked[0].contains("|/desktop/|disc|"));
    EXPECT_TRUE(dialogs.Asked[1].contains("|" + dir.path() + "/|disc|"));
}

} // namespace
} // namespace velantro
