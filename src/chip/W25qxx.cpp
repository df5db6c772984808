#include "chip/W25qxx.h"

#include "chip/StatusReport.h"
#include "link/BridgeCommands.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarnwick {
namespace {

constexpr std::uint8_t kWriteEnable = 0x06;
constexpr std::uint8_t kWriteStatusRegister = 0x01;
constexpr std::uint8_t kReadStatusRegister1 = 0x05;
constexpr std::uint8_t kReadStatusRegister2 = 0x35;
constexpr std::uint8_t kSectorErase = 0x20;
constexpr std::uint8_t kPageProgram = 0x02;
constexpr std::uint8_t kReadData = 0x03;

// Transfer lengths: the instruction alone, with one byte, with two bytes, with an address;
// then the chunks that move data.
constexpr int kInstructionOnly = 1;
constexpr int kInstructionAndByte = 2;
constexpr int kInstructionAndTwoBytes = 3;
constexpr int kInstructionAndAddress = 4;
constexpr int kChunkTransfer = static_cast<int>(W25qxx::kChunkSize);

// Answers: the byte shifted in during the instruction comes along and is not used.
constexpr std::size_t kStatus1AnswerSize = 3;
constexpr std::size_t kStatus2AnswerSize = 2;

Packet SetLength(int bytes) { return Packet::Of({bridge::kSetLength, bridge::TransferBits(bytes)}); }
Packet Select() { return Packet::Of({bridge::kSelect}); }
Packet Transfer() { return Packet::Of({bridge::kTransfer}); }
Packet Deselect() { return Packet::Of({bridge::kDeselect}); }

// The bridge shifts a D payload out last byte first, so the instruction goes last and the
// address follows it on the bus from its top byte down.
Packet LoadWithAddress(std::uint8_t instruction, std::uint32_t address)
{
    return Packet::Of({bridge::kLoad, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(address >> 8),
                       static_cast<std::uint8_t>(address >> 16), instruction});
}

}  // namespace

W25qxx::W25qxx(Portfunctions& port, Sendmsgfunctions& log, ChipImage& image, Sleeper& sleeper,
               ProgressSink& progress, DisconnectHook disconnect)
    : port_(port),
      log_(log),
      image_(image),
      sleeper_(sleeper),
      progress_(progress),
      disconnect_(std::move(disconnect)),
      answers_(port)
{
}

bool W25qxx::WriteEnable()
{
    return SendAll({SetLength(kInstructionOnly), Select(), Packet::Of({bridge::kLoad, kWriteEnable}), Transfer(),
                    Deselect()});
}

bool W25qxx::WriteStatus(std::uint8_t status1, std::uint8_t status2)
{
    if (!SendAll({SetLength(kInstructionAndTwoBytes), Select(),
                  Packet::Of({bridge::kLoad, status2, status1, kWriteStatusRegister}), Transfer(), Deselect()}))
        return false;
    sleeper_.SleepFor(kStatusWriteTime);
    return true;
}

StatusPair W25qxx::ReadStatus()
{
    std::array<std::uint8_t, kStatus1AnswerSize> first{};
    if (!SendAll({SetLength(kInstructionAndTwoBytes), Select(),
                  Packet::Of({bridge::kLoad, 0x00, 0x00, kReadStatusRegister1}), Transfer(), Deselect()}) ||
        !Fetch(first))
        return {};
    std::array<std::uint8_t, kStatus2AnswerSize> second{};
    if (!SendAll({SetLength(kInstructionAndByte), Select(), Packet::Of({bridge::kLoad, 0x00, kReadStatusRegister2}),
                  Transfer(), Deselect()}) ||
        !Fetch(second))
        return {};
    // Answer byte 0 came in last. Status1 is byte 1, the first byte after 05h; Status2 is the
    // byte after 35h.
    return {.Status1 = first[1], .Status2 = second[0], .Valid = true};
}

