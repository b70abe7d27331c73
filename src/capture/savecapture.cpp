#include "capture/savecapture.h"

#include "platform/filedialogs.h"
#include "platform/messageboxes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velantro {

QString CaptureTargetFor(const QString& chosen)
{
    if (chosen.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QLatin1String(".png");
}

std::optional<QString> AskCaptureFile(QWidget* owner, FileDialogs& dialogs, MessageBoxes& boxes,
                                      CaptureNames& names)
{
    const std::optional<QString> chosen = dialogs.GetSaveFileName(
        owner, QString::fromLatin1(CaptureDialogTitle), QStringLiteral("Portable Network Graphics (*.png)"),
        QStringLiteral("*.png"), QString::fromStdString(names.Folder),
        QString::fromStdString(names.BaseName), QStringLiteral("png"));
    if (!chosen || chosen->isEmpty())
        return std::nullopt;

    const QString target = CaptureTargetFor(*chosen);
    // The dialog asked about the name it showed, not about this one.
    if (target != *chosen && QFileInfo::exists(target)) {
        const QString question = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(target));
        if (!boxes.Ask(owner, question, QString::fromLatin1(CaptureDialogTitle)))
            return std::nullopt;
    }
    names.Path = QFile::encodeName(target).toStdString();
    names.Folder = QDir::toNativeSeparators(QFileInfo(target).absolutePath() + QLatin1Char('/')).toStdString();
    return target;
}

} // namespace velantro
