// The configuration display's views and the report form's preview and PDF export.

#include "model/earom_dump.h"
#include "model/param_items.h"
#include "model/setup_document.h"
#include "printing/report_form.h"
#include "printing/report_painter.h"
#include "report_setups.h"
#include "script/function_listing.h"
#include "script/keyboard.h"
#include "scripted_services.h"
#include "transfer/display_form.h"
#include "ui/latin1_text.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace quelvar;

namespace {

QString joined(const std::vector<std::string>& lines)
{
    QString text;
    for (const auto& line : lines)
        text += QString::fromStdString(line) + '\n';
    return text;
}

TEST(DisplayForm, ViewsShowTheCoreTextsAndTheSmallTypeStays)
{
    SetupDocument document;
    document.setup() = test::busySetup();
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
    EXPECT_TRUE(form.TextBox->toPlainText().contains("Ticket {Tkt}  Net <N> kg"));

    quelvar::Setup copy = document.setup();
    const QString listing = QString::fromStdString(tallyScriptListText(copy));
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
    quelvar::Setup setup = test::busySetup();
    ScriptedServices services;
    QTemporaryDir folder;
    TReportForm form{setup, "/data/Waage-S\u00FCd.sf", "12/6/26", services};
};

// Turning the paper or choosing another in the preview lays the pages out anew.
TEST_F(ReportFormTest, PreviewLaysThePagesOutForItsPaper)
{
    EXPECT_EQ(form.windowTitle(), "Setup File Report: Waage-S\u00FCd.sf");
    showActive(form);
    pressKey(Qt::Key_F1);
    EXPECT_EQ(services.helpShown, QStringList{"Print"});
    auto* preview = form.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(preview, nullptr);
    const SetupReport report = buildSetupReport(setup, "", "");
    const struct {
        int paper;  // the paper list's entry
        ReportLayout layout;
    } steps[] = {{-1, reportLayout(ReportPaper::Letter, ReportOrientation::Landscape)},
                 {1, reportLayout(ReportPaper::A4, ReportOrientation::Landscape)},
                 {2, reportLayout(ReportPaper::Legal, ReportOrientation::Portrait)}};
    for (const auto& step : steps) {
        if (step.paper < 0)
            preview->setLandscapeOrientation();
        else if (step.paper == 2)
            preview->setPortraitOrientation();
        if (step.paper >= 0) form.PaperComboBox->setCurrentIndex(step.paper);
        preview->updatePreview();
        EXPECT_EQ(preview->pageCount(), int(paginateReport(report, step.layout).size()));
        EXPECT_EQ(reportLayoutOf(form.printer()->pageLayout()).height, step.layout.height);
    }
}

// The core lays lines out with the widths the painter's fonts have.
TEST(ReportPainter, FontsHaveTheWidthsTheLayoutCounts)
{
    QTemporaryDir folder;
    QPdfWriter device(folder.filePath("widths.pdf"));
    const std::string text = "Setup File Report: Waage-S\u00FCd.sf  AVAWATo Ty Wa 0123456789";
    for (ReportFont role : {ReportFont::Title, ReportFont::PageNumber, ReportFont::Body,
                            ReportFont::Small, ReportFont::Mono}) {
        const QFontMetricsF metrics(QFont(reportQFont(role), &device), &device);
        const double width =
            metrics.horizontalAdvance(QString::fromStdString(text)) / device.logicalDpiX() * 2540;
        EXPECT_NEAR(width, reportTextWidth(text, role), 0.005 * width) << int(role);
    }
}

TEST_F(ReportFormTest, ExportWritesThePdfOrSaysWhyNot)
{
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
