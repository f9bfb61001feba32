#pragma once
// Drives a transfer session the way the dialog's timer does, for the command line,
// the bench and end-to-end tests: one tick() per period while the session is
// active. Like timer events, periods missed during a blocking write are not made
// up. `keepGoing` is asked before each event; false stops the loop (a Cancel).

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "transfer/transfer_session.h"

namespace quelvar {

inline TransferStep runSession(TransferSession& session, std::chrono::milliseconds period,
                               const std::function<bool()>& keepGoing = {})
{
    using Clock = std::chrono::steady_clock;
    auto next = Clock::now();
    while (session.active()) {
        next += period;
        std::this_thread::sleep_until(next);
        next = std::max(next, Clock::now());
        if (keepGoing && !keepGoing()) return TransferStep::Running;
        const TransferStep step = session.tick();
        if (step != TransferStep::Running) return step;
    }
    return TransferStep::Running;
}

}  // namespace quelvar
