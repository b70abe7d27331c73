#include "commands/thumbnailcommand.h"

#include "windows/mainwindow.h"
#include "commands/commandline.h"
#include "commands/exportcommand.h"
#include "windows/picturebox.h"
#include "capture/imagewriter.h"

#include <QBuffer>
#include <QImage>

#include <iostream>

namespace velantro {

int RunThumbnail(int argc, char** argv, int size, const std::string& input, const std::string& output)
{
    ExportOptions options;
    options.GraphFile = input;
    options.Output = output;
    return WithLoadedWindow(argc, argv, options, [&](MainWindow& form) {
        // Both charts with the strip of window between them, as they stand in the window.
        QWidget* client = form.SpeedChart->parentWidget();
        const QRect charts = form.SpeedChart->geometry().united(form.PercentChart->geometry());
        QImage picture = client->grab(charts).toImage().convertToFormat(QImage::Format_RGB32).scaled(
            size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        picture.setDevicePixelRatio(1);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        // Written whole or not at all: a file manager must not keep half a picture.
        ImageWriter writer;
        if (!writer.WriteFile(output, png))
            return WriteError(std::cerr, output, writer.FailureReason());
        return 0;
    });
}

ThumbnailCommand::ThumbnailCommand(CommandLine& commandLine) : Command(commandLine)
{
    option_ = commandLine.AddCommand("--thumbnail", size_, "SIZE",
                                     "write the two charts of INPUT, scaled to fit SIZE x SIZE\n"
                                     "pixels (1 to 4096), as a PNG to OUTPUT, without a display:\n"
                                     "the file managers' thumbnail",
                                     "velantro --thumbnail SIZE INPUT OUTPUT");
    option_->check(CLI::Validator(
        [](std::string& text) {
            return ParseCount(text, 1, LargestThumbnail) ? std::string()
                                                         : "SIZE is a whole number from 1 to " +
                                                               std::to_string(LargestThumbnail) + ": " + text;
        },
        ""));
}

int ThumbnailCommand::Run(int argc, char** argv) const
{
    const std::vector<std::string>& files = commandLine_.Files();
    if (files.size() != 2)
        return commandLine_.UsageError("--thumbnail needs SIZE, INPUT and OUTPUT");
    if (const std::optional<int> refused = OutputIsAnInput(std::cerr, files[1], {files[0]}))
        return *refused;
    return RunThumbnail(argc, argv, *ParseCount(size_, 1, LargestThumbnail), files[0], files[1]);
}

} // namespace velantro
