#include "app/burnform.h"

#include "app/picturebox.h"
#include "app/readoutlabel.h"
#include "app/reportwindow.h"
#include "formdoubles.h"
#include "ibggen.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

namespace velantro {
namespace {

constexpr Colour Yellow = SeriesColour[0], Blue = SeriesColour[2], White = SeriesColour[3];

// Write speed fixed at 8x, buffer 50 %, CPU 2 %, so a readout has a known value.
QByteArray FlatWriteFile()
{
    QByteArray text = "[START_CONFIGURATION]|DATE=|SAMPLE_RATE=|DEVICE_MAKEMODEL=|DEVICE_FIRMWAREVERSION=|MEDIA_TYPE=|"
                      "MEDIA_BOOKTYPE=|MEDIA_ID=|MEDIA_CAPACITY=2295104|MEDIA_LAYER_BREAK=1000000|DATA_SECTORS=|"
                      "DATA_TYPE=MODE1/2048|DATA_VOLUMEIDENTIFIER=|[END_CONFIGURATION]|[START_WRITE]|";
    for (int i = 0; i <= 100; ++i)
        text += "8.00," + QByteArray::number(i * 22000) + ",0,50,2|";
    return text.append("[END_WRITE]|").replace('|', "\r\n");
}

std::set<Colour> ColoursIn(std::initializer_list<const PictureBox*> boxes)
{
    std::set<Colour> found;
    for (const PictureBox* box : boxes)
        for (int y = 0; y < box->Image().height(); ++y)
            for (int x = 0; x < box->Image().width(); ++x)
                found.insert(box->Image().pixel(x, y) & 0xFFFFFFu);
    return found;
}

class FormTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& text)
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        return file.fileName();
    }
    QString Generate(const QString& name, ibggen::Kind kind = ibggen::Kind::DvdBurnVerify)
    {
        return Write(name, QByteArray::fromStdString(ibggen::Generate({kind, 400, "\r\n", 1})));
    }
    BurnForm& Start(const QString& argument = QString())
    {
        form = std::make_unique<BurnForm>(argument.toStdString(), &dialogs, &messages);
        return *form;
    }
    void Open(const QString& path)
    {
        dialogs.Answers.push_back(path);
        form->Open_File->trigger();
    }
    QString Current() const { return QString::fromStdString(form->Fields().GraphFilePath); }
    std::set<Colour> Plotted() const { return ColoursIn({form->Picture1, form->Picture2}); }
    // The messages shown since the last call, one "title: prompt" line each.
    QString Messages()
    {
        QString all;
        for (const auto& shown : std::exchange(messages.Shown, {}))
            all += shown.Title + ": " + shown.Prompt + '\n';
        return all;
    }

    QTemporaryDir folder;
    testing::ScriptedFileDialogs dialogs;
    testing::RecordedMessageBoxes messages;
    std::unique_ptr<BurnForm> form;
};

TEST_F(FormTest, StartUpState)
{
    BurnForm& f = Start();
    EXPECT_TRUE(f.windowTitle().startsWith(QStringLiteral("Velantro - ")));
    EXPECT_GT(f.windowTitle().size(), QStringLiteral("Velantro - ").size());
    EXPECT_EQ(f.Combo1->currentText(), QStringLiteral("10"));
    for (int i = 0; i < SeriesCount; ++i)
        EXPECT_TRUE(f.Check1[i]->isChecked() && f.Check1[i]->isEnabled()) << i;
    // Captions printed, no values yet, frames without data.
    EXPECT_GT(ColoursIn({f.Picture4}).size(), 1u);
    EXPECT_EQ(ColoursIn({f.Picture5}).size(), 1u);
    EXPECT_EQ(Plotted(), (std::set<Colour>{0, GridColour, MajorGridColour}));
    EXPECT_EQ(Messages(), QString());
}

