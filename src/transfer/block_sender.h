#pragma once
// Hands a block to the port in pieces as the line takes them, one step() per timer
// event, so the window never waits for a slow line (2048 bytes take 17 s at 1200
// baud). Each step tops the driver's output queue up to what the line carries in
// three timer periods, never waiting, and counts the bytes that have left the line.
// Nor is more handed over than the line could have carried since the first step
// (steps counted as timer periods) plus that much: a pseudo-terminal reports no
// queue at all. The block is sent once its last byte has left; when that takes
// longer than the port's write time-out (10 ms a byte plus 100 ms, counted in
// steps), or the port fails, sending fails with the count that did leave.

#include <cstddef>
#include <cstdint>
#include <span>

namespace quelvar {

class ComPort;

class BlockSender {
public:
    enum class Progress { Sending, Sent, Failed };

    // `periodMs` is how often step() is called; the block must outlive the sender.
    BlockSender(ComPort& port, std::span<const std::uint8_t> block, int periodMs);

    Progress step();
    // Bytes that have left the line.
    std::size_t sent() const { return m_sent; }
    // True while bytes are handed to the port that have not all left the line.
    bool underway() const { return m_handed > 0 && m_sent < m_block.size(); }

private:
    ComPort& m_port;
    std::span<const std::uint8_t> m_block;
    std::size_t m_piece;      // what the output queue is topped up to
    std::size_t m_perPeriod;  // what the line carries in a timer period
    int m_stepLimit;
    int m_steps = 0;
    std::size_t m_handed = 0;
    std::size_t m_sent = 0;
};

}  // namespace quelvar
