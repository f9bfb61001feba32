#pragma once
// The communications test "Test Communications": a small terminal on the
// indicator link. It shows the port's line settings, sends a test text or typed
// characters, and shows every received byte, control bytes with a caret ("^M").
// It neither opens nor configures the port.
//
// Each showing starts afresh (empty receive window, transmit count 0) and polls
// the port every 10 ms until the dialog closes.

#include <QDialog>
#include <optional>
#include <string>

class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace quelvar {

class ComPort;
class Services;

class TComTestForm : public QDialog {
    Q_OBJECT
public:
    TComTestForm(ComPort& port, Services& services, QWidget* owner = nullptr);

    int txCount() const { return m_txCount; }
    // Received bytes and echoed keys as the receive window shows them (Latin-1).
    std::string& receiveText() { return m_receiveText; }
    void showReceiveText();

    QLabel* ComPortLabel;
    QLabel* DeviceLabel;  // the device the port number maps to, or "not open"
    QLabel* BaudRateLabel;
    QLabel* DataBitsLabel;
    QLabel* ParityLabel;
    QLabel* StopBitsLabel;
    QLabel* TxCount;
    QPlainTextEdit* RXwindow;
    QPushButton* TXtest;
    QPushButton* ClearTextBox;
    QPushButton* ExitTest;
    QPushButton* HelpButton;
    QTimer* TestTimer;

public slots:
    void TestTimerTimer();
    void TXtestClick();
    void ClearTextBoxClick();
    void ExitTestClick();
    void HelpButtonClick();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void connectHandlers();
    void FormActivate();
    void showSummary();
    void FormKeyPress(char key);
    void RXwindowKeyPress(char key);
    bool copiesSelection(const QKeyEvent& key);

    ComPort& m_port;
    Services& m_services;
    std::string m_receiveText;
    int m_txCount = 0;
};

// The byte a typed key sends: Esc, the control byte of Ctrl with a letter (Ctrl+A
// sends 1), or the key's one Latin-1 character. Nothing for keys that move the
// focus, other keys with Ctrl, Alt or Meta, and characters outside Latin-1.
std::optional<char> typedCharacter(const QKeyEvent& key);

}  // namespace quelvar
