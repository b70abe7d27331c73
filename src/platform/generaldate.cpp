#include "platform/generaldate.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

namespace velantro {

namespace {

// The long time format with seconds but without a time zone, which the files do not carry.
QString TimeWithSeconds(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return format.trimmed();
}

QDateTime Interpret(const QString& text, const QLocale& locale)
{
    for (const QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        QDateTime parsed = locale.toDateTime(text, type);
        if (parsed.isValid())
            return parsed;
        const QDate date = locale.toDate(text, type);
        if (date.isValid())
            return QDateTime(date, QTime(0, 0));
    }
    static const char* const formats[] = {
        "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd",
        "yyyy/MM/dd HH:mm:ss", "yyyy/MM/dd",
    };
    for (const char* format : formats) {
        QDateTime parsed = QDateTime::fromString(text, QString::fromLatin1(format));
        if (parsed.isValid())
            return parsed;
    }
    return {};
}

} // namespace

std::string GeneralDate(const std::string& text, const QLocale& locale)
{
    const QDateTime when = Interpret(QString::fromStdString(text).trimmed(), locale);
    if (!when.isValid())
        return text;
    QString shown = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0))
        shown += QLatin1Char(' ') + locale.toString(when.time(), TimeWithSeconds(locale));
    return shown.toStdString();
}

std::string GeneralDate(const std::string& text)
{
    return GeneralDate(text, QLocale());
}

} // namespace velantro
