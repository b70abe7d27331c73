#include "windows/comparechart.h"

#include "windows/mainwindow.h"
#include "windows/comparepicture.h"
#include "windows/comparewindow.h"
#include "charts/columnsummary.h"
#include "support/window.h"
#include "graphfile/samplescan.h"
#include "ibggen.h"

#include <QAction>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velantro {
namespace {

QImage Drawn(const QRect& plot, const std::vector<PixelSegment>& segments, int penWidth)
{
    QImage image(plot.size() + QSize(20, 20), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CompareChart::DrawLine(painter, plot, segments, Qt::blue, penWidth);
    return image;
}

TEST(CompareChart, SummaryDrawsTheSamePixelsAsEveryPoint)
{
    struct Case {
        const char* Name;
        ibggen::Kind Kind;
        std::size_t Samples;
        double Left, Right;
        int PenWidth;
    };
    const Case cases[] = {
        {"whole DVD", ibggen::Kind::DvdBurnVerify, 20000, 0, 2359296, 1},
        {"layer change, zoomed, wide pen", ibggen::Kind::DvdDualLayer, 20000, 1.9e6, 2.3e6, 2},
        {"fewer samples than columns", ibggen::Kind::CdWriteOnly, 60, 0, 460800, 3},
        {"between two samples", ibggen::Kind::DvdBurnVerify, 40, 1.0e6, 1.002e6, 1},
    };
    const QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("a.ibg")).toStdString();
    const QRect plot(10, 10, 300, 200);
    const RowScale rows{30, plot.height()};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(ibggen::WriteFile({c.Kind, c.Samples, "\r\n", 5}, path));
        SampleScan scan;
        ASSERT_TRUE(scan.Open(path));
        ColumnSummary summary(c.Left, c.Right, plot.width());
        std::vector<PixelSegment> every;
        while (scan.Next()) {
            if (scan.Section() != GraphSection::Write)
                continue;
            summary.Add(scan.Point().Sector, scan.Point().Speed);
            const double x = PixelPlace(summary.PixelX(scan.Point().Sector));
            const double y = PixelPlace(rows.Row(scan.Point().Speed));
            // Each point joined to the one before, the first to itself.
            const PixelSegment from = every.empty() ? PixelSegment{x, y, x, y} : every.back();
            every.push_back({from.X2, from.Y2, x, y});
        }
        const QImage full = Drawn(plot, every, c.PenWidth);
        EXPECT_NE(full, Drawn(plot, {}, c.PenWidth));
        EXPECT_EQ(Drawn(plot, summary.Segments(rows), c.PenWidth), full);
    }
}

TEST(CompareWindow, OpensWithTheCurrentFileAddsZoomsAndSaves)
{
    const QTemporaryDir folder;
    const QString first = folder.filePath(QStringLiteral("a.ibg")), added = folder.filePath(QStringLiteral("b.ibg"));
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::DvdBurnVerify, 400, "\r\n", 1}, first.toStdString()));
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::CdWriteOnly, 400, "\r\n", 2}, added.toStdString()));
    testing::ScriptedFileDialogs dialogs;
    testing::RecordedMessageBoxes boxes;
    dialogs.Answers = {added};
    dialogs.SaveAnswers = {folder.filePath(QStringLiteral("picture"))};
    MainWindow form(QFile::encodeName(first).toStdString(), &dialogs, &boxes);
    form.CompareAction->trigger();
    CompareWindow& window = *form.Compare();
    window.AddFilesButton->click();
    ASSERT_EQ(window.Set().Files().size(), 2u);
    EXPECT_EQ(window.Set().Files()[0].Path, QFile::encodeName(first).toStdString());
    EXPECT_EQ(window.Set().DrawnCount(), 2u);

    window.ChartWheelTurned(window.Chart->PlotRect().center(), 2);
    EXPECT_DOUBLE_EQ(window.Set().View().Width(), window.Set().Limits().Whole / 4);
    window.KeyPressed(Qt::Key_Escape);
    EXPECT_TRUE(ShowsWhole(window.Set().View(), window.Set().Limits()));

    window.SavePictureButton->click();
    EXPECT_TRUE(boxes.Shown.empty());
    const QImage saved(folder.filePath(QStringLiteral("picture.png")));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), window.Chart->Image().convertToFormat(QImage::Format_RGB32));
}

} // namespace
} // namespace velantro
