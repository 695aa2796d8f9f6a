#pragma once
// Runs a blocking producer of data on a thread of its own and hands what it produces, in order,
// to the thread that asked for it. The asking thread can give up at a deadline, or when
// cancelled from any thread, without waiting for the producer: a producer stuck in a blocking
// call (a name lookup, a silent server) is left behind and ends on its own, holding only what it
// captured and the state it shares with the relay.
// Portable: the threads, the lock and the clock come from Threads.h.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

#include "Threads.h"

namespace platform {

class ChunkRelay {
public:
    // Bytes produced and not yet taken by the consumer wait in a buffer of at most this size;
    // a producer that gets this far ahead waits. Memory stays at twice this, whatever the
    // amount of data that passes through.
    static constexpr std::size_t kCapacity = 256 * 1024;
    // How long a producer that the consumer stopped is given to end before Run returns anyway.
    static constexpr std::chrono::milliseconds kStopGrace{2000};

    // Called on the producer's thread with the next piece of data, which the relay copies.
    // Returns false when the producer is to stop: the consumer has what it needs, or has gone.
    using Deliver = std::function<bool(std::string_view piece)>;
    // Runs on the producer's thread and returns true when it produced everything. It must own
    // what it uses (capture by value): it may outlive the Run that started it.
    using Producer = std::function<bool(const Deliver& deliver)>;
    // Called on the thread of Run with the data in order, in pieces of any size (what has
    // arrived since the last call); false stops the transfer.
    using Consumer = std::function<bool(std::string_view piece)>;

    enum class Outcome {
        Completed,  // the producer finished and reported success, and all was passed on
        Stopped,    // the consumer asked to stop
        Failed,     // the producer reported failure or threw, or could not be started
        TimedOut,   // the deadline passed first
        Cancelled,  // Cancel was called first
    };

    ChunkRelay() = default;
    ChunkRelay(const ChunkRelay&) = delete;
    ChunkRelay& operator=(const ChunkRelay&) = delete;

    // Starts `producer` and passes what it produces to `consumer` until one of the outcomes
    // happens. Never waits past `deadline` (give or take the time `consumer` itself takes). When
    // the consumer stops, Run also waits for the producer to end, up to kStopGrace. Once Run
    // has returned, the producer never reaches `consumer` again. Exceptions from `consumer` pass
    // through. One Run at a time per relay.
    Outcome Run(Producer producer, const Consumer& consumer, SteadyClock::time_point deadline);

    // Thread-safe, and for good: a running Run returns Cancelled at once (after the consumer
    // call in progress, if any), and every later Run returns Cancelled without starting.
    void Cancel();

private:
    // What the two threads share; it lives as long as whichever of them holds it longer.
    struct Exchange {
        Mutex mutex;
        Wakeup toConsumer;  // data, the producer's end, or a cancel
        Wakeup toProducer;  // room in the buffer, or the consumer gone
        std::string waiting;  // produced, not yet taken
        bool producerDone = false;
        bool producerSucceeded = false;
        bool consumerGone = false;
        bool cancelled = false;
    };

    static void Produce(Exchange& exchange, const Producer& producer);

    Mutex mutex_;
    bool cancelled_ = false;
    std::shared_ptr<Exchange> current_;
};

inline void ChunkRelay::Produce(Exchange& exchange, const Producer& producer) {
    const Deliver deliver = [&exchange](std::string_view piece) {
        Lock lock(exchange.mutex);
        while (!piece.empty()) {
            while (!exchange.consumerGone && exchange.waiting.size() >= kCapacity) exchange.toProducer.Wait(lock);
            if (exchange.consumerGone) return false;
            const bool wasEmpty = exchange.waiting.empty();
            const std::size_t n = std::min(piece.size(), kCapacity - exchange.waiting.size());
            exchange.waiting.append(piece.substr(0, n));
            piece.remove_prefix(n);
            // Waking the consumer costs a thread switch: only when it may be waiting for data.
            if (wasEmpty) exchange.toConsumer.Set();
        }
        return !exchange.consumerGone;
    };
    bool succeeded = false;
    try {
        succeeded = producer(deliver);
    } catch (...) {
        succeeded = false;
    }
    {
        std::lock_guard lock(exchange.mutex);
        exchange.producerDone = true;
        exchange.producerSucceeded = succeeded;
    }
    exchange.toConsumer.Set();
}

inline ChunkRelay::Outcome ChunkRelay::Run(Producer producer, const Consumer& consumer,
                                           SteadyClock::time_point deadline) {
    // Not make_shared: in a program built without run-time type information its control block
    // brings 3 KB of the C++ library along (the hashing behind its type check).
    std::shared_ptr<Exchange> exchange;
    try {
        exchange = std::shared_ptr<Exchange>(new Exchange);
    } catch (const std::bad_alloc&) {  // no memory, or Windows has no event left to give
        return Outcome::Failed;
    }
    {
        std::lock_guard lock(mutex_);
        if (cancelled_) return Outcome::Cancelled;
        current_ = exchange;
    }
    // However Run ends, the producer is let go and told not to deliver any more.
    struct LetGo {
        ChunkRelay& relay;
        Exchange& exchange;
        ~LetGo() {
            {
                std::lock_guard lock(exchange.mutex);
                exchange.consumerGone = true;
            }
            exchange.toProducer.Set();
            std::lock_guard lock(relay.mutex_);
            relay.current_.reset();
        }
    } letGo{*this, *exchange};

    if (!StartDetachedThread([exchange, producer = std::move(producer)] { Produce(*exchange, producer); }))
        return Outcome::Failed;

    const auto forConsumer = [&] {
        return exchange->cancelled || !exchange->waiting.empty() || exchange->producerDone;
    };
    std::string taken;
    Lock lock(exchange->mutex);
    for (;;) {
        while (!forConsumer() && exchange->toConsumer.WaitUntil(lock, deadline)) {
        }
        const bool woken = forConsumer();
        if (exchange->cancelled) return Outcome::Cancelled;
        // Checked even when woken: a producer that never pauses must not outrun the deadline.
        if (!woken || SteadyClock::now() >= deadline) return Outcome::TimedOut;
        if (!exchange->waiting.empty()) {
            taken.clear();
            taken.swap(exchange->waiting);
            exchange->toProducer.Set();  // room again for a producer that waits
            lock.Unlock();
            const bool more = consumer(taken);
            lock.Relock();
            if (!more) {
                exchange->consumerGone = true;
                exchange->toProducer.Set();
                // A producer told to stop normally ends at once; waiting for it keeps one
                // transfer from overlapping the next (Wine's WinINet has crashed on that). But
                // not for long: closing a connection can hang on a silent server.
                const auto until = std::min(deadline, SteadyClock::now() + kStopGrace);
                while (!exchange->producerDone && !exchange->cancelled &&
                       exchange->toConsumer.WaitUntil(lock, until)) {
                }
                return Outcome::Stopped;
            }
            continue;
        }
        return exchange->producerSucceeded ? Outcome::Completed : Outcome::Failed;
    }
}

inline void ChunkRelay::Cancel() {
    std::shared_ptr<Exchange> exchange;
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        exchange = current_;
    }
    if (!exchange) return;
    {
        std::lock_guard lock(exchange->mutex);
        exchange->cancelled = true;
    }
    exchange->toConsumer.Set();
}

}  // namespace platform