TEST_F(FormTest, OpeningSetsTheSeriesBoxesOrKeepsThePreviousFile)
{
    BurnForm& f = Start();
    auto file = [&](ibggen::Kind kind) { return Generate(ibggen::KindName(kind).data() + QString(".ibg"), kind); };
    const QString both = file(ibggen::Kind::DvdBurnVerify), writeOnly = file(ibggen::Kind::CdWriteOnly);
    const QString fileError = QStringLiteral("IBG file error: An error occurred while opening the selected file\r\n"
                                             "\r\nIt does not appear to be a valid .ibg file.\n");
    // No path: a click on write RPM. Of a failed file only the message and the path kept count.
    struct Step { const char* Name; QString Path; bool Fails, Write = false, Verify = false, WriteRpmTicked = false; };
    const Step steps[] = {
        {"write only", writeOnly, false, true, false, true},
        {"verify only", file(ibggen::Kind::BdVerifyOnly), false, false, true, true},
        {"neither", file(ibggen::Kind::NoSections), false, false, false, true},
        {"write and verify", both, false, true, true, true},
        {"truncated file fails", file(ibggen::Kind::TruncatedWrite), true},
        {"missing file fails", folder.filePath(QStringLiteral("absent.ibg")), true},
        {"plain text fails", Write(QStringLiteral("notes.ibg"), "just some notes\r\n"), true},
        {"untick write RPM: the kept file re-plots", QString(), false, true, true, false},
        {"the same path keeps it unticked", both, false, true, true, false},
        {"a new file ticks it again", writeOnly, false, true, false, true},
    };
    QString opened;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Name);
        step.Path.isEmpty() ? f.Check1[1]->click() : Open(step.Path);
        if (!step.Path.isEmpty() && !step.Fails) {
            opened = step.Path;
            EXPECT_EQ(QString::fromStdString(f.Fields().GraphFolder + f.Fields().CaptureBaseName), opened.chopped(4));
        }
        EXPECT_EQ(Messages(), step.Fails ? fileError : QString());
        EXPECT_EQ(Current(), opened);
        if (step.Fails)
            continue;
        const std::set<Colour> plotted = Plotted();
        for (int i = 0; i < SeriesCount; ++i) {
            const bool present = i < 4 ? step.Write : step.Verify;
            const bool ticked = i != 1 || step.WriteRpmTicked;
            EXPECT_EQ(f.Check1[i]->isChecked(), ticked) << i;
            EXPECT_EQ(f.Check1[i]->isEnabled(), present) << i;
            EXPECT_EQ(plotted.contains(SeriesColour[i]), present && ticked) << i;
        }
    }
}

TEST_F(FormTest, BurnReportFollowsTheFileShown)
{
    BurnForm& f = Start();
    const QList<QAction*> tools = f.Tools_Menu->actions();
    ASSERT_EQ(tools.size(), 4);
    EXPECT_EQ(tools[0], f.Show_Settings);
    EXPECT_TRUE(tools[1]->isSeparator());
    EXPECT_EQ(tools[2], f.Show_Report);
    EXPECT_EQ(tools[3], f.Show_Compare);
    EXPECT_EQ(f.Show_Report->text(), QStringLiteral("Burn Report..."));
    EXPECT_EQ(f.Show_Compare->text(), QStringLiteral("Compare Graph Files..."));

    const QString a = Generate(QStringLiteral("a.ibg")), b = Generate(QStringLiteral("b.ibg"), ibggen::Kind::CdWriteOnly);
    const QString bad = Write(QStringLiteral("bad.ibg"), "not a graph file\r\n");
    const struct {
        const char* Name;
        std::function<void()> Action;
        bool Enabled;
        QString Shown; // the file the open report window names; empty: none open
    } steps[] = {
        {"no file yet", [&] { f.Show_Report->trigger(); }, false, {}},
        {"a file opened", [&] { Open(a); }, true, {}},
        {"the window opens on it", [&] { f.Show_Report->trigger(); }, true, a},
        {"another file", [&] { Open(b); }, true, b},
        {"an option change", [&] { f.Check1[0]->click(); }, true, b},
        {"a rejected file", [&] { Open(bad); Messages(); }, true, b},
    };
    const auto window = [&] { return f.findChild<ReportWindow*>(); };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Name);
        step.Action();
        EXPECT_EQ(f.Show_Report->isEnabled(), step.Enabled);
        ASSERT_EQ(window() && window()->isVisible(), !step.Shown.isEmpty());
        if (!step.Shown.isEmpty()) {
            EXPECT_TRUE(window()->Text().startsWith(QStringLiteral("File            ") + step.Shown + '\n'));
        }
    }
    EXPECT_NE(window()->Text().indexOf(QStringLiteral("\nWrite           ")), -1);
    window()->Command1->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), window()->Text());
}

