#include "windows/droppedfiles.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

namespace velantro {

bool BringsFiles(const QMimeData* data)
{
    return data->hasUrls();
}

QStringList DroppedFiles(const QMimeData* data)
{
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files.append(QDir::toNativeSeparators(url.toLocalFile()));
    }
    return files;
}

} // namespace velantro
