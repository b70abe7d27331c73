#pragma once

#include "windows/mainwindow.h"
#include "windows/picturebox.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "support/graphtext.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <ibggen.h>

namespace velantro::testing {

// Answers the file dialogs from queues, cancelling when a queue runs dry, and
// keeps what each save dialog was asked to show. A typed save takes the type
// offered unless SaveTypes names one.
struct ScriptedFileDialogs : FileDialogs {
    std::deque<std::optional<QString>> Answers, SaveAnswers;
    std::deque<int> SaveTypes;
    std::vector<QString> SaveAsked;

    static std::optional<QString> Next(std::deque<std::optional<QString>>& queue)
    {
        const std::optional<QString> answer = queue.empty() ? std::nullopt : queue.front();
        if (!queue.empty())
            queue.pop_front();
        return answer;
    }
    std::optional<QString> GetOpenFileName(QWidget*, const QString&, const QString&, const QString&, const QString&,
                                           const QString&) override
    {
        return Next(Answers);
    }
    std::optional<QString> GetSaveFileName(QWidget*, const QString& title, const QString& filterName,
                                           const QString& pattern, const QString& folder, const QString& name,
                                           const QString& suffix) override
    {
        SaveAsked.push_back(QStringList{title, filterName, pattern, folder, name, suffix}.join('|'));
        return Next(SaveAnswers);
    }
    std::optional<TypedName> GetSaveFileNameOfType(QWidget*, const QString& title, const QStringList& filters,
                                                   int type, const QString& folder, const QString& name) override
    {
        SaveAsked.push_back(QStringList{title, filters.join(";;"), QString::number(type), folder, name}.join('|'));
        if (!SaveTypes.empty())
            type = SaveTypes.front(), SaveTypes.pop_front();
        const std::optional<QString> path = Next(SaveAnswers);
        return path ? std::optional<TypedName>({*path, type}) : std::nullopt;
    }
};

// Never blocks; keeps every message shown and answers every question alike.
struct RecordedMessageBoxes : MessageBoxes {
    struct Message { QString Prompt, Title; };
    std::vector<Message> Shown;
    bool Yes = false;
    int Questions = 0;

    void Show(QWidget*, const QString& prompt, const QString& title) override { Shown.push_back({prompt, title}); }
    bool Ask(QWidget*, const QString&, const QString&) override { return ++Questions, Yes; }
};

// Lets the event loop run until a started capture has been written.
inline void WaitForCapture(const MainWindow& form)
{
    for (QDeadlineTimer deadline(10000); form.CaptureTimer->isActive() && !deadline.hasExpired();)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace velantro::testing
