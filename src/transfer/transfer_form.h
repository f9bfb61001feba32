#pragma once
// What the upload and download dialogs share: the Begin, Cancel and Help buttons,
// the timer that advances the exchange one step per event, and the message boxes
// at its end. The exchange itself is the core session the dialog owns.

#include <QDialog>
#include <QString>
#include <memory>

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
    void BeginButtonClick();
    void CancelButtonClick();
    void HelpButtonClick();

protected:
    TransferForm(Services& services, QString helpTopic, QWidget* owner);

    // Builds the dialog around `texts` (the labels between heading and buttons) and
    // takes the session, whose construction has purged the port and reset the
    // indicator. `progressText` shows the session's progress, a bar beside it the
    // bytes of the image block that have travelled.
    void setUp(const QString& caption, const QString& heading,
               std::initializer_list<QWidget*> texts, std::unique_ptr<TransferSession> session,
               QLabel* progressText, QTimer* timer);
    // One timer event.
    void step();
    // Closing the dialog in any way stops the exchange where it stands.
    void done(int result) override;

    QPushButton* BeginButton;
    QPushButton* CancelButton;
    QPushButton* HelpButton;
    QProgressBar* ProgressBar;

private:
    Services& m_services;
    QString m_helpTopic;
    std::unique_ptr<TransferSession> m_session;
    QLabel* m_progressText = nullptr;
    QTimer* m_timer = nullptr;
};

}  // namespace quelvar
