#pragma once

#include <string>
#include <vector>

namespace tarnwick {

// Where log lines are shown. The log is append-only: nothing in the program edits or
// removes a line, though the operator may type into the view and that text is kept.
class LogView {
public:
    virtual ~LogView() = default;
    virtual void AppendLine(const std::string& line) = 0;
    // The view's whole content, one entry per paragraph, as it would be saved.
    [[nodiscard]] virtual std::vector<std::string> Lines() const = 0;
};

// A log view held in memory: the headless stand-in for the window's view.
class MemoryLogView final : public LogView {
public:
    void AppendLine(const std::string& line) override { lines_.push_back(line); }
    [[nodiscard]] std::vector<std::string> Lines() const override { return lines_; }

private:
    std::vector<std::string> lines_;
};

}  // namespace tarnwick
