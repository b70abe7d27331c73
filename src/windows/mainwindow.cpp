#include "windows/mainwindow.h"
#include "windows/librarywindow.h"

#include "dialogs/twips.h"

#include "windows/comparewindow.h"
#include "platform/generaldate.h"
#include "windows/graphpath.h"
#include "windows/picturebox.h"
#include "windows/readoutlabel.h"
#include "windows/reportwindow.h"
#include "capture/captureform.h"
#include "capture/savecapture.h"
#include "charts/chartlayout.h"
#include "graphfile/infopanel.h"
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
#include <QShortcut>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <stdexcept>

namespace velantro {

namespace {

// The layout is given in twips: the window as designed on a 96-dpi screen.
constexpr QRect Twips(int left, int top, int width, int height)
{
    return TwipsRect(left, top, width, height);
}

constexpr QRect Twips(const TwipsBox& box)
{
    return Twips(box.Left, box.Top, box.Width, box.Height);
}

constexpr const char* RpmCaptions[13] = {"",    "3K",  "6K",  "9K",  "12K", "15K", "18K",
                                         "21K", "24K", "27K", "30K", "33K", "36K"};
constexpr const char* SizeCaptions[5] = {"0", "1GB", "2GB", "3GB", "4GB"};

struct SeriesBoxLayout {
    int Left;
    int Top;
    int Width;
    const char* Caption;
    const char* ToolTip;
};

constexpr SeriesBoxLayout SeriesBoxLayouts[SeriesCount] = {
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

MainWindow::MainWindow(const std::string& commandLineFile, FileDialogs* fileDialogs, MessageBoxes* messageBoxes)
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
    StartUp(commandLineFile);
}

MainWindow::~MainWindow()
{
    delete compareWindow_.data();
}

void MainWindow::BuildMenus()
{
    FileMenu = menuBar()->addMenu(QStringLiteral("File"));
    OpenFileAction = FileMenu->addAction(QStringLiteral("Open ImgBurn Graph File..."));
    SaveCaptureAction = FileMenu->addAction(QStringLiteral("Save Velantro Screen Capture..."));
    ToolsMenu = menuBar()->addMenu(QStringLiteral("Tools"));
    SettingsAction = ToolsMenu->addAction(QStringLiteral("Settings..."));
    ToolsMenu->addSeparator();
    ReportAction = ToolsMenu->addAction(QStringLiteral("Burn Report..."));
    ReportAction->setEnabled(false);
    CompareAction = ToolsMenu->addAction(QStringLiteral("Compare Graph Files..."));
    ToolsMenu->addSeparator();
    FitScaleAction = ToolsMenu->addAction(QStringLiteral("Fit Speed Scale"));
    FitScaleAction->setCheckable(true);
    ToolsMenu->addSeparator();
    connect(ToolsMenu->addAction(QStringLiteral("Burn Library...")), &QAction::triggered, this,
            [this] { ShowLibraryWindow(*this); });
    HelpMenu = menuBar()->addMenu(QStringLiteral("Help"));
    AboutAction = HelpMenu->addAction(QStringLiteral("About Velantro..."));
}

void MainWindow::BuildControls()
{
    auto* client = new QWidget(this);
    client->setFixedSize(Twips(0, 0, ClientWidthTwips, ClientHeightTwips).size());
    setCentralWidget(client);
    // Nothing moves with the window, so the window does not resize.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    const QColor panelBackground = palette().color(QPalette::Window);

    FileInfoGroup = new QGroupBox(QStringLiteral("ImgBurn File Info"), client);
    FileInfoGroup->setGeometry(Twips(FileInfoGroupBox));
    InfoCaptionsPanel =
        new PictureBox(FileInfoGroup, Twips(InfoCaptionsBox), panelBackground, PictureBox::Border::None);
    InfoValuesPanel = new PictureBox(FileInfoGroup, Twips(InfoValuesBox), panelBackground, PictureBox::Border::None);
    // Created after FileInfoGroup, so it lies in front of the frame's area.
    DrivePanel = new PictureBox(client, Twips(DriveBox), panelBackground, PictureBox::Border::None);
    DecimalCommaNote = AxisLabel(FileInfoGroup, QString::fromLatin1(DecimalCommaText), 60, 5505, 3135);
    DecimalCommaNote->hide();

    PlottingOptionsGroup = new QGroupBox(QStringLiteral("Plotting Options"), client);
    PlottingOptionsGroup->setGeometry(Twips(120, 6120, 3255, 2655));
    OptionsPanel = new QWidget(PlottingOptionsGroup);
    OptionsPanel->setGeometry(Twips(120, 360, 3015, 2175));
    BuildOptionControls();

    SpeedChart = new PictureBox(client, Twips(SpeedChartBox), Qt::black, PictureBox::Border::Sunken);
    PercentChart = new PictureBox(client, Twips(PercentChartBox), Qt::black, PictureBox::Border::Sunken);
    for (PictureBox* chart : {SpeedChart, PercentChart}) {
        chart->setCursor(Qt::CrossCursor);
        chart->setToolTip(QString::fromLatin1(DropHint));
        chart->setAcceptDrops(true);
    }
    // Hidden until a readout gives them a caption.
    SpeedReadout = new ReadoutLabel(SpeedChart);
    PercentReadout = new ReadoutLabel(PercentChart);
    for (ReadoutLabel* box : {SpeedReadout, PercentReadout}) {
        const QRect laidOut = Twips(0, 0, 540, 255);
        box->setGeometry(laidOut.translated(box->parentWidget()->contentsRect().topLeft()));
        box->hide();
    }

    // Beyond the right edge of the client area and never shown.
    CapturePicture = new PictureBox(client, Twips(10680, 120, 735, 735), panelBackground, PictureBox::Border::None);
    CapturePicture->hide();

    for (int i = 1; i <= 12; ++i) {
        SpeedAxisCaptions[i] =
            AxisLabel(client, QStringLiteral("%1x").arg(2 * i), SpeedAxisLeft, SpeedAxisTops[i], SideAxisWidth);
        RpmAxisCaptions[i] =
            AxisLabel(client, QString::fromLatin1(RpmCaptions[i]), RpmAxisLeft, SpeedAxisTops[i], SideAxisWidth);
    }
    for (int i = 0; i < 5; ++i) {
        SizeAxisCaptions[i] =
            AxisLabel(client, QString::fromLatin1(SizeCaptions[i]), SizeAxisLefts[i], SizeAxisTop, SizeAxisWidth(i));
        const QString percent = QString::fromLatin1(PercentCaptions[i]);
        PercentAxisCaptionsLeft[i] = AxisLabel(client, percent, SpeedAxisLeft, PercentAxisTops[i], SideAxisWidth);
        PercentAxisCaptionsRight[i] = AxisLabel(client, percent, RpmAxisLeft, PercentAxisTops[i], SideAxisWidth);
    }

    CaptureTimer = new QTimer(this);
    CaptureTimer->setInterval(50);
    CaptureTimer->setSingleShot(true);

    setTabOrder(BlockSizeBox, RawData);
    setTabOrder(RawData, AveragedData);
    setTabOrder(AveragedData, SeriesBoxes[0]);
    for (int i = 1; i < SeriesCount; ++i)
        setTabOrder(SeriesBoxes[i - 1], SeriesBoxes[i]);
}

void MainWindow::BuildOptionControls()
{
    RawData = new QRadioButton(QStringLiteral("Raw Data"), OptionsPanel);
    RawData->setGeometry(Twips(480, 0, 1455, 255));
    RawData->setToolTip(QStringLiteral("Select to plot raw data."));
    AveragedData = new QRadioButton(QStringLiteral("Averaged Data"), OptionsPanel);
    AveragedData->setGeometry(Twips(480, 240, 1455, 255));
    AveragedData->setToolTip(QStringLiteral("Select to plot averaged data."));
    AveragedData->setChecked(true);

    BlockSizeBox = new QComboBox(OptionsPanel);
    BlockSizeBox->setGeometry(Twips(1980, 210, 615, 315));
    BlockSizeBox->setToolTip(QStringLiteral("Select number of samples used to average data."));

    for (int i = 0; i < SeriesCount; ++i) {
        const SeriesBoxLayout& box = SeriesBoxLayouts[i];
        SeriesBoxes[i] = new QCheckBox(QString::fromLatin1(box.Caption), OptionsPanel);
        SeriesBoxes[i]->setGeometry(Twips(box.Left, box.Top, box.Width, 255));
        SeriesBoxes[i]->setToolTip(QString::fromLatin1(box.ToolTip));
        SeriesBoxes[i]->setChecked(true);

        SeriesSwatches[i] = new QFrame(OptionsPanel);
        SeriesSwatches[i]->setGeometry(Twips(i < 4 ? 0 : 1560, box.Top + 30, 195, 195));
        SeriesSwatches[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        SeriesSwatches[i]->setLineWidth(1);
        QPalette colours = SeriesSwatches[i]->palette();
        colours.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(SeriesColour[i])));
        colours.setColor(QPalette::WindowText, Qt::black);
        SeriesSwatches[i]->setPalette(colours);
        SeriesSwatches[i]->setAutoFillBackground(true);
    }
}

void MainWindow::ConnectHandlers()
{
    connect(OpenFileAction, &QAction::triggered, this, &MainWindow::OpenFileClicked);
    connect(SaveCaptureAction, &QAction::triggered, this, &MainWindow::SaveCaptureClicked);
    connect(SettingsAction, &QAction::triggered, this, &MainWindow::SettingsClicked);
    connect(AboutAction, &QAction::triggered, this, &MainWindow::AboutClicked);
    connect(ReportAction, &QAction::triggered, this, &MainWindow::ReportClicked);
    connect(CompareAction, &QAction::triggered, this, &MainWindow::CompareClicked);
    // User actions only: the program's own changes to these controls must not start a pass.
    connect(RawData, &QRadioButton::clicked, this, &MainWindow::RawDataClicked);
    connect(AveragedData, &QRadioButton::clicked, this, &MainWindow::AveragedDataClicked);
    connect(BlockSizeBox, &QComboBox::activated, this, &MainWindow::BlockSizeChosen);
    for (int i = 0; i < SeriesCount; ++i)
        connect(SeriesBoxes[i], &QCheckBox::clicked, this, [this, i] { SeriesBoxClicked(AllSeries[i]); });
    connect(SpeedChart, &PictureBox::MouseMoved, this, &MainWindow::SpeedChartMouseMove);
    connect(PercentChart, &PictureBox::MouseMoved, this, &MainWindow::PercentChartMouseMove);
    connect(SpeedChart, &PictureBox::FilesDropped, this, &MainWindow::SpeedChartFilesDropped);
    connect(PercentChart, &PictureBox::FilesDropped, this, &MainWindow::PercentChartFilesDropped);
    connect(SpeedChart, &PictureBox::MouseDown, this, &MainWindow::SpeedChartMouseDown);
    connect(PercentChart, &PictureBox::MouseDown, this, &MainWindow::PercentChartMouseDown);
    connect(SpeedChart, &PictureBox::MouseUp, this, &MainWindow::SpeedChartMouseUp);
    connect(PercentChart, &PictureBox::MouseUp, this, &MainWindow::PercentChartMouseUp);
    connect(SpeedChart, &PictureBox::DoubleClicked, this, &MainWindow::SpeedChartDoubleClicked);
    connect(PercentChart, &PictureBox::DoubleClicked, this, &MainWindow::PercentChartDoubleClicked);
    connect(SpeedChart, &PictureBox::WheelTurned, this, &MainWindow::SpeedChartWheelTurned);
    connect(PercentChart, &PictureBox::WheelTurned, this, &MainWindow::PercentChartWheelTurned);
    connect(SpeedChart, &PictureBox::WheelPanned, this, &MainWindow::ChartWheelPanned);
    connect(PercentChart, &PictureBox::WheelPanned, this, &MainWindow::ChartWheelPanned);
    connect(FitScaleAction, &QAction::triggered, this, &MainWindow::FitScaleToggled);
    // Only while zoomed: else the keys move between the options as they always did.
    for (const int key : {Qt::Key_Left, Qt::Key_Right}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        panKeys_.push_back(shortcut);
        shortcut->setEnabled(false);
        connect(shortcut, &QShortcut::activated, this, [this, key] { KeyPressed(key); });
    }
    connect(CaptureTimer, &QTimer::timeout, this, &MainWindow::CaptureTimerFired);
}

void MainWindow::CentreOnScreen()
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

void MainWindow::StartUp(const std::string& commandLineFile)
{
    SetFormIcons(this);
    captures_.Folder = GetDesktopFolder() + QDir::separator().toLatin1();
    graphFolder_ = ReadImgBurnGraphFolder();
    if (graphFolder_.empty())
        graphFolder_ = FirstImgBurnGraphFolder();
    for (int i = 0; i < 6; ++i)
        BlockSizeBox->insertItem(i, QString::fromLatin1(BlockSizes[i]));
    BlockSizeBox->setCurrentIndex(2);
    PrintInfoCaptions(*InfoCaptionsPanel);
    view_ = std::make_unique<GraphView>(ViewSurfaces{SpeedChart, PercentChart, DrivePanel, InfoValuesPanel},
                                        [](const std::string& text) { return GeneralDate(text); });
    ShowCaptions();
    AppendCaptionQuote();
    OpenCommandLineFile(commandLineFile);
}

void MainWindow::ShutDown()
{
    // The auxiliary windows have no owner; ending the loop takes them along.
    QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    ShutDown();
    event->accept();
}

void MainWindow::AppendCaptionQuote()
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

void MainWindow::OpenCommandLineFile(const std::string& path)
{
    if (path.empty())
        return;
    if (HasIbgEnding(path))
        OpenGraphFile(path);
    else
        ShowMessage(WrongTypeText, WrongTypeTitle);
}

void MainWindow::OpenGraphFile(const std::string& path)
{
    if (path.empty())
        return;
    const GraphPathSplit split = SplitGraphPath(path, PathSeparators());
    if (split.Found) {
        captures_.BaseName = split.Name;
        graphFolder_ = split.Folder;
    }
    ShowView(view_->Open(path));
}

LoadOutcome MainWindow::ShowGraphFile(const std::string& path, const ViewOptions& options)
{
    const LoadOutcome outcome = view_->Show(path, options);
    ShowView(outcome);
    return outcome;
}

void MainWindow::ShowView(const LoadOutcome& outcome)
{
    const ViewOptions& options = view_->Options();
    RawData->setChecked(!options.Averaged);
    AveragedData->setChecked(options.Averaged);
    BlockSizeBox->setEnabled(options.Averaged);
    const int index = BlockSizeBox->findText(QString::number(options.BlockSize));
    if (index >= 0)
        BlockSizeBox->setCurrentIndex(index);
    for (const Series series : AllSeries) {
        SeriesBoxes[SeriesIndex(series)]->setChecked(options.Shown[SeriesIndex(series)]);
        SeriesBoxes[SeriesIndex(series)]->setEnabled(view_->Enabled()[SeriesIndex(series)]);
    }
    FitScaleAction->setChecked(options.Fit);
    DecimalCommaNote->setVisible(view_->DecimalComma());
    for (QShortcut* shortcut : panKeys_)
        shortcut->setEnabled(view_->Zoom().has_value());
    ShowCaptions();
    FollowBurnReport();
    // A pass ran and failed: the view is back on the file it had.
    if (!outcome.Loaded && !outcome.Reason.empty())
        ShowMessage(FileErrorText, FileErrorTitle);
}

void MainWindow::ShowCaptions()
{
    const ChartScale& scale = view_->Scale();
    for (std::size_t i = 1; i <= 12; ++i) {
        SpeedAxisCaptions[i]->setText(Text(scale.SpeedCaptions[i]));
        RpmAxisCaptions[i]->setText(Text(scale.RpmCaptions[i]));
    }
    const std::vector<PlacedCaption> sizes = SizeCaptionPlaces(view_->SizeCaptions(), view_->SizeCaptionsAtLayout());
    for (std::size_t i = 0; i < SizeAxisCaptions.size(); ++i) {
        QLabel* label = SizeAxisCaptions[i];
        if (i >= sizes.size()) {
            label->hide();
            continue;
        }
        label->setGeometry(sizes[i].Left, sizes[i].Top, sizes[i].Width, sizes[i].Height);
        label->setText(Text(sizes[i].Text));
        label->show();
    }
}

// The report shows the file on show; option changes leave it as it is.
void MainWindow::FollowBurnReport()
{
    ReportAction->setEnabled(view_->HasFile());
    if (view_->Path() == reportedPath_)
        return;
    reportedPath_ = view_->Path();
    if (reportWindow_ && !reportedPath_.empty())
        reportWindow_->ShowFile(reportedPath_, [](const std::string& text) { return GeneralDate(text); });
    else if (reportWindow_)
        reportWindow_->hide();
}

void MainWindow::ZoomCharts(std::optional<ZoomRange> range)
{
    AfterZoom(view_->ZoomTo(range));
}

// What the readout said was under the pointer has moved.
void MainWindow::AfterZoom(bool replotted)
{
    if (!replotted)
        return;
    ShowView(view_->Last());
    SpeedReadout->hide();
    PercentReadout->hide();
}

void MainWindow::PanCharts(double steps)
{
    AfterZoom(view_->Pan(steps));
}

void MainWindow::ShowPlace(double left, double right)
{
    ZoomCharts(ClampZoom({left, right}, {view_->Scale().Width}));
    show();
    raise();
    activateWindow();
}

void MainWindow::StartZoomDrag(float x)
{
    dragFrom_ = x;
}

void MainWindow::MoveZoomDrag(float x)
{
    if (!dragFrom_ || !view_->HasFile())
        return;
    SpeedChart->ShowBand(*dragFrom_, x);
    PercentChart->ShowBand(*dragFrom_, x);
}

void MainWindow::EndZoomDrag(PictureBox& chart, float x)
{
    if (!dragFrom_)
        return;
    const float from = *std::exchange(dragFrom_, std::nullopt);
    SpeedChart->HideBand();
    PercentChart->HideBand();
    AfterZoom(view_->ZoomToDrag(from, x, chart.UserToPixelsX(x - from)));
}

// Steps that wait in the queue behind a pass join the ones that came first.
void MainWindow::ApplyWheelZoom()
{
    QCoreApplication::processEvents();
    AfterZoom(view_->ZoomAround(wheelAt_, std::exchange(wheelNotches_, 0)));
}

void MainWindow::ApplyPan()
{
    QCoreApplication::processEvents();
    AfterZoom(view_->Pan(std::exchange(panSteps_, 0)));
}

void MainWindow::OpenDroppedFiles(const QStringList& files)
{
    // Dragged text and the like carry no file name: nothing to open.
    if (files.isEmpty())
        return;
    const std::string first = QFile::encodeName(files.first()).toStdString();
    if (HasIbgEnding(first)) {
        OpenGraphFile(first);
    } else {
        ShowMessage(WrongTypeText, WrongTypeTitle);
    }
}

void MainWindow::ShowReadout(PictureBox& chart, ReadoutLabel& box, Chart kind, float x, float y)
{
    if (view_->HasFile()) {
        chart.setToolTip(QString());
        const std::optional<std::string> caption = view_->ReadoutAt(kind, x, y, DecimalSeparator());
        if (caption) {
            box.SetCaption(*caption);
            box.show();
        } else {
            box.hide();
        }
    }
    const ReadoutPlace place =
        view_->PlaceReadoutBox(kind, x, y, static_cast<float>(chart.PixelsToUserX(box.width())),
                               static_cast<float>(chart.PixelsToUserY(box.height())));
    const auto pixels = [](double v) { return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6))); };
    box.move(chart.contentsRect().topLeft() +
             QPoint(pixels(chart.UserToPixelsX(place.Left)), pixels(chart.UserToPixelsY(place.Top))));
}

