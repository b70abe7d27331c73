#include "windows/readoutlabel.h"
#include "windows/reportwindow.h"
#include "windows/windowplacement.h"
#include "commands/reportcommand.h"
#include "support/window.h"

#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

namespace velantro {
namespace {

using Kind = ibggen::Kind;

std::set<Colour> ColoursIn(std::initializer_list<QImage> images)
{
    std::set<Colour> found;
    for (const QImage& image : images)
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                found.insert(image.pixel(x, y) & 0xFFFFFFu);
    return found;
}

class MainWindowTest : public ::testing::Test {
protected:
    // A sample file of the kind, or the text given, in the test's folder.
    std::string File(const std::string& name, Kind kind = Kind::DvdBurnVerify, const std::string& text = "")
    {
        std::ofstream(folder.In(name), std::ios::binary) << (text.empty() ? ibggen::Generate({kind, 400}) : text);
        return folder.In(name);
    }
    MainWindow& Start(const std::string& argument = "")
    {
        form = std::make_unique<MainWindow>(argument, &dialogs, &messages);
        return *form;
    }
    void Open(const std::string& path)
    {
        dialogs.Answers.push_back(QString::fromStdString(path));
        form->OpenFileAction->trigger();
    }
    std::set<Colour> Plotted() const { return ColoursIn({form->SpeedChart->Image(), form->PercentChart->Image()}); }
    // The messages shown since the last call, one "title: prompt" line each.
    std::string Messages()
    {
        QString all;
        for (const auto& shown : std::exchange(messages.Shown, {}))
            all += shown.Title + ": " + shown.Prompt + '\n';
        return all.toStdString();
    }

    testing::TempFile folder;
    testing::ScriptedFileDialogs dialogs;
    testing::RecordedMessageBoxes messages;
    std::unique_ptr<MainWindow> form;
};

TEST_F(MainWindowTest, StartUpState)
{
    MainWindow& f = Start();
    EXPECT_TRUE(f.windowTitle().startsWith("Velantro - ") && f.windowTitle().size() > 12);
    EXPECT_EQ(f.BlockSizeBox->currentText(), "10");
    for (int i = 0; i < SeriesCount; ++i)
        EXPECT_TRUE(f.SeriesBoxes[i]->isChecked() && f.SeriesBoxes[i]->isEnabled()) << i;
    // Captions printed, no values yet, frames without data.
    EXPECT_TRUE(ColoursIn({f.InfoCaptionsPanel->Image()}).size() > 1 &&
                ColoursIn({f.InfoValuesPanel->Image()}).size() == 1);
    EXPECT_EQ(Plotted(), (std::set<Colour>{0, GridColour, MajorGridColour}));
    EXPECT_EQ(Messages(), "");
}

TEST_F(MainWindowTest, OpeningSetsTheSeriesBoxesOrKeepsThePreviousFile)
{
    MainWindow& f = Start();
    const std::string both = File("both.ibg"), writeOnly = File("write.ibg", Kind::CdWriteOnly);
    const std::string fileError = std::string(FileErrorTitle) + ": " + FileErrorText + "\n";
    // No path: a click on write RPM. Of a failed file only the message and the path kept count.
    struct Step { const char* Name; std::string Path; bool Fails, Write = 0, Verify = 0, WriteRpmTicked = 0; };
    const Step steps[] = {
        {"write only", writeOnly, false, true, false, true},
        {"verify only", File("verify.ibg", Kind::BdVerifyOnly), false, false, true, true},
        {"neither", File("neither.ibg", Kind::NoSections), false, false, false, true},
        {"write and verify", both, false, true, true, true},
        {"truncated file fails", File("cut.ibg", Kind::TruncatedWrite), true},
        {"missing file fails", folder.In("absent.ibg"), true},
        {"plain text fails", File("notes.ibg", {}, "just some notes\r\n"), true},
        {"untick write RPM: the kept file re-plots", "", false, true, true, false},
        {"the same path keeps it unticked", both, false, true, true, false},
        {"a new file ticks it again", writeOnly, false, true, false, true},
    };
    std::string opened;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Name);
        const QImage before[] = {f.SpeedChart->Image(), f.PercentChart->Image(), f.InfoValuesPanel->Image()};
        step.Path.empty() ? f.SeriesBoxes[1]->click() : Open(step.Path);
        opened = step.Path.empty() || step.Fails ? opened : step.Path;
        EXPECT_EQ(Messages(), step.Fails ? fileError : "");
        EXPECT_EQ(f.View().Path(), opened);
        if (step.Fails) {
            // The file shown before, whole, and nothing of the rejected one.
            EXPECT_TRUE(f.SpeedChart->Image() == before[0] && f.PercentChart->Image() == before[1] &&
                        f.InfoValuesPanel->Image() == before[2]);
            continue;
        }
        EXPECT_TRUE(step.Path.empty() || f.GraphFolder() + f.Captures().BaseName + ".ibg" == opened);
        const std::set<Colour> plotted = Plotted();
        for (int i = 0; i < SeriesCount; ++i) {
            const bool present = i < 4 ? step.Write : step.Verify, ticked = i != 1 || step.WriteRpmTicked;
            const QCheckBox& box = *f.SeriesBoxes[i];
            EXPECT_EQ(std::tuple(box.isChecked(), box.isEnabled(), plotted.contains(SeriesColour[i])),
                      std::tuple(ticked, present, present && ticked)) << i;
        }
    }
}

