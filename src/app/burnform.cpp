#include "app/burnform.h"

#include "app/comparewindow.h"
#include "app/generaldate.h"
#include "app/graphpath.h"
#include "app/picturebox.h"
#include "app/readoutlabel.h"
#include "app/reportwindow.h"
#include "capture/captureform.h"
#include "capture/savecapture.h"
#include "charts/frames.h"
#include "graphfile/infopanel.h"
#include "graphfile/loadpass.h"
#include "platform/filedialogs.h"
#include "platform/getpaths.h"
#include "platform/messageboxes.h"
#include "platform/seticons.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <stdexcept>

namespace velantro {

namespace {

// The layout is given in twips; at 15 twips per pixel it is the window as
// designed on a 96-dpi screen.
QRect Twips(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return qRound(twips / static_cast<double>(TwipsPerPixel)); };
    return QRect(px(left), px(top), px(width), px(height));
}

constexpr int ClientWidthTwips = 10575;
constexpr int ClientHeightTwips = 8895;

constexpr int AxisLabelHeight = 255;
constexpr int SpeedAxisTops[13] = {0, 5520, 5040, 4560, 4080, 3600, 3120, 2650, 2170, 1690, 1210, 745, 265};
constexpr const char* RpmCaptions[13] = {"",    "3K",  "6K",  "9K",  "12K", "15K", "18K",
                                         "21K", "24K", "27K", "30K", "33K", "36K"};
constexpr int SizeAxisLefts[5] = {3540, 4800, 6240, 7680, 9120};
constexpr int SizeAxisTop = 6120;
constexpr int SizeAxisWidth(int index)
{
    return index == 0 ? 375 : 735;
}
constexpr const char* SizeCaptions[5] = {"0", "1GB", "2GB", "3GB", "4GB"};
constexpr int PercentAxisTops[5] = {8640, 8185, 7705, 7240, 6760};
constexpr const char* PercentCaptions[5] = {"0%", "20%", "40%", "60%", "80%"};

struct SeriesBoxLayout {
    int Left;
    int Top;
    int Width;
    const char* Caption;
    const char* ToolTip;
};

constexpr SeriesBoxLayout SeriesBoxes[SeriesCount] = {
    {240, 720, 1215, "Write Speed", "Click to show/hide the write speed plot."},
    {240, 1080, 1215, "Write RPM", "Click to show/hide the write RPM plot."},
    {240, 1440, 1215, "Write CPU%", "Click to show/hide the write CPU% plot."},
    {240, 1800, 1275, "Write Buffer%", "Click to show/hide the write buffer% plot."},
    {1800, 720, 1215, "Verify Speed", "Click to show/hide the verify speed plot."},
    {1800, 1080, 1215, "Verify RPM", "Click to show/hide the verify RPM plot."},
    {1800, 1440, 1215, "Verify CPU%", "Click to show/hide the verify CPU% plot."},
};

constexpr const char* BlockSizes[6] = {"2", "5", "10", "15", "20", "25"};

QLabel* AxisLabel(QWidget* parent, const QString& caption, int left, int top, int width)
{
    auto* label = new QLabel(caption, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(Twips(left, top, width, AxisLabelHeight));
    return label;
}

char32_t DecimalSeparator()
{
    const QList<uint> separator = QLocale().decimalPoint().toUcs4();
    return separator.isEmpty() ? U'.' : static_cast<char32_t>(separator.first());
}

QString Text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace

BurnForm::BurnForm(const std::string& argumentString, FileDialogs* fileDialogs, MessageBoxes* messageBoxes)
{
    if (!fileDialogs) {
        ownFileDialogs_ = std::make_unique<QtFileDialogs>();
        fileDialogs = ownFileDialogs_.get();
    }
    if (!messageBoxes) {
        ownMessageBoxes_ = std::make_unique<QtMessageBoxes>();
        messageBoxes = ownMessageBoxes_.get();
    }
    fileDialogs_ = fileDialogs;
    messageBoxes_ = messageBoxes;

    setWindowTitle(QStringLiteral("Velantro"));
    BuildMenus();
    BuildControls();
    ConnectHandlers();
    CentreOnScreen();
    Form_Load(argumentString);
}

BurnForm::~BurnForm()
{
    delete compareWindow_.data();
}

BurnFields& BurnForm::Fields()
{
    return fields_;
}

const BurnFields& BurnForm::Fields() const
{
    return fields_;
}

void BurnForm::BuildMenus()
{
    File_Menu = menuBar()->addMenu(QStringLiteral("File"));
    Open_File = File_Menu->addAction(QStringLiteral("Open ImgBurn Graph File..."));
    Save_File = File_Menu->addAction(QStringLiteral("Save Velantro Screen Capture..."));
    Tools_Menu = menuBar()->addMenu(QStringLiteral("Tools"));
    Show_Settings = Tools_Menu->addAction(QStringLiteral("Settings..."));
    Tools_Menu->addSeparator();
    Show_Report = Tools_Menu->addAction(QStringLiteral("Burn Report..."));
    Show_Report->setEnabled(false);
    Show_Compare = Tools_Menu->addAction(QStringLiteral("Compare Graph Files..."));
    Help_Menu = menuBar()->addMenu(QStringLiteral("Help"));
    Show_About = Help_Menu->addAction(QStringLiteral("About Velantro..."));
}

void BurnForm::BuildControls()
{
    auto* client = new QWidget(this);
    client->setFixedSize(Twips(0, 0, ClientWidthTwips, ClientHeightTwips).size());
    setCentralWidget(client);
    // Nothing moves with the window, so the window does not resize.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    const QColor panelBackground = palette().color(QPalette::Window);

    Frame1 = new QGroupBox(QStringLiteral("ImgBurn File Info"), client);
    Frame1->setGeometry(Twips(120, 120, 3255, 5775));
    Picture4 = new PictureBox(Frame1, Twips(120, 720, 1215, 4935), panelBackground, PictureBox::Border::None);
    Picture5 = new PictureBox(Frame1, Twips(1320, 720, 1815, 4935), panelBackground, PictureBox::Border::None);
    // Created after Frame1, so it lies in front of the frame's area.
    Picture7 = new PictureBox(client, Twips(240, 480, 3015, 375), panelBackground, PictureBox::Border::None);

    Frame2 = new QGroupBox(QStringLiteral("Plotting Options"), client);
    Frame2->setGeometry(Twips(120, 6120, 3255, 2655));
    Picture6 = new QWidget(Frame2);
    Picture6->setGeometry(Twips(120, 360, 3015, 2175));
    BuildOptionControls();

    Picture1 = new PictureBox(client, Twips(3720, 120, 6495, 6015), Qt::black, PictureBox::Border::Sunken);
    Picture2 = new PictureBox(client, Twips(3720, 6360, 6495, 2415), Qt::black, PictureBox::Border::Sunken);
    Picture2->SetScaleHeight(PercentChartHeight);
    for (PictureBox* chart : {Picture1, Picture2}) {
        chart->setCursor(Qt::CrossCursor);
        chart->setToolTip(QString::fromLatin1(DropHint));
        chart->setAcceptDrops(true);
    }
    Label1 = new ReadoutLabel(Picture1, QStringLiteral("Label1"));
    Label2 = new ReadoutLabel(Picture2, QStringLiteral("Label2"));
    for (ReadoutLabel* box : {Label1, Label2}) {
        const QRect laidOut = Twips(0, 0, 540, 255);
        box->setGeometry(laidOut.translated(box->parentWidget()->contentsRect().topLeft()));
        box->hide();
    }

    // Beyond the right edge of the client area and never shown.
    Picture3 = new PictureBox(client, Twips(10680, 120, 735, 735), panelBackground, PictureBox::Border::None);
    Picture3->hide();

    for (int i = 1; i <= 12; ++i) {
        Label3[i] = AxisLabel(client, QStringLiteral("%1x").arg(2 * i), 3360, SpeedAxisTops[i], 375);
        Label4[i] = AxisLabel(client, QString::fromLatin1(RpmCaptions[i]), 10200, SpeedAxisTops[i], 375);
    }
    for (int i = 0; i < 5; ++i) {
        wholeCaptions_[i] = QString::fromLatin1(SizeCaptions[i]);
        Label5[i] = AxisLabel(client, wholeCaptions_[i], SizeAxisLefts[i], SizeAxisTop, SizeAxisWidth(i));
        Label6[i] = AxisLabel(client, QString::fromLatin1(PercentCaptions[i]), 3360, PercentAxisTops[i], 375);
        Label7[i] = AxisLabel(client, QString::fromLatin1(PercentCaptions[i]), 10200, PercentAxisTops[i], 375);
    }

    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    Timer1->setSingleShot(true);

    setTabOrder(Combo1, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, Check1[0]);
    for (int i = 1; i < SeriesCount; ++i)
        setTabOrder(Check1[i - 1], Check1[i]);
}

void BurnForm::BuildOptionControls()
{
    Option1 = new QRadioButton(QStringLiteral("Raw Data"), Picture6);
    Option1->setGeometry(Twips(480, 0, 1455, 255));
    Option1->setToolTip(QStringLiteral("Select to plot raw data."));
    Option2 = new QRadioButton(QStringLiteral("Averaged Data"), Picture6);
    Option2->setGeometry(Twips(480, 240, 1455, 255));
    Option2->setToolTip(QStringLiteral("Select to plot averaged data."));
    Option2->setChecked(true);

    Combo1 = new QComboBox(Picture6);
    Combo1->setGeometry(Twips(1980, 210, 615, 315));
    Combo1->setToolTip(QStringLiteral("Select number of samples used to average data."));

    for (int i = 0; i < SeriesCount; ++i) {
        const SeriesBoxLayout& box = SeriesBoxes[i];
        Check1[i] = new QCheckBox(QString::fromLatin1(box.Caption), Picture6);
        Check1[i]->setGeometry(Twips(box.Left, box.Top, box.Width, 255));
        Check1[i]->setToolTip(QString::fromLatin1(box.ToolTip));
        Check1[i]->setChecked(true);

        Shape1[i] = new QFrame(Picture6);
        Shape1[i]->setGeometry(Twips(i < 4 ? 0 : 1560, box.Top + 30, 195, 195));
        Shape1[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        Shape1[i]->setLineWidth(1);
        QPalette colours = Shape1[i]->palette();
        colours.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(SeriesColour[i])));
        colours.setColor(QPalette::WindowText, Qt::black);
        Shape1[i]->setPalette(colours);
        Shape1[i]->setAutoFillBackground(true);
    }
}

void BurnForm::ConnectHandlers()
{
    connect(Open_File, &QAction::triggered, this, &BurnForm::Open_File_Click);
    connect(Save_File, &QAction::triggered, this, &BurnForm::Save_File_Click);
    connect(Show_Settings, &QAction::triggered, this, &BurnForm::Show_Settings_Click);
    connect(Show_About, &QAction::triggered, this, &BurnForm::Show_About_Click);
    connect(Show_Report, &QAction::triggered, this, &BurnForm::Show_Report_Click);
    connect(Show_Compare, &QAction::triggered, this, &BurnForm::Show_Compare_Click);
    // User actions only: the program's own changes to these controls must not start a pass.
    connect(Option1, &QRadioButton::clicked, this, &BurnForm::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &BurnForm::Option2_Click);
    connect(Combo1, &QComboBox::activated, this, &BurnForm::Combo1_Click);
    for (int i = 0; i < SeriesCount; ++i)
        connect(Check1[i], &QCheckBox::clicked, this, [this, i] { Check1_Click(i); });
    connect(Picture1, &PictureBox::MouseMoved, this, &BurnForm::Picture1_MouseMove);
    connect(Picture2, &PictureBox::MouseMoved, this, &BurnForm::Picture2_MouseMove);
    connect(Picture1, &PictureBox::FilesDropped, this, &BurnForm::Picture1_OLEDragDrop);
    connect(Picture2, &PictureBox::FilesDropped, this, &BurnForm::Picture2_OLEDragDrop);
    connect(Picture1, &PictureBox::MouseDown, this, &BurnForm::Picture1_MouseDown);
    connect(Picture2, &PictureBox::MouseDown, this, &BurnForm::Picture2_MouseDown);
    connect(Picture1, &PictureBox::MouseUp, this, &BurnForm::Picture1_MouseUp);
    connect(Picture2, &PictureBox::MouseUp, this, &BurnForm::Picture2_MouseUp);
    connect(Picture1, &PictureBox::DoubleClicked, this, &BurnForm::Picture1_DblClick);
    connect(Picture2, &PictureBox::DoubleClicked, this, &BurnForm::Picture2_DblClick);
    connect(Picture1, &PictureBox::WheelTurned, this, &BurnForm::Picture1_MouseWheel);
    connect(Picture2, &PictureBox::WheelTurned, this, &BurnForm::Picture2_MouseWheel);
    connect(Timer1, &QTimer::timeout, this, &BurnForm::Timer1_Timer);
    connect(&gdip, &ImageWriter::Error, this,
            [this](int /*status*/, const QString& description) { lastWriterError_ = description; });
}

void BurnForm::CentreOnScreen()
{
    adjustSize();
    if (const QScreen* display = screen()) {
        const QRect available = display->availableGeometry();
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(available.center());
        // A window larger than the screen (a scaled display) keeps its title
        // bar and menus on it; the rest may run off the right and bottom.
        move(std::max(placed.left(), available.left()), std::max(placed.top(), available.top()));
    }
}

void BurnForm::Form_Load(const std::string& argumentString)
{
    SetFormIcons(this);
    fields_ = StartupFields();
    fields_.CaptureFolder = GetDesktopFolder() + QDir::separator().toLatin1();
    fields_.GraphFolder = ReadImgBurnGraphFolder();
    if (fields_.GraphFolder.empty())
        fields_.GraphFolder = FirstImgBurnGraphFolder();
    for (int i = 0; i < 6; ++i)
        Combo1->insertItem(i, QString::fromLatin1(BlockSizes[i]));
    Combo1->setCurrentIndex(2);
    PrintInfoCaptions(fields_, *Picture4);
    DrawSpeedFrame();
    DrawPercentFrame();
    AppendCaptionQuote();
    OpenCommandLineFile(argumentString);
}

void BurnForm::Form_Unload()
{
    // The auxiliary windows have no owner; ending the loop takes them along.
    QCoreApplication::quit();
}

void BurnForm::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void BurnForm::AppendCaptionQuote()
{
    static constexpr const char* Quotes[12] = {
        "",
        "Measure twice, cut once.",
        "Slow and steady wins the race.",
        "Practice makes perfect.",
        "Patience is a virtue.",
        "Better late than never.",
        "Actions speak louder than words.",
        "Rome was not built in a day.",
        "Fortune favours the bold.",
        "Still waters run deep.",
        "Every cloud has a silver lining.",
        "Knowledge is power.",
    };
    std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    const float r = std::uniform_real_distribution<float>(0.0f, 1.0f)(generator);
    // Some libraries round a float draw up to 1; that must not pick entry 12.
    const int k = std::clamp(static_cast<int>(std::floor(r * 11.0f)) + 1, 1, 11);
    setWindowTitle(windowTitle() + QStringLiteral(" - ") + QString::fromLatin1(Quotes[k]));
}

void BurnForm::OpenCommandLineFile(const std::string& argumentString)
{
    if (argumentString.empty())
        return;
    const std::string path = CommandLinePath(argumentString);
    if (HasIbgEnding(path)) {
        fields_.GraphFilePath = path;
        OpenGraphFile();
    } else {
        MsgBox(WrongTypeText, WrongTypeTitle);
    }
}

void BurnForm::OpenGraphFile()
{
    if (fields_.GraphFilePath.empty())
        return;
    const GraphPathSplit split = SplitGraphPath(fields_.GraphFilePath, PathSeparators());
    if (split.Found) {
        fields_.CaptureBaseName = split.Name;
        fields_.GraphFolder = split.Folder;
    }
    // A file opens on the whole disc; one that fails leaves the view as it was.
    const std::optional<ZoomRange> shown = std::exchange(fields_.Zoom, std::nullopt);
    const bool loaded = LoadGraphFile().Loaded;
    if (!loaded)
        fields_.Zoom = shown;
    FollowBurnReport(loaded);
}

// The report shows the file on show; option changes leave it as it is.
void BurnForm::FollowBurnReport(bool loaded)
{
    Show_Report->setEnabled(!fields_.GraphFilePath.empty());
    if (loaded && reportWindow_)
        reportWindow_->ShowFile(fields_.GraphFilePath, [this](const std::string& text) { return GeneralDate(text); });
}

LoadOutcome BurnForm::LoadGraphFile()
{
    return velantro::LoadGraphFile(fields_, *this);
}

void BurnForm::DrawSpeedFrame()
{
    velantro::DrawSpeedFrame(fields_, *this);
}

void BurnForm::DrawPercentFrame()
{
    velantro::DrawPercentFrame(fields_, *this);
}

ZoomRange BurnForm::ChartRange() const
{
    return fields_.Zoom.value_or(WholeRange({fields_.ChartWidth}));
}

void BurnForm::ZoomCharts(std::optional<ZoomRange> range)
{
    if (fields_.GraphFilePath.empty())
        return;
    const ZoomLimits limits{fields_.ChartWidth};
    if (range && ShowsWhole(ClampZoom(*range, limits), limits))
        range.reset();
    if (range == fields_.Zoom)
        return;
    fields_.Zoom = range;
    LoadGraphFile();
}

void BurnForm::StartZoomDrag(float x)
{
    dragFrom_ = x;
}

void BurnForm::MoveZoomDrag(float x)
{
    if (!dragFrom_ || fields_.GraphFilePath.empty())
        return;
    Picture1->ShowBand(*dragFrom_, x);
    Picture2->ShowBand(*dragFrom_, x);
}

void BurnForm::EndZoomDrag(PictureBox& chart, float x)
{
    if (!dragFrom_)
        return;
    const float from = *std::exchange(dragFrom_, std::nullopt);
    Picture1->HideBand();
    Picture2->HideBand();
    // A click that wobbled a pixel or two is no drag.
    if (std::abs(chart.UserToPixelsX(x - from)) < 3)
        return;
    ZoomCharts(ZoomToDrag(ChartRange(), from, x, {fields_.ChartWidth}));
}

void BurnForm::ApplyWheelZoom()
{
    const double notches = std::exchange(wheelNotches_, 0);
    if (notches != 0)
        ZoomCharts(ZoomAround(ChartRange(), wheelAt_, notches, {fields_.ChartWidth}));
}

void BurnForm::OpenDroppedFiles(const QStringList& files)
{
    // Dragged text and the like carry no file name: nothing to open.
    if (files.isEmpty())
        return;
    const std::string first = QFile::encodeName(files.first()).toStdString();
    if (HasIbgEnding(first)) {
        fields_.GraphFilePath = first;
        OpenGraphFile();
    } else {
        MsgBox(WrongTypeText, WrongTypeTitle);
    }
}

void BurnForm::ShowReadout(PictureBox& chart, ReadoutLabel& box, Chart kind, float x, float y)
{
    if (!fields_.GraphFilePath.empty()) {
        chart.setToolTip(QString());
        const std::optional<std::string> caption =
            ReadoutCaption(kind, chart.Point(x, y), x, y, fields_.SpeedChartHeight, DecimalSeparator(), fields_.RpmTop);
        if (caption) {
            box.SetCaption(*caption);
            box.show();
        } else {
            box.hide();
        }
    }
    // Placed in the chart's own width, whatever sector its left edge shows.
    const ReadoutPlace place =
        PlaceReadout(x - chart.ScaleLeft(), y, static_cast<float>(chart.PixelsToUserX(box.width())),
                     static_cast<float>(chart.PixelsToUserY(box.height())), chart.ScaleWidth(), chart.ScaleHeight());
    const auto pixels = [](double v) { return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6))); };
    box.move(chart.contentsRect().topLeft() +
             QPoint(pixels(chart.UserToPixelsX(place.Left)), pixels(chart.UserToPixelsY(place.Top))));
}

