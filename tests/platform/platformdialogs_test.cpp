#include "platform/filedialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

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

// The filter shows its pattern once, whether or not the caller named it.
TEST(FileDialogs, ChosenFile)
{
    struct Case {
        bool save;
        QString filterName;
        QString chosen;     // disc.ibg exists
        QString expected;   // file name returned
    };
    const std::vector<Case> cases = {
        {false, "ImgBurn Graph Files", "disc.ibg", "disc.ibg"},
        {false, "ImgBurn Graph Files (*.ibg)", "disc.ibg", "disc.ibg"},
        {true, "Portable Network Graphics", "shot", "shot.png"},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(QFile(folder.filePath("disc.ibg")).open(QIODevice::WriteOnly));
        OnNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->nameFilters(),
                      QStringList{c.save ? "Portable Network Graphics (*.png)" : "ImgBurn Graph Files (*.ibg)"});
            dialog->selectFile(folder.filePath(c.chosen));
            static_cast<QDialog*>(dialog)->accept();
        });
        velantro::QtFileDialogs dialogs;
        const std::optional<QString> result =
            c.save ? dialogs.GetSaveFileName(nullptr, "t", c.filterName, "*.png", folder.path(), "x", "png")
                   : dialogs.GetOpenFileName(nullptr, "t", c.filterName, "*.ibg", folder.path(), "ibg");
        EXPECT_EQ(result.value_or("").toStdString(), folder.filePath(c.expected).toStdString());
    }
}

} // namespace
