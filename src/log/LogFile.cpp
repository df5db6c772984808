#include "log/LogFile.h"

#include "log/RtfWriter.h"
#include "platform/FileReplacer.h"

#include <cstdint>
#include <span>

namespace tarnwick {

void SaveLogFile(const std::string& name, const LogView& view)
{
    const std::string rtf = LinesToRtf(view.Lines());
    ReplaceFileContents(name, std::span(reinterpret_cast<const std::uint8_t*>(rtf.data()), rtf.size()));
}

}  // namespace tarnwick
