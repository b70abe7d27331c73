#include "windows/reportwindow.h"

#include "windows/windowplacement.h"
#include "capture/imagewriter.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "report/reportformats.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>

namespace velantro {

namespace {

constexpr const char* SaveTitle = "Save Burn Report";
constexpr const char* CopyCaption = "Copy to Clipboard";
constexpr const char* ForumCopyCaption = "Copy for a Forum";
constexpr int OpeningWidth = 640;
constexpr int OpeningHeight = 600;
// Long enough to be read, short enough not to be mistaken for the caption.
constexpr int CopiedMilliseconds = 1500;
const QString PlaceScheme = QStringLiteral("place");

QString LinkedHtml(const std::vector<ReportLine>& lines)
{
    QString html = QStringLiteral("<pre>");
    for (const ReportLine& line : lines) {
        const QString text = QString::fromStdString(line.Text);
        // The link starts where the words do, not at the label column's blanks.
        qsizetype blanks = 0;
        while (blanks < text.size() && text[blanks] == u' ')
            ++blanks;
        html += text.left(blanks);
        if (line.Place)
            html += QStringLiteral("<a href=\"%1:%2:%3\">%4</a>")
                        .arg(PlaceScheme, QString::number(line.Place->Left, 'g', 17),
                             QString::number(line.Place->Right, 'g', 17), text.mid(blanks).toHtmlEscaped());
        else
            html += text.mid(blanks).toHtmlEscaped();
        html += u'\n';
    }
    return html + QStringLiteral("</pre>");
}

} // namespace

ReportWindow::ReportWindow(QWidget* owner, FileDialogs& fileDialogs, MessageBoxes& messageBoxes)
    : QWidget(owner, Qt::Tool), fileDialogs_(fileDialogs), messageBoxes_(messageBoxes)
{
    setWindowTitle(QStringLiteral("Burn Report"));
    ReportView = new QTextBrowser(this);
    ReportView->setOpenLinks(false);
    ReportView->setLineWrapMode(QTextEdit::NoWrap);
    // The columns line up only in a fixed-pitch font.
    ReportView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The style draws the handle in the button colour, lighter than the
    // groove: a handle filling most of the groove reads as the groove, and the
    // groove's rest as a handle running backwards. A darker one reads right.
    for (QScrollBar* bar : {ReportView->horizontalScrollBar(), ReportView->verticalScrollBar()}) {
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Button, palette.color(QPalette::Mid));
        bar->setPalette(palette);
    }
    CopyButton = new QPushButton(QString::fromLatin1(CopyCaption), this);
    ForumCopyButton = new QPushButton(QString::fromLatin1(ForumCopyCaption), this);
    CopiedTimer = new QTimer(this);
    CopiedTimer->setSingleShot(true);
    CopiedTimer->setInterval(CopiedMilliseconds);
    SaveButton = new QPushButton(QStringLiteral("Save..."), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SaveButton);
    buttons->addStretch();
    buttons->addWidget(ForumCopyButton);
    buttons->addWidget(CopyButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ReportView);
    layout->addLayout(buttons);
    ReportView->setMinimumSize(120, 60);
    resize(OpeningWidth, OpeningHeight);

    connect(CopyButton, &QPushButton::clicked, this, &ReportWindow::CopyClicked);
    connect(ForumCopyButton, &QPushButton::clicked, this, &ReportWindow::ForumCopyClicked);
    connect(SaveButton, &QPushButton::clicked, this, &ReportWindow::SaveClicked);
    connect(CopiedTimer, &QTimer::timeout, this, &ReportWindow::CopiedTimerTimeout);
    connect(ReportView, &QTextBrowser::anchorClicked, this, &ReportWindow::PlaceLinkClicked);
}

void ReportWindow::ShowFile(const std::string& path, const DateFormatter& generalDate)
{
    path_ = path;
    report_ = ReadBurnReport(path, generalDate);
    report_.File = QFile::decodeName(path.c_str()).toStdString();
    const std::vector<ReportLine> lines = ReportLines(report_);
    text_.clear();
    for (const ReportLine& line : lines)
        text_ += QString::fromStdString(line.Text) + u'\n';
    ReportView->setHtml(LinkedHtml(lines));
}

QString ReportWindow::Text() const
{
    return text_;
}