void BurnForm::AskScreenCapture()
{
    if (AskCaptureFile(this, *fileDialogs_, *messageBoxes_, fields_))
        Timer1->start();
}

// Success and failure must not look the same: a failed save says why.
void BurnForm::WriteScreenCapture()
{
    Picture3->SetPicture(CaptureWindow(this));
    const QString target = QFile::decodeName(fields_.CapturePath.c_str());
    lastWriterError_.clear();
    if (gdip.PictureBoxToFile(Picture3->Picture(), fields_.CapturePath, 85) == 0) {
        const QString reason = lastWriterError_.isEmpty() ? ImageWriter::GdiErrorString(0) : lastWriterError_;
        messageBoxes_->Show(this,
                            QStringLiteral("The screen capture could not be saved as\n%1\n\n%2")
                                .arg(QDir::toNativeSeparators(target), reason),
                            QString::fromLatin1(CaptureDialogTitle));
    }
    Picture3->Cls();
}

void BurnForm::ShowCompareWindow()
{
    if (!compareWindow_)
        compareWindow_ = new CompareWindow(fields_.GraphFilePath, QFile::decodeName(fields_.GraphFolder.c_str()),
                                           Text(fields_.CaptureFolder), *fileDialogs_, *messageBoxes_);
    compareWindow_->show();
    compareWindow_->raise();
    compareWindow_->activateWindow();
}