void MainWindow::AskScreenCapture()
{
    if (AskCaptureFile(this, *fileDialogs_, *messageBoxes_, captures_))
        CaptureTimer->start();
}

// Success and failure must not look the same: a failed save says why.
void MainWindow::WriteScreenCapture()
{
    CapturePicture->SetPicture(CaptureWindow(this));
    const QString target = QFile::decodeName(captures_.Path.c_str());
    if (!captureWriter_.Save(CapturePicture->Picture(), captures_.Path, 85)) {
        messageBoxes_->Show(this,
                            QStringLiteral("The screen capture could not be saved as\n%1\n\n%2")
                                .arg(QDir::toNativeSeparators(target), captureWriter_.FailureText()),
                            QString::fromLatin1(CaptureDialogTitle));
    }
    CapturePicture->Clear();
}

void MainWindow::ShowCompareWindow()
{
    if (!compareWindow_) {
        compareWindow_ = new CompareWindow(view_->Path(), QFile::decodeName(graphFolder_.c_str()),
                                           Text(captures_.Folder), *fileDialogs_, *messageBoxes_);
        compareWindow_->PlaceBeside(this);
    }
    compareWindow_->show();
    compareWindow_->raise();
    compareWindow_->activateWindow();
}

CompareWindow* MainWindow::Compare() const
{
    return compareWindow_.data();
}

