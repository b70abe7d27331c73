#pragma once

#include "charts/readout.h"
#include "charts/seriescolours.h"
#include "capture/imagewriter.h"
#include "dialogs/auxwindows.h"
#include "graphfile/burncontrols.h"
#include "graphfile/burnfields.h"
#include "graphfile/loadpass.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QRadioButton;
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
class BurnForm : public QMainWindow, public BurnControls {
    Q_OBJECT

public:
    // The argument string is the platform's bytes, opened as given.
    explicit BurnForm(const std::string& argumentString = {}, FileDialogs* fileDialogs = nullptr,
                      MessageBoxes* messageBoxes = nullptr);
    ~BurnForm() override;

    BurnFields& Fields();
    const BurnFields& Fields() const;

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
    void AskScreenCapture();
    void WriteScreenCapture();
    // One compare window at a time; it opens with the current file first.
    void ShowCompareWindow();
    CompareWindow* Compare() const;

    // Event handlers, named after control and event.
    void Form_Load(const std::string& argumentString);
    void Form_Unload();
    void Open_File_Click();
    void Save_File_Click();
    void Show_Settings_Click();
    void Show_About_Click();
    void Show_Report_Click();
    void Show_Compare_Click();
    void Option1_Click();
    void Option2_Click();
    void Combo1_Click();
    void Check1_Click(int index);
    void Picture1_MouseMove(float x, float y);
    void Picture2_MouseMove(float x, float y);
    void Picture1_OLEDragDrop(const QStringList& files);
    void Picture2_OLEDragDrop(const QStringList& files);
    void Picture1_MouseDown(Qt::MouseButton button, float x, float y);
    void Picture2_MouseDown(Qt::MouseButton button, float x, float y);
    void Picture1_MouseUp(Qt::MouseButton button, float x, float y);
    void Picture2_MouseUp(Qt::MouseButton button, float x, float y);
    void Picture1_DblClick();
    void Picture2_DblClick();
    void Picture1_MouseWheel(float x, double notches);
    void Picture2_MouseWheel(float x, double notches);
    void Form_KeyDown(int key);
    void Timer1_Timer();

    // What the load pass and the frames see of the controls.
    Surface& Picture(int index) override;
    bool Option2Value() const override;
    std::string Combo1Text() const override;
    int Check1Value(int index) const override;
    void SetCheck1Value(int index, int value) override;
    void SetCheck1Enabled(int index, bool enabled) override;
    void SetLabel3Caption(int index, const std::string& caption) override;
    void SetLabel5Caption(int index, const std::string& caption) override;
    void SetRpmCaption(int index, const std::string& caption) override;
    void SetZoomCaptions(const std::vector<AxisCaption>& captions) override;
    void MsgBox(const std::string& prompt, const std::string& title) override;
    std::string GeneralDate(const std::string& text) const override;

    // The controls, named as laid out. Arrays keep the layout's indices;
    // Label3 and Label4 have no element 0.
    QMenu* File_Menu = nullptr;
    QAction* Open_File = nullptr;
    QAction* Save_File = nullptr;
    QMenu* Tools_Menu = nullptr;
    QAction* Show_Settings = nullptr;
    QAction* Show_Report = nullptr;
    QAction* Show_Compare = nullptr;
    QMenu* Help_Menu = nullptr;
    QAction* Show_About = nullptr;

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    PictureBox* Picture1 = nullptr;
    PictureBox* Picture2 = nullptr;
    PictureBox* Picture3 = nullptr;
    PictureBox* Picture4 = nullptr;
    PictureBox* Picture5 = nullptr;
    QWidget* Picture6 = nullptr;
    PictureBox* Picture7 = nullptr;
    ReadoutLabel* Label1 = nullptr;
    ReadoutLabel* Label2 = nullptr;
    std::array<QLabel*, 13> Label3{};
    std::array<QLabel*, 13> Label4{};
    std::array<QLabel*, 5> Label5{};
    std::array<QLabel*, 5> Label6{};
    std::array<QLabel*, 5> Label7{};
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QComboBox* Combo1 = nullptr;
    std::array<QCheckBox*, SeriesCount> Check1{};
    std::array<QFrame*, SeriesCount> Shape1{};
    QTimer* Timer1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    void BuildControls();
    void BuildOptionControls();
    void ConnectHandlers();
    void CentreOnScreen();
    void FollowBurnReport(bool loaded);
    void ApplyWheelZoom();

    BurnFields fields_;
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
};

} // namespace velantro