CompareWindow* BurnForm::Compare() const
{
    return compareWindow_.data();
}

void BurnForm::Open_File_Click()
{
    const std::optional<QString> chosen = fileDialogs_->GetOpenFileName(
        this, QStringLiteral("Open ImgBurn Graph File"), QStringLiteral("ImgBurn Graph Files (*.ibg)"),
        QStringLiteral("*.ibg"), QFile::decodeName(fields_.GraphFolder.c_str()), QStringLiteral("ibg"));
    if (!chosen)
        return;
    fields_.GraphFilePath = QFile::encodeName(*chosen).toStdString();
    OpenGraphFile();
}

void BurnForm::Save_File_Click()
{
    AskScreenCapture();
}

void BurnForm::Show_Settings_Click()
{
    auxWindows_.ShowSettings();
}

void BurnForm::Show_About_Click()
{
    auxWindows_.ShowAbout();
}

void BurnForm::Show_Report_Click()
{
    if (!reportWindow_) {
        reportWindow_ = new ReportWindow(this, *fileDialogs_, *messageBoxes_);
        FollowBurnReport(true);
    }
    reportWindow_->show();
    reportWindow_->raise();
    reportWindow_->activateWindow();
}

void BurnForm::Show_Compare_Click()
{
    ShowCompareWindow();
}