TEST_F(FormTest, OptionChangesReplotOnlyWithAFile)
{
    // As the user picks one: the program's own index changes start no pass.
    const auto nextBlockSize = [](BurnForm& f) { f.Combo1->setCurrentIndex(1); emit f.Combo1->activated(1); };
    const auto untick = [](int box) { return [box](BurnForm& f) { f.Check1[box]->click(); }; };
    // Gone 0: every series stays.
    struct Case { const char* Name; bool WithFile; std::function<void(BurnForm&)> Act; Colour Gone; bool ComboOn; };
    const Case cases[] = {
        {"untick write buffer", true, untick(3), White, true},
        {"raw data", true, [](BurnForm& f) { f.Option1->click(); }, 0, false},
        {"block size", true, nextBlockSize, 0, true},
        {"no file: untick a box", false, untick(0), 0, true},
        {"no file: raw data", false, [](BurnForm& f) { f.Option1->click(); }, 0, false},
        {"no file: block size", false, nextBlockSize, 0, true},
    };
    const QString path = Generate("disc.ibg");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        BurnForm& f = Start();
        if (c.WithFile)
            Open(path);
        const QImage before[] = {f.Picture1->Image(), f.Picture2->Image()};
        c.Act(f);
        // A pass without a file would fail and say so.
        EXPECT_EQ(Messages(), QString());
        EXPECT_EQ(f.Combo1->isEnabled(), c.ComboOn);
        EXPECT_EQ(f.Picture1->Image() != before[0] || f.Picture2->Image() != before[1], c.WithFile);
        const std::set<Colour> plotted = Plotted();
        for (Colour series : SeriesColour)
            EXPECT_EQ(plotted.contains(series), c.WithFile && series != c.Gone) << std::hex << series;
    }
}

TEST_F(FormTest, CommandLineAndDropsOpenOnlyGraphFiles)
{
    const QString spaced = Generate("my disc.ibg", ibggen::Kind::CdWriteOnly), capitals = Generate("DISC.IBG");
    const QString noDot = Generate("graphibg");
    // A drop with no files in it: a drop of plain text.
    struct Case { const char* Name; QString Argument; std::optional<QStringList> Drop; QString Loaded; bool Refused; };
    const Case cases[] = {
        {"quoted argument", QLatin1Char('"') + spaced + QLatin1Char('"'), std::nullopt, spaced, false},
        {"capital IBG argument", capitals, std::nullopt, QString(), true},
        {"argument without a dot", noDot, std::nullopt, noDot, false},
        {"two files dropped: the first counts", QString(), QStringList{spaced, noDot}, spaced, false},
        {"capital IBG dropped", QString(), QStringList{capitals}, QString(), true},
        {"text without file names dropped", QString(), QStringList{}, QString(), false},
    };
    const QString wrongType = QStringLiteral("%1: %2\n").arg(WrongTypeTitle, WrongTypeText);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        BurnForm& f = Start(c.Argument);
        if (c.Drop) {
            QMimeData data;
            data.setText(QStringLiteral("some dragged text"));
            for (const QString& file : *c.Drop)
                data.setUrls(data.urls() << QUrl::fromLocalFile(file));
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            // Straight to the box, either chart: the application routes drops only to the target of a real drag.
            static_cast<QObject*>(c.Drop->size() > 1 ? f.Picture1 : f.Picture2)->event(&drop);
        }
        EXPECT_EQ(Current(), c.Loaded);
        EXPECT_EQ(Messages(), c.Refused ? wrongType : QString());
        EXPECT_EQ(Plotted().contains(Yellow), !c.Loaded.isEmpty());
    }
}

