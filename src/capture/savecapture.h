#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace velantro {

struct WindowFields;
class FileDialogs;
class MessageBoxes;

inline constexpr const char* CaptureDialogTitle = "Save Velantro Screen Capture";

// The file a chosen path is written to: as it stands when it ends in ".png"
// (any case), else with ".png" appended.
QString CaptureTargetFor(const QString& chosen);

// The save dialog and, for a name that gets ".png" appended and then names an
// existing file, the question before it is replaced. On confirmation the
// target goes to CapturePath and its folder to CaptureFolder; nothing when
// the user cancelled.
std::optional<QString> AskCaptureFile(QWidget* owner, FileDialogs& dialogs, MessageBoxes& boxes,
                                      WindowFields& fields);

} // namespace velantro
