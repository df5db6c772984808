#pragma once

#include "platform/ErrorDisplay.h"
#include "platform/MessageBoxes.h"

#include <string>
#include <utility>

namespace tarnwick {

// Shows an error as the operator expects it: the application's title as caption, the error
// icon, one OK button, and the error text closed by a full stop.
class MessageBoxErrorDisplay final : public ErrorDisplay {
public:
    MessageBoxErrorDisplay(MessageBoxes& boxes, std::string applicationTitle)
        : boxes_(boxes), applicationTitle_(std::move(applicationTitle))
    {
    }

    void ShowError(const AppError& error) override
    {
        boxes_.Show({.owner = BoxOwner::MainWindow,
                     .caption = applicationTitle_,
                     .text = std::string(error.what()) + ".",
                     .buttons = BoxButtons::Ok,
                     .icon = BoxIcon::Error});
    }

private:
    MessageBoxes& boxes_;
    std::string applicationTitle_;
};

}  // namespace tarnwick