bool W25qxx::SectorErase(std::uint32_t address)
{
    if (!SendAll({SetLength(kInstructionAndAddress), Select(), LoadWithAddress(kSectorErase, address), Transfer(),
                  Deselect()}))
        return false;
    sleeper_.SleepFor(kSectorEraseTime);
    return true;
}

bool W25qxx::PageProgram(std::uint32_t address)
{
    if (!ChipImage::Holds(address, kPageSize))
        return Refuse();
    if (!SendAll({SetLength(kInstructionAndAddress), Select(), LoadWithAddress(kPageProgram, address), Transfer(),
                  SetLength(kChunkTransfer)}))
        return false;
    const auto page = image_.Bytes().subspan(address, kPageSize);
    for (std::uint32_t offset = 0; offset < kPageSize; offset += kChunkSize) {
        Packet load;
        load.Data[0] = bridge::kLoad;
        const auto chunk = page.subspan(offset, kChunkSize);
        std::copy(chunk.rbegin(), chunk.rend(), load.Data.begin() + 1);
        load.Length = 1 + static_cast<std::int32_t>(kChunkSize);
        if (!SendAll({load, Transfer()}))
            return false;
        sleeper_.SleepFor(kTransferTime);
    }
    if (!Send(Deselect()))
        return false;
    sleeper_.SleepFor(kPageProgramTime);
    return true;
}

bool W25qxx::ReadData(std::uint32_t start, std::uint32_t end)
{
    if (end >= start && !ChipImage::Holds(start, std::uint64_t{end} - start + 1))
        return Refuse();
    if (!SendAll({SetLength(kInstructionAndAddress), Select(), LoadWithAddress(kReadData, start), Transfer(),
                  SetLength(kChunkTransfer)}))
        return false;
    // The image ends below 2^32 - 8, so p cannot wrap; and 8 MiB * 100 stays below 2^32.
    for (std::uint32_t p = start; p <= end; p += kChunkSize) {
        if (!Send(Transfer()))
            return false;
        sleeper_.SleepFor(kTransferTime);
        std::array<std::uint8_t, kChunkSize> answer{};
        if (!Fetch(answer))
            return false;
        StoreChunk(p, end, answer);
        if (p % kSectorSize == 0)
            progress_.SetPosition(static_cast<int>((p - start) * 100U / (end - start + 1)));
    }
    return Send(Deselect());
}

void W25qxx::ShowStatusBits(std::uint8_t status1, std::uint8_t status2)
{
    for (const auto sentence : StatusSentences(status1, status2))
        log_.AppendLine(std::string(sentence));
}

bool W25qxx::Send(const Packet& packet)
{
    if (port_.SendPacket(packet))
        return true;
    Fail(msg::kPacketWriteFailed);
    return false;
}

bool W25qxx::SendAll(std::initializer_list<Packet> packets)
{
    for (const auto& packet : packets)
        if (!Send(packet))
            return false;
    return true;
}

bool W25qxx::Fetch(std::span<std::uint8_t> answer)
{
    if (!Send(Packet::Of({bridge::kFetch})))
        return false;
    if (answers_.Collect(answer))
        return true;
    Fail(msg::kPacketReceiveFailed);
    return false;
}

void W25qxx::Fail(MsgCode code)
{
    log_.SendMsg(code);
    progress_.Close();
    disconnect_();
}

bool W25qxx::Refuse()
{
    progress_.Close();
    return false;
}

// The byte that came in first (answer byte 7) belongs at the lowest address. A range whose
// length is not a multiple of 8 keeps only the bytes up to `last`: the image beyond the
// range is not the caller's to overwrite.
void W25qxx::StoreChunk(std::uint32_t at, std::uint32_t last, std::span<const std::uint8_t> answer)
{
    const std::uint32_t count = std::min<std::uint32_t>(kChunkSize, last - at + 1);
    auto image = image_.Bytes();
    for (std::uint32_t i = 0; i < count; ++i)
        image[at + i] = answer[kChunkSize - 1 - i];
}

}  // namespace tarnwick
