#include "app/burnform.h"

#include "app/picturebox.h"
#include "app/readoutlabel.h"
#include "charts/seriescolours.h"
#include "formdoubles.h"
#include "ibggen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <string>

namespace velantro {
namespace {

using testing::RecordedMessageBoxes;
using testing::ScriptedFileDialogs;

constexpr Colour Yellow = SeriesColour[0];
constexpr Colour Green = SeriesColour[1];
constexpr Colour Blue = SeriesColour[2];
constexpr Colour White = SeriesColour[3];
constexpr Colour Cyan = SeriesColour[4];
constexpr Colour Magenta = SeriesColour[5];
constexpr Colour Red = SeriesColour[6];

const QString FileErrorPrompt = QStringLiteral(
    "An error occurred while opening the selected file\r\n\r\nIt does not appear to be a valid .ibg file.");

// Write speed fixed at 8x, buffer 50 %, CPU 2 %, over most of a DVD+R; the
// layer break and the end of data are where their marker lines go.
QByteArray FlatWriteFile()
{
    QByteArray text =
        "[START_CONFIGURATION]\r\n"
        "DATE=2024-03-01 10:00:00\r\n"
        "SAMPLE_RATE=250\r\n"
        "DEVICE_MAKEMODEL=TEST DRIVE 1\r\n"
        "DEVICE_FIRMWAREVERSION=1.00\r\n"
        "MEDIA_TYPE=DVD+R\r\n"
        "MEDIA_BOOKTYPE=DVD+R\r\n"
        "MEDIA_ID=TEST-001\r\n"
        "MEDIA_CAPACITY=2295104\r\n"
        "MEDIA_LAYER_BREAK=1000000\r\n"
        "DATA_SECTORS=2200000\r\n"
        "DATA_TYPE=MODE1/2048\r\n"
        "DATA_VOLUMEIDENTIFIER=FLAT\r\n"
        "WRITE_TEST_MODE=No\r\n"
        "WRITE_SPEED_SELECTED=8x\r\n"
        "WRITE_SPEED_START=8.00\r\n"
        "WRITE_SPEED_END=8.00\r\n"
        "WRITE_SPEED_AVERAGE=8.00\r\n"
        "WRITE_SPEED_MAX=8.00\r\n"
        "WRITE_TIME_TAKEN=300\r\n"
        "[END_CONFIGURATION]\r\n"
        "[START_WRITE]\r\n";
    for (int i = 0; i <= 100; ++i)
        text += "8.00," + QByteArray::number(i * 22000) + ",0,50,2\r\n";
    text += "[END_WRITE]\r\n";
    return text;
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QString Write(const QString& name, const QByteArray& text)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    QString Generate(const QString& name, ibggen::Kind kind, std::uint32_t seed = 1)
    {
        return Write(name, QByteArray::fromStdString(ibggen::Generate({kind, 400, "\r\n", seed})));
    }
    BurnForm& Start(const QString& argument = QString())
    {
        form = std::make_unique<BurnForm>(argument, &dialogs, &messages);
        return *form;
    }
    void Open(const QString& path)
    {
        dialogs.Answers.push_back(path);
        form->Open_File->trigger();
    }
    static QString Current(const BurnForm& f) { return QString::fromStdString(f.Fields().GraphFilePath); }

    QTemporaryDir folder;
    ScriptedFileDialogs dialogs;
    RecordedMessageBoxes messages;
    std::unique_ptr<BurnForm> form;
};

std::set<Colour> ColoursIn(const PictureBox& box)
{
    std::set<Colour> found;
    const QImage& image = box.Image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            found.insert(image.pixel(x, y) & 0xFFFFFFu);
    return found;
}

bool Has(const std::set<Colour>& colours, Colour c)
{
    return colours.count(c) != 0;
}

void MoveMouse(PictureBox& box, int px, int py)
{
    const QPointF local = QPointF(box.contentsRect().topLeft()) + QPointF(px, py);
    QMouseEvent move(QEvent::MouseMove, local, box.mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&box, &move);
}

void Drop(PictureBox& box, QMimeData* data)
{
    // Straight to the box: the application routes drops only to the target of a real drag.
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject&>(box).event(&drop);
}

// The first row of a column with the colour, -1 when none.
int RowOf(const PictureBox& box, int column, Colour colour)
{
    for (int y = 0; y < box.Image().height(); ++y)
        if ((box.Image().pixel(column, y) & 0xFFFFFFu) == colour)
            return y;
    return -1;
}

TEST_F(FormTest, StartUpState)
{
    BurnForm& f = Start();
    EXPECT_TRUE(f.windowTitle().startsWith(QStringLiteral("Velantro - ")));
    EXPECT_GT(f.windowTitle().size(), QStringLiteral("Velantro - ").size());
    EXPECT_FALSE(f.windowTitle().contains(QLatin1Char('\n')));
    EXPECT_EQ(f.centralWidget()->size(), QSize(705, 593));
    EXPECT_TRUE(f.Fields().GraphFilePath.empty());
    EXPECT_TRUE(messages.Shown.empty());

    QStringList items;
    for (int i = 0; i < f.Combo1->count(); ++i)
        items << f.Combo1->itemText(i);
    EXPECT_EQ(items, QStringList({"2", "5", "10", "15", "20", "25"}));
    EXPECT_EQ(f.Combo1->currentText(), QStringLiteral("10"));
    EXPECT_TRUE(f.Combo1->isEnabled());
    EXPECT_TRUE(f.Option2->isChecked());
    EXPECT_FALSE(f.Option1->isChecked());
    for (int i = 0; i < SeriesCount; ++i) {
        EXPECT_TRUE(f.Check1[i]->isChecked()) << i;
        EXPECT_TRUE(f.Check1[i]->isEnabled()) << i;
        EXPECT_EQ(f.Shape1[i]->palette().color(QPalette::Window).rgb() & 0xFFFFFFu, SeriesColour[i]) << i;
    }
    EXPECT_TRUE(f.Label1->isHidden());
    EXPECT_TRUE(f.Label2->isHidden());
    EXPECT_TRUE(f.Picture3->isHidden());
    EXPECT_EQ(f.Picture1->toolTip(), QString::fromLatin1(DropHint));
    EXPECT_EQ(f.Picture2->toolTip(), QString::fromLatin1(DropHint));
    EXPECT_EQ(f.Label3[1]->text(), QStringLiteral(" 2x"));
    EXPECT_EQ(f.Label5[1]->text(), QStringLiteral(" 1GB"));
    EXPECT_FALSE(f.Timer1->isActive());
}

TEST_F(FormTest, StartUpPrintsEveryCaptionOnItsRow)
{
    BurnForm& f = Start();
    const QImage& image = f.Picture4->Image();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    const QFontMetrics metrics(f.Picture4->font());
    for (int row = 0; row < InfoValueCount; ++row) {
        SCOPED_TRACE(InfoCaptionTexts[row]);
        // Rows stand 285 twips apart: 19 pixels.
        int right = -1;
        for (int y = row * 19; y < row * 19 + metrics.height() && y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != background)
                    right = std::max(right, x);
        const int expected = metrics.horizontalAdvance(QString::fromLatin1(InfoCaptionTexts[row]));
        EXPECT_NEAR(right, expected, 3);
    }
    EXPECT_EQ(ColoursIn(*f.Picture5).size(), 1u);
}

TEST_F(FormTest, StartUpDrawsEmptyFrames)
{
    BurnForm& f = Start();
    // The start-up scale: 4.5 GiB of 2048-byte sectors across, 25x high.
    EXPECT_FLOAT_EQ(f.Picture1->ScaleWidth(), 2359296);
    EXPECT_FLOAT_EQ(f.Picture1->ScaleHeight(), 2500);
    EXPECT_FLOAT_EQ(f.Picture2->ScaleHeight(), 1000);
    struct Case {
        PictureBox* Chart;
        float X, Y;
        Colour Expected;
    };
    const float halfDivision = 2359296.0f / 90;
    const Case cases[] = {
        {f.Picture1, halfDivision, 100, GridColour},
        {f.Picture1, halfDivision, 2400, GridColour},
        {f.Picture1, 262144, 1250, MajorGridColour},
        {f.Picture1, 2359296.0f / 45, 1250, GridColour},
        {f.Picture1, halfDivision, 1250, 0},
        {f.Picture2, halfDivision, 100, GridColour},
        {f.Picture2, halfDivision, 200, MajorGridColour},
        {f.Picture2, 262144, 150, MajorGridColour},
        {f.Picture2, halfDivision, 150, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.Chart == f.Picture1 ? "speed " : "percent ") << c.X << "," << c.Y);
        EXPECT_EQ(c.Chart->Point(c.X, c.Y), static_cast<std::int32_t>(c.Expected));
    }
    for (PictureBox* chart : {f.Picture1, f.Picture2})
        EXPECT_EQ(ColoursIn(*chart), (std::set<Colour>{0, GridColour, MajorGridColour}));
}

TEST_F(FormTest, NewFilesSetTheSeriesBoxes)
{
    struct Case {
        ibggen::Kind Kind;
        bool Write, Verify;
    };
    const Case cases[] = {
        {ibggen::Kind::DvdBurnVerify, true, true},   {ibggen::Kind::DvdDualLayer, true, true},
        {ibggen::Kind::CdWriteOnly, true, false},    {ibggen::Kind::BdVerifyOnly, false, true},
        {ibggen::Kind::NoSections, false, false},    {ibggen::Kind::EmptyWriteWithVerify, false, true},
    };
    BurnForm& f = Start();
    for (const Case& c : cases) {
        const QString name = QString::fromUtf8(ibggen::KindName(c.Kind).data()) + QStringLiteral(".ibg");
        SCOPED_TRACE(name.toStdString());
        const QString path = Generate(name, c.Kind);
        Open(path);
        EXPECT_TRUE(messages.Shown.empty());
        EXPECT_EQ(Current(f), path);
        EXPECT_EQ(QString::fromStdString(f.Fields().LoadedFilePath), path);
        EXPECT_EQ(QString::fromStdString(f.Fields().GraphFolder), folder.path() + QLatin1Char('/'));
        EXPECT_EQ(QString::fromStdString(f.Fields().CaptureBaseName), name.chopped(4));
        for (int i = 0; i < SeriesCount; ++i) {
            EXPECT_TRUE(f.Check1[i]->isChecked()) << i;
            EXPECT_EQ(f.Check1[i]->isEnabled(), i < 4 ? c.Write : c.Verify) << i;
        }
        const std::set<Colour> speed = ColoursIn(*f.Picture1);
        const std::set<Colour> percent = ColoursIn(*f.Picture2);
        EXPECT_EQ(Has(speed, Yellow), c.Write);
        EXPECT_EQ(Has(speed, Green), c.Write);
        EXPECT_EQ(Has(percent, White), c.Write);
        EXPECT_EQ(Has(percent, Blue), c.Write);
        EXPECT_EQ(Has(speed, Cyan), c.Verify);
        EXPECT_EQ(Has(speed, Magenta), c.Verify);
        EXPECT_EQ(Has(percent, Red), c.Verify);
        EXPECT_TRUE(Has(speed, DataEndColour));
    }
}

TEST_F(FormTest, TicksSurviveReopeningOnlyTheSamePath)
{
    BurnForm& f = Start();
    const QString first = Generate(QStringLiteral("first.ibg"), ibggen::Kind::DvdBurnVerify, 1);
    const QString second = Generate(QStringLiteral("second.ibg"), ibggen::Kind::DvdBurnVerify, 2);
    struct Step {
        const char* Name;
        std::function<void()> Act;
        bool WriteRpmTicked;
    };
    const Step steps[] = {
        {"open first", [&] { Open(first); }, true},
        {"untick write RPM", [&] { f.Check1[1]->click(); }, false},
        {"open the same path", [&] { Open(first); }, false},
        {"open another file", [&] { Open(second); }, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Name);
        step.Act();
        EXPECT_EQ(f.Check1[1]->isChecked(), step.WriteRpmTicked);
        EXPECT_EQ(Has(ColoursIn(*f.Picture1), Green), step.WriteRpmTicked);
        EXPECT_TRUE(Has(ColoursIn(*f.Picture1), Yellow));
    }
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(FormTest, OptionChangesReplot)
{
    struct Case {
        const char* Name;
        std::function<void(BurnForm&)> Act;
        Colour Gone;     // 0: every series stays
        bool Redrawn;    // the picture changes
        bool ComboEnabled;
    };
    const auto keyUp = [](BurnForm& f) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(f.Combo1, &key);
    };
    const Case cases[] = {
        {"untick write buffer", [](BurnForm& f) { f.Check1[3]->click(); }, White, true, true},
        {"untick write speed", [](BurnForm& f) { f.Check1[0]->click(); }, Yellow, true, true},
        {"untick verify CPU", [](BurnForm& f) { f.Check1[6]->click(); }, Red, true, true},
        {"raw data", [](BurnForm& f) { f.Option1->click(); }, 0, true, false},
        {"block of 5", keyUp, 0, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        messages.Shown.clear();
        BurnForm& f = Start();
        Open(Generate(QStringLiteral("disc.ibg"), ibggen::Kind::DvdBurnVerify));
        const QImage speedBefore = f.Picture1->Image();
        const QImage percentBefore = f.Picture2->Image();
        c.Act(f);
        EXPECT_TRUE(messages.Shown.empty());
        EXPECT_EQ(f.Combo1->isEnabled(), c.ComboEnabled);
        EXPECT_EQ(f.Picture1->Image() != speedBefore || f.Picture2->Image() != percentBefore, c.Redrawn);
        std::set<Colour> seen = ColoursIn(*f.Picture1);
        const std::set<Colour> percent = ColoursIn(*f.Picture2);
        seen.insert(percent.begin(), percent.end());
        for (Colour series : SeriesColour)
            EXPECT_EQ(Has(seen, series), series != c.Gone) << std::hex << series;
        for (int i = 0; i < SeriesCount; ++i)
            EXPECT_TRUE(f.Check1[i]->isEnabled()) << i;
    }
}

TEST_F(FormTest, NoPassWithoutAFile)
{
    struct Case {
        const char* Name;
        std::function<void(BurnForm&)> Act;
        bool ComboEnabled;
    };
    const Case cases[] = {
        {"tick box", [](BurnForm& f) { f.Check1[0]->click(); }, true},
        {"raw data", [](BurnForm& f) { f.Option1->click(); }, false},
        {"raw then averaged",
         [](BurnForm& f) {
             f.Option1->click();
             f.Option2->click();
         },
         true},
        {"block size",
         [](BurnForm& f) {
             QKeyEvent key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
             QApplication::sendEvent(f.Combo1, &key);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        BurnForm& f = Start();
        const QImage before = f.Picture1->Image();
        c.Act(f);
        // A pass without a file would fail and say so.
        EXPECT_TRUE(messages.Shown.empty());
        EXPECT_EQ(f.Combo1->isEnabled(), c.ComboEnabled);
        EXPECT_EQ(f.Picture1->Image(), before);
        EXPECT_TRUE(f.Fields().LoadedFilePath.empty());
    }
}

TEST_F(FormTest, FailedLoadKeepsThePreviousFile)
{
    const QString good = Generate(QStringLiteral("good.ibg"), ibggen::Kind::DvdBurnVerify);
    const QString truncated = Generate(QStringLiteral("cut.ibg"), ibggen::Kind::TruncatedWrite);
    const QString text = Write(QStringLiteral("notes.ibg"), "just some notes\r\n");
    struct Case {
        const char* Name;
        QString Before; // "" for none
        QString Bad;
    };
    const Case cases[] = {
        {"truncated after a good file", good, truncated},
        {"plain text after a good file", good, text},
        {"missing file first", QString(), folder.filePath(QStringLiteral("absent.ibg"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        messages.Shown.clear();
        BurnForm& f = Start();
        if (!c.Before.isEmpty())
            Open(c.Before);
        Open(c.Bad);
        ASSERT_EQ(messages.Shown.size(), 1u);
        EXPECT_EQ(messages.Shown[0].Prompt, FileErrorPrompt);
        EXPECT_EQ(messages.Shown[0].Title, QStringLiteral("IBG file error"));
        EXPECT_EQ(Current(f), c.Before);
        EXPECT_EQ(QString::fromStdString(f.Fields().LoadedFilePath), c.Before);

        // An option change now re-plots the file that stayed, or nothing.
        f.Check1[3]->click();
        EXPECT_EQ(messages.Shown.size(), 1u);
        EXPECT_EQ(Has(ColoursIn(*f.Picture1), Yellow), !c.Before.isEmpty());
    }
}

TEST_F(FormTest, CommandLineRules)
{
    const QString good = Generate(QStringLiteral("disc.ibg"), ibggen::Kind::DvdBurnVerify);
    const QString capitals = Generate(QStringLiteral("DISC.IBG"), ibggen::Kind::DvdBurnVerify);
    const QString noDot = Generate(QStringLiteral("graphibg"), ibggen::Kind::DvdBurnVerify);
    const QString spaced = Generate(QStringLiteral("my disc.ibg"), ibggen::Kind::CdWriteOnly);
    struct Case {
        const char* Name;
        QString Argument;
        QString Loaded;        // "" for no file
        const char* Message;   // title of the one message, nullptr for none
    };
    const Case cases[] = {
        {"none", QString(), QString(), nullptr},
        {"plain path", good, good, nullptr},
        {"quoted path", QLatin1Char('"') + spaced + QLatin1Char('"'), spaced, nullptr},
        {"capital IBG", capitals, QString(), "Incorrect file type"},
        {"no dot", noDot, noDot, nullptr},
        {"two quoted paths", QLatin1Char('"') + good + QStringLiteral("\" \"") + good + QLatin1Char('"'), QString(),
         "IBG file error"},
        {"lone quote", QStringLiteral("\""), QString(), "Incorrect file type"},
        {"other extension", folder.filePath(QStringLiteral("disc.txt")), QString(), "Incorrect file type"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        messages.Shown.clear();
        BurnForm& f = Start(c.Argument);
        EXPECT_EQ(Current(f), c.Loaded);
        if (c.Message) {
            ASSERT_EQ(messages.Shown.size(), 1u);
            EXPECT_EQ(messages.Shown[0].Title, QString::fromLatin1(c.Message));
            if (QString::fromLatin1(c.Message) == QStringLiteral("Incorrect file type")) {
                EXPECT_EQ(messages.Shown[0].Prompt, QString::fromLatin1(WrongTypeText));
            }
        } else {
            EXPECT_TRUE(messages.Shown.empty());
        }
        EXPECT_EQ(Has(ColoursIn(*f.Picture1), Yellow), !c.Loaded.isEmpty());
        if (!c.Loaded.isEmpty()) {
            EXPECT_EQ(QString::fromStdString(f.Fields().GraphFolder), folder.path() + QLatin1Char('/'));
        }
    }
}

TEST_F(FormTest, Drops)
{
    const QString first = Generate(QStringLiteral("first.ibg"), ibggen::Kind::CdWriteOnly);
    const QString second = Generate(QStringLiteral("second.ibg"), ibggen::Kind::DvdBurnVerify);
    const QString capitals = Generate(QStringLiteral("LOUD.IBG"), ibggen::Kind::DvdBurnVerify);
    struct Case {
        const char* Name;
        bool OnSpeedChart;
        QStringList Files; // empty: a drop of text
        QString Loaded;
        bool WrongType;
    };
    const Case cases[] = {
        {"one file on the speed chart", true, {first}, first, false},
        {"one file on the percent chart", false, {first}, first, false},
        {"two files: the first counts", true, {first, second}, first, false},
        {"capital IBG", false, {capitals}, QString(), true},
        {"capital IBG first", true, {capitals, first}, QString(), true},
        {"text without file names", true, {}, QString(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        messages.Shown.clear();
        BurnForm& f = Start();
        auto* data = new QMimeData;
        if (c.Files.isEmpty()) {
            data->setText(QStringLiteral("some dragged text"));
        } else {
            QList<QUrl> urls;
            for (const QString& file : c.Files)
                urls << QUrl::fromLocalFile(file);
            data->setUrls(urls);
        }
        Drop(c.OnSpeedChart ? *f.Picture1 : *f.Picture2, data);
        delete data;
        EXPECT_EQ(Current(f), c.Loaded);
        if (c.WrongType) {
            ASSERT_EQ(messages.Shown.size(), 1u);
            EXPECT_EQ(messages.Shown[0].Prompt, QString::fromLatin1(WrongTypeText));
            EXPECT_EQ(messages.Shown[0].Title, QString::fromLatin1(WrongTypeTitle));
        } else {
            EXPECT_TRUE(messages.Shown.empty());
        }
    }
}

TEST_F(FormTest, OpenDialogOffersGraphFiles)
{
    BurnForm& f = Start();
    const QString startFolder = QString::fromStdString(f.Fields().GraphFolder);
    const QString path = Generate(QStringLiteral("disc.ibg"), ibggen::Kind::DvdBurnVerify);
    dialogs.Answers = {std::nullopt, path, std::nullopt};
    for (int i = 0; i < 3; ++i)
        f.Open_File->trigger();
    ASSERT_EQ(dialogs.Requests.size(), 3u);
    const QString folders[] = {startFolder, startFolder, folder.path() + QLatin1Char('/')};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const ScriptedFileDialogs::Request& r = dialogs.Requests[static_cast<std::size_t>(i)];
        EXPECT_EQ(r.Title, QStringLiteral("Open ImgBurn Graph File"));
        EXPECT_EQ(r.FilterName, QStringLiteral("ImgBurn Graph Files (*.ibg)"));
        EXPECT_EQ(r.Pattern, QStringLiteral("*.ibg"));
        EXPECT_EQ(r.DefaultSuffix, QStringLiteral("ibg"));
        EXPECT_EQ(r.InitialFolder, folders[i]);
    }
    // Cancelling after a load keeps the file.
    EXPECT_EQ(Current(f), path);
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(FormTest, ReadoutsNameTheSeriesUnderThePointer)
{
    struct Case {
        const char* Name;
        bool Speed;
        int Column;             // -1: the layer break, -2: the end of data
        int Row;                // -1: the first pixel of the colour in the column
        Colour Under;           // the colour of the pixel under the pointer
        const char* Series;     // "" when the box must hide
        bool Right, Below;
        QLocale::Language Language;
    };
    const Case cases[] = {
        {"write speed mid chart", true, 200, -1, Yellow, "Write Speed ", true, true, QLocale::English},
        {"write speed near the right edge", true, 395, -1, Yellow, "Write Speed ", false, true, QLocale::English},
        {"write speed, German separator", true, 120, -1, Yellow, "Write Speed ", true, true, QLocale::German},
        {"write RPM", true, 60, -1, Green, "Write RPM ", true, true, QLocale::English},
        {"write buffer", false, 200, -1, White, "Write Buffer ", true, true, QLocale::English},
        {"write CPU near the bottom", false, 200, -1, Blue, "Write CPU ", true, false, QLocale::English},
        {"write CPU near the bottom-right corner", false, 395, -1, Blue, "Write CPU ", false, false,
         QLocale::English},
        {"layer-break marker", true, -1, 30, LayerBreakColour, "", true, true, QLocale::English},
        {"end-of-data marker", false, -2, 30, DataEndColour, "", true, true, QLocale::English},
        {"background", true, 205, 30, 0, "", true, true, QLocale::English},
    };
    const QString path = Write(QStringLiteral("flat.ibg"), FlatWriteFile());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        QLocale::setDefault(QLocale(c.Language));
        BurnForm& f = Start();
        PictureBox& chart = c.Speed ? *f.Picture1 : *f.Picture2;
        ReadoutLabel& box = c.Speed ? *f.Label1 : *f.Label2;

        // Before a file: the hint stays and the box neither shows nor changes.
        MoveMouse(chart, 200, 50);
        EXPECT_TRUE(box.isHidden());
        EXPECT_EQ(QString::fromStdString(box.Caption()), c.Speed ? QStringLiteral("Label1") : QStringLiteral("Label2"));
        EXPECT_EQ(chart.toolTip(), QString::fromLatin1(DropHint));

        Open(path);
        int column = c.Column;
        if (column < 0)
            column = static_cast<int>(chart.UserToPixelsX(column == -1 ? 1000000.0 : 2200000.0));
        const int row = c.Row >= 0 ? c.Row : RowOf(chart, column, c.Under);
        ASSERT_GE(row, 0);
        ASSERT_EQ(chart.Image().pixel(column, row) & 0xFFFFFFu, c.Under);

        MoveMouse(chart, column, row);
        EXPECT_TRUE(chart.toolTip().isEmpty());
        if (c.Series[0] == '\0') {
            EXPECT_TRUE(box.isHidden());
            continue;
        }
        ASSERT_FALSE(box.isHidden());

        const float x = static_cast<float>(chart.PixelsToUserX(column));
        const float y = static_cast<float>(chart.PixelsToUserY(row));
        const float height = chart.ScaleHeight();
        const double value = std::string(c.Series) == "Write RPM "
                                 ? (height - y) / (height * 0.0000266)
                                 : static_cast<double>((height - y) / (c.Speed ? 100.0f : 10.0f));
        QString number = QString::number(value, 'f', 2);
        if (c.Language == QLocale::German)
            number.replace(QLatin1Char('.'), QLatin1Char(','));
        const QString expected = QStringLiteral("Sector  ") + QString::number(std::floor(x), 'f', 0) +
                                 QStringLiteral("\r\n") + QString::fromLatin1(c.Series) + number +
                                 (c.Speed ? QString() : QStringLiteral("%"));
        EXPECT_EQ(QString::fromStdString(box.Caption()), expected);

        const QPoint pointer = chart.contentsRect().topLeft() + QPoint(column, row);
        if (c.Right) {
            EXPECT_GT(box.x(), pointer.x());
        } else {
            EXPECT_LT(box.x() + box.width(), pointer.x());
        }
        if (c.Below) {
            EXPECT_GT(box.y(), pointer.y());
        } else {
            EXPECT_LT(box.y() + box.height(), pointer.y());
        }
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

TEST_F(FormTest, ReadoutValuesMatchTheFile)
{
    // The fixed write speed reads back as 8x, give or take a pixel's height.
    BurnForm& f = Start();
    Open(Write(QStringLiteral("flat.ibg"), FlatWriteFile()));
    struct Case {
        PictureBox* Chart;
        Colour Series;
        double Value;
        double PerUnit;
    };
    const Case cases[] = {{f.Picture1, Yellow, 8.0, 100}, {f.Picture2, White, 50, 10}, {f.Picture2, Blue, 2, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.Series);
        const int row = RowOf(*c.Chart, 200, c.Series);
        ASSERT_GE(row, 0);
        const double onePixel = c.Chart->ScaleHeight() / c.Chart->InnerSize().height() / c.PerUnit;
        const double read = (c.Chart->ScaleHeight() - c.Chart->PixelsToUserY(row)) / c.PerUnit;
        EXPECT_NEAR(read, c.Value, onePixel + 1e-9);
    }
}

} // namespace
} // namespace velantro
