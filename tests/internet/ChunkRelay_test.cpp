// The relay that bounds a blocking fetch in time: hand-over of pieces, outcomes, deadline and
// cancellation, and a producer left behind that never reaches the consumer again.
#include "platform/ChunkRelay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using platform::ChunkRelay;
using Clock = platform::SteadyClock;

// Holds a producer until the test lets it go.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    void Open() {
        {
            std::lock_guard lock(mutex);
            open = true;
        }
        changed.notify_all();
    }
    void Wait() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return open; });
    }
};

// What a producer that may outlive Run reports, kept alive by the producer itself.
struct ProducerLog {
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
    std::atomic<int> refusals{0};  // deliveries answered with false
};

bool WaitFor(const std::atomic<bool>& flag, std::chrono::milliseconds limit = 5s) {
    const auto until = Clock::now() + limit;
    while (!flag && Clock::now() < until) std::this_thread::sleep_for(5ms);
    return flag;
}

ChunkRelay::Producer Pieces(std::vector<std::string> pieces, bool result = true) {
    return [pieces, result](const ChunkRelay::Deliver& deliver) {
        for (const std::string& piece : pieces)
            if (!deliver(piece)) return result;
        return result;
    };
}

// Waits at the gate, then tries to deliver one piece and records the answer.
ChunkRelay::Producer Blocked(std::shared_ptr<Gate> gate, std::shared_ptr<ProducerLog> log) {
    return [gate, log](const ChunkRelay::Deliver& deliver) {
        log->started = true;
        gate->Wait();
        if (!deliver("late")) ++log->refusals;
        log->finished = true;
        return true;
    };
}

std::string Concatenated(const std::vector<std::string>& pieces) {
    std::string all;
    for (const std::string& piece : pieces) all += piece;
    return all;
}

TEST(ChunkRelayHandOver, PassesTheDataInOrderOnTheCallingThread) {
    ChunkRelay relay;
    std::vector<std::string> seen;
    bool allOnThisThread = true;
    const auto me = std::this_thread::get_id();
    const auto outcome = relay.Run(
        Pieces({"first ", "second ", "third"}),
        [&](std::string_view piece) {
            seen.emplace_back(piece);
            allOnThisThread &= std::this_thread::get_id() == me;
            return true;
        },
        Clock::now() + 10s);
    EXPECT_EQ(outcome, ChunkRelay::Outcome::Completed);
    EXPECT_EQ(Concatenated(seen), "first second third");
    EXPECT_TRUE(allOnThisThread);
}

TEST(ChunkRelayHandOver, TheProducerMayReuseItsBufferAtOnce) {
    ChunkRelay relay;
    // One buffer, rewritten in place for each piece, as a read buffer is.
    const auto producer = [](const ChunkRelay::Deliver& deliver) {
        std::string buffer = "piece-";
        for (char n = '0'; n < '4'; ++n) {
            buffer.back() = n;
            if (!deliver(buffer)) return false;
        }
        return true;
    };
    std::vector<std::string> seen;
    relay.Run(
        producer,
        [&](std::string_view piece) {
            std::this_thread::sleep_for(20ms);
            seen.emplace_back(piece);
            return true;
        },
        Clock::now() + 10s);
    EXPECT_EQ(Concatenated(seen), "piece0piece1piece2piece3");
}

TEST(ChunkRelayHandOver, AProducerFarAheadWaitsSoMemoryStaysBounded) {
    ChunkRelay relay;
    constexpr std::size_t kPiece = 64 * 1024, kPieces = 160;  // 10 MiB
    const auto producer = [](const ChunkRelay::Deliver& deliver) {
        std::string piece(kPiece, '\0');
        for (std::size_t i = 0; i < kPieces; ++i) {
            piece.assign(kPiece, static_cast<char>('a' + i % 26));
            if (!deliver(piece)) return false;
        }
        return true;
    };
    std::size_t total = 0, largest = 0;
    bool ordered = true;
    const auto outcome = relay.Run(
        producer,
        [&](std::string_view piece) {
            for (char c : piece) {
                ordered &= c == static_cast<char>('a' + (total / kPiece) % 26);
                ++total;
            }
            largest = std::max(largest, piece.size());
            std::this_thread::sleep_for(1ms);  // a slow consumer
            return true;
        },
        Clock::now() + 30s);
    EXPECT_EQ(outcome, ChunkRelay::Outcome::Completed);
    EXPECT_EQ(total, kPiece * kPieces);
    EXPECT_TRUE(ordered);
    EXPECT_LE(largest, ChunkRelay::kCapacity);
    EXPECT_GT(largest, kPiece) << "the producer never got ahead: nothing was buffered";
}