void MainWindow::OpenFileClicked()
{
    const std::optional<QString> chosen = fileDialogs_->GetOpenFileName(
        this, QStringLiteral("Open ImgBurn Graph File"), QStringLiteral("ImgBurn Graph Files (*.ibg)"),
        QStringLiteral("*.ibg"), QFile::decodeName(graphFolder_.c_str()), QStringLiteral("ibg"));
    if (chosen)
        OpenGraphFile(QFile::encodeName(*chosen).toStdString());
}

void MainWindow::SaveCaptureClicked()
{
    AskScreenCapture();
}

void MainWindow::SettingsClicked()
{
    auxWindows_.ShowSettings();
}

void MainWindow::AboutClicked()
{
    auxWindows_.ShowAbout();
}

void MainWindow::ReportClicked()
{
    if (!reportWindow_) {
        reportWindow_ = new ReportWindow(this, *fileDialogs_, *messageBoxes_);
        connect(reportWindow_, &ReportWindow::PlaceClicked, this, &MainWindow::ShowPlace);
        reportedPath_.clear();
        FollowBurnReport();
    }
    reportWindow_->show();
    reportWindow_->raise();
    reportWindow_->activateWindow();
}

void MainWindow::CompareClicked()
{
    ShowCompareWindow();
}

void MainWindow::RawDataClicked()
{
    ShowView(view_->SetAveraged(false));
}

