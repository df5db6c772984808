#include "log/Sendmsgfunctions.h"

namespace tarnwick {

void Sendmsgfunctions::SendMsg(MsgCode code, const std::string& text)
{
    const auto catalogue_text = CatalogueText(code);
    if (!catalogue_text)
        return;
    view_.AppendLine(std::string(*catalogue_text) + text);
}

void Sendmsgfunctions::SendStartTime() { SendTimeLine("Start time: "); }

void Sendmsgfunctions::SendEndTime() { SendTimeLine("End time: "); }

void Sendmsgfunctions::SendTimeLine(std::string_view label)
{
    const TimeOfDay now = clock_.LocalTimeOfDay();
    view_.AppendLine(std::string(label) + std::to_string(now.hour) + ":" + std::to_string(now.minute) + ":" +
                     std::to_string(now.second));
}

}  // namespace tarnwick
