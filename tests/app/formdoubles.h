#pragma once

#include "platform/filedialogs.h"
#include "platform/messageboxes.h"

#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace velantro::testing {

inline std::optional<QString> NextAnswer(std::deque<std::optional<QString>>& queue)
{
    if (queue.empty())
        return std::nullopt;
    std::optional<QString> answer = queue.front();
    queue.pop_front();
    return answer;
}

// Answers the file dialogs from queues, cancelling when a queue runs dry, and
// keeps what the open dialog was asked.
struct ScriptedFileDialogs : FileDialogs {
    struct Request { QString Title, FilterName, Pattern, InitialFolder, DefaultSuffix; };
    std::deque<std::optional<QString>> Answers, SaveAnswers;
    std::vector<Request> Requests;

    std::optional<QString> GetOpenFileName(QWidget*, const QString& title, const QString& filterName,
                                           const QString& pattern, const QString& initialFolder,
                                           const QString& defaultSuffix) override
    {
        Requests.push_back({title, filterName, pattern, initialFolder, defaultSuffix});
        return NextAnswer(Answers);
    }
    std::optional<QString> GetSaveFileName(QWidget*, const QString&, const QString&, const QString&,
                                           const QString&, const QString&, const QString&) override
    {
        return NextAnswer(SaveAnswers);
    }
};

// Never blocks; keeps every message shown.
struct RecordedMessageBoxes : MessageBoxes {
    struct Message { QString Prompt, Title; };
    std::vector<Message> Shown;

    void Show(QWidget*, const QString& prompt, const QString& title) override { Shown.push_back({prompt, title}); }
};

} // namespace velantro::testing