void MainWindow::AveragedDataClicked()
{
    ShowView(view_->SetAveraged(true));
}

// The list holds whole numbers only.
void MainWindow::BlockSizeChosen()
{
    ShowView(view_->SetBlockSize(BlockSizeBox->currentText().toInt()));
}

void MainWindow::SeriesBoxClicked(Series series)
{
    ShowView(view_->SetSeriesShown(series, SeriesBoxes[SeriesIndex(series)]->isChecked()));
}

void MainWindow::SpeedChartMouseMove(float x, float y)
{
    ShowReadout(*SpeedChart, *SpeedReadout, Chart::Speed, x, y);
    MoveZoomDrag(x);
}

void MainWindow::PercentChartMouseMove(float x, float y)
{
    ShowReadout(*PercentChart, *PercentReadout, Chart::Percent, x, y);
    MoveZoomDrag(x);
}

void MainWindow::SpeedChartMouseDown(Qt::MouseButton button, float x, float /*y*/)
{
    if (button == Qt::LeftButton)
        StartZoomDrag(x);
}

void MainWindow::PercentChartMouseDown(Qt::MouseButton button, float x, float /*y*/)
{
    if (button == Qt::LeftButton)
        StartZoomDrag(x);
}

void MainWindow::SpeedChartMouseUp(Qt::MouseButton button, float x, float /*y*/)
{
    if (button == Qt::LeftButton)
        EndZoomDrag(*SpeedChart, x);
}

