#include "commands/headlessgui.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <charconv>
#include <cmath>
#include <iostream>

namespace velantro {

namespace {

// Qt's own fallback for a missing runtime folder is one it makes under the
// temporary folder; pointed at a place where nothing can be made, it settles
// for none, which the offscreen platform does not need.
constexpr const char* UnmakeableFolder = "/proc/velantro-no-runtime-folder";

QtMessageHandler previousHandler = nullptr;

// Without a session (a file manager's sandbox, CI) Qt says it has no runtime
// folder: expected here, and no news for a caller's stderr.
void QuietRuntimeFolder(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")) ||
                                 message.contains(QLatin1String(UnmakeableFolder))))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

void IgnoreUnsoundScaleFactor()
{
    const QByteArray text = qgetenv("QT_SCALE_FACTOR");
    if (text.isEmpty())
        return;
    double factor = 0;
    const auto [end, error] = std::from_chars(text.constData(), text.constData() + text.size(), factor);
    if (error == std::errc() && end == text.constData() + text.size() && std::isfinite(factor) &&
        factor >= MinScaleFactor && factor <= MaxScaleFactor)
        return;
    std::cerr << "velantro: QT_SCALE_FACTOR=" << text.toStdString()
              << " is ignored: it takes a number from 0.5 to 8\n";
    qunsetenv("QT_SCALE_FACTOR");
}

void PrepareHeadlessGui()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    IgnoreUnsoundScaleFactor();
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("TMPDIR", UnmakeableFolder);
    previousHandler = qInstallMessageHandler(QuietRuntimeFolder);
}

} // namespace velantro
