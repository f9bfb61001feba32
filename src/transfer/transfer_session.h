#pragma once
// What the upload and the download exchanges share: a state machine advanced by
// one tick() per timer event, a tick counter, the failure message and the progress
// text the dialog shows. The owner of the timer calls begin() when the user presses
// Begin and tick() at every event while active(); a tick that returns Succeeded or
// Failed has stopped the timer, and the owner shows completionText() or message().

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quelvar {

class ComPort;

enum class TransferStep { Running, Succeeded, Failed };

class TransferSession {
public:
    using ProgressListener = std::function<void(const std::string&)>;

    virtual ~TransferSession() = default;
    TransferSession(const TransferSession&) = delete;
    TransferSession& operator=(const TransferSession&) = delete;

    virtual TransferStep tick() = 0;                      // one timer event
    virtual int intervalMs() const = 0;                   // the timer's period
    virtual std::string_view completionText() const = 0;  // the box shown on success
    // How many bytes of the 2048-byte image block have travelled so far.
    virtual std::size_t blockBytes() const = 0;
    // The owner stops the exchange where it stands (Cancel, or the window closed).
    virtual void cancel() { m_active = false; }

    bool begin();  // only in state 0, and only when the timer is not already running
    bool active() const { return m_active; }
    int state() const { return m_state; }
    int ticks() const { return m_ticks; }
    const std::string& message() const { return m_message; }
    const std::string& progressText() const { return m_progressText; }

    // Called at once whenever the progress text changes, so a window can repaint
    // before a blocking write and a command line can print each step.
    void setProgressListener(ProgressListener listener) { m_listener = std::move(listener); }

protected:
    // Opening an exchange: empty the line and put the indicator back to idle.
    explicit TransferSession(ComPort& port);

    // State 0: ask for the indicator's status.
    void requestStatus();
    // State 1, one event: true when the indicator answered 'I'. Once `limit` events
    // have passed it times out without reading; other bytes are dropped one an
    // event. A busy answer sets `busyMessage`, or keeps the message when null.
    bool statusReady(int limit, const char* busyMessage);
    void setProgress(std::string text);
    void fail(std::string message);  // sets the message and moves to state 4
    TransferStep finishFailed();     // state 4: reset the indicator, stop the timer
    TransferStep finishSucceeded();  // stop the timer, back to state 0

    ComPort& m_port;
    int m_state = 0;
    int m_ticks = 0;
    bool m_active = false;
    std::string m_message = "Error Unknown";

private:
    std::string m_progressText;
    ProgressListener m_listener;
};

}  // namespace quelvar
