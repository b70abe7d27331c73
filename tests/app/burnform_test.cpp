#include "app/readoutlabel.h"
#include "app/reportwindow.h"
#include "app/reportcommand.h"
#include "support/window.h"

#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
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

class FormTest : public ::testing::Test {
protected:
    // A sample file of the kind, or the text given, in the test's folder.
    std::string File(const std::string& name, Kind kind = Kind::DvdBurnVerify, const std::string& text = "")
    {
        std::ofstream(folder.In(name), std::ios::binary) << (text.empty() ? ibggen::Generate({kind, 400}) : text);
        return folder.In(name);
    }
    BurnForm& Start(const std::string& argument = "")
    {
        form = std::make_unique<BurnForm>(argument, &dialogs, &messages);
        return *form;
    }
    void Open(const std::string& path)
    {
        dialogs.Answers.push_back(QString::fromStdString(path));
        form->Open_File->trigger();
    }
    std::set<Colour> Plotted() const { return ColoursIn({form->Picture1->Image(), form->Picture2->Image()}); }
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
    std::unique_ptr<BurnForm> form;
};

TEST_F(FormTest, StartUpState)
{
    BurnForm& f = Start();
    EXPECT_TRUE(f.windowTitle().startsWith("Velantro - ") && f.windowTitle().size() > 12);
    EXPECT_EQ(f.Combo1->currentText(), "10");
    for (int i = 0; i < SeriesCount; ++i)
        EXPECT_TRUE(f.Check1[i]->isChecked() && f.Check1[i]->isEnabled()) << i;
    // Captions printed, no values yet, frames without data.
    EXPECT_TRUE(ColoursIn({f.Picture4->Image()}).size() > 1 && ColoursIn({f.Picture5->Image()}).size() == 1);
    EXPECT_EQ(Plotted(), (std::set<Colour>{0, GridColour, MajorGridColour}));
    EXPECT_EQ(Messages(), "");
}

TEST_F(FormTest, OpeningSetsTheSeriesBoxesOrKeepsThePreviousFile)
{
    BurnForm& f = Start();
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
        step.Path.empty() ? f.Check1[1]->click() : Open(step.Path);
        opened = step.Path.empty() || step.Fails ? opened : step.Path;
        EXPECT_EQ(Messages(), step.Fails ? fileError : "");
        EXPECT_EQ(f.Fields().GraphFilePath, opened);
        if (step.Fails)
            continue;
        EXPECT_TRUE(step.Path.empty() || f.Fields().GraphFolder + f.Fields().CaptureBaseName + ".ibg" == opened);
        const std::set<Colour> plotted = Plotted();
        for (int i = 0; i < SeriesCount; ++i) {
            const bool present = i < 4 ? step.Write : step.Verify, ticked = i != 1 || step.WriteRpmTicked;
            EXPECT_EQ(std::tuple(f.Check1[i]->isChecked(), f.Check1[i]->isEnabled(), plotted.contains(SeriesColour[i])),
                      std::tuple(ticked, present, present && ticked)) << i;
        }
    }
}

TEST_F(FormTest, BurnReportFollowsTheFileShown)
{
    BurnForm& f = Start();
    const QList<QAction*> tools = f.Tools_Menu->actions();
    ASSERT_EQ(tools.size(), 4);
    EXPECT_TRUE(tools[0] == f.Show_Settings && tools[1]->isSeparator() && tools[2] == f.Show_Report &&
                tools[3] == f.Show_Compare);
    EXPECT_EQ(f.Show_Report->text(), QStringLiteral("Burn Report..."));
    EXPECT_EQ(f.Show_Compare->text(), QStringLiteral("Compare Graph Files..."));

    const std::string a = File("a.ibg"), b = File("b.ibg", Kind::CdWriteOnly);
    const std::string bad = File("bad.ibg", {}, "not a graph file\r\n");
    // The action, whether the menu item is enabled, the file the open report window names ("": none open).
    const std::vector<std::tuple<std::function<void()>, bool, std::string>> steps = {
        {[&] { f.Show_Report->trigger(); }, false, ""}, // no file yet
        {[&] { Open(a); }, true, ""},
        {[&] { f.Show_Report->trigger(); }, true, a},
        {[&] { Open(b); }, true, b},
        {[&] { f.Check1[0]->click(); }, true, b},
        {[&] { Open(bad), Messages(); }, true, b},
    };
    const auto window = [&] { return f.findChild<ReportWindow*>(); };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto& [act, enabled, shown] = steps[i];
        SCOPED_TRACE(i);
        act();
        EXPECT_EQ(f.Show_Report->isEnabled(), enabled);
        ASSERT_EQ(window() && window()->isVisible(), !shown.empty());
        EXPECT_TRUE(shown.empty() || window()->Text().toStdString().starts_with("File            " + shown + '\n'));
    }
    EXPECT_NE(window()->Text().indexOf(QStringLiteral("\nWrite           ")), -1);
    window()->Command1->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), window()->Text());
    EXPECT_TRUE(window()->screen()->availableGeometry().contains(window()->frameGeometry()));

    // For a forum: a code block naming the file without its folder.
    window()->Copy_Forum->click();
    const QString forum = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(forum.startsWith(QStringLiteral("[code]\nFile            b.ibg\n"))) << forum.toStdString();
    EXPECT_TRUE(forum.endsWith(window()->Text().mid(window()->Text().indexOf(u'\n') + 1) + QStringLiteral("[/code]\n")));

    // Saved as the command prints it, in the form the name's extension asks for.
    for (const char* format : {"text", "json", "csv"}) {
        SCOPED_TRACE(format);
        const std::string target = folder.In(std::string("report.") + (format == std::string("text") ? "txt" : format));
        dialogs.SaveAnswers = {QString::fromStdString(target)};
        window()->Save_Report->click();
        std::ifstream saved(target, std::ios::binary);
        const std::string written((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
        std::ostringstream printed, errors;
        RunReport({b}, format, printed, errors);
        EXPECT_EQ(written, printed.str());
    }
    EXPECT_EQ(Messages(), "");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window()->Text1, &escape);
    EXPECT_FALSE(window()->isVisible());
}

