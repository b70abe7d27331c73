#pragma once

#include "charts/readout.h"
#include "charts/seriescolours.h"
#include "capture/imagewriter.h"
#include "dialogs/auxwindows.h"
#include "vocabulary/series.h"
#include "vocabulary/windowfields.h"
#include "graphfile/loadpass.h"

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
    // The argument string is the platform's bytes, opened as given.
    explicit MainWindow(const std::string& argumentString = {}, FileDialogs* fileDialogs = nullptr,
                        MessageBoxes* messageBoxes = nullptr);
    ~MainWindow() override;

    WindowFields& Fields();
    const WindowFields& Fields() const;

    // The load pass and the operations that lead to it.
    LoadOutcome LoadGraphFile();
    void OpenGraphFile();
    void DrawSpeedFrame();
    void DrawPercentFrame();
    void AppendCaptionQuote();
    void OpenCommandLineFile(const std::string& argumentString);
    void OpenDroppedFiles(const QStringList& files);
    void ShowReadout(PictureBox& chart, ReadoutLabel& box, Chart kind, float x, float y);
    // Both charts show the range (none: the whole disc) by a pass over the
    // file shown; without a file nothing zooms.
    void ZoomCharts(std::optional<ZoomRange> range);
    // The sectors the charts show now.
    ZoomRange ChartRange() const;
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
    void StartUp(const std::string& argumentString);
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
    // What the load pass and the frames see of the controls.
    class PassControls;

    void BuildMenus();
    void BuildControls();
    void BuildOptionControls();
    void ConnectHandlers();
    void CentreOnScreen();
    void FollowBurnReport(bool loaded);
    void ApplyWheelZoom();

    WindowFields fields_;
    std::unique_ptr<PassControls> controls_;
    std::unique_ptr<FileDialogs> ownFileDialogs_;
    std::unique_ptr<MessageBoxes> ownMessageBoxes_;
    FileDialogs* fileDialogs_ = nullptr;
    MessageBoxes* messageBoxes_ = nullptr;
    AuxWindows auxWindows_;
    QPointer<ReportWindow> reportWindow_;
    ImageWriter gdip;
    QString lastWriterError_;
    // The whole view's size captions, back when a zoom ends.
    std::array<QString, 5> wholeCaptions_{};
    std::optional<float> dragFrom_;
    // Wheel turns that came in during a pass make one zoom after it.
    double wheelNotches_ = 0;
    float wheelAt_ = 0;
    QPointer<CompareWindow> compareWindow_;
    // The zoomed view's plotted samples, for its readout.
    std::optional<NearestSamples> zoomedSamples_;
    std::vector<QShortcut*> panKeys_;
};

} // namespace velantro
