#include "app/exportcommand.h"

#include "app/burnform.h"
#include "app/windowlook.h"
#include "capture/imagewriter.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>

#include <iostream>

namespace velantro {

namespace {

// Nothing modal in a run without a window: the messages go to standard error.
class ConsoleMessageBoxes : public MessageBoxes {
public:
    void Show(QWidget*, const QString& prompt, const QString&) override
    {
        std::cerr << QString(prompt).replace(QLatin1String("\r\n"), QLatin1String("\n")).toStdString() << '\n';
    }
};

void ApplyPlotOptions(BurnForm& form, const ExportOptions& options)
{
    form.Option1->setChecked(options.Raw);
    form.Option2->setChecked(!options.Raw);
    form.Combo1->setEnabled(!options.Raw);
    const int index = form.Combo1->findText(QString::number(options.BlockSize));
    if (index >= 0)
        form.Combo1->setCurrentIndex(index);
}

} // namespace

int RunExport(int argc, char** argv, const ExportOptions& options)
{
    // No window is shown and no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SetWindowLook();

    ConsoleMessageBoxes boxes;
    BurnForm form(QString(), nullptr, &boxes);
    form.setAttribute(Qt::WA_DontShowOnScreen);
    form.show();
    ApplyPlotOptions(form, options);

    form.Fields().GraphFilePath = options.GraphFile.toStdString();
    form.OpenGraphFile();
    if (form.Fields().LoadedFilePath != form.Fields().GraphFilePath || form.Fields().GraphFilePath.empty())
        return 1;
    if (!options.Hidden.empty()) {
        // A new file ticks every box; the re-plot of the same file keeps what we untick.
        for (const int series : options.Hidden)
            form.Check1[static_cast<std::size_t>(series)]->setChecked(false);
        if (!form.LoadGraphFile().Loaded)
            return 1;
    }
    QApplication::processEvents();

    ImageWriter writer;
    QString reason = ImageWriter::GdiErrorString(0);
    QObject::connect(&writer, &ImageWriter::Error, [&](int, const QString& text) { reason = text; });
    if (writer.PictureBoxToFile(form.grab().toImage(), options.Output) == 0) {
        std::cerr << "velantro: cannot write " << QDir::toNativeSeparators(options.Output).toStdString() << ": "
                  << reason.toStdString() << '\n';
        return 1;
    }
    return 0;
}

} // namespace velantro
