#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnwick {

using MsgCode = std::int32_t;

struct CatalogueEntry {
    MsgCode code;
    std::string_view text;
};

// Every coded log message. A caller's text follows the catalogue text directly, so the
// trailing blanks below are the only gap between the two.
inline constexpr std::array<CatalogueEntry, 19> kMessageCatalogue{{
    {2, "Error. The COM-port is not available."},
    {4, "The COM-port is open: "},
    {5, "The COM-port is close."},
    {6, "Error getting the COM-port parameters."},
    {7, "Error setting the COM-port parameters."},
    {8, "Gateway configuration error."},
    {17, "Error loading the packet."},
    {33, "Error receiving the packet."},
    {322, "Writing data is starting."},
    {323, "Reading data is starting."},
    {330, "Writing Status 1, Status 2 is starting."},
    {331, "Reading Status 1, Status 2 is starting."},
    {332, "Success. Operation complete."},
    {333, "Error. Operation incomplete."},
    {512, "The selected chip is "},
    {513, "Open file. The number of downloaded bytes is "},
    {514, "Save file. The number of saved bytes is "},
    {515, "1 sector = 4 kB, 1 block = 64 kB. Each 1 block = 16 sectors [0..15]."},
    {516, "Max block number for selected chip = "},
}};

[[nodiscard]] constexpr std::optional<std::string_view> CatalogueText(MsgCode code)
{
    for (const auto& entry : kMessageCatalogue)
        if (entry.code == code)
            return entry.text;
    return std::nullopt;
}

// The codes callers use, named where they are used.
namespace msg {
inline constexpr MsgCode kPortNotAvailable = 2;
inline constexpr MsgCode kPortOpen = 4;
inline constexpr MsgCode kPortClosed = 5;
inline constexpr MsgCode kGetSettingsFailed = 6;
inline constexpr MsgCode kSetSettingsFailed = 7;
inline constexpr MsgCode kConfigurationFailed = 8;
inline constexpr MsgCode kPacketWriteFailed = 17;
inline constexpr MsgCode kPacketReceiveFailed = 33;
inline constexpr MsgCode kWritingStarts = 322;
inline constexpr MsgCode kReadingStarts = 323;
inline constexpr MsgCode kStatusWriteStarts = 330;
inline constexpr MsgCode kStatusReadStarts = 331;
inline constexpr MsgCode kSuccess = 332;
inline constexpr MsgCode kIncomplete = 333;
inline constexpr MsgCode kChipSelected = 512;
inline constexpr MsgCode kFileLoaded = 513;
inline constexpr MsgCode kFileSaved = 514;
inline constexpr MsgCode kUnitsExplained = 515;
inline constexpr MsgCode kMaxBlock = 516;
}  // namespace msg

}  // namespace tarnwick
