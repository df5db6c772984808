#pragma once

#include "log/LogView.h"
#include "log/MessageCatalogue.h"
#include "platform/Clock.h"

#include <string>

namespace tarnwick {

// Adds the program's lines to the log: coded messages, timing lines and direct sentences.
class Sendmsgfunctions {
public:
    Sendmsgfunctions(LogView& view, const Clock& clock) : view_(view), clock_(clock) {}

    // Appends the catalogue text of `code` followed directly by `text`; unknown codes add nothing.
    void SendMsg(MsgCode code, const std::string& text = {});
    void SendStartTime();
    void SendEndTime();
    // A line that carries no code (the status report's sentences).
    void AppendLine(const std::string& line) { view_.AppendLine(line); }

    [[nodiscard]] LogView& View() { return view_; }

private:
    void SendTimeLine(std::string_view label);

    LogView& view_;
    const Clock& clock_;
};

}  // namespace tarnwick
