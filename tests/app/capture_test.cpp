#include "app/burnform.h"
#include "app/picturebox.h"
#include "charts/seriescolours.h"
#include "formdoubles.h"
#include "../support/graphtext.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QImage>
#include <QTimer>
#include <gtest/gtest.h>
#include <ibggen.h>

namespace velantro {
namespace {

bool HasColour(const QImage& image, Colour colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) == colour)
                return true;
    return false;
}

TEST(ScreenCapture, SavesTheWindowFromTheMenu)
{
    const testing::TempFile graph(ibggen::Generate({ibggen::Kind::DvdBurnVerify, 300, "\r\n", 1}), "disc.ibg");
    const QString folder = QString::fromStdString(graph.Folder()) + "/";
    testing::ScriptedFileDialogs dialogs;
    testing::RecordedMessageBoxes messages;
    BurnForm form(graph.Path(), &dialogs, &messages);
    form.show();
    ASSERT_EQ(form.Fields().LoadedFilePath, graph.Path());

    // Lets the event loop run until the capture timer has fired; says whether it started.
    const auto save = [&](const std::optional<QString>& answer) {
        dialogs.SaveAnswers = {answer};
        form.Save_File->trigger();
        const bool started = form.Timer1->isActive();
        for (QDeadlineTimer deadline(5000); form.Timer1->isActive() && !deadline.hasExpired();)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return started;
    };
    // Cancelled: nothing starts, nothing is written.
    EXPECT_FALSE(save(std::nullopt));

    EXPECT_TRUE(save(folder + "shot.png"));
    EXPECT_TRUE(messages.Shown.empty());
    const QImage saved(folder + "shot.png");
    EXPECT_EQ(saved.size(), form.grab().size() * form.devicePixelRatio());
    EXPECT_TRUE(HasColour(saved, SeriesColour[0]) && HasColour(saved, SeriesColour[4])); // write and verify drawn
    EXPECT_FALSE(form.Picture3->isVisible());
    EXPECT_EQ(QString::fromStdString(form.Fields().CaptureFolder), folder);

    // A folder that is not there: the save says why and writes nothing.
    const QString missing = folder + "missing/shot.png";
    EXPECT_TRUE(save(missing));
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Title, "Save Velantro Screen Capture");
    EXPECT_TRUE(messages.Shown[0].Prompt.contains(missing) && messages.Shown[0].Prompt.contains("File Not Found"));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

} // namespace
} // namespace velantro
