#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace velantro {

// File dialogs behind an interface so tests can script the answers.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Modal to owner; the chosen path, or nothing when cancelled.
    virtual std::optional<QString> GetOpenFileName(QWidget* owner, const QString& title, const QString& filterName,
                                                   const QString& pattern, const QString& initialFolder,
                                                   const QString& defaultSuffix) = 0;
    // Asks before overwriting an existing file.
    virtual std::optional<QString> GetSaveFileName(QWidget* owner, const QString& title, const QString& filterName,
                                                   const QString& pattern, const QString& initialFolder,
                                                   const QString& proposedName, const QString& defaultSuffix) = 0;
    // A save offering several types, each a filter "Name (*.ending)": the path
    // and the index of the type chosen. A name typed without an ending gets
    // the chosen type's; asks before overwriting an existing file.
    struct TypedName {
        QString Path;
        int Type = 0;
    };
    virtual std::optional<TypedName> GetSaveFileNameOfType(QWidget* owner, const QString& title,
                                                           const QStringList& filters, int type,
                                                           const QString& initialFolder, const QString& proposedName) = 0;
    // Several existing files at once; none when cancelled.
    virtual QStringList GetOpenFileNames(QWidget* owner, const QString& title, const QString& filterName,
                                         const QString& pattern, const QString& initialFolder)
    {
        const std::optional<QString> one = GetOpenFileName(owner, title, filterName, pattern, initialFolder, {});
        return one ? QStringList{*one} : QStringList{};
    }
};

// The platform's own dialogs.
class QtFileDialogs : public FileDialogs {
public:
    std::optional<QString> GetOpenFileName(QWidget* owner, const QString& title, const QString& filterName,
                                           const QString& pattern, const QString& initialFolder,
                                           const QString& defaultSuffix) override;
    std::optional<QString> GetSaveFileName(QWidget* owner, const QString& title, const QString& filterName,
                                           const QString& pattern, const QString& initialFolder,
                                           const QString& proposedName, const QString& defaultSuffix) override;
    std::optional<TypedName> GetSaveFileNameOfType(QWidget* owner, const QString& title, const QStringList& filters,
                                                   int type, const QString& initialFolder,
                                                   const QString& proposedName) override;
    QStringList GetOpenFileNames(QWidget* owner, const QString& title, const QString& filterName,
                                 const QString& pattern, const QString& initialFolder) override;
};

} // namespace velantro