TEST_F(MainWindowTest, BurnReportFollowsTheFileShown)
{
    MainWindow& f = Start();
    const QList<QAction*> tools = f.ToolsMenu->actions();
    ASSERT_EQ(tools.size(), 8);
    EXPECT_TRUE(tools[0] == f.SettingsAction && tools[1]->isSeparator() && tools[2] == f.ReportAction &&
                tools[3] == f.CompareAction && tools[4]->isSeparator() && tools[5] == f.FitScaleAction);
    // The library comes after the items of old, behind a separator.
    EXPECT_TRUE(tools[6]->isSeparator() && tools[7]->text() == QStringLiteral("Burn Library..."));
    EXPECT_EQ(f.ReportAction->text(), QStringLiteral("Burn Report..."));
    EXPECT_EQ(f.CompareAction->text(), QStringLiteral("Compare Graph Files..."));

    const std::string a = File("a.ibg"), b = File("b.ibg", Kind::CdWriteOnly);
    const std::string bad = File("bad.ibg", {}, "not a graph file\r\n");
    // The action, whether the menu item is enabled, the file the open report window names ("": none open).
    const std::vector<std::tuple<std::function<void()>, bool, std::string>> steps = {
        {[&] { f.ReportAction->trigger(); }, false, ""}, // no file yet
        {[&] { Open(a); }, true, ""},
        {[&] { f.ReportAction->trigger(); }, true, a},
        {[&] { Open(b); }, true, b},
        {[&] { f.SeriesBoxes[0]->click(); }, true, b},
        {[&] { Open(bad), Messages(); }, true, b},
    };
    const auto window = [&] { return f.findChild<ReportWindow*>(); };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto& [act, enabled, shown] = steps[i];
        SCOPED_TRACE(i);
        act();
        EXPECT_EQ(f.ReportAction->isEnabled(), enabled);
        ASSERT_EQ(window() && window()->isVisible(), !shown.empty());
        EXPECT_TRUE(shown.empty() || window()->Text().toStdString().starts_with("File            " + shown + '\n'));
        // Opened on a DVD's report, whose Media line is the longest: none is cut where the screen allows.
        if (shown == a) {
            EXPECT_TRUE(window()->ReportView->horizontalScrollBar()->maximum() == 0 ||
                        window()->frameGeometry().width() >= window()->screen()->availableGeometry().width());
        }
    }
    EXPECT_NE(window()->Text().indexOf(QStringLiteral("\nWrite           ")), -1);
    window()->CopyButton->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), window()->Text());
    EXPECT_EQ(window()->CopyButton->text(), "Copied");
    const QRect available = window()->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(window()->frameGeometry()));
    // A tool window of the main one: a window manager keeps it above.
    EXPECT_TRUE(window()->windowType() == Qt::Tool && window()->parentWidget() == &f);

    // For a forum: a code block naming the file without its folder.
    window()->ForumCopyButton->click();
    const QString forum = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(forum.startsWith(QStringLiteral("[code]\nFile            b.ibg\n"))) << forum.toStdString();
    EXPECT_TRUE(forum.endsWith(window()->Text().mid(window()->Text().indexOf(u'\n') + 1) + QStringLiteral("[/code]\n")));
    // Only the button whose text is on the clipboard says so, for a moment.
    EXPECT_EQ(window()->CopyButton->text() + "|" + window()->ForumCopyButton->text(), "Copy to Clipboard|Copied");
    for (QDeadlineTimer deadline(10000); window()->CopiedTimer->isActive() && !deadline.hasExpired();)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(window()->CopyButton->text() + "|" + window()->ForumCopyButton->text(), "Copy to Clipboard|Copy for a Forum");

    // Saved as the command prints it, in the form of the type chosen, under its ending.
    std::ofstream(folder.In("taken.txt.json")) << "old";
    // The name typed, the type chosen, yes to a question; the file written and its form ("": none).
    const std::tuple<std::string, int, bool, std::string, std::string> saves[] = {
        {"r", 1, false, "r.json", "json"},         {"r.CSV", 2, false, "r.CSV", "csv"},
        {"r.txt", 1, false, "r.txt.json", "json"}, {"r", 0, false, "r.txt", "text"},
        {"taken.txt", 1, false, "taken.txt.json", ""}, {"taken.txt", 1, true, "taken.txt.json", "json"},
    };
    for (const auto& [typed, type, yes, written, format] : saves) {
        SCOPED_TRACE(typed + " " + std::to_string(type));
        dialogs.SaveAnswers = {QString::fromStdString(folder.In(typed))};
        dialogs.SaveTypes = {type};
        messages.Yes = yes;
        window()->SaveButton->click();
        EXPECT_TRUE(dialogs.SaveAsked.back().contains("|Text (*.txt);;JSON (*.json);;CSV (*.csv)|0|"));
        std::ifstream saved(folder.In(written), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
        std::ostringstream printed, errors;
        RunReport({b}, format.empty() ? "text" : format, printed, errors);
        EXPECT_EQ(text, format.empty() ? "old" : printed.str());
    }
    EXPECT_EQ(messages.Questions, 2);
    EXPECT_EQ(Messages(), "");

    // A dip, drop or zone link zooms the main window to its place.
    window()->PlaceLinkClicked(QUrl(QStringLiteral("place:100000:200000")));
    EXPECT_EQ(f.View().Zoom(), (ZoomRange{100000, 200000}));
    window()->PlaceLinkClicked(QUrl(QStringLiteral("place:-500:600")));
    EXPECT_EQ(f.View().Zoom(), (ZoomRange{0, MinimumZoomSectors}));

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window()->ReportView, &escape);
    EXPECT_FALSE(window()->isVisible());
}