void BurnForm::Option1_Click()
{
    Combo1->setEnabled(false);
    if (!fields_.GraphFilePath.empty())
        LoadGraphFile();
}

void BurnForm::Option2_Click()
{
    Combo1->setEnabled(true);
    if (!fields_.GraphFilePath.empty())
        LoadGraphFile();
}

void BurnForm::Combo1_Click()
{
    if (!fields_.GraphFilePath.empty())
        LoadGraphFile();
}

void BurnForm::Check1_Click(int /*index*/)
{
    if (!fields_.GraphFilePath.empty())
        LoadGraphFile();
}

void BurnForm::Picture1_MouseMove(float x, float y)
{
    ShowReadout(*Picture1, *Label1, Chart::Speed, x, y);
    MoveZoomDrag(x);
}

void BurnForm::Picture2_MouseMove(float x, float y)
{
    ShowReadout(*Picture2, *Label2, Chart::Percent, x, y);
    MoveZoomDrag(x);
}

void BurnForm::Picture1_MouseDown(Qt::MouseButton button, float x, float /*y*/)
{
    if (button == Qt::LeftButton)
        StartZoomDrag(x);
}

void BurnForm::Picture2_MouseDown(Qt::MouseButton button, float x, float /*y*/)
{
    if (button == Qt::LeftButton)
        StartZoomDrag(x);
}

