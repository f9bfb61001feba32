// The configuration display's views and the report form's preview and PDF export.

#include "model/earom_dump.h"
#include "model/param_items.h"
#include "model/setup_document.h"
#include "printing/report_form.h"
#include "report_setups.h"
#include "script/function_listing.h"
#include "scripted_services.h"
#include "transfer/display_form.h"
#include "ui/latin1_text.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace quelvar;

namespace {

QString joined(const std::vector<std::string>& lines)
{
    QString text;
    for (const auto& line : lines)
        text += fromSetupText(line) + '\n';
    return text;
}

TEST(DisplayForm, ViewsShowTheCoreTextsAndTheSmallTypeStays)
{
    SetupDocument document;
    document.setup() = test::fullSetup();
    document.setup().description = "<b>bold</b>\r\nsecond line";
    document.TakeReferenceCopy();
    ScriptedServices services;
    TDisplayForm form(document, services);

    std::vector<std::string> params;
    std::string line;
    for (int i = 0; ParamListLine(line, document.setup().image, i) != 0; ++i)
        params.push_back(line);
    const int normalSize = form.TextBox->font().pointSize();
    EXPECT_EQ(form.TextBox->toPlainText(), joined(params));

    quelvar::Setup copy = document.setup();
    const QString listing = descriptionToMemo(tallyScriptListText(copy));
    form.TSButton->click();
    EXPECT_EQ(form.TextBox->toPlainText(), listing);
    EXPECT_TRUE(form.TextBox->toPlainText().startsWith("Application Description: <b>bold</b>\n"));
    EXPECT_EQ(form.TextBox->font().pointSize(), 8);
    EXPECT_TRUE(document.IsSetupChanged());  // the listing mended function 3's guard byte

    form.EDButton->click();
    EXPECT_EQ(form.TextBox->toPlainText(), joined(EaromDumpLines(document.setup().image)));
    EXPECT_EQ(form.TextBox->font().pointSize(), 8);
    EXPECT_EQ(form.TextBox->textCursor().position(), 0);
    EXPECT_GT(normalSize, 8);
}

struct ReportFormTest : testing::Test {
    quelvar::Setup setup = test::fullSetup();
    ScriptedServices services;
    QTemporaryDir folder;
    TReportForm form{setup, "/data/line1.sf", "12/6/26", services};
};

TEST_F(ReportFormTest, ExportWritesThePdfOrSaysWhyNot)
{
    EXPECT_EQ(form.pages().size(), paginateReport(buildSetupReport(setup, "", "")).size());
    const QString pdf = folder.filePath("report.pdf");
    services.pdfFiles = {pdf, folder.filePath("missing/report.pdf"), std::nullopt};
    for (int i = 0; i < 3; ++i)
        form.ExportPdfAction->trigger();
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5) == "%PDF-");
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0].text,
              "The report could not be written to " + folder.filePath("missing/report.pdf"));
    EXPECT_FALSE(services.shown[0].detail.isEmpty());
}

}  // namespace
