#pragma once
// What the upload and download dialogs share: the Begin, Cancel and Help buttons,
// the timer that advances the exchange one step per event, and the message boxes
// at its end. The exchange itself is the core session the dialog owns.

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "transfer/transfer_session.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace quelvar {

class Services;

class TransferForm : public QDialog {
    Q_OBJECT
public:
    TransferSession& session() { return *m_session; }

public slots:
    virtual void BeginButtonClick();
    void CancelButtonClick();
    void HelpButtonClick();

protected:
    TransferForm(Services& services, QString helpTopic, QWidget* owner);

    // Builds the dialog around `texts` (the labels between heading and buttons) and
    // takes the session, whose construction has purged the port and reset the
    // indicator. `progressText` shows the session's progress, a bar beside it the
    // bytes of the image block that have travelled.
    void setUp(const QString& caption, const QString& heading,
               const std::vector<QWidget*>& texts, std::unique_ptr<TransferSession> session,
               QLabel* progressText, QTimer* timer);
    // One timer event.
    void step();
    // Puts `session` in the place of the one the dialog holds, for a dialog that runs
    // more than one exchange; `shown` turns its progress into the label's text.
    void replaceSession(std::unique_ptr<TransferSession> session,
                        std::function<QString(const std::string&)> shown = {});
    // Begins the session and starts the timer; false when it was already running.
    bool run();
    // The session succeeded: its completion box, then the dialog closes.
    virtual void succeeded();
    // Closing the dialog in any way stops the exchange where it stands.
    void done(int result) override;

    QPushButton* BeginButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;
    QProgressBar* ProgressBar;
    Services& m_services;

private:
    QString m_helpTopic;
    std::unique_ptr<TransferSession> m_session;
    QLabel* m_progressText = nullptr;
    QTimer* m_timer = nullptr;
};

}  // namespace quelvar