TEST(ChunkRelayOutcome, ReportsAProducerThatFailsOrThrows) {
    ChunkRelay relay;
    int pieces = 0;
    const auto count = [&](std::string_view) { return ++pieces, true; };
    EXPECT_EQ(relay.Run(Pieces({"partial"}, false), count, Clock::now() + 10s),
              ChunkRelay::Outcome::Failed);
    EXPECT_EQ(pieces, 1);
    EXPECT_EQ(relay.Run([](const ChunkRelay::Deliver&) -> bool { throw std::runtime_error("x"); },
                        count, Clock::now() + 10s),
              ChunkRelay::Outcome::Failed);
    EXPECT_EQ(relay.Run(Pieces({}), count, Clock::now() + 10s), ChunkRelay::Outcome::Completed);
}

TEST(ChunkRelayOutcome, AConsumerThatHasEnoughStopsTheProducer) {
    ChunkRelay relay;
    auto log = std::make_shared<ProducerLog>();
    // Far more than the relay holds: the producer cannot be done before the consumer stops it.
    const auto producer = [log](const ChunkRelay::Deliver& deliver) {
        const std::string piece(64 * 1024, 'p');
        for (int i = 0; i < 1000; ++i)
            if (!deliver(piece)) {
                ++log->refusals;
                break;
            }
        log->finished = true;
        return true;
    };
    int pieces = 0;
    EXPECT_EQ(relay.Run(
                  producer, [&](std::string_view) { return ++pieces < 2; }, Clock::now() + 10s),
              ChunkRelay::Outcome::Stopped);
    EXPECT_EQ(pieces, 2);
    EXPECT_TRUE(log->finished) << "Run returned before the producer it stopped had ended";
    EXPECT_EQ(log->refusals, 1);
}

// Told to stop, this producer hangs (as a blocking close might) until the test lets it go.
ChunkRelay::Producer HangsWhenStopped(std::shared_ptr<Gate> gate,
                                      std::shared_ptr<ProducerLog> log) {
    return [gate, log](const ChunkRelay::Deliver& deliver) {
        while (deliver("piece")) {
        }
        gate->Wait();
        log->finished = true;
        return true;
    };
}

TEST(ChunkRelayOutcome, AStoppedProducerIsWaitedForABriefGraceAtMost) {
    ChunkRelay relay;
    auto gate = std::make_shared<Gate>();
    auto log = std::make_shared<ProducerLog>();
    const auto start = Clock::now();
    EXPECT_EQ(relay.Run(
                  HangsWhenStopped(gate, log), [](std::string_view) { return false; }, start + 30s),
              ChunkRelay::Outcome::Stopped);
    const auto took = Clock::now() - start;
    EXPECT_GE(took, ChunkRelay::kStopGrace);
    EXPECT_LT(took, ChunkRelay::kStopGrace + 2s);
    EXPECT_FALSE(log->finished);
    gate->Open();
    EXPECT_TRUE(WaitFor(log->finished));
}

TEST(ChunkRelayOutcome, AStoppedProducerIsNotWaitedForPastTheDeadline) {
    ChunkRelay relay;
    auto gate = std::make_shared<Gate>();
    auto log = std::make_shared<ProducerLog>();
    const auto start = Clock::now();
    EXPECT_EQ(
        relay.Run(
            HangsWhenStopped(gate, log), [](std::string_view) { return false; }, start + 300ms),
        ChunkRelay::Outcome::Stopped);
    EXPECT_LT(Clock::now() - start, ChunkRelay::kStopGrace);
    gate->Open();
    EXPECT_TRUE(WaitFor(log->finished));
}