// Raw data and the block size re-plot a file; without one they start no pass,
// which would fail and say so. Program-made index changes start none either.
TEST_F(FormTest, OptionChangesReplotOnlyWithAFile)
{
    const auto nextBlockSize = [](BurnForm& f) { f.Combo1->setCurrentIndex(1), emit f.Combo1->activated(1); };
    const auto raw = [](BurnForm& f) { f.Option1->click(); };
    const std::vector<std::tuple<bool, std::function<void(BurnForm&)>, bool>> cases = {
        {true, raw, false}, {true, nextBlockSize, true}, {false, raw, false}, {false, nextBlockSize, true}};
    const std::string path = File("disc.ibg");
    for (const auto& [withFile, act, comboOn] : cases) {
        BurnForm& f = Start(withFile ? path : "");
        const QImage before[] = {f.Picture1->Image(), f.Picture2->Image()};
        act(f);
        EXPECT_EQ(Messages(), "");
        EXPECT_EQ(f.Combo1->isEnabled(), comboOn);
        EXPECT_EQ(f.Picture1->Image() != before[0] || f.Picture2->Image() != before[1], withFile);
    }
}

TEST_F(FormTest, CommandLineAndDropsOpenOnlyGraphFiles)
{
    const std::string spaced = File("my disc.ibg"), capitals = File("DISC.IBG"), noDot = File("graphibg");
    const std::string wrongType = std::string(WrongTypeTitle) + ": " + WrongTypeText + "\n";
    // Argument, files dropped (none: a drop of plain text), the file loaded, refused.
    const std::vector<std::tuple<std::string, std::optional<std::vector<std::string>>, std::string, bool>> cases = {
        {'"' + spaced + '"', std::nullopt, spaced, false},
        {capitals, std::nullopt, "", true},
        {noDot, std::nullopt, noDot, false},
        {"", std::vector{spaced, noDot}, spaced, false}, // the first counts
        {"", std::vector{capitals}, "", true},
        {"", std::vector<std::string>{}, "", false},
    };
    for (const auto& [argument, dropped, loaded, refused] : cases) {
        SCOPED_TRACE(argument + ::testing::PrintToString(dropped));
        BurnForm& f = Start(argument);
        if (dropped) {
            QMimeData data;
            data.setText("some dragged text");
            for (const std::string& file : *dropped)
                data.setUrls(data.urls() << QUrl::fromLocalFile(QString::fromStdString(file)));
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            // Straight to the box, either chart: the application routes drops only to the target of a real drag.
            static_cast<QObject*>(dropped->size() > 1 ? f.Picture1 : f.Picture2)->event(&drop);
        }
        EXPECT_EQ(f.Fields().GraphFilePath, loaded);
        EXPECT_EQ(Messages(), refused ? wrongType : "");
        EXPECT_EQ(Plotted().contains(SeriesColour[0]), !loaded.empty());
    }
}

// A chosen name without .png gets it appended; the dialog asked only about the
// chosen name, so a taken appended name needs a question of its own. A save to
// a missing folder fails and the window says why.
TEST_F(FormTest, ScreenCaptureFromTheMenu)
{
    BurnForm& f = Start(File("disc.ibg"));
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
        f.Save_File->trigger();
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
    EXPECT_FALSE(f.Picture3->isVisible());
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Title, "Save Velantro Screen Capture");
    EXPECT_TRUE(messages.Shown[0].Prompt.contains(QString::fromStdString(folder.In("missing/shot.png"))));
    EXPECT_TRUE(messages.Shown[0].Prompt.contains("File Not Found"));
    EXPECT_FALSE(std::filesystem::exists(folder.In("missing")));
}

