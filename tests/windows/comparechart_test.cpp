#include "windows/comparechart.h"

#include "windows/mainwindow.h"
#include "windows/comparepicture.h"
#include "windows/comparewindow.h"
#include "charts/columnsummary.h"
#include "charts/imagesurface.h"
#include "compare/compareview.h"
#include "support/window.h"
#include "graphfile/samplescan.h"
#include "ibggen.h"

#include <QAction>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QWheelEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

namespace velantro {
namespace {

// The segments as the compare view draws them: clipped to the plot, on whole pixels.
std::vector<std::uint32_t> Drawn(const QRect& plot, std::vector<PixelSegment> segments, int penWidth)
{
    ImageSurface image(plot.width(), plot.height(), CompareBackground);
    image.SetPenWidth(penWidth);
    image.SetUserScale(0, static_cast<float>(plot.width()), static_cast<float>(plot.height()));
    for (PixelSegment& segment : segments) {
        if (ClipSegment(segment, plot.width(), plot.height()))
            image.Line(static_cast<float>(std::floor(segment.X1)), static_cast<float>(std::floor(segment.Y1)),
                       static_cast<float>(std::floor(segment.X2)), static_cast<float>(std::floor(segment.Y2)),
                       CompareColour(0));
    }
    return image.Bits();
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
    const QRect plot(0, 0, 300, 200);
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
        const std::vector<std::uint32_t> full = Drawn(plot, every, c.PenWidth);
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

    EXPECT_TRUE(window.screen()->availableGeometry().contains(window.frameGeometry()));
    // A notch of the wheel (120 eighths of a degree) halves the view.
    const QPointF centre = window.Chart->PlotRect().center();
    QWheelEvent notch(centre, window.Chart->mapToGlobal(centre), {}, QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.Chart, &notch);
    EXPECT_DOUBLE_EQ(window.Set().View().Width(), window.Set().Limits().Whole / 4);
    window.ChartDoubleClicked();
    EXPECT_TRUE(ShowsWhole(window.Set().View(), window.Set().Limits()));

    window.SavePictureButton->click();
    EXPECT_TRUE(boxes.Shown.empty());
    const QImage saved(folder.filePath(QStringLiteral("picture.png")));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), window.Chart->Image().convertToFormat(QImage::Format_RGB32));

    // Delete takes the selected file out, the other keeps its colour; Escape closes.
    window.FileList->setCurrentRow(0);
    window.KeyPressed(Qt::Key_Delete);
    ASSERT_EQ(window.Set().Files().size(), 1u);
    EXPECT_EQ(window.Set().Files()[0].Path, QFile::encodeName(added).toStdString());
    EXPECT_EQ(window.Set().Files()[0].Slot, 1);
    QPointer<CompareWindow> open(&window);
    window.KeyPressed(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(open && open->isVisible());
}

// Escape during a drag calls the drag off and keeps the comparison; Shift
// with the wheel, a horizontal wheel, Left and Right move a zoomed view by a
// tenth, as in the main window; the same file added again is refused.
TEST(CompareWindow, EscapeEndsADragPanningAndTheSameFileTwice)
{
    const QTemporaryDir folder;
    const QString first = folder.filePath(QStringLiteral("a.ibg"));
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::DvdBurnVerify, 400, "\r\n", 1}, first.toStdString()));
    testing::ScriptedFileDialogs dialogs;
    testing::RecordedMessageBoxes boxes;
    MainWindow form(QFile::encodeName(first).toStdString(), &dialogs, &boxes);
    form.CompareAction->trigger();
    QPointer<CompareWindow> window(form.Compare());
    window->activateWindow();
    ComparePicture& chart = *window->Chart;
    const QPointF centre = chart.PlotRect().center();
    const auto mouse = [&chart](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, chart.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    };
    const auto key = [&chart](int code) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QApplication::sendEvent(&chart, &press);
    };
    const auto wheel = [&chart, centre](QPoint delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(centre, chart.mapToGlobal(centre), {}, delta, Qt::NoButton, modifiers, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(&chart, &event);
    };
    mouse(QEvent::MouseButtonPress, centre, Qt::LeftButton);
    mouse(QEvent::MouseMove, centre + QPointF(60, 0), Qt::LeftButton);
    key(Qt::Key_Escape);
    mouse(QEvent::MouseButtonRelease, centre + QPointF(60, 0), Qt::NoButton);
    QApplication::processEvents();
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_TRUE(ShowsWhole(window->Set().View(), window->Set().Limits()));

    struct Step {
        const char* Name;
        std::function<void()> Act;
        double Moved; // tenths of the view's width
    };
    const std::vector<Step> steps = {
        {"Right on the whole axis", [&] { key(Qt::Key_Right); }, 0},
        {"a notch zooms", [&] { wheel(QPoint(0, 120), Qt::NoModifier); }, std::nan("")},
        {"Shift and the wheel down", [&] { wheel(QPoint(0, -120), Qt::ShiftModifier); }, 1},
        {"Shift and the wheel up", [&] { wheel(QPoint(0, 120), Qt::ShiftModifier); }, -1},
        {"a horizontal wheel", [&] { wheel(QPoint(-240, 0), Qt::NoModifier); }, 2},
        {"Right", [&] { key(Qt::Key_Right); }, 1},
        {"Left", [&] { key(Qt::Key_Left); }, -1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Name);
        const ZoomRange before = window->Set().View();
        step.Act();
        const ZoomRange after = window->Set().View();
        if (std::isnan(step.Moved))
            continue;
        EXPECT_DOUBLE_EQ(after.Width(), before.Width());
        EXPECT_NEAR(after.Left - before.Left, step.Moved * after.Width() / 10, 1);
    }

    window->AddGraphFiles({first});
    EXPECT_EQ(window->Set().Files().size(), 1u);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_TRUE(boxes.Shown[0].Prompt.contains(QStringLiteral("already compared")));
}

