#include "transfer/block_sender.h"

#include <algorithm>

#include "serial/com_port.h"

namespace quelvar {

namespace {

constexpr long long kPeriodsQueued = 3;
constexpr std::size_t kSmallestPiece = 8;

// The bytes a line at `baud` carries (10 bits a byte) in `ms` milliseconds.
std::size_t lineBytes(std::int32_t baud, long long ms)
{
    return static_cast<std::size_t>(std::max<long long>(baud, 0) * ms / 10'000);
}

}  // namespace

BlockSender::BlockSender(ComPort& port, std::span<const std::uint8_t> block, int periodMs)
    : m_port(port), m_block(block),
      m_piece(std::max(kSmallestPiece, lineBytes(port.baudRate, kPeriodsQueued * periodMs))),
      m_perPeriod(lineBytes(port.baudRate, periodMs)),
      m_stepLimit(static_cast<int>((writeDeadlineMs(kPortTimeouts, block.size()) + periodMs - 1) /
                                   periodMs))
{
}

BlockSender::Progress BlockSender::step()
{
    ++m_steps;
    int queued = m_port.OutputQueued();
    const std::size_t carried = m_piece + m_perPeriod * static_cast<std::size_t>(m_steps);
    const std::size_t allowed = std::min(m_block.size(), carried);
    if (queued >= 0 && m_handed < allowed && static_cast<std::size_t>(queued) < m_piece) {
        const std::size_t room = m_piece - static_cast<std::size_t>(queued);
        const int taken =
            m_port.WriteNoWait(m_block.subspan(m_handed, std::min(room, allowed - m_handed)));
        if (taken < 0) return Progress::Failed;
        m_handed += static_cast<std::size_t>(taken);
        queued = m_port.OutputQueued();
    }
    if (queued < 0) return Progress::Failed;
    m_sent = m_handed - std::min(m_handed, static_cast<std::size_t>(queued));
    if (m_sent == m_block.size()) return Progress::Sent;
    return m_steps >= m_stepLimit ? Progress::Failed : Progress::Sending;
}

}  // namespace quelvar
