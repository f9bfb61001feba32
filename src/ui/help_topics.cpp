#include "ui/help_topics.h"

#include <algorithm>

namespace quelvar {

namespace {

constexpr HelpTopic kTopics[] = {
    {"contents", "Contents"},
    {"index", "Index"},
    {"MainWindow", "The main window"},
    {"Files", "Opening and saving setup files"},
    {"Description", "Application description"},
    {"Defaults", "Reset to Defaults"},
    {"CfgScale", "Scale parameters"},
    {"CfgPorts", "I/O ports"},
    {"CfgMisc", "Miscellaneous settings"},
    {"CfgAout", "Analog output"},
    {"CfgFixed", "Fixed registers"},
    {"CfgPasswords", "Passwords"},
    {"CfgTSselect", "Tally Script: choosing a function"},
    {"CfgTSedit", "Tally Script: editing a function"},
    {"KeyboardEvent", "Keyboard and power-on events"},
    {"CfgSetpoints", "Setpoint events"},
    {"CfgTimers", "Timer events"},
    {"CfgPage", "Print formats"},
    {"CfgLabels", "Print labels"},
    {"ComSetup", "Com port setup"},
    {"ComTest", "Communications test"},
    {"ControlBlock", "Device control block"},
    {"Upload", "Upload PC --> Indicator"},
    {"Download", "Download PC <-- Indicator"},
    {"Compare", "Compare and backups"},
    {"DisplayConfig", "Display Config"},
    {"Print", "Preview / Print"},
};

struct ContextTopic {
    int number;
    const char* keyword;
};

constexpr ContextTopic kContexts[] = {
    {8, "index"},          {80, "MainWindow"},      {2100, "MainWindow"},    {2300, "CfgScale"},
    {2400, "CfgPorts"},    {2500, "CfgMisc"},       {2600, "CfgPage"},       {2700, "CfgLabels"},
    {2800, "CfgFixed"},    {2900, "KeyboardEvent"}, {3000, "CfgSetpoints"},  {3100, "CfgTimers"},
    {3200, "CfgTSselect"}, {3300, "CfgPasswords"},  {3400, "DisplayConfig"}, {3500, "Defaults"},
    {3600, "MainWindow"},  {3700, "MainWindow"},    {3800, "Files"},         {3900, "Files"},
    {4000, "Files"},       {4100, "MainWindow"},    {4200, "Upload"},        {4300, "Download"},
    {4350, "Compare"},     {4400, "MainWindow"},  {4500, "Print"},         {4600, "ComSetup"},      {4700, "contents"},
    {4800, "Description"},
};

}  // namespace

std::span<const HelpTopic> helpTopics()
{
    return kTopics;
}

bool isHelpTopic(const QString& keyword)
{
    return std::any_of(std::begin(kTopics), std::end(kTopics),
                       [&](const HelpTopic& t) { return keyword == QLatin1String(t.keyword); });
}

QString helpTopicForContext(int number)
{
    for (const auto& c : kContexts)
        if (c.number == number) return QString::fromLatin1(c.keyword);
    return QStringLiteral("index");
}

}  // namespace quelvar