void BurnForm::Picture1_MouseUp(Qt::MouseButton button, float x, float /*y*/)
{
    if (button == Qt::LeftButton)
        EndZoomDrag(*Picture1, x);
}

void BurnForm::Picture2_MouseUp(Qt::MouseButton button, float x, float /*y*/)
{
    if (button == Qt::LeftButton)
        EndZoomDrag(*Picture2, x);
}

void BurnForm::Picture1_DblClick()
{
    ZoomCharts(std::nullopt);
}

void BurnForm::Picture2_DblClick()
{
    ZoomCharts(std::nullopt);
}

void BurnForm::Picture1_MouseWheel(float x, double notches)
{
    wheelAt_ = x;
    if (std::exchange(wheelNotches_, wheelNotches_ + notches) == 0)
        QTimer::singleShot(0, this, &BurnForm::ApplyWheelZoom);
}

void BurnForm::Picture2_MouseWheel(float x, double notches)
{
    Picture1_MouseWheel(x, notches);
}

void BurnForm::Form_KeyDown(int key)
{
    if (key == Qt::Key_Escape)
        ZoomCharts(std::nullopt);
}

void BurnForm::keyPressEvent(QKeyEvent* event)
{
    Form_KeyDown(event->key());
    QMainWindow::keyPressEvent(event);
}

