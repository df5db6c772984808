#pragma once

#include <stdexcept>
#include <string>

namespace tarnwick {

// An error the operator must see: it ends the command that raised it and is shown by the
// front end's one error display (the text, with a full stop appended).
class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Cannot create file %s" and friends: the file name goes where %s stands.
[[nodiscard]] std::string FormatWithName(std::string_view pattern, std::string_view name);

}  // namespace tarnwick
