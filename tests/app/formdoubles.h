#pragma once

#include "platform/filedialogs.h"
#include "platform/messageboxes.h"

#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace velantro::testing {

// Answers the open dialog from a queue and keeps what it was asked.
class ScriptedFileDialogs : public FileDialogs {
public:
    struct Request {
        QString Title, FilterName, Pattern, InitialFolder, DefaultSuffix;
    };

    std::deque<std::optional<QString>> Answers;
    std::vector<Request> Requests;

    std::optional<QString> GetOpenFileName(QWidget*, const QString& title, const QString& filterName,
                                           const QString& pattern, const QString& initialFolder,
                                           const QString& defaultSuffix) override
    {
        Requests.push_back({title, filterName, pattern, initialFolder, defaultSuffix});
        if (Answers.empty())
            return std::nullopt;
        std::optional<QString> answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::optional<QString> GetSaveFileName(QWidget*, const QString&, const QString&, const QString&,
                                           const QString&, const QString&, const QString&) override
    {
        if (SaveAnswers.empty())
            return std::nullopt;
        std::optional<QString> answer = SaveAnswers.front();
        SaveAnswers.pop_front();
        return answer;
    }
    std::deque<std::optional<QString>> SaveAnswers;
};

// Never blocks; keeps every message shown.
class RecordedMessageBoxes : public MessageBoxes {
public:
    struct Message {
        QString Prompt, Title;
    };
    std::vector<Message> Shown;

    void Show(QWidget*, const QString& prompt, const QString& title) override { Shown.push_back({prompt, title}); }
};

} // namespace velantro::testing
