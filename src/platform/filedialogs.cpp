#include "platform/filedialogs.h"

#include <QFileDialog>
#include <QStringList>

#include <algorithm>

namespace velantro {

namespace {

// Callers may pass the display name with its pattern already in brackets.
QString NameFilter(const QString& filterName, const QString& pattern)
{
    const QString suffix = QStringLiteral(" (") + pattern + u')';
    if (filterName.endsWith(suffix))
        return filterName;
    return filterName + suffix;
}

std::optional<QString> RunDialog(QFileDialog& dialog, QWidget* owner)
{
    dialog.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.front().isEmpty())
        return std::nullopt;
    return files.front();
}

void Prepare(QFileDialog& dialog, const QString& filterName, const QString& pattern, const QString& defaultSuffix)
{
    dialog.setNameFilter(NameFilter(filterName, pattern));
    dialog.setDefaultSuffix(defaultSuffix);
}

// "json" of "JSON (*.json)".
QString FilterEnding(const QString& filter)
{
    return filter.section(u'(', -1).section(u'.', -1).chopped(1);
}

} // namespace

std::optional<QString> QtFileDialogs::GetOpenFileName(QWidget* owner, const QString& title, const QString& filterName,
                                                      const QString& pattern, const QString& initialFolder,
                                                      const QString& defaultSuffix)
{
    QFileDialog dialog(owner, title, initialFolder);
    Prepare(dialog, filterName, pattern, defaultSuffix);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunDialog(dialog, owner);
}

std::optional<QString> QtFileDialogs::GetSaveFileName(QWidget* owner, const QString& title, const QString& filterName,
                                                      const QString& pattern, const QString& initialFolder,
                                                      const QString& proposedName, const QString& defaultSuffix)
{
    QFileDialog dialog(owner, title, initialFolder);
    Prepare(dialog, filterName, pattern, defaultSuffix);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.selectFile(proposedName);
    return RunDialog(dialog, owner);
}

std::optional<FileDialogs::TypedName> QtFileDialogs::GetSaveFileNameOfType(QWidget* owner, const QString& title,
                                                                          const QStringList& filters, int type,
                                                                          const QString& initialFolder,
                                                                          const QString& proposedName)
{
    QFileDialog dialog(owner, title, initialFolder);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(type));
    dialog.setDefaultSuffix(FilterEnding(filters.value(type)));
    // The ending a bare name gets follows the type, so the dialog asks about the name that will be written.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(FilterEnding(filter)); });
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.selectFile(proposedName);
    const std::optional<QString> path = RunDialog(dialog, owner);
    if (!path)
        return std::nullopt;
    return TypedName{*path, static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

QStringList QtFileDialogs::GetOpenFileNames(QWidget* owner, const QString& title, const QString& filterName,
                                            const QString& pattern, const QString& initialFolder)
{
    QFileDialog dialog(owner, title, initialFolder);
    Prepare(dialog, filterName, pattern, QString());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

} // namespace velantro
