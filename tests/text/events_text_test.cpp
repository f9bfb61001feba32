// The key, setpoint and timer events as text: names taken as their dialogs take
// them, refused with their messages, and written as the dialogs show them.
#include "model/setup_file.h"
#include "report_setups.h"
#include "whole_text.h"

#include <gtest/gtest.h>

namespace quelvar::text {
namespace {

TEST(EventsText, RefusesANameAsItsDialogDoes)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"[keys]\nf1_key = \"USER3\"\n", "2: keys.f1_key: Invalid Function - F1 key: USER3"},
        {"[keys]\ngross_net_key = \" zap \"\n",
         "2: keys.gross_net_key: Invalid Function - Gross/Net key: Zap"},
        {"[[setpoint]]\nnumber = 4\nupper = \"gross\"\n",
         "3: setpoint.4.upper: Upper register - invalid name: gross"},
        {"[[setpoint]]\nnumber = 1\nlower = \"Gross\"\nupper = \"True\"\n",
         "3: setpoint.1.lower: Lower register - invalid name: Gross"},
        {"[[setpoint]]\nnumber = 1\nupper = \"Gross\"\nlower = \"Motion\"\n",
         "4: setpoint.1.lower: Lower register - invalid name: Motion"},
        {"[[setpoint]]\nnumber = 15\nfunction = \"user2\"\n",
         "3: setpoint.15.function: Function register - invalid name: user2"},
        {"[[setpoint]]\nnumber = 16\nupper = \"Gross\"\n",
         "3: setpoint.16.upper: no key of that name"},
        {"[[timer]]\nnumber = 2\nfunction = \" bad \"\n",
         "3: timer.2.function: Invalid Function:  bad "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(importWhole(c.text).error, c.error) << c.text;
}

TEST(EventsText, AShortTextStoresWhatTheDialogsWould)
{
    const ImportResult r = importWhole("[keys]\n"
                                           "power_on = \"tare\"\n"
                                           "tare_key = \"\"\n"
                                           "f1_key = \" user3 \"\n"
                                           "[[setpoint]]\n"
                                           "number = 2\n"
                                           "lower = \"Motion\"\n"  // read under the upper register
                                           "upper = \"True\"\n"
                                           "function = \"Tare\"\n"
                                           "[[setpoint]]\n"
                                           "number = 3\n"
                                           "upper = \"Gross\"\n"
                                           "lower = \"Fixed43\"\n"
                                           "function = \"\"\n"
                                           "[[timer]]\n"
                                           "number = 1\n"
                                           "time = 100\n"
                                           "[[timer]]\n"
                                           "number = 3\n"
                                           "time = 300\n"
                                           "function = \"user5\"\n");
    ASSERT_TRUE(r.ok()) << r.error;
    const struct {
        std::size_t offset;
        int byte;
    } expected[] = {
        {456, 129}, {457, 3},   {462, 255}, {485, 115}, {486, 107}, {487, 129}, {488, 64},
        {489, 43},  {490, 255}, {467, 100}, {468, 0},   {473, 0x2C}, {474, 1},   {475, 5},
    };
    for (const auto& e : expected)
        EXPECT_EQ(r.setup.image[e.offset], e.byte) << e.offset;
}

TEST(EventsText, ExportShowsNamesAndLeavesFactoryEventsOut)
{
    const std::string factory = exportSetupText(test::factorySetup());
    EXPECT_NE(factory.find("power_on = \"\""), std::string::npos) << factory;
    EXPECT_NE(factory.find("print_key = \"Printmode\""), std::string::npos);
    EXPECT_EQ(factory.find("\n[[setpoint]]"), std::string::npos);
    EXPECT_EQ(factory.find("\n[[timer]]"), std::string::npos);

    const std::string full = exportSetupText(test::fullSetup());
    for (const char* line : {"upper = \"True\"", "lower = \"Motion\"", "function = \"Tare\"",
                             "upper = { raw = 200 }  #", "time = 100", "function = \"User1\"", "time = 0"})
        EXPECT_NE(full.find(line), std::string::npos) << line << "\n" << full;
}

}  // namespace
}  // namespace quelvar::text
