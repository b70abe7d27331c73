#pragma once

#include "graphfile/infopanel.h"
#include "report/burnreport.h"

#include <QWidget>

#include <string>
#include <string_view>

class QPushButton;
class QTextBrowser;
class QTimer;
class QUrl;

namespace velantro {

class FileDialogs;
class MessageBoxes;

// The burn report of the file shown, as text to read or paste into a post.
// Modeless; the main window hands it each file it opens. Its dips, buffer
// drops and zones are links that ask the main window to show them.
class ReportWindow : public QWidget {
    Q_OBJECT

public:
    ReportWindow(QWidget* owner, FileDialogs& fileDialogs, MessageBoxes& messageBoxes);

    // Reads the file (the platform's bytes for its name) and shows its report.
    void ShowFile(const std::string& path, const DateFormatter& generalDate);
    QString Text() const;
    // The text in a forum's code block, naming the file without its folder.
    QString ForumText() const;
    // Writes the report in the form ("text", "json", "csv") as --report
    // --format does; false when it could not (and said why).
    bool SaveReport(const QString& target, std::string_view format);

    void CopyClicked();
    void ForumCopyClicked();
    void SaveClicked();
    void PlaceLinkClicked(const QUrl& link);
    void CopiedTimerTimeout();

    QTextBrowser* ReportView = nullptr;
    QPushButton* CopyButton = nullptr;
    QPushButton* ForumCopyButton = nullptr;
    QPushButton* SaveButton = nullptr;
    // Shows a copy button's caption again after it said "Copied".
    QTimer* CopiedTimer = nullptr;

signals:
    // The sectors a link stands for, to be shown in the main window.
    void PlaceClicked(double left, double right);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowCopied(QPushButton& button);
    QSize OpeningSize() const;

    FileDialogs& fileDialogs_;
    MessageBoxes& messageBoxes_;
    std::string path_;
    BurnReport report_;
    QString text_;
    bool placed_ = false;
};

} // namespace velantro