void BurnForm::Picture1_OLEDragDrop(const QStringList& files)
{
    OpenDroppedFiles(files);
}

void BurnForm::Picture2_OLEDragDrop(const QStringList& files)
{
    OpenDroppedFiles(files);
}

void BurnForm::Timer1_Timer()
{
    Timer1->stop();
    WriteScreenCapture();
}

Surface& BurnForm::Picture(int index)
{
    switch (index) {
    case 1:
        return *Picture1;
    case 2:
        return *Picture2;
    case 3:
        return *Picture3;
    case 4:
        return *Picture4;
    case 5:
        return *Picture5;
    case 7:
        return *Picture7;
    default:
        throw std::out_of_range("no picture box with that index");
    }
}

bool BurnForm::Option2Value() const
{
    return Option2->isChecked();
}

std::string BurnForm::Combo1Text() const
{
    return Combo1->currentText().toStdString();
}

int BurnForm::Check1Value(int index) const
{
    return Check1.at(static_cast<std::size_t>(index))->isChecked() ? 1 : 0;
}

void BurnForm::SetCheck1Value(int index, int value)
{
    Check1.at(static_cast<std::size_t>(index))->setChecked(value != 0);
}

void BurnForm::SetCheck1Enabled(int index, bool enabled)
{
    Check1.at(static_cast<std::size_t>(index))->setEnabled(enabled);
}

