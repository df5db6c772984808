#pragma once

#include "platform/ErrorDisplay.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

#include <deque>
#include <functional>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// Lets a failed comparison of boxes say which box it saw.
inline void PrintTo(const MessageBoxRequest& box, std::ostream* out)
{
    *out << "{owner " << static_cast<int>(box.owner) << ", caption \"" << box.caption << "\", text \"" << box.text
         << "\", buttons " << static_cast<int>(box.buttons) << ", icon " << static_cast<int>(box.icon) << "}";
}

}  // namespace tarnwick

namespace tarnwick::test {

// Answers every box with `answer` and keeps what it was asked to show.
class FakeMessageBoxes final : public MessageBoxes {
public:
    BoxAnswer Show(const MessageBoxRequest& request) override
    {
        shown.push_back(request);
        if (whileShown)
            whileShown();
        return answer;
    }

    BoxAnswer answer = BoxAnswer::Ok;
    std::vector<MessageBoxRequest> shown;
    std::function<void()> whileShown;  // looks at the window while the modal box is up
};

class RecordingErrorDisplay final : public ErrorDisplay {
public:
    void ShowError(const AppError& error) override { errors.emplace_back(error.what()); }

    std::vector<std::string> errors;
};

// Each dialog answers from its queue; an empty queue is the operator pressing Cancel.
class FakeFileDialogs final : public FileDialogs {
public:
    [[nodiscard]] std::optional<std::string> ChooseFileToOpen() override { return Next(openAnswers, openShown); }
    [[nodiscard]] std::optional<std::string> ChooseFileToSave() override { return Next(saveAnswers, saveShown); }

    std::deque<std::string> openAnswers;
    std::deque<std::string> saveAnswers;
    int openShown = 0;
    int saveShown = 0;

private:
    static std::optional<std::string> Next(std::deque<std::string>& answers, int& shownCount)
    {
        ++shownCount;
        if (answers.empty())
            return std::nullopt;
        std::string name = answers.front();
        answers.pop_front();
        return name;
    }
};

}  // namespace tarnwick::test