// Beside the owner where there is room, else at the screen's edge on the side
// with more room, on the left when alike; never off the screen.
TEST(WindowPlacement, BesideOrAtTheEdgeWithMoreRoom)
{
    const QRect screen(0, 0, 1280, 1024);
    // Owner, wanted size, the place given.
    const std::tuple<QRect, QSize, QRect> cases[] = {
        {{0, 100, 600, 500}, {680, 600}, {600, 100, 680, 600}},     // just fits on the right
        {{600, 100, 600, 500}, {600, 600}, {0, 100, 600, 600}},     // just fits on the left
        {{287, 200, 706, 600}, {708, 600}, {0, 200, 708, 600}},     // alike: left
        {{286, 200, 706, 600}, {708, 600}, {572, 200, 708, 600}},   // more room on the right
        {{100, 900, 600, 100}, {1400, 600}, {0, 424, 1280, 600}},   // shrunk, moved up
    };
    for (const auto& [owner, wanted, place] : cases)
        EXPECT_EQ(PlaceBeside(owner, wanted, {100, 100}, screen), place) << owner.x() << " " << wanted.width();
}

// Raw data and the block size re-plot a file; without one they start no pass,
// which would fail and say so. Program-made index changes start none either.
TEST_F(MainWindowTest, OptionChangesReplotOnlyWithAFile)
{
    const auto nextBlockSize = [](MainWindow& f) {
        f.BlockSizeBox->setCurrentIndex(1), emit f.BlockSizeBox->activated(1);
    };
    const auto raw = [](MainWindow& f) { f.RawData->click(); };
    const std::vector<std::tuple<bool, std::function<void(MainWindow&)>, bool>> cases = {
        {true, raw, false}, {true, nextBlockSize, true}, {false, raw, false}, {false, nextBlockSize, true}};
    const std::string path = File("disc.ibg");
    for (const auto& [withFile, act, comboOn] : cases) {
        MainWindow& f = Start(withFile ? path : "");
        const QImage before[] = {f.SpeedChart->Image(), f.PercentChart->Image()};
        act(f);
        EXPECT_EQ(Messages(), "");
        EXPECT_EQ(f.BlockSizeBox->isEnabled(), comboOn);
        EXPECT_EQ(f.SpeedChart->Image() != before[0] || f.PercentChart->Image() != before[1], withFile);
    }
}

