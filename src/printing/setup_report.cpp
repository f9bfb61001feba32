#include "printing/setup_report.h"

#include "editors/event_records.h"
#include "model/bytes.h"
#include "model/image_map.h"
#include "model/param_items.h"
#include "printing/page_format.h"
#include "printing/print_items.h"
#include "script/function_listing.h"
#include "script/name_tables.h"

#include <cstdio>
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

namespace quelvar {

namespace {

constexpr int kBodyLineHeight = 440;
constexpr int kNarrowLineHeight = 350;
constexpr int kTextBlockTopGap = 180;
constexpr int kMonoLineHeight = 390;

template <typename... Args> std::string formatted(const char* format, Args... args)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

using Cells = std::vector<ReportCell>;

class ReportBuilder {
public:
    explicit ReportBuilder(SetupReport& report) : m_report(report) {}

    void section(int number, int height, ReportFont font)
    {
        m_section = number;
        m_height = height;
        m_font = font;
    }
    // The lines up to the next endBlock() keep together.
    void beginBlock() { m_block = ++m_blocks; }
    void endBlock() { m_block = 0; }

    void line(Cells cells = {}, LineKind kind = LineKind::Row)
    {
        m_report.lines.push_back({m_section, m_height, m_font, std::move(cells), kind, m_block});
    }
    void heading(Cells cells) { line(std::move(cells), LineKind::Heading); }
    void blank(int count)
    {
        for (int i = 0; i < count; ++i)
            line();
    }
    // Each line of `text` as a line of the text block.
    void text(const std::string& text)
    {
        std::istringstream in(text);
        for (std::string piece; std::getline(in, piece);)
            line({{0, piece}}, LineKind::Text);
    }

private:
    SetupReport& m_report;
    int m_section = 0;
    int m_height = 0;
    ReportFont m_font = ReportFont::Body;
    int m_block = 0;
    int m_blocks = 0;
};

// Section 1: the header, then every numbered item that has a value, in row order.
void addParameterItems(ReportBuilder& out, const SetupImage& image)
{
    out.section(1, kBodyLineHeight, ReportFont::Body);
    out.heading({{750, "Item"},
                 {1900, "Description"},
                 {6570, "Value"},
                 {10890, "Default/Size"},
                 {14290, "Password Level"}});
    for (int index = 1; ItemNumber(index) != 0; ++index) {
        if (ItemKind(index) == ParamKind::Action) continue;
        std::string description, value;
        const int number = ItemDescription(description, index);
        ParamValueText(value, image, index);
        out.line({{750, formatted("%3d", number)},
                  {1900, description},
                  {6570, value},
                  {10890, std::to_string(ItemDefault(index))},
                  {14290, std::to_string(ItemPassLevel(index))}});
    }
}

// Section 2: each page format's title, header and sixteen entries. The Item column
// shows the entry's place in the page item table; a code no item carries shows as
// itself in angle brackets.
void addPrintFormats(ReportBuilder& out, const SetupImage& image)
{
    out.section(2, kBodyLineHeight, ReportFont::Body);
    const NameTable& items = pageItemTable();
    for (int page = 1; page <= kPageFormatCount; ++page) {
        out.blank(page == 1 ? 2 : 1);
        out.beginBlock();
        out.heading({{7300, formatted("Print Format - Page - %d", page)}});
        out.heading({{-20, ""},
                     {930, "Line"},
                     {2140, "Col"},
                     {3700, "Item"},
                     {5090, "Name"},
                     {7300, "Description"}});
        const PageFormat format = readPageFormat(image, page);
        for (int e = 1; e <= kPageEntryCount; ++e) {
            const PageEntry entry = pageEntry(format, e);
            const int index = LookupByCode(items, entry.item);
            const bool known = index != 0 || entry.item == 0;
            const std::string name = nameOrCode(items, entry.item);
            out.line({{-20, std::to_string(e)},
                      {930, std::to_string(entry.row)},
                      {2140, std::to_string(entry.column)},
                      {3700, known ? std::to_string(index) : name},
                      {5090, name},
                      {7300, known ? std::string(items.description(index)) : ""}});
        }
        out.endBlock();
    }
}

// Section 3: the fifteen setpoints, and beside the first five the five timers.
void addSetpointsAndTimers(ReportBuilder& out, const SetupImage& image)
{
    out.section(3, kNarrowLineHeight, ReportFont::Body);
    out.blank(2);
    out.beginBlock();
    out.heading({{950, "Setpoint"}, {2090, "Monitor configuration"}, {12770, "Timers"}});
    out.heading({{-20, "SP#"},
                 {950, "Upper"},
                 {2090, "Lower"},
                 {3150, "Func"},
                 {4390, "Upper"},
                 {6330, "Lower"},
                 {8090, "Function"},
                 {11620, "#"},
                 {12770, "Time"},
                 {14000, "Function"},
                 {15500, "Function"}});
    for (int n = kFirstSetpoint; n <= kLastSetpoint; ++n) {
        const SetpointRecord record = readSetpoint(image, n);
        Cells cells = {{-20, std::to_string(n)},
                       {950, std::to_string(record.upper)},
                       {2090, std::to_string(record.lower)},
                       {3150, std::to_string(record.function)},
                       {4390, nameOrCode(registerTable(), record.upper)},
                       {6330, nameOrCode(lowerFieldTable(record.upper), record.lower)},
                       {8090, nameOrCode(functionTable(), record.function)}};
        if (n <= kTimerCount) {
            const TimerRecord timer = readTimer(image, n);
            cells.insert(cells.end(), {{11620, std::to_string(n)},
                                       {12770, formatted("%u", unsigned{timer.time})},
                                       {14000, std::to_string(timer.function)},
                                       {15500, nameOrCode(functionTable(), timer.function)}});
        }
        out.line(std::move(cells));
    }
    out.endBlock();
}

// Section 4: the user functions' byte code, three functions side by side.
constexpr int kDumpOffsetX[3] = {-20, 6500, 12850};
constexpr int kDumpByteX[3][8] = {
    {600, 1300, 2010, 2710, 3420, 4120, 4830, 5530},
    {6950, 7650, 8360, 9060, 9770, 10470, 11180, 11880},
    {13380, 14090, 14790, 15500, 16210, 16910, 17620, 18320},
};

void addFunctionDump(ReportBuilder& out, const SetupImage& image)
{
    out.section(4, kNarrowLineHeight, ReportFont::Small);
    for (int first = 1; first <= 13; first += 3) {
        out.blank(first == 1 ? 2 : 1);
        out.beginBlock();
        Cells title;
        for (int g = 0; g < 3; ++g) {
            const std::string name = nameOrCode(functionTable(), first + g);
            title.push_back({kDumpByteX[g][0],
                             formatted("Tally Script function %2d  %s", first + g, name.c_str())});
        }
        out.heading(std::move(title));
        for (int offset = 0; offset < 64; offset += 8) {
            Cells cells;
            for (int g = 0; g < 3; ++g) {
                const std::size_t at = image::functionSlotOffset(first + g) + offset;
                cells.push_back({kDumpOffsetX[g], std::to_string(offset)});
                for (int b = 0; b < 8; ++b)
                    cells.push_back({kDumpByteX[g][b], std::to_string(readByte(image, at + b))});
            }
            out.line(std::move(cells));
        }
        out.endBlock();
    }
    out.blank(1);
}

// Section 5: the application description, then each used function's name,
// description and listing, as one text block that flows over pages; a function
// keeps to one page when it fits, its name heading the page it goes on to.
void addDescriptionAndListings(ReportBuilder& out, Setup& setup)
{
    out.section(5, kTextBlockTopGap, ReportFont::Mono);
    out.line();
    out.section(5, kMonoLineHeight, ReportFont::Mono);
    out.text(applicationDescriptionText(setup));
    for (int n = 1; n < static_cast<int>(kFunctionCount); ++n) {
        if (!FunctionSlotUsed(setup.image, n)) continue;
        const std::string text = functionText(setup, n);
        const std::size_t firstBreak = text.find('\n');
        out.beginBlock();
        out.heading({{0, text.substr(0, firstBreak)}});
        out.text(text.substr(firstBreak + 1));
        out.endBlock();
    }
}

std::string baseName(std::string_view path)
{
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

SetupReport buildSetupReport(Setup& setup, std::string_view fileName, std::string_view date)
{
    SetupReport report;
    report.fileName = baseName(fileName);
    report.title = "Setup File Report: " + report.fileName + "    " + std::string(date);
    ReportBuilder out(report);
    addParameterItems(out, setup.image);
    addPrintFormats(out, setup.image);
    addSetpointsAndTimers(out, setup.image);
    addFunctionDump(out, setup.image);
    addDescriptionAndListings(out, setup);
    return report;
}

std::string todayShortDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::ostringstream out;
    try {
        out.imbue(std::locale(""));
    } catch (const std::runtime_error&) {
        // An unknown locale in the environment: the C locale's format.
    }
    out << std::put_time(&local, "%x");
    return out.str();
}

}  // namespace quelvar
