#pragma once
// Paces one direction of a simulated serial line: at N baud a byte (start bit, 8 data
// bits, stop bit) takes 10/N seconds, so no more bytes pass than the line could carry.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <limits>

namespace quelvar {

class LinePacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit LinePacer(long baud = 0) { setBaud(baud); }

    // 0 or less: an unpaced line, any number of bytes pass at once.
    void setBaud(long baud)
    {
        m_byteTime = baud > 0 ? std::chrono::nanoseconds(10'000'000'000LL / baud)
                              : std::chrono::nanoseconds::zero();
    }
    bool paced() const { return m_byteTime.count() > 0; }
    std::chrono::nanoseconds byteTime() const { return m_byteTime; }

    // How many bytes may pass now: those the line has had time to carry.
    std::size_t allowance(Clock::time_point now) const
    {
        if (!paced()) return std::numeric_limits<std::size_t>::max();
        if (now < m_freeAt) return 0;
        return static_cast<std::size_t>(std::min<long long>(kBurst, (now - m_freeAt) / m_byteTime));
    }

    // Records that `count` bytes passed now.
    void take(std::size_t count, Clock::time_point now)
    {
        if (!paced() || count == 0) return;
        // An idle line does not save up time for more than a short burst.
        m_freeAt = std::max<Clock::time_point>(m_freeAt, now - kBurst * m_byteTime) +
                   static_cast<long long>(count) * m_byteTime;
    }

    // How long until the next byte may pass.
    std::chrono::nanoseconds wait(Clock::time_point now) const
    {
        const auto due = m_freeAt + m_byteTime;
        return paced() && now < due ? due - now : std::chrono::nanoseconds::zero();
    }

private:
    static constexpr long long kBurst = 16;
    std::chrono::nanoseconds m_byteTime{0};
    Clock::time_point m_freeAt{};  // when the bytes taken so far have been carried
};

}  // namespace quelvar