TEST_F(MainWindowTest, CommandLineAndDropsOpenOnlyGraphFiles)
{
    const std::string spaced = File("my disc.ibg"), capitals = File("DISC.IBG"), noDot = File("graphibg");
    const std::string wrongType = std::string(WrongTypeTitle) + ": " + WrongTypeText + "\n";
    // Argument, files dropped (none: a drop of plain text), the file loaded, refused.
    const std::vector<std::tuple<std::string, std::optional<std::vector<std::string>>, std::string, bool>> cases = {
        {spaced, std::nullopt, spaced, false}, // as given: no quote or blank rule
        {capitals, std::nullopt, "", true},
        {noDot, std::nullopt, noDot, false},
        {"", std::vector{spaced, noDot}, spaced, false}, // the first counts
        {"", std::vector{capitals}, "", true},
        {"", std::vector<std::string>{}, "", false},
    };
    for (const auto& [argument, dropped, loaded, refused] : cases) {
        SCOPED_TRACE(argument + ::testing::PrintToString(dropped));
        MainWindow& f = Start(argument);
        if (dropped) {
            QMimeData data;
            data.setText("some dragged text");
            for (const std::string& file : *dropped)
                data.setUrls(data.urls() << QUrl::fromLocalFile(QString::fromStdString(file)));
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            // Straight to the box, either chart: the application routes drops only to the target of a real drag.
            static_cast<QObject*>(dropped->size() > 1 ? f.SpeedChart : f.PercentChart)->event(&drop);
        }
        EXPECT_EQ(f.View().Path(), loaded);
        EXPECT_EQ(Messages(), refused ? wrongType : "");
        EXPECT_EQ(Plotted().contains(SeriesColour[0]), !loaded.empty());
    }
}

// A chosen name without .png gets it appended; the dialog asked only about the
// chosen name, so a taken appended name needs a question of its own. A save to
// a missing folder fails and the window says why.
TEST_F(MainWindowTest, ScreenCaptureFromTheMenu)
{
    MainWindow& f = Start(File("disc.ibg"));
    f.show();
    std::ofstream(folder.In("taken.bmp.png")) << "old";
    // The answer to the save dialog (none: cancel), yes to a question, the file written, the questions asked.
    const std::vector<std::tuple<std::optional<std::string>, bool, std::string, int>> cases = {
        {std::nullopt, false, "", 0},          {"disc.png", false, "disc.png", 0},
        {"SHOT.PNG", false, "SHOT.PNG", 0},    {"shot.bmp", false, "shot.bmp.png", 0},
        {"taken.bmp", false, "", 1},           {"taken.bmp", true, "taken.bmp.png", 1},
        {"missing/shot.png", false, "", 0},
    };
    std::string lastFolder;
    for (const auto& [answer, yes, written, questions] : cases) {
        SCOPED_TRACE(answer.value_or("cancelled"));
        messages.Yes = yes, messages.Questions = 0;
        dialogs.SaveAnswers = {answer ? std::optional(QString::fromStdString(folder.In(*answer))) : std::nullopt};
        f.SaveCaptureAction->trigger();
        testing::WaitForCapture(f);
        EXPECT_EQ(messages.Questions, questions);
        // The dialog offers the graph's name, in the folder of the last save.
        const QStringList asked = dialogs.SaveAsked.back().split('|');
        EXPECT_EQ(asked.mid(4), (QStringList{"disc", "png"}));
        EXPECT_TRUE(lastFolder.empty() || asked[3].toStdString() == lastFolder);
        lastFolder = written.empty() ? lastFolder : folder.Folder() + "/";
        // Checked on disk first: a picture reader tries other extensions for a missing file.
        EXPECT_EQ(std::filesystem::is_regular_file(folder.In(written)), !written.empty());
        const QImage saved(QString::fromStdString(folder.In(written)));
        EXPECT_EQ(saved.size(), written.empty() ? QSize(0, 0) : f.grab().size());
        const std::set<Colour> colours = ColoursIn({saved});
        EXPECT_TRUE(written.empty() || (colours.contains(SeriesColour[0]) && colours.contains(SeriesColour[4])));
    }
    EXPECT_EQ(std::ifstream(folder.In("taken.bmp.png")).get(), 0x89); // a PNG by now
    EXPECT_FALSE(f.CapturePicture->isVisible());
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Title, "Save Velantro Screen Capture");
    EXPECT_TRUE(messages.Shown[0].Prompt.contains(QString::fromStdString(folder.In("missing/shot.png"))));
    EXPECT_TRUE(messages.Shown[0].Prompt.contains("File Not Found"));
    EXPECT_FALSE(std::filesystem::exists(folder.In("missing")));
}

