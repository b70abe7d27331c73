#pragma once

#include <QPixmap>
#include <QString>
#include "dialogs/auxform.h"

class QLabel;

namespace velantro {

struct VersionNumbers {
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
};

// "Version: 1.0.1.5" for 1, 0, 5: the third field is the fixed "1", not a
// version number.
QString VersionLine(int major, int minor, int revision);
// Major, minor and revision of a "1.0.1.5" style version: the first, the
// second and the last field.
VersionNumbers ParseVersionNumbers(const QString& version);
// The program's own version numbers.
VersionNumbers ProgramVersionNumbers();

// Modeless and top-level. "OK" hides it; closing it from its frame destroys it.
class AboutForm : public AuxForm {
public:
    explicit AboutForm(VersionNumbers version = ProgramVersionNumbers());

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void StartUp();
    VersionNumbers Version;
    QPixmap Banner;
    QLabel* DescriptionLabel;
    QLabel* VersionLabel;
    QLabel* AuthorLabel;
    QLabel* TranslatorLabel;
    QLabel* SpareLabel;
    QLabel* SpareCentredLabel;
};

} // namespace velantro
