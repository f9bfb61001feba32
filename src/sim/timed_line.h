#pragma once
// One direction of a simulated serial line, as a UART and its cable carry it: bytes
// handed to the line queue at the sending end and reach the far end one after
// another, each 10 bits at the line's rate after the one before. Nothing is held back
// once its time has come, however many bytes that is.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace quelvar {

class TimedLine {
public:
    using Clock = std::chrono::steady_clock;

    // 0 or less: bytes arrive as soon as they are sent.
    void setBaud(long baud)
    {
        m_byteTime = baud > 0 ? std::chrono::nanoseconds(10'000'000'000LL / baud)
                              : std::chrono::nanoseconds::zero();
    }

    // Queues the bytes; an idle line starts carrying them at `now`.
    void send(std::span<const std::uint8_t> bytes, Clock::time_point now)
    {
        if (bytes.empty()) return;
        if (m_queue.empty()) m_frontDone = std::max(now, m_lastDone) + m_byteTime;
        m_queue.insert(m_queue.end(), bytes.begin(), bytes.end());
    }

    // Takes the bytes that have reached the far end by `now`, oldest first.
    std::vector<std::uint8_t> arrived(Clock::time_point now)
    {
        std::size_t n = m_queue.size();
        if (m_byteTime.count() > 0)
            n = now < m_frontDone
                    ? 0
                    : std::min<std::size_t>(
                          n, static_cast<std::size_t>(1 + (now - m_frontDone) / m_byteTime));
        if (n > 0) {
            m_firstDone = m_frontDone;
            m_lastDone = m_frontDone + static_cast<long long>(n - 1) * m_byteTime;
            m_frontDone += static_cast<long long>(n) * m_byteTime;
        }
        std::vector<std::uint8_t> bytes(m_queue.begin(), m_queue.begin() + static_cast<long>(n));
        m_queue.erase(m_queue.begin(), m_queue.begin() + static_cast<long>(n));
        return bytes;
    }

    // When the first and the last byte the latest arrived() took reached the far end.
    Clock::time_point firstArrival() const { return m_firstDone; }
    Clock::time_point lastArrival() const { return m_lastDone; }

    // When the last queued byte reaches the far end.
    Clock::time_point drainedAt() const
    {
        if (m_queue.empty()) return m_lastDone;
        return m_frontDone + static_cast<long long>(m_queue.size() - 1) * m_byteTime;
    }

    std::size_t queued() const { return m_queue.size(); }
    void clear() { m_queue.clear(); }

private:
    std::chrono::nanoseconds m_byteTime{0};
    std::deque<std::uint8_t> m_queue;
    Clock::time_point m_frontDone{};  // when the first queued byte arrives
    Clock::time_point m_firstDone{};
    Clock::time_point m_lastDone{};
};

}  // namespace quelvar