TEST(ChunkRelayOutcome, AConsumerExceptionPassesThroughAndLetsTheProducerGo) {
    ChunkRelay relay;
    auto log = std::make_shared<ProducerLog>();
    const auto producer = [log](const ChunkRelay::Deliver& deliver) {
        for (int i = 0; i < 5000; ++i)
            if (!deliver("boom")) {
                ++log->refusals;
                break;
            } else {
                std::this_thread::sleep_for(1ms);
            }
        log->finished = true;
        return true;
    };
    EXPECT_THROW(
        relay.Run(
            producer, [](std::string_view) -> bool { throw std::runtime_error("consumer"); },
            Clock::now() + 10s),
        std::runtime_error);
    ASSERT_TRUE(WaitFor(log->finished));
    EXPECT_EQ(log->refusals, 1);
}

TEST(ChunkRelayDeadline, GivesUpOnABlockedProducerWithoutWaitingForIt) {
    ChunkRelay relay;
    auto gate = std::make_shared<Gate>();
    auto log = std::make_shared<ProducerLog>();
    int pieces = 0;
    const auto start = Clock::now();
    EXPECT_EQ(
        relay.Run(
            Blocked(gate, log), [&](std::string_view) { return ++pieces, true; }, start + 300ms),
        ChunkRelay::Outcome::TimedOut);
    const auto took = Clock::now() - start;
    EXPECT_GE(took, 300ms);
    EXPECT_LT(took, 2s);

    // The producer wakes up later: its piece is refused and never reaches the consumer.
    gate->Open();
    ASSERT_TRUE(WaitFor(log->finished));
    EXPECT_EQ(log->refusals, 1);
    EXPECT_EQ(pieces, 0);
}

TEST(ChunkRelayDeadline, APieceThatArrivesLateIsNotTaken) {
    ChunkRelay relay;
    int pieces = 0;
    const auto start = Clock::now();
    // A producer that never pauses: the consumer is always busy, yet the deadline holds.
    const auto endless = [](const ChunkRelay::Deliver& deliver) {
        while (deliver("more")) {
        }
        return true;
    };
    EXPECT_EQ(relay.Run(
                  endless,
                  [&](std::string_view) {
                      ++pieces;
                      std::this_thread::sleep_for(1ms);
                      return true;
                  },
                  start + 300ms),
              ChunkRelay::Outcome::TimedOut);
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_GT(pieces, 0);
}

TEST(ChunkRelayCancel, EndsARunningRunPromptlyFromAnotherThread) {
    ChunkRelay relay;
    auto gate = std::make_shared<Gate>();
    auto log = std::make_shared<ProducerLog>();
    std::thread canceller([&] {
        WaitFor(log->started);
        std::this_thread::sleep_for(100ms);
        relay.Cancel();
    });
    const auto start = Clock::now();
    const auto outcome = relay.Run(
        Blocked(gate, log), [](std::string_view) { return true; }, start + 60s);
    const auto took = Clock::now() - start;
    canceller.join();
    EXPECT_EQ(outcome, ChunkRelay::Outcome::Cancelled);
    EXPECT_LT(took, 2s);
    gate->Open();
    ASSERT_TRUE(WaitFor(log->finished));
    EXPECT_EQ(log->refusals, 1);
}

TEST(ChunkRelayCancel, CancellingDuringAPieceEndsTheRunAfterIt) {
    ChunkRelay relay;
    int pieces = 0;
    EXPECT_EQ(relay.Run(
                  Pieces({"one", "two", "three"}),
                  [&](std::string_view) {
                      ++pieces;
                      relay.Cancel();
                      return true;
                  },
                  Clock::now() + 10s),
              ChunkRelay::Outcome::Cancelled);
    EXPECT_EQ(pieces, 1);
}

TEST(ChunkRelayCancel, IsForGood) {
    ChunkRelay relay;
    relay.Cancel();
    auto log = std::make_shared<ProducerLog>();
    const auto producer = [log](const ChunkRelay::Deliver&) { return log->started = true; };
    EXPECT_EQ(relay.Run(
                  producer, [](std::string_view) { return true; }, Clock::now() + 10s),
              ChunkRelay::Outcome::Cancelled);
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(log->started);
}

}  // namespace
