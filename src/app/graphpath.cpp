#include "app/graphpath.h"

namespace velantro {

QString PathSeparators()
{
#ifdef Q_OS_WIN
    return QStringLiteral("\\/");
#else
    return QStringLiteral("/");
#endif
}

bool HasIbgEnding(const QString& path)
{
    return path.endsWith(QStringLiteral("ibg"), Qt::CaseSensitive);
}

QString CommandLinePath(const QString& argument)
{
    if (argument.startsWith(QLatin1Char('"')))
        return argument.mid(1, argument.size() - 2);
    return argument;
}

GraphPathSplit SplitGraphPath(const QString& path, const QString& separators)
{
    GraphPathSplit split;
    QString name;
    for (qsizetype i = path.size() - 4; i >= 1; --i) {
        const QChar c = path.at(i - 1);
        if (separators.contains(c)) {
            split.Found = true;
            split.Folder = path.left(i);
            split.Name = name;
            return split;
        }
        name.prepend(c);
    }
    return split;
}

} // namespace velantro