TEST_F(FormTest, ReadoutsNameTheSeriesUnderThePointer)
{
    // Column -1: the layer break; no series: the box must hide. Value: as written in the file.
    struct Case { const char* Name; bool Speed; int Column; Colour Under; const char* Series; double Value;
                  bool Right, Below, German; };
    // Each hiding case follows one that showed the box.
    const Case cases[] = {
        {"write speed", true, 200, Yellow, "Write Speed ", 8, true, true, false},
        {"layer-break marker", true, -1, LayerBreakColour, "", 0, true, true, false},
        {"write CPU near the bottom", false, 200, Blue, "Write CPU ", 2, true, false, false},
        {"write CPU near the corner", false, 395, Blue, "Write CPU ", 2, false, false, false},
        {"write buffer, German separator", false, 200, White, "Write Buffer ", 50, true, true, true},
    };
    BurnForm& f = Start();
    Open(Write(QStringLiteral("flat.ibg"), FlatWriteFile()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        QLocale::setDefault(c.German ? QLocale(QLocale::German) : QLocale(QLocale::English, QLocale::UnitedStates));
        PictureBox& chart = c.Speed ? *f.Picture1 : *f.Picture2;
        const ReadoutLabel& box = c.Speed ? *f.Label1 : *f.Label2;
        const int column = c.Column >= 0 ? c.Column : static_cast<int>(chart.UserToPixelsX(1000000.0));
        int row = 0;
        while (row < chart.Image().height() && (chart.Image().pixel(column, row) & 0xFFFFFFu) != c.Under)
            ++row;
        ASSERT_LT(row, chart.Image().height());
        const float x = static_cast<float>(chart.PixelsToUserX(column));
        c.Speed ? f.Picture1_MouseMove(x, static_cast<float>(chart.PixelsToUserY(row)))
                : f.Picture2_MouseMove(x, static_cast<float>(chart.PixelsToUserY(row)));
        ASSERT_EQ(box.isHidden(), *c.Series == '\0');
        if (box.isHidden())
            continue;
        const QString caption = QString::fromStdString(box.Caption());
        const QString head = QStringLiteral("Sector  %1\r\n%2").arg(static_cast<qlonglong>(x)).arg(c.Series);
        ASSERT_TRUE(caption.startsWith(head)) << caption.toStdString();
        EXPECT_EQ(caption.endsWith(QLatin1Char('%')), !c.Speed);
        // Two decimals behind the system's separator; the file's value give or take a pixel.
        QString value = caption.mid(head.size()).remove(QLatin1Char('%'));
        EXPECT_EQ(value.mid(value.size() - 3, 1), QLocale().decimalPoint());
        const double perPixel = chart.ScaleHeight() / chart.InnerSize().height() / (c.Speed ? 100 : 10);
        EXPECT_NEAR(value.replace(QLocale().decimalPoint(), ".").toDouble(), c.Value, perPixel + 0.005);
        const QPoint pointer = chart.contentsRect().topLeft() + QPoint(column, row);
        EXPECT_TRUE(c.Right ? box.x() > pointer.x() : box.x() + box.width() < pointer.x());
        EXPECT_TRUE(c.Below ? box.y() > pointer.y() : box.y() + box.height() < pointer.y());
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// Write speed 4x every 1,000 sectors, with one sample of 20x at the spike.
QByteArray SpikeFile(int spike)
{
    QByteArray text = FlatWriteFile().left(FlatWriteFile().indexOf("[START_WRITE]")) + "[START_WRITE]\r\n";
    for (int sector = 0; sector <= 2000000; sector += 1000)
        text += (sector == spike ? "20.00," : "4.00,") + QByteArray::number(sector) + ",0,50,2\r\n";
    return text + "[END_WRITE]\r\n";
}

TEST_F(FormTest, ZoomByWheelDragAndBack)
{
    constexpr int Spike = 1234000;
    BurnForm& f = Start();
    Open(Write(QStringLiteral("spike.ibg"), SpikeFile(Spike)));
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
    const auto columnOf = [&](double sector) { return chart.UserToPixelsX(sector - chart.ScaleLeft()); };
    const auto yellowTop = [&](int column) {
        for (int row = 0; row < chart.Image().height(); ++row)
            if ((chart.Image().pixel(column, row) & 0xFFFFFFu) == Yellow)
                return row;
        return -1;
    };
    const int spikeRow = yellowTop(static_cast<int>(columnOf(Spike)));

    // Expected: the range shown afterwards, none for the whole disc.
    struct Step { const char* Name; std::function<void()> Act; std::optional<ZoomRange> Shown; };
    const Step steps[] = {
        {"zoom centred on the spike", [&] { f.ZoomCharts(ZoomRange{Spike - 5000, Spike + 5000}); },
         ZoomRange{Spike - 5000, Spike + 5000}},
        {"a wheel notch at the spike", [&] { wheel(columnOf(Spike), 120); }, ZoomRange{Spike - 2500, Spike + 2500}},
        {"a notch back out", [&] { wheel(columnOf(Spike), -120); }, ZoomRange{Spike - 5000, Spike + 5000}},
        {"a double-click", [&] { mouse(QEvent::MouseButtonDblClick, 10, Qt::LeftButton); }, std::nullopt},
        {"a drag from 1,200,000 to 1,300,000 sectors", [&] {
             mouse(QEvent::MouseButtonPress, columnOf(1200000), Qt::LeftButton);
             mouse(QEvent::MouseMove, columnOf(1300000), Qt::LeftButton);
             mouse(QEvent::MouseButtonRelease, columnOf(1300000), Qt::NoButton);
         }, ZoomRange{1200000, 1300000}},
        {"Escape", [&] { QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier); QApplication::sendEvent(&f, &key); },
         std::nullopt},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Name);
        step.Act();
        ASSERT_EQ(f.Fields().Zoom.has_value(), step.Shown.has_value());
        EXPECT_EQ(Messages(), QString());
        EXPECT_EQ(f.Picture5->Image(), panel);
        if (!step.Shown) {
            EXPECT_EQ(chart.Image(), whole);
            continue;
        }
        // Within a pixel of the drag's ends; the spike keeps its height wherever it is shown.
        const double pixel = step.Shown->Width() / chart.Image().width();
        EXPECT_NEAR(f.Fields().Zoom->Left, step.Shown->Left, pixel);
        EXPECT_NEAR(f.Fields().Zoom->Right, step.Shown->Right, pixel);
        const int column = static_cast<int>(columnOf(Spike));
        EXPECT_EQ(yellowTop(column), spikeRow);
        if (std::abs(step.Shown->Left + step.Shown->Right - 2 * Spike) < 1) {
            EXPECT_NEAR(column, chart.Image().width() / 2, 1);
        }
        // The readout names the sector under the pointer.
        const QPointF pointer = QPointF(chart.contentsRect().topLeft()) + QPointF(column, spikeRow);
        QMouseEvent move(QEvent::MouseMove, pointer, chart.mapToGlobal(pointer), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&chart, &move);
        ASSERT_FALSE(f.Label1->isHidden());
        const QString sector = QString::fromStdString(f.Label1->Caption()).section(QLatin1Char(' '), 2, 2);
        EXPECT_NEAR(sector.section(QLatin1Char('\r'), 0, 0).toDouble(), Spike, pixel + 1);
    }
}

} // namespace
} // namespace velantro