// The layout keeps its logical size at any device pixel ratio while the charts
// draw sharp in device pixels; over a series the readout names it, with the
// system's decimal separator, beside the pointer; over the background it hides.
TEST_F(MainWindowTest, LayoutAndReadoutsAtThePixelRatio)
{
    MainWindow& f = Start(File("disc.ibg"));
    f.show();
    EXPECT_EQ(f.devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
    // Larger than the screen at some scales: the title bar and menus stay on it.
    EXPECT_TRUE(f.screen()->availableGeometry().contains(f.frameGeometry().topLeft()));
    EXPECT_EQ(f.centralWidget()->size(), QSize(705, 593));
    EXPECT_EQ(std::pair(f.SpeedChart->size(), f.PercentChart->size()), std::pair(QSize(433, 401), QSize(433, 161)));
    PictureBox& chart = *f.SpeedChart;
    const QImage& image = chart.Image();
    EXPECT_EQ(image.size(), chart.InnerSize() * f.devicePixelRatio());
    std::set<Colour> allowed = {0, GridColour, MajorGridColour, LayerBreakColour, DataEndColour};
    allowed.insert(std::begin(SeriesColour), std::end(SeriesColour));
    EXPECT_TRUE(std::ranges::includes(allowed, ColoursIn({image})));
    QPoint yellow(-1, -1);
    for (int y = 0; y < image.height() && yellow.x() < 0; ++y)
        for (int x = image.width() / 3; x < image.width() && yellow.x() < 0; ++x)
            yellow = (image.pixel(x, y) & 0xFFFFFFu) == SeriesColour[0] ? QPoint(x, y) : yellow;
    ASSERT_GE(yellow.x(), 0);
    QLocale::setDefault(QLocale(QLocale::German));
    for (const QPoint& pixel : {QPoint(1, 1), yellow}) {
        const QPointF local = QPointF(chart.contentsRect().topLeft()) + QPointF(pixel) / f.devicePixelRatio();
        QMouseEvent move(QEvent::MouseMove, local, chart.mapToGlobal(local), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(&chart, &move);
        ASSERT_EQ(f.SpeedReadout->isHidden(), pixel != yellow);
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString caption = QString::fromStdString(f.SpeedReadout->Caption());
    EXPECT_TRUE(caption.startsWith("Sector  ") && caption.contains("\r\nWrite Speed ")) << caption.toStdString();
    EXPECT_EQ(caption.at(caption.size() - 3), u',');
    EXPECT_FALSE(f.SpeedReadout->geometry().contains(chart.contentsRect().topLeft() + yellow / f.devicePixelRatio()));
}

// Write speed 4x every 1,000 sectors, 20x at the spike, plotted raw: the view
// follows the wheel, a drag, a double-click and Escape; the spike keeps its
// height wherever it is shown and the readout names its sector.
// Off at start; on, the speed and RPM scales fit the samples; off again, the
// picture is the media's once more.
TEST_F(MainWindowTest, FitSpeedScaleFromTheMenu)
{
    MainWindow& f = Start(File("disc.ibg"));
    EXPECT_EQ(f.FitScaleAction->text(), QStringLiteral("Fit Speed Scale"));
    ASSERT_TRUE(f.FitScaleAction->isCheckable());
    EXPECT_FALSE(f.FitScaleAction->isChecked());
    const QImage media = f.SpeedChart->Image();
    const QString top = f.SpeedAxisCaptions[12]->text(), rpmTop = f.RpmAxisCaptions[12]->text();
    // The generated DVD's samples peak at about 16.2x and 11,900 RPM: scales
    // of 12.5 steps of 1.5x (18.75x) and 1,000 RPM (12,500).
    const std::vector<std::tuple<bool, std::int16_t, QString, QString>> steps = {
        {true, 1875, QStringLiteral("18x"), QStringLiteral("12K")},
        {false, 2500, top, rpmTop},
    };
    for (const auto& [fitted, height, speedCaption, rpmCaption] : steps) {
        f.FitScaleAction->trigger();
        EXPECT_EQ(f.View().Scale().SpeedHeight, height);
        EXPECT_EQ(f.SpeedAxisCaptions[12]->text().trimmed(), speedCaption.trimmed());
        EXPECT_EQ(f.RpmAxisCaptions[12]->text(), rpmCaption);
        EXPECT_EQ(f.SpeedChart->Image() == media, !fitted);
    }
    EXPECT_EQ(Messages(), "");
}

TEST_F(MainWindowTest, ZoomByWheelDragAndBack)
{
    constexpr int Spike = 1234000;
    testing::GraphText text{.Body = "[END_CONFIGURATION]\r\n[START_WRITE]\r\n"};
    for (int sector = 0; sector <= 2000000; sector += 1000)
        text.Body += (sector == Spike ? "20.00," : "4.00,") + std::to_string(sector) + ",0,50,2\r\n";
    MainWindow& f = Start();
    Open(File("spike.ibg", {}, text.Text() + "[END_WRITE]\r\n"));
    f.RawData->click();
    PictureBox& chart = *f.SpeedChart;
    const QImage whole = chart.Image(), panel = f.InfoValuesPanel->Image();
    const auto at = [&](double column) { return QPointF(chart.contentsRect().topLeft()) + QPointF(column, 100); };
    const auto mouse = [&](QEvent::Type type, double column, Qt::MouseButtons held) {
        QMouseEvent event(type, at(column), chart.mapToGlobal(at(column)), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    };
    const auto wheel = [&](double column, int delta, QPoint angle = {}, Qt::KeyboardModifiers keys = {}) {
        QWheelEvent event(at(column), chart.mapToGlobal(at(column)), {}, angle.isNull() ? QPoint(0, delta) : angle,
                          Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&chart, &event);
        QApplication::processEvents();
    };
    // Events in logical pixels, the picture in device pixels.
    const double ratio = f.devicePixelRatio();
    const auto columnOf = [&](double sector) { return chart.UserToPixelsX(sector - chart.UserLeft()); };
    const auto yellowTop = [&](int column) {
        for (int row = 0; row < chart.Image().height(); ++row)
            if ((chart.Image().pixel(column, row) & 0xFFFFFFu) == SeriesColour[0])
                return row;
        return -1;
    };
    const int spikeRow = yellowTop(static_cast<int>(columnOf(Spike) * ratio));
    const auto drag = [&] {
        mouse(QEvent::MouseButtonPress, columnOf(1200000), Qt::LeftButton);
        mouse(QEvent::MouseMove, columnOf(1300000), Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, columnOf(1300000), Qt::NoButton);
    };
    const auto escape = [&] {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&f, &key);
    };
    // Escape while the button is down: the drag is called off, the release zooms nothing.
    const auto cancelledDrag = [&] {
        mouse(QEvent::MouseButtonPress, columnOf(1250000), Qt::LeftButton);
        mouse(QEvent::MouseMove, columnOf(1280000), Qt::LeftButton);
        escape();
        mouse(QEvent::MouseButtonRelease, columnOf(1280000), Qt::NoButton);
    };
    // The range shown afterwards; none for the whole disc.
    const std::vector<std::pair<std::function<void()>, std::optional<ZoomRange>>> steps = {
        {[&] { f.ZoomCharts(ZoomRange{Spike - 5000, Spike + 5000}); }, ZoomRange{Spike - 5000, Spike + 5000}},
        {[&] { wheel(columnOf(Spike), 120); }, ZoomRange{Spike - 2500, Spike + 2500}},
        {[&] { wheel(columnOf(Spike), -120); }, ZoomRange{Spike - 5000, Spike + 5000}},
        {[&] { mouse(QEvent::MouseButtonDblClick, 10, Qt::LeftButton); }, std::nullopt},
        {drag, ZoomRange{1200000, 1300000}},
        // Pans by a tenth of the width: Shift and the wheel down, a wheel tilted left, the Right key.
        {[&] { wheel(10, 0, {0, -120}, Qt::ShiftModifier); }, ZoomRange{1210000, 1310000}},
        {[&] { wheel(10, 0, {120, 0}); }, ZoomRange{1200000, 1300000}},
        {[&] { f.KeyPressed(Qt::Key_Right); }, ZoomRange{1210000, 1310000}},
        // Notches waiting behind a pass move the view once, by all of them.
        {[&] {
             const long passes = f.View().Passes();
             for (int n = 0; n < 3; ++n)
                 QCoreApplication::postEvent(&chart, new QWheelEvent(at(10), chart.mapToGlobal(at(10)), {}, {0, 120},
                                                                     Qt::NoButton, Qt::ShiftModifier,
                                                                     Qt::NoScrollPhase, false));
             QCoreApplication::processEvents();
             QCoreApplication::processEvents();
             EXPECT_EQ(f.View().Passes(), passes + 1);
         },
         ZoomRange{1180000, 1280000}},
        {cancelledDrag, ZoomRange{1180000, 1280000}},
        {escape, std::nullopt},
    };
    std::optional<ZoomRange> before;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto& [act, shown] = steps[i];
        SCOPED_TRACE(i);
        act();
        QCoreApplication::processEvents();
        // A zoom or a pan hides what the readout said.
        EXPECT_TRUE(f.View().Zoom() == before || f.SpeedReadout->isHidden());
        before = f.View().Zoom();
        ASSERT_EQ(f.View().Zoom().has_value(), shown.has_value());
        EXPECT_EQ(Messages(), "");
        EXPECT_EQ(f.InfoValuesPanel->Image(), panel);
        if (!shown) {
            EXPECT_EQ(chart.Image(), whole);
            continue;
        }
        // Within a pixel of the drag's ends.
        const double pixel = shown->Width() / chart.InnerSize().width();
        EXPECT_NEAR(f.View().Zoom()->Left, shown->Left, pixel);
        EXPECT_NEAR(f.View().Zoom()->Right, shown->Right, pixel);
        const int column = static_cast<int>(columnOf(Spike) * ratio);
        EXPECT_EQ(yellowTop(column), spikeRow);
        const bool centred = std::abs(shown->Left + shown->Right - 2 * Spike) < 1;
        EXPECT_TRUE(!centred || std::abs(column - chart.Image().width() / 2) <= ratio);
        // On the line up to the spike, a pixel to its left: its height there is no sample's.
        const int beside = column - static_cast<int>(ratio);
        ASSERT_GT(yellowTop(beside), spikeRow);
        const QPointF pointer = QPointF(chart.contentsRect().topLeft()) + QPointF(beside, yellowTop(beside)) / ratio;
        QMouseEvent move(QEvent::MouseMove, pointer, chart.mapToGlobal(pointer), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(&chart, &move);
        ASSERT_FALSE(f.SpeedReadout->isHidden());
        // The spike's own sample, not the pointer's height.
        const QString caption = QString::fromStdString(f.SpeedReadout->Caption());
        const QString value = caption.section(QLatin1Char('\n'), 1, 1);
        EXPECT_TRUE(value.startsWith(QStringLiteral("Write Speed 20")) && value.endsWith(QStringLiteral("00")))
            << value.toStdString();
        const QString sector = caption.section(QLatin1Char(' '), 2, 2);
        EXPECT_EQ(sector.section(QLatin1Char('\r'), 0, 0).toDouble(), Spike);
    }
}

} // namespace
} // namespace velantro
