#pragma once

#include "charts/readout.h"
#include "charts/seriescolours.h"
#include "capture/imagewriter.h"
#include "dialogs/auxwindows.h"
#include "vocabulary/series.h"
#include "capture/savecapture.h"
#include "graphfile/graphview.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QRadioButton;
class QShortcut;
class QTimer;

namespace velantro {

class CompareWindow;
class FileDialogs;
class MessageBoxes;
class PictureBox;
class ReadoutLabel;
class ReportWindow;

inline constexpr const char* WrongTypeText = "Select an ImgBurn graph file (ibg) to open.";
inline constexpr const char* WrongTypeTitle = "Incorrect file type";
inline constexpr const char* DropHint = "Drag an ImgBurn ibg file here to open.";

// The main window. Building it runs the whole start-up, the file named on
// the command line included, before it is first shown. The dialogs default
// to the platform's; tests pass their own.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The file named on the command line, the platform's bytes, opened as given.
    explicit MainWindow(const std::string& commandLineFile = {}, FileDialogs* fileDialogs = nullptr,
                        MessageBoxes* messageBoxes = nullptr);
    ~MainWindow() override;

    // The file shown and how: every rule of viewing it is the view's.
    const GraphView& View() const { return *view_; }
    // Where the open dialog starts, and where captures go.
    const std::string& GraphFolder() const { return graphFolder_; }
    const CaptureNames& Captures() const { return captures_; }

    // A new file on the whole disc, every series ticked.
    void OpenGraphFile(const std::string& path);
    // A file with exactly these options, the controls following them; for
    // pictures of the window.
    LoadOutcome ShowGraphFile(const std::string& path, const ViewOptions& options);
    void AppendCaptionQuote();
    void OpenCommandLineFile(const std::string& path);
    void OpenDroppedFiles(const QStringList& files);
    void ShowReadout(PictureBox& chart, ReadoutLabel& box, Chart kind, float x, float y);
    // Both charts show the range (none: the whole disc) by a pass over the
    // file shown; without a file nothing zooms.
    void ZoomCharts(std::optional<ZoomRange> range);
    void StartZoomDrag(float x);
    void MoveZoomDrag(float x);
    void EndZoomDrag(PictureBox& chart, float x);
    // Moves a zoomed view by pan steps, a tenth of its width each.
    void PanCharts(double steps);
    // Zooms to a place the report names, and comes forward.
    void ShowPlace(double left, double right);
    void AskScreenCapture();
    void WriteScreenCapture();
    // One compare window at a time; it opens with the current file first.
    void ShowCompareWindow();
    CompareWindow* Compare() const;

    // Event handlers, named for the control and what happened to it.
    void StartUp(const std::string& commandLineFile);
    void ShutDown();
    void OpenFileClicked();
    void SaveCaptureClicked();
    void SettingsClicked();
    void AboutClicked();
    void ReportClicked();
    void CompareClicked();
    void RawDataClicked();
    void AveragedDataClicked();
    void BlockSizeChosen();
    void SeriesBoxClicked(Series series);
    void SpeedChartMouseMove(float x, float y);
    void PercentChartMouseMove(float x, float y);
    void SpeedChartFilesDropped(const QStringList& files);
    void PercentChartFilesDropped(const QStringList& files);
    void SpeedChartMouseDown(Qt::MouseButton button, float x, float y);
    void PercentChartMouseDown(Qt::MouseButton button, float x, float y);
    void SpeedChartMouseUp(Qt::MouseButton button, float x, float y);
    void PercentChartMouseUp(Qt::MouseButton button, float x, float y);
    void SpeedChartDoubleClicked();
    void PercentChartDoubleClicked();
    void SpeedChartWheelTurned(float x, double notches);
    void PercentChartWheelTurned(float x, double notches);
    void KeyPressed(int key);
    void ChartWheelPanned(double steps);
    void FitScaleToggled(bool fitted);
    void CaptureTimerFired();

    // Modal, OK only, no icon.
    void ShowMessage(const std::string& prompt, const std::string& title);

    // The controls. The series boxes and swatches are indexed by Series; the
    // speed and RPM axis captions count from 1, the bottom one.
    QMenu* FileMenu = nullptr;
    QAction* OpenFileAction = nullptr;
    QAction* SaveCaptureAction = nullptr;
    QMenu* ToolsMenu = nullptr;
    QAction* SettingsAction = nullptr;
    QAction* ReportAction = nullptr;
    QAction* CompareAction = nullptr;
    QAction* FitScaleAction = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* AboutAction = nullptr;

    QGroupBox* FileInfoGroup = nullptr;
    QGroupBox* PlottingOptionsGroup = nullptr;
    PictureBox* SpeedChart = nullptr;
    PictureBox* PercentChart = nullptr;
    PictureBox* CapturePicture = nullptr;
    PictureBox* InfoCaptionsPanel = nullptr;
    PictureBox* InfoValuesPanel = nullptr;
    QWidget* OptionsPanel = nullptr;
    PictureBox* DrivePanel = nullptr;
    // Under the values, shown only for a file whose samples have a decimal comma.
    QLabel* DecimalCommaNote = nullptr;
    ReadoutLabel* SpeedReadout = nullptr;
    ReadoutLabel* PercentReadout = nullptr;
    std::array<QLabel*, 13> SpeedAxisCaptions{};
    std::array<QLabel*, 13> RpmAxisCaptions{};
    std::array<QLabel*, 5> SizeAxisCaptions{};
    std::array<QLabel*, 5> PercentAxisCaptionsLeft{};
    std::array<QLabel*, 5> PercentAxisCaptionsRight{};
    QRadioButton* RawData = nullptr;
    QRadioButton* AveragedData = nullptr;
    QComboBox* BlockSizeBox = nullptr;
    std::array<QCheckBox*, SeriesCount> SeriesBoxes{};
    std::array<QFrame*, SeriesCount> SeriesSwatches{};
    QTimer* CaptureTimer = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    void BuildControls();
    void BuildOptionControls();
    void ConnectHandlers();
    void CentreOnScreen();
    // The controls and captions as the view stands; a failed pass's message.
    void ShowView(const LoadOutcome& outcome);
    void ShowCaptions();
    void AfterZoom(bool replotted);
    void FollowBurnReport();
    void ApplyWheelZoom();
    void ApplyPan();

    std::unique_ptr<GraphView> view_;
    std::string graphFolder_;
    CaptureNames captures_;
    // The report shows this file.
    std::string reportedPath_;
    std::unique_ptr<FileDialogs> ownFileDialogs_;
    std::unique_ptr<MessageBoxes> ownMessageBoxes_;
    FileDialogs* fileDialogs_ = nullptr;
    MessageBoxes* messageBoxes_ = nullptr;
    AuxWindows auxWindows_;
    QPointer<ReportWindow> reportWindow_;
    ImageWriter captureWriter_;
    std::optional<float> dragFrom_;
    // Wheel turns and pan steps that came in during a pass make one move after it.
    double wheelNotches_ = 0;
    float wheelAt_ = 0;
    double panSteps_ = 0;
    QPointer<CompareWindow> compareWindow_;
    std::vector<QShortcut*> panKeys_;
};

} // namespace velantro
