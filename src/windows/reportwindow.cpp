#include "windows/reportwindow.h"

#include "report/reportformats.h"

#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velantro {

ReportWindow::ReportWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setWindowTitle(QStringLiteral("Burn Report"));
    ReportView = new QPlainTextEdit(this);
    ReportView->setReadOnly(true);
    ReportView->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The columns line up only in a fixed-pitch font.
    ReportView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    CopyButton = new QPushButton(QStringLiteral("Copy to Clipboard"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CopyButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ReportView);
    layout->addLayout(buttons);
    resize(640, 600);

    connect(CopyButton, &QPushButton::clicked, this, &ReportWindow::CopyClicked);
}

void ReportWindow::ShowFile(const std::string& path, const DateFormatter& generalDate)
{
    BurnReport report = ReadBurnReport(path, generalDate);
    report.File = QFile::decodeName(path.c_str()).toStdString();
    ReportView->setPlainText(QString::fromStdString(ReportText(report)));
}

QString ReportWindow::Text() const
{
    return ReportView->toPlainText();
}

void ReportWindow::CopyClicked()
{
    QGuiApplication::clipboard()->setText(Text());
}

} // namespace velantro
