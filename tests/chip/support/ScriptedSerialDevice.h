#pragma once

#include "link/SerialDevice.h"
#include "support/Timeline.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <thread>
#include <vector>

namespace tarnwick::test {

// Part of an answer: its bytes arrive `afterLooks` empty looks after the previous part was read.
struct AnswerPiece {
    std::vector<std::uint8_t> bytes;
    int afterLooks = 0;
};
using ScriptedAnswer = std::vector<AnswerPiece>;

// A bridge that records every packet written and answers each E from a script.
class ScriptedSerialDevice final : public SerialDevice {
public:
    explicit ScriptedSerialDevice(Timeline& timeline) : timeline_(timeline) {}

    // The answer to the next E not yet answered; no pieces means that E gets no answer.
    void QueueAnswer(ScriptedAnswer answer) { script_.push_back(std::move(answer)); }
    void QueueAnswer(std::vector<std::uint8_t> whole) { script_.push_back({{std::move(whole)}}); }
    // What an E gets once the script has run out.
    void AnswerEveryFetchWith(std::vector<std::uint8_t> whole) { fallback_ = std::move(whole); }
    // The write with this number (from 0) fails.
    void FailWrite(std::size_t number) { failingWrite_ = number; }
    // Lets real time pass in each empty look, for tests of the answer deadline.
    void PassRealTimeInLooks() { realTime_ = true; }

    [[nodiscard]] const std::vector<std::vector<std::uint8_t>>& Packets() const { return packets_; }
    [[nodiscard]] int Looks() const { return looks_; }

    bool Open(const std::string&) override { return open_ = true; }
    bool ReadLineSettings() override { return true; }
    bool ApplyBridgeLineSettings() override { return true; }
    void PurgeQueues() override {}
    void Close() override { open_ = false; }
    [[nodiscard]] bool IsOpen() const override { return open_; }

    bool Write(std::span<const std::uint8_t> bytes) override
    {
        const std::size_t number = packets_.size();
        packets_.emplace_back(bytes.begin(), bytes.end());
        if (failingWrite_ == number) {
            timeline_.Add(Hex(bytes) + " (write failed)");
            return false;
        }
        timeline_.Add(Hex(bytes));
        if (bytes.size() == 1 && bytes[0] == kFetch)
            ArmNextAnswer();
        return true;
    }

    std::size_t BytesWaiting() override
    {
        if (pending_.empty() || looksSincePiece_ < pending_.front().afterLooks)
            return 0;
        return pending_.front().bytes.size();
    }

    std::size_t Read(std::span<std::uint8_t> into) override
    {
        if (BytesWaiting() == 0)
            return 0;
        auto& piece = pending_.front().bytes;
        const std::size_t count = std::min(into.size(), piece.size());
        std::copy_n(piece.begin(), count, into.begin());
        piece.erase(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(count));
        if (piece.empty()) {
            pending_.pop_front();
            looksSincePiece_ = 0;
        }
        return count;
    }

    void WaitForInput(std::chrono::microseconds atMost) override
    {
        ++looks_;
        ++looksSincePiece_;
        if (realTime_)
            std::this_thread::sleep_for(atMost);
    }

private:
    static constexpr std::uint8_t kFetch = 0x45;

    void ArmNextAnswer()
    {
        ScriptedAnswer answer;
        if (!script_.empty()) {
            answer = std::move(script_.front());
            script_.pop_front();
        } else if (fallback_) {
            answer = {{*fallback_}};
        }
        pending_.assign(answer.begin(), answer.end());
        looksSincePiece_ = 0;
    }

    Timeline& timeline_;
    bool open_ = true;
    std::vector<std::vector<std::uint8_t>> packets_;
    std::optional<std::size_t> failingWrite_;
    std::deque<ScriptedAnswer> script_;
    std::optional<std::vector<std::uint8_t>> fallback_;
    std::deque<AnswerPiece> pending_;
    int looksSincePiece_ = 0;
    int looks_ = 0;
    bool realTime_ = false;
};

}  // namespace tarnwick::test
