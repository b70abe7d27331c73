#pragma once

#include "graphfile/infopanel.h"

#include <QWidget>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace velantro {

// The burn report of the file shown, as text to read or paste into a post.
// Modeless; the main window hands it each file it opens.
class ReportWindow : public QWidget {
    Q_OBJECT

public:
    explicit ReportWindow(QWidget* owner);

    // Reads the file (the platform's bytes for its name) and shows its report.
    void ShowFile(const std::string& path, const DateFormatter& generalDate);
    QString Text() const;

    void CopyClicked();

    QPlainTextEdit* ReportView = nullptr;
    QPushButton* CopyButton = nullptr;
};

} // namespace velantro