// The layout keeps its logical size at any device pixel ratio while the charts
// draw sharp in device pixels; over a series the readout names it, with the
// system's decimal separator, beside the pointer; over the background it hides.
TEST_F(FormTest, LayoutAndReadoutsAtThePixelRatio)
{
    BurnForm& f = Start(File("disc.ibg"));
    f.show();
    EXPECT_EQ(f.devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
    // Larger than the screen at some scales: the title bar and menus stay on it.
    EXPECT_TRUE(f.screen()->availableGeometry().contains(f.frameGeometry().topLeft()));
    EXPECT_EQ(f.centralWidget()->size(), QSize(705, 593));
    EXPECT_EQ(std::pair(f.Picture1->size(), f.Picture2->size()), std::pair(QSize(433, 401), QSize(433, 161)));
    PictureBox& chart = *f.Picture1;
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
        ASSERT_EQ(f.Label1->isHidden(), pixel != yellow);
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString caption = QString::fromStdString(f.Label1->Caption());
    EXPECT_TRUE(caption.startsWith("Sector  ") && caption.contains("\r\nWrite Speed ")) << caption.toStdString();
    EXPECT_EQ(caption.at(caption.size() - 3), u',');
    EXPECT_FALSE(f.Label1->geometry().contains(chart.contentsRect().topLeft() + yellow / f.devicePixelRatio()));
}

// Write speed 4x every 1,000 sectors, 20x at the spike, plotted raw: the view
// follows the wheel, a drag, a double-click and Escape; the spike keeps its
// height wherever it is shown and the readout names its sector.
TEST_F(FormTest, ZoomByWheelDragAndBack)
{
    constexpr int Spike = 1234000;
    testing::GraphText text{.Body = "[END_CONFIGURATION]\r\n[START_WRITE]\r\n"};
    for (int sector = 0; sector <= 2000000; sector += 1000)
        text.Body += (sector == Spike ? "20.00," : "4.00,") + std::to_string(sector) + ",0,50,2\r\n";
    BurnForm& f = Start();
    Open(File("spike.ibg", {}, text.Text() + "[END_WRITE]\r\n"));
    f.Option1->click();
    PictureBox& chart = *f.Picture1;
    const QImage whole = chart.Image(), panel = f.Picture5->Image();
    const auto at = [&](double column) { return QPointF(chart.contentsRect().topLeft()) + QPointF(column, 100); };
    const auto mouse = [&](QEvent::Type type, double column, Qt::MouseButtons held) {
        QMouseEvent event(type, at(column), chart.mapToGlobal(at(column)), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    };
    const auto wheel = [&](double column, int delta) {
        QWheelEvent event(at(column), chart.mapToGlobal(at(column)), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&chart, &event);
        QApplication::processEvents();
    };
    // Events in logical pixels, the picture in device pixels.
    const double ratio = f.devicePixelRatio();
    const auto columnOf = [&](double sector) { return chart.UserToPixelsX(sector - chart.ScaleLeft()); };
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
    // The range shown afterwards; none for the whole disc.
    const std::vector<std::pair<std::function<void()>, std::optional<ZoomRange>>> steps = {
        {[&] { f.ZoomCharts(ZoomRange{Spike - 5000, Spike + 5000}); }, ZoomRange{Spike - 5000, Spike + 5000}},
        {[&] { wheel(columnOf(Spike), 120); }, ZoomRange{Spike - 2500, Spike + 2500}},
        {[&] { wheel(columnOf(Spike), -120); }, ZoomRange{Spike - 5000, Spike + 5000}},
        {[&] { mouse(QEvent::MouseButtonDblClick, 10, Qt::LeftButton); }, std::nullopt},
        {drag, ZoomRange{1200000, 1300000}},
        {escape, std::nullopt},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto& [act, shown] = steps[i];
        SCOPED_TRACE(i);
        act();
        ASSERT_EQ(f.Fields().Zoom.has_value(), shown.has_value());
        EXPECT_EQ(Messages(), "");
        EXPECT_EQ(f.Picture5->Image(), panel);
        if (!shown) {
            EXPECT_EQ(chart.Image(), whole);
            continue;
        }
        // Within a pixel of the drag's ends.
        const double pixel = shown->Width() / chart.InnerSize().width();
        EXPECT_NEAR(f.Fields().Zoom->Left, shown->Left, pixel);
        EXPECT_NEAR(f.Fields().Zoom->Right, shown->Right, pixel);
        const int column = static_cast<int>(columnOf(Spike) * ratio);
        EXPECT_EQ(yellowTop(column), spikeRow);
        const bool centred = std::abs(shown->Left + shown->Right - 2 * Spike) < 1;
        EXPECT_TRUE(!centred || std::abs(column - chart.Image().width() / 2) <= ratio);
        const QPointF pointer = QPointF(chart.contentsRect().topLeft()) + QPointF(column, spikeRow) / ratio;
        QMouseEvent move(QEvent::MouseMove, pointer, chart.mapToGlobal(pointer), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(&chart, &move);
        ASSERT_FALSE(f.Label1->isHidden());
        const QString sector = QString::fromStdString(f.Label1->Caption()).section(QLatin1Char(' '), 2, 2);
        EXPECT_NEAR(sector.section(QLatin1Char('\r'), 0, 0).toDouble(), Spike, pixel + 1);
    }
}

} // namespace
} // namespace velantro
