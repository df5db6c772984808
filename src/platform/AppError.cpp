#include "platform/AppError.h"

namespace tarnwick {

std::string FormatWithName(std::string_view pattern, std::string_view name)
{
    std::string text(pattern);
    if (const auto at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, name);
    return text;
}

}  // namespace tarnwick