// Every colour stands out from the chart's background by 3:1 or more (the
// contrast of lines and symbols) and from the others.
TEST(CompareChart, PaletteStandsOutFromTheBackground)
{
    const QRgb palette[MaxCompareFiles] = {0x0072B2, 0xD55E00, 0x009E73, 0xC36EA0,
                                           0x000000, 0xBE8200, 0x3C96C8, 0x646464};
    const auto luminance = [](QColor colour) {
        const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
    };
    CompareView none;
    const QColor background = CompareChart::Draw(none, QSize(100, 100), 1).pixelColor(0, 0);
    std::set<QRgb> seen;
    for (int slot = 0; slot < MaxCompareFiles; ++slot) {
        SCOPED_TRACE(slot);
        const QColor colour = CompareChart::FileColour(slot);
        EXPECT_EQ(colour.rgb() & 0xFFFFFFu, palette[slot]);
        const double lighter = std::max(luminance(colour), luminance(background));
        const double darker = std::min(luminance(colour), luminance(background));
        EXPECT_GE((lighter + 0.05) / (darker + 0.05), 3.0);
        EXPECT_TRUE(seen.insert(colour.rgb()).second);
    }
}

// The readout's place in the unit the main chart captions: MB on a CD axis,
// GB on a DVD's.
TEST(CompareChart, PlaceInTheCaptionsUnit)
{
    const QTemporaryDir folder;
    const std::string cd = folder.filePath(QStringLiteral("cd.ibg")).toStdString(),
                      dvd = folder.filePath(QStringLiteral("dvd.ibg")).toStdString();
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::CdWriteOnly, 100, "\r\n", 1}, cd));
    ASSERT_TRUE(ibggen::WriteFile({ibggen::Kind::DvdBurnVerify, 100, "\r\n", 1}, dvd));
    const std::vector<std::tuple<std::vector<std::string>, CompareAxis, double, QString>> cases = {
        {{cd}, CompareAxis::Sectors, 14000, QStringLiteral("Sector 14000 (27.3 MB)")},
        {{dvd}, CompareAxis::Sectors, 1100000.7, QStringLiteral("Sector 1100000 (2.10 GB)")},
        {{cd, dvd}, CompareAxis::Sectors, 14000, QStringLiteral("Sector 14000 (0.03 GB)")},
        {{dvd}, CompareAxis::ShareOfData, 12.5, QStringLiteral("12.50% of the data")},
    };
    for (const auto& [files, axis, x, text] : cases) {
        CompareView view;
        view.SetAxis(axis);
        view.Add(files);
        EXPECT_EQ(QString::fromStdString(view.PlaceText(x, U'.')), text);
    }
}

} // namespace
} // namespace velantro
