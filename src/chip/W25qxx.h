#pragma once

#include "chip/AnswerCollector.h"
#include "chip/ProgressSink.h"
#include "chip/StatusPair.h"
#include "image/ChipImage.h"
#include "link/Packet.h"
#include "link/Portfunctions.h"
#include "log/Sendmsgfunctions.h"
#include "platform/Sleeper.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>

namespace tarnwick {

// The W25Qxx instructions the program uses, each as a fixed series of bridge packets.
// No sequence polls BUSY: each erase, program or status write is followed by a fixed wait
// long enough for the slowest chip. None sends Write Enable by itself; callers do.
//
// Failure road, the same for every sequence: at the first packet that cannot be written
// (code 17) or answer that does not come whole (code 33) it logs that code, closes the
// progress display, calls the disconnect hook and returns false (ReadStatus: Valid false).
// Nothing more is sent, not even H for an open window.
//
// Arguments that would reach outside ChipImage (a ReadData range ending at or beyond its
// end, a PageProgram page running past it) are refused before anything is sent: the
// progress display is closed, as on every false result, but nothing is logged and the
// port stays open, since the link did not fail. The callers refuse such areas first.
class W25qxx {
public:
    using DisconnectHook = std::function<void()>;

    // Status write: at most 15 ms on every size of the family.
    static constexpr std::chrono::milliseconds kStatusWriteTime{15};
    // Sector erase: usually 45 ms, at most 400 ms.
    static constexpr std::chrono::milliseconds kSectorEraseTime{400};
    // Between 8-byte transfers, so the bridge has shifted one before the next arrives.
    static constexpr std::chrono::milliseconds kTransferTime{2};
    // Page program after the window closes: usually 0.7 ms, at most 3 ms.
    static constexpr std::chrono::milliseconds kPageProgramTime{3};

    static constexpr std::uint32_t kPageSize = 256;
    // A ReadData transfer and a PageProgram chunk move this many bytes.
    static constexpr std::uint32_t kChunkSize = 8;
    // ReadData moves the progress bar at the start of each sector.
    static constexpr std::uint32_t kSectorSize = 4096;

    W25qxx(Portfunctions& port, Sendmsgfunctions& log, ChipImage& image, Sleeper& sleeper, ProgressSink& progress,
           DisconnectHook disconnect);

    // Instruction 06h: sets the chip's write-enable latch.
    [[nodiscard]] bool WriteEnable();
    // Instruction 01h: the chip takes `status1` then `status2`.
    [[nodiscard]] bool WriteStatus(std::uint8_t status1, std::uint8_t status2);
    // Status1 from a 05h window, Status2 from a 35h window: each register has its own instruction.
    [[nodiscard]] StatusPair ReadStatus();
    // Instruction 20h: erases the 4 KiB sector holding `address` (its low 24 bits reach the chip).
    [[nodiscard]] bool SectorErase(std::uint32_t address);
    // Instruction 02h: programs the 256 image bytes from `address`, in 32 chunks of 8.
    [[nodiscard]] bool PageProgram(std::uint32_t address);
    // Instruction 03h: reads `start`..`end` (both included) into the image, 8 bytes a transfer,
    // moving the progress bar at each 4 KiB boundary. An end before start reads nothing.
    [[nodiscard]] bool ReadData(std::uint32_t start, std::uint32_t end);
    // Appends the nine sentences that explain the registers straight to the log view.
    void ShowStatusBits(std::uint8_t status1, std::uint8_t status2);

private:
    [[nodiscard]] bool Send(const Packet& packet);
    [[nodiscard]] bool SendAll(std::initializer_list<Packet> packets);
    // Sends E and collects exactly answer.size() bytes.
    [[nodiscard]] bool Fetch(std::span<std::uint8_t> answer);
    void Fail(MsgCode code);
    [[nodiscard]] bool Refuse();
    void StoreChunk(std::uint32_t at, std::uint32_t last, std::span<const std::uint8_t> answer);

    Portfunctions& port_;
    Sendmsgfunctions& log_;
    ChipImage& image_;
    Sleeper& sleeper_;
    ProgressSink& progress_;
    DisconnectHook disconnect_;
    AnswerCollector answers_;
};

}  // namespace tarnwick
