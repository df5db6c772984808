#pragma once

#include "platform/AppError.h"

#include <concepts>
#include <utility>

namespace tarnwick {

// The one place an operator sees an error that ended a handler.
class ErrorDisplay {
public:
    virtual ~ErrorDisplay() = default;
    virtual void ShowError(const AppError& error) = 0;
};

// Runs one handler of the window. An AppError ends that handler only: it is shown and the
// program goes on waiting for the operator, so no error crosses the window system's event loop.
template <std::invocable Handler>
void RunGuarded(ErrorDisplay& display, Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const AppError& error) {
        display.ShowError(error);
    }
}

}  // namespace tarnwick
