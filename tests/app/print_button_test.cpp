// Print and Display Config take the description memo's text before they open:
// the toolbar button takes no focus, so the memo is never left.

#include "app/main_form.h"
#include "model/setup_document.h"
#include "printing/report_form.h"
#include "scripted_services.h"
#include "serial/com_port.h"
#include "transfer/display_form.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace quelvar;

namespace {

TEST(PrintButton, ReportAndDisplayShowTheMemoAsTyped)
{
    SetupDocument document;
    ComPort port;
    ScriptedServices services;
    TMainForm form(document, port, services);
    form.findChild<QPlainTextEdit*>("fileDescriptionMemo")->setPlainText("typed just now");

    std::string shown;
    QTimer::singleShot(0, [&] {
        auto* report = qobject_cast<TReportForm*>(QApplication::activeModalWidget());
        ASSERT_TRUE(report);
        shown = reportText(report->pages());
        report->close();
    });
    form.findChild<QToolButton*>("PrintButton")->click();
    EXPECT_NE(shown.find("Application Description: typed just now\n"), std::string::npos);

    QString listed;
    QTimer::singleShot(0, [&] {
        auto* display = qobject_cast<TDisplayForm*>(QApplication::activeModalWidget());
        ASSERT_TRUE(display);
        display->TSButton->click();
        listed = display->TextBox->toPlainText();
        display->close();
    });
    form.findChild<QPushButton*>("DisplayListButton")->click();
    EXPECT_TRUE(listed.startsWith("Application Description: typed just now\n"));
    EXPECT_TRUE(services.shown.empty());
}

}  // namespace
