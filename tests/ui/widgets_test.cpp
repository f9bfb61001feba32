// The helpers every dialog is built on: integer conversion, focus-out handlers,
// tab-stop lists, context help and the help pages.

#include "scripted_services.h"
#include "ui/context_help.h"
#include "ui/conversion.h"
#include "ui/focus_out.h"
#include "ui/help_topics.h"
#include "ui/help_viewer.h"
#include "ui/latin1_text.h"
#include "ui/tab_stop_list.h"

#include <QCompleter>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

using namespace quelvar;

TEST(Conversion, IntegerTexts)
{
    const struct {
        const char* text;
        std::int32_t value;
    } good[] = {
        {"0", 0},
        {"42", 42},
        {"-7", -7},
        {"+7", 7},
        {"  12 ", 12},
        {"$FF", 255},
        {"0x10", 16},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"$FFFFFFFF", -1},
    };
    for (const auto& c : good)
        EXPECT_EQ(toInt(c.text), c.value) << c.text;

    for (const char* text : {"", " ", "abc", "1.5", "12a", "--1", "2147483648", "$", "0x",
                             "$100000000", "1 2", "99999999999"}) {
        try {
            toInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.message(), QString("'%1' is not a valid integer value").arg(text));
        }
    }
}

TEST(Conversion, DecimalTextsRaiseTheDecimalError)
{
    EXPECT_EQ(DecimalToText(toDecimal(" 2.50 ")), "2.50");
    try {
        toDecimal("12,5");
        ADD_FAILURE() << "accepted '12,5'";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.message(), "'12,5' is not a valid decimal value");
    }
}

TEST(Conversion, GuardShowsTheErrorAndReportsFalse)
{
    ScriptedServices services;
    int stored = 0;
    EXPECT_FALSE(runGuarded(services, [&] { stored = toInt("x1"); }));
    EXPECT_TRUE(runGuarded(services, [&] { stored = toInt("5"); }));
    EXPECT_EQ(stored, 5);
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0].kind, ShownBox::Error);
    EXPECT_EQ(services.shown[0].text, "'x1' is not a valid integer value");
}