void MainWindow::PercentChartMouseUp(Qt::MouseButton button, float x, float /*y*/)
{
    if (button == Qt::LeftButton)
        EndZoomDrag(*PercentChart, x);
}

void MainWindow::SpeedChartDoubleClicked()
{
    ZoomCharts(std::nullopt);
}

void MainWindow::PercentChartDoubleClicked()
{
    ZoomCharts(std::nullopt);
}

void MainWindow::SpeedChartWheelTurned(float x, double notches)
{
    wheelAt_ = x;
    if (std::exchange(wheelNotches_, wheelNotches_ + notches) == 0)
        QTimer::singleShot(0, this, &MainWindow::ApplyWheelZoom);
}

void MainWindow::PercentChartWheelTurned(float x, double notches)
{
    SpeedChartWheelTurned(x, notches);
}

void MainWindow::KeyPressed(int key)
{
    switch (key) {
    case Qt::Key_Escape:
        // A drag in progress is called off; without one, back to the whole disc.
        if (dragFrom_) {
            dragFrom_.reset();
            SpeedChart->HideBand();
            PercentChart->HideBand();
        } else {
            ZoomCharts(std::nullopt);
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        ChartWheelPanned(key == Qt::Key_Left ? -1 : 1);
        break;
    default:
        break;
    }
}

void MainWindow::ChartWheelPanned(double steps)
{
    if (std::exchange(panSteps_, panSteps_ + steps) == 0)
        QTimer::singleShot(0, this, &MainWindow::ApplyPan);
}

void MainWindow::FitScaleToggled(bool fitted)
{
    ShowView(view_->SetFit(fitted));
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    KeyPressed(event->key());
    QMainWindow::keyPressEvent(event);
}

void MainWindow::SpeedChartFilesDropped(const QStringList& files)
{
    OpenDroppedFiles(files);
}

void MainWindow::PercentChartFilesDropped(const QStringList& files)
{
    OpenDroppedFiles(files);
}

void MainWindow::CaptureTimerFired()
{
    CaptureTimer->stop();
    WriteScreenCapture();
}

void MainWindow::ShowMessage(const std::string& prompt, const std::string& title)
{
    messageBoxes_->Show(this, Text(prompt), Text(title));
}

} // namespace velantro