void BurnForm::SetLabel3Caption(int index, const std::string& caption)
{
    if (index >= 1 && index <= 12)
        Label3[static_cast<std::size_t>(index)]->setText(Text(caption));
}

void BurnForm::SetRpmCaption(int index, const std::string& caption)
{
    if (index >= 1 && index <= 12)
        Label4[static_cast<std::size_t>(index)]->setText(Text(caption));
}

void BurnForm::SetLabel5Caption(int index, const std::string& caption)
{
    if (index < 0 || index > 4)
        return;
    wholeCaptions_[static_cast<std::size_t>(index)] = Text(caption);
    Label5[static_cast<std::size_t>(index)]->setText(Text(caption));
}

void BurnForm::SetZoomCaptions(const std::vector<AxisCaption>& captions)
{
    const QRect inner = Picture1->contentsRect().translated(Picture1->pos());
    const int width = Twips(0, 0, SizeAxisWidth(1), 0).width();
    const int clientWidth = centralWidget()->width();
    for (std::size_t i = 0; i < Label5.size(); ++i) {
        QLabel* label = Label5[i];
        const int index = static_cast<int>(i);
        if (captions.empty()) {
            label->setGeometry(Twips(SizeAxisLefts[i], SizeAxisTop, SizeAxisWidth(index), AxisLabelHeight));
            label->setText(wholeCaptions_[i]);
            label->show();
        } else if (i < captions.size()) {
            const int centre = inner.x() + static_cast<int>(std::lround(captions[i].Centre * inner.width()));
            const int left = std::clamp(centre - width / 2, 0, clientWidth - width);
            label->setGeometry(left, label->y(), width, label->height());
            label->setText(Text(captions[i].Text));
            label->show();
        } else {
            label->hide();
        }
    }
}

void BurnForm::MsgBox(const std::string& prompt, const std::string& title)
{
    messageBoxes_->Show(this, Text(prompt), Text(title));
}

std::string BurnForm::GeneralDate(const std::string& text) const
{
    return velantro::GeneralDate(text);
}

} // namespace velantro
