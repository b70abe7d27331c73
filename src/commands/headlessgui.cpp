#include "commands/headlessgui.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace velantro {

namespace {

QtMessageHandler previousHandler = nullptr;

// Without a session (a file manager's sandbox, CI) Qt falls back to a runtime
// folder of its own and says so: expected here, and no news for a caller's stderr.
void QuietRuntimeFolder(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

void PrepareHeadlessGui()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(QuietRuntimeFolder);
}

} // namespace velantro