QString ReportWindow::ForumText() const
{
    // A path would show the user's home folder and name.
    BurnReport named = report_;
    named.File = QFileInfo(QString::fromStdString(report_.File)).fileName().toStdString();
    return QStringLiteral("[code]\n") + QString::fromStdString(ReportText(named)) + QStringLiteral("[/code]\n");
}

bool ReportWindow::SaveReport(const QString& target, std::string_view format)
{
    // As --report names it: by the path it was opened with.
    BurnReport named = report_;
    named.File = path_;
    QString reason = QString::fromStdString(report_.Error);
    if (reason.isEmpty()) {
        ImageWriter writer;
        const std::string text = ReportDocument(named, format);
        if (writer.WriteFile(QFile::encodeName(target).toStdString(), QByteArray(text.data(), static_cast<qsizetype>(text.size()))))
            return true;
        reason = writer.FailureText();
    }
    messageBoxes_.Show(this, QStringLiteral("The report could not be saved as\n%1\n\n%2").arg(target, reason),
                       QString::fromLatin1(SaveTitle));
    return false;
}

// Wide enough for the longest line, so that none is cut and no scroll bar shows.
QSize ReportWindow::OpeningSize() const
{
    const QMargins margins = layout()->contentsMargins();
    const int text = qCeil(ReportView->document()->idealWidth()) + 2 * ReportView->frameWidth() +
                     ReportView->verticalScrollBar()->sizeHint().width();
    return QSize(std::max(OpeningWidth, text + margins.left() + margins.right()), OpeningHeight);
}

void ReportWindow::CopyClicked()
{
    QGuiApplication::clipboard()->setText(Text());
    ShowCopied(*CopyButton);
}

void ReportWindow::ForumCopyClicked()
{
    QGuiApplication::clipboard()->setText(ForumText());
    ShowCopied(*ForumCopyButton);
}

// The button clicked says "Copied" for a moment; the other one's text is no
// longer on the clipboard, so it gets its caption back at once.
void ReportWindow::ShowCopied(QPushButton& button)
{
    CopiedTimerTimeout();
    // Keeps its width, so that nothing beside it moves.
    button.setMinimumWidth(button.width());
    button.setText(QStringLiteral("Copied"));
    CopiedTimer->start();
}

void ReportWindow::CopiedTimerTimeout()
{
    CopyButton->setText(QString::fromLatin1(CopyCaption));
    ForumCopyButton->setText(QString::fromLatin1(ForumCopyCaption));
}

void ReportWindow::SaveClicked()
{
    if (path_.empty())
        return;
    QStringList filters;
    for (const ReportSaveType& type : ReportSaveTypes)
        filters << QString::fromUtf8(type.Filter.data(), static_cast<qsizetype>(type.Filter.size()));
    const QFileInfo graph(QFile::decodeName(path_.c_str()));
    const std::optional<FileDialogs::TypedName> chosen =
        fileDialogs_.GetSaveFileNameOfType(this, QString::fromLatin1(SaveTitle), filters, 0, graph.absolutePath(),
                                           graph.completeBaseName() + QStringLiteral(".txt"));
    if (!chosen || chosen->Path.isEmpty() || chosen->Type < 0 || chosen->Type >= static_cast<int>(filters.size()))
        return;
    const ReportSaveType& type = ReportSaveTypes[chosen->Type];
    const QString target = QFile::decodeName(
        NameWithEnding(QFile::encodeName(chosen->Path).toStdString(), type.Ending).c_str());
    // The dialog asked about the name it showed, not about this one.
    if (target != chosen->Path && QFileInfo::exists(target) &&
        !messageBoxes_.Ask(this, QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(target)),
                           QString::fromLatin1(SaveTitle)))
        return;
    SaveReport(target, type.Format);
}

void ReportWindow::PlaceLinkClicked(const QUrl& link)
{
    const QStringList parts = link.toString().split(u':');
    bool left = false;
    bool right = false;
    if (parts.size() == 3 && parts[0] == PlaceScheme) {
        const double from = parts[1].toDouble(&left);
        const double to = parts[2].toDouble(&right);
        if (left && right)
            emit PlaceClicked(from, to);
        // The main window comes up to show the place; the report stays beside it.
        raise();
    }
}

void ReportWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void ReportWindow::showEvent(QShowEvent* event)
{
    // The first time beside the main window, fitted to its screen.
    if (!placed_) {
        placed_ = true;
        OpenBeside(*this, parentWidget(), OpeningSize());
    }
    QWidget::showEvent(event);
}

} // namespace velantro
