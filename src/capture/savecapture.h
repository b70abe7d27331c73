#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace velantro {

class FileDialogs;

// Where captures go: the folder and name the dialog starts with, and the
// file chosen last.
struct CaptureNames {
    std::string Folder;
    std::string BaseName = "Velantro";
    std::string Path;
};
class MessageBoxes;

inline constexpr const char* CaptureDialogTitle = "Save Velantro Screen Capture";

// The file a chosen path is written to: as it stands when it ends in ".png"
// (any case), else with ".png" appended.
QString CaptureTargetFor(const QString& chosen);

// The save dialog and, for a name that gets ".png" appended and then names an
// existing file, the question before it is replaced. On confirmation the
// target goes to Path and its folder to Folder; nothing when
// the user cancelled.
std::optional<QString> AskCaptureFile(QWidget* owner, FileDialogs& dialogs, MessageBoxes& boxes,
                                      CaptureNames& names);

} // namespace velantro