TEST(FocusOut, HandlerRunsWhenTheBoxLosesFocus)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new QLineEdit(&window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(other);
    int exits = 0;
    onFocusOut(box, [&] { ++exits; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->setFocus();
    QTest::keyClicks(box, "12");
    EXPECT_EQ(exits, 0);
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(other->hasFocus());
}

namespace {
// Counts the focus-out calls that come after its destructor ran: each one would
// work on a dialog that is gone.
class ClosingDialog : public QDialog {
    Q_OBJECT
public:
    ClosingDialog(bool inContainer, bool& destroyed, int& exits, int& lateExits)
        : box(new QLineEdit), m_destroyed(destroyed)
    {
        box->setCompleter(new QCompleter(QStringList{"Gross", "Gross2"}, box));
        onFocusOut(box, [&] { ++(destroyed ? lateExits : exits); });
        auto* layout = new QVBoxLayout(this);
        QWidget* group = inContainer ? new QWidget : nullptr;  // joins the dialog later
        if (group) (new QVBoxLayout(group))->addWidget(box);
        layout->addWidget(group ? group : box);
        layout->addWidget(new QLineEdit);
    }
    ~ClosingDialog() override { m_destroyed = true; }
    QLineEdit* box;

private:
    bool& m_destroyed;
};
}  // namespace

TEST(FocusOut, NoHandlerRunsOnceItsDialogIsDestroyed)
{
    for (const bool inContainer : {false, true}) {
        for (const char* typed : {"", "G"}) {  // "G" leaves a completion popup open
            bool destroyed = false;
            int exits = 0, lateExits = 0;
            auto* dialog = new ClosingDialog(inContainer, destroyed, exits, lateExits);
            dialog->show();
            dialog->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
            dialog->box->setFocus();
            QTest::keyClick(dialog->box, Qt::Key_Tab);
            EXPECT_EQ(exits, 1);
            dialog->box->setFocus();
            QTest::keyClicks(dialog->box, typed);
            delete dialog;  // while it shows, the focus in its box
            EXPECT_EQ(lateExits, 0) << inContainer << typed;
        }
    }
}

TEST(TabStopList, FieldsStartAtTheirTabStops)
{
    TabStopListBox list;
    const double unit = QFontMetrics(list.font()).averageCharWidth() / 4.0;
    const auto at = [unit](int units) { return static_cast<int>(units * unit); };

    list.setTabStops({60, 140});
    EXPECT_EQ(list.fieldPositions("Gross\tGross weight\tkg"),
              (std::vector<int>{0, at(60), at(140)}));
    EXPECT_EQ(list.fieldPositions("no tabs"), std::vector<int>{0});

    list.setTabStops({40});  // one stop: every 40 units
    EXPECT_EQ(list.fieldPositions("a\tb\tc"), (std::vector<int>{0, at(40), at(80)}));

    list.setTabStops({});  // none: every 32 units
    EXPECT_EQ(list.fieldPositions("a\tb"), (std::vector<int>{0, at(32)}));

    // A field that runs past its stop moves the next field to the following stop.
    list.setTabStops({4, 8});
    const auto positions = list.fieldPositions("WWWWWWWWWW\tx\ty");
    EXPECT_GT(positions[1], at(8));
    EXPECT_GT(positions[2], positions[1]);

    list.addItem("Gross\tGross weight");
    EXPECT_EQ(list.item(0)->text(), "Gross\tGross weight");  // the row text stays exact
}

// An empty field ends on its own stop: the next TAB still goes on to the next one,
// also where a stop falls between two pixels.
TEST(TabStopList, EmptyFieldsKeepTheColumns)
{
    TabStopListBox list;
    const std::vector<int> stops{45, 95, 145, 195};
    list.setTabStops(stops);
    QStringList rows{"End\t\t\t\tc", "Set\tMemory2\t44\t\tc", "Else\t\t\t\tc"};
    for (int mask = 0; mask < 16; ++mask) {  // each of the first four fields empty or not
        QStringList fields;
        for (int i = 0; i < 4; ++i)
            fields << (mask & (1 << i) ? "Dec" : "");
        rows << fields.join('\t') + "\tc";
    }
    int fontsBetweenPixels = 0;
    for (int pixelSize : {11, 13, 15, 17}) {
        QFont font = list.font();
        font.setPixelSize(pixelSize);
        list.setFont(font);
        const int average = QFontMetrics(font).averageCharWidth();
        fontsBetweenPixels += average % 4 != 0;
        std::vector<int> columns{0};
        for (int stop : stops)
            columns.push_back(static_cast<int>(stop * average / 4.0));
        for (const QString& row : rows)
            EXPECT_EQ(list.fieldPositions(row), columns) << pixelSize << " " << row.toStdString();
    }
    EXPECT_GE(fontsBetweenPixels, 2);
}

TEST(ContextHelp, F1OpensTheFocusedControlsContextElseTheWindowsTopic)
{
    ScriptedServices services;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* withContext = new QPushButton("Open", &window);
    auto* plain = new QLineEdit(&window);
    layout->addWidget(withContext);
    layout->addWidget(plain);
    setHelpContext(withContext, 3800);
    setHelpTopic(&window, "CfgScale");
    installContextHelp(&window, services);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    withContext->setFocus();
    QTest::keyClick(&window, Qt::Key_F1);
    plain->setFocus();
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(services.helpShown, (QStringList{"context:3800", "CfgScale"}));
}

TEST(Help, EveryTopicHasAPageAndEveryContextATopic)
{
    HelpViewer viewer;  // loads the pages' resources
    for (const auto& topic : helpTopics()) {
        QFile page(QString(":/help/%1.html").arg(topic.keyword));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << topic.keyword;
        EXPECT_GT(page.size(), 200) << topic.keyword;
    }
    // The dialogs' Help buttons open these keywords.
    for (const char* keyword :
         {"CfgScale", "CfgPorts", "CfgMisc", "CfgAout", "CfgFixed", "CfgPasswords", "CfgTSselect",
          "CfgTSedit", "KeyboardEvent", "CfgSetpoints", "CfgTimers", "CfgPage", "CfgLabels",
          "Upload", "Download", "index", "contents"})
        EXPECT_TRUE(isHelpTopic(keyword)) << keyword;
    for (int context :
         {8,    80,   2100, 2300, 2400, 2500, 2600, 2700, 2800, 2900, 3000, 3100, 3200, 3300, 3400,
          3500, 3600, 3700, 3800, 3900, 4000, 4100, 4200, 4300, 4400, 4500, 4600, 4700, 4800})
        EXPECT_TRUE(isHelpTopic(helpTopicForContext(context))) << context;

    viewer.showContext(4200);
    EXPECT_EQ(viewer.currentTopic(), "Upload");
    viewer.showTopic("NoSuchTopic");
    EXPECT_EQ(viewer.currentTopic(), "index");
}

TEST(Help, WindowOpensOverItsOwnerWithinTheScreen)
{
    const QSize wanted(760, 520);
    const struct {
        QRect owner, available, placed;
    } cases[] = {
        {{440, 312, 400, 400}, {0, 0, 1280, 1024}, {260, 252, 760, 520}},     // centred
        {{1100, 900, 400, 300}, {0, 0, 1280, 1024}, {520, 504, 760, 520}},    // kept inside
        {{0, 0, 640, 480}, {0, 0, 640, 480}, {32, 24, 576, 432}},             // at most 90 %
        {{1300, -50, 200, 100}, {1280, 0, 800, 600}, {1280, 0, 720, 520}},    // its own screen
    };
    for (const auto& c : cases)
        EXPECT_EQ(placeOver(wanted, c.owner, c.available), c.placed) << c.owner.x();
}

TEST(SetupText, DescriptionKeepsItsLineBreaksAndSingleBytes)
{
    const struct {
        std::string current;
        QString memo;
        std::string stored;
    } cases[] = {
        {"", "one\ntwo", "one\r\ntwo"},        // new text: CR LF as the indicator's tools write
        {"a\r\nb", "a\nb\nc", "a\r\nb\r\nc"},  // keeps CR LF
        {"a\nb", "a\nb\nc", "a\nb\nc"},        // keeps bare LF
        {"", QString::fromUtf8("caf\u00e9 \u20ac"), "caf\xe9 ?"},  // Latin-1, '?' outside it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(memoToDescription(c.memo, c.current), c.stored) << c.memo.toStdString();
        EXPECT_EQ(memoToDescription(descriptionToMemo(c.stored), c.stored), c.stored);
    }
}

// A memo refuses what its field cannot hold, typed or pasted; a line break takes
// two bytes where the text has CR LF breaks.
TEST(SetupText, MemoRefusesWhatItsFieldCannotHold)
{
    const struct {
        const char* shown;
        QString added;
        std::string kept;
    } cases[] = {
        {"ab\r\ncd", "efghij", "ab\r\ncdefgh"},
        {"ab\r\ncd", "\n\n\n", "ab\r\ncd\r\n\r\n"},
        {"ab\ncd", "\n\n\n\n\n\n", "ab\ncd\n\n\n\n\n"},
    };
    for (const auto& c : cases) {
        QPlainTextEdit memo;
        MemoText text;
        text.show(memo, c.shown);
        text.limit(memo, 10);
        memo.moveCursor(QTextCursor::End);
        for (QChar key : c.added)
            if (key == '\n')
                QTest::keyClick(&memo, Qt::Key_Return);
            else
                QTest::keyClick(&memo, key.toLatin1());
        EXPECT_EQ(text.read(memo), c.kept) << c.shown;
        memo.selectAll();
        memo.insertPlainText(QString(31, 'c'));  // as a paste over everything does
        EXPECT_EQ(text.read(memo), std::string(10, 'c'));
    }
}

#include "widgets_test.moc"
