#pragma once

#include <string>

namespace tarnwick {

// Who a box belongs to: an owned box stays above the main window and blocks only it.
enum class BoxOwner { None, MainWindow };
// OK is the default button of both sets.
enum class BoxButtons { Ok, OkCancel };
enum class BoxIcon { None, Question, Error };
// Closing a box by its close button or Escape answers Cancel.
enum class BoxAnswer { Ok, Cancel };

struct MessageBoxRequest {
    BoxOwner owner = BoxOwner::None;
    std::string caption;
    std::string text;  // lines separated by "\n" alone
    BoxButtons buttons = BoxButtons::Ok;
    BoxIcon icon = BoxIcon::None;

    bool operator==(const MessageBoxRequest&) const = default;
};

// The program's modal message boxes, behind an interface so tests can answer them.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box and returns once the operator has dismissed it.
    virtual BoxAnswer Show(const MessageBoxRequest& request) = 0;
};

}  // namespace tarnwick
