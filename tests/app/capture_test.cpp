#include "app/burnform.h"
#include "app/picturebox.h"
#include "charts/seriescolours.h"
#include "formdoubles.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <ibggen.h>

namespace velantro {
namespace {

using testing::RecordedMessageBoxes;
using testing::ScriptedFileDialogs;

// Lets the event loop run until the capture timer has fired.
void RunCaptureTimer(BurnForm& form)
{
    QDeadlineTimer deadline(5000);
    while (form.Timer1->isActive() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

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
    QTemporaryDir folder;
    const QString graph = folder.filePath("disc.ibg");
    QFile file(graph);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(ibggen::Generate({ibggen::Kind::DvdBurnVerify, 300, "\r\n", 1})));
    file.close();

    ScriptedFileDialogs dialogs;
    RecordedMessageBoxes messages;
    BurnForm form(graph, &dialogs, &messages);
    form.show();
    ASSERT_EQ(form.Fields().LoadedFilePath, graph.toStdString());

    // Cancelled: nothing starts, nothing is written.
    dialogs.SaveAnswers = {std::nullopt};
    form.Save_File->trigger();
    EXPECT_FALSE(form.Timer1->isActive());

    const QString shot = folder.filePath("shot.png");
    dialogs.SaveAnswers = {shot};
    form.Save_File->trigger();
    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_EQ(form.Timer1->interval(), 50);
    RunCaptureTimer(form);
    EXPECT_TRUE(messages.Shown.empty());

    const QImage saved(shot);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), form.grab().size() * form.devicePixelRatio());
    EXPECT_TRUE(HasColour(saved, SeriesColour[0]));
    EXPECT_TRUE(HasColour(saved, SeriesColour[4]));
    EXPECT_FALSE(form.Picture3->isVisible());
    EXPECT_EQ(QFileInfo(folder.path()).absoluteFilePath() + "/", QString::fromStdString(form.Fields().CaptureFolder));
}

TEST(ScreenCapture, AFailedSaveSaysWhy)
{
    QTemporaryDir folder;
    ScriptedFileDialogs dialogs;
    RecordedMessageBoxes messages;
    BurnForm form(QString(), &dialogs, &messages);
    const QString target = folder.filePath("missing/shot.png");
    dialogs.SaveAnswers = {target};
    form.Save_File->trigger();
    RunCaptureTimer(form);
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Title, "Save Velantro Screen Capture");
    EXPECT_TRUE(messages.Shown[0].Prompt.contains(target));
    EXPECT_TRUE(messages.Shown[0].Prompt.contains("File Not Found"));
    EXPECT_FALSE(QFileInfo::exists(target));
}

} // namespace
} // namespace velantro
