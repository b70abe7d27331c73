#include "app/reportwindow.h"

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
    Text1 = new QPlainTextEdit(this);
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The columns line up only in a fixed-pitch font.
    Text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Command1 = new QPushButton(QStringLiteral("Copy to Clipboard"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    resize(640, 600);

    connect(Command1, &QPushButton::clicked, this, &ReportWindow::Command1_Click);
}

void ReportWindow::ShowFile(const std::string& path, const DateFormatter& generalDate)
{
    BurnReport report = ReadBurnReport(path, generalDate);
    report.File = QFile::decodeName(path.c_str()).toStdString();
    Text1->setPlainText(QString::fromStdString(ReportText(report)));
}

QString ReportWindow::Text() const
{
    return Text1->toPlainText();
}

void ReportWindow::Command1_Click()
{
    QGuiApplication::clipboard()->setText(Text());
}

} // namespace velantro
