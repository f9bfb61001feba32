#include "printing/setup_report.h"

#include "editors/event_records.h"
#include "model/bytes.h"
#include "model/image_map.h"
#include "model/param_items.h"
#include "printing/page_format.h"
#include "printing/print_items.h"
#include "script/function_listing.h"
#include "script/name_tables.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <initializer_list>
#include <iomanip>
#include <locale>
#include <sstream>

namespace quelvar {

namespace {

constexpr int kBodyLineHeight = 440;
constexpr int kNarrowLineHeight = 350;
constexpr int kTextBlockTopGap = 180;
constexpr int kTextBlockMinHeight = 1500;
constexpr int kPageNumberX = 16930;

template <typename... Args> std::string formatted(const char* format, Args... args)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

// Each cell may run up to the next one, the last one up to the right margin.
std::vector<ReportCell> fitWidths(std::vector<ReportCell> cells)
{
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i].width = (i + 1 < cells.size() ? cells[i + 1].x : kReportBodyWidth) - cells[i].x;
    return cells;
}

std::vector<ReportCell> cellsAt(std::initializer_list<std::pair<int, std::string>> columns)
{
    std::vector<ReportCell> cells;
    for (const auto& [x, text] : columns)
        cells.push_back({x, 0, text});
    return fitWidths(std::move(cells));
}

class ReportBuilder {
public:
    explicit ReportBuilder(SetupReport& report) : m_report(report) {}

    void section(int number, int height, ReportFont font)
    {
        m_section = number;
        m_height = height;
        m_font = font;
    }
    void line(std::vector<ReportCell> cells = {})
    {
        m_report.lines.push_back({m_section, m_height, m_font, std::move(cells)});
    }
    void blank(int count)
    {
        for (int i = 0; i < count; ++i)
            line();
    }

private:
    SetupReport& m_report;
    int m_section = 0;
    int m_height = 0;
    ReportFont m_font = ReportFont::Body;
};

// Section 1: the header, then every numbered item that has a value, in row order.
void addParameterItems(ReportBuilder& out, const SetupImage& image)
{
    out.section(1, kBodyLineHeight, ReportFont::Body);
    out.line(cellsAt({{750, "Item"},
                      {1900, "Description"},
                      {6570, "Value"},
                      {10890, "Default/Size"},
                      {14290, "Password Level"}}));
    for (int index = 1; ItemNumber(index) != 0; ++index) {
        if (ItemKind(index) == ParamKind::Action) continue;
        std::string description, value;
        const int number = ItemDescription(description, index);
        ParamValueText(value, image, index);
        out.line(cellsAt({{750, formatted("%3d", number)},
                          {1900, description},
                          {6570, value},
                          {10890, std::to_string(ItemDefault(index))},
                          {14290, std::to_string(ItemPassLevel(index))}}));
    }
}

// Section 2: each page format's title, header and sixteen entries. The Item column
// shows the entry's place in the page item table, 0 for a code no item carries.
void addPrintFormats(ReportBuilder& out, const SetupImage& image)
{
    out.section(2, kBodyLineHeight, ReportFont::Body);
    const NameTable& items = pageItemTable();
    for (int page = 1; page <= kPageFormatCount; ++page) {
        out.blank(page == 1 ? 2 : 1);
        out.line(cellsAt({{7300, formatted("Print Format - Page - %d", page)}}));
        out.line(cellsAt({{-20, ""},
                          {930, "Line"},
                          {2140, "Col"},
                          {3700, "Item"},
                          {5090, "Name"},
                          {7300, "Description"}}));
        const PageFormat format = readPageFormat(image, page);
        for (int e = 1; e <= kPageEntryCount; ++e) {
            const PageEntry entry = pageEntry(format, e);
            const int index = LookupByCode(items, entry.item);
            out.line(cellsAt({{-20, std::to_string(e)},
                              {930, std::to_string(entry.row)},
                              {2140, std::to_string(entry.column)},
                              {3700, std::to_string(index)},
                              {5090, std::string(items.name(index))},
                              {7300, std::string(items.description(index))}}));
        }
    }
}

// Section 3: the fifteen setpoints, and beside the first five the five timers.
void addSetpointsAndTimers(ReportBuilder& out, const SetupImage& image)
{
    out.section(3, kNarrowLineHeight, ReportFont::Body);
    out.blank(2);
    out.line(cellsAt({{950, "Setpoint"}, {2090, "Monitor configuration"}, {12770, "Timers"}}));
    out.line(cellsAt({{-20, "SP#"},
                      {950, "Upper"},
                      {2090, "Lower"},
                      {3150, "Func"},
                      {4390, "Upper"},
                      {6330, "Lower"},
                      {8090, "Function"},
                      {11620, "#"},
                      {12770, "Time"},
                      {14000, "Function"},
                      {15500, "Function"}}));
    for (int n = kFirstSetpoint; n <= kLastSetpoint; ++n) {
        const SetpointRecord record = readSetpoint(image, n);
        const SetpointNames names = setpointNames(record);
        std::vector<ReportCell> cells = cellsAt({{-20, std::to_string(n)},
                                                 {950, std::to_string(record.upper)},
                                                 {2090, std::to_string(record.lower)},
                                                 {3150, std::to_string(record.function)},
                                                 {4390, names.upper},
                                                 {6330, names.lower},
                                                 {8090, names.function}});
        if (n <= kTimerCount) {
            const TimerRecord timer = readTimer(image, n);
            for (auto& cell : cellsAt({{11620, std::to_string(n)},
                                       {12770, formatted("%u", unsigned{timer.time})},
                                       {14000, std::to_string(timer.function)},
                                       {15500, nameOfCode(functionTable(), timer.function)}}))
                cells.push_back(std::move(cell));
        }
        out.line(fitWidths(std::move(cells)));
    }
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
        std::vector<ReportCell> title;
        for (int g = 0; g < 3; ++g) {
            const std::string name(functionTable().name(LookupByCode(functionTable(), first + g)));
            title.push_back({kDumpByteX[g][0], 0,
                             formatted("Tally Script function %2d  %s", first + g, name.c_str())});
        }
        out.line(fitWidths(std::move(title)));
        for (int offset = 0; offset < 64; offset += 8) {
            std::vector<ReportCell> cells;
            for (int g = 0; g < 3; ++g) {
                const std::size_t at = image::functionSlotOffset(first + g) + offset;
                cells.push_back({kDumpOffsetX[g], 0, std::to_string(offset)});
                for (int b = 0; b < 8; ++b)
                    cells.push_back({kDumpByteX[g][b], 0, std::to_string(readByte(image, at + b))});
            }
            out.line(fitWidths(std::move(cells)));
        }
    }
    out.blank(1);
}

// A line of the text block cut into pieces that fit its width: at the last blank
// that fits, or in the middle of a word that is longer than a line.
void addWrapped(std::vector<std::string>& lines, std::string text)
{
    constexpr std::size_t kPerLine = kReportTextBlockWidth / kReportMonoAdvance;
    std::replace(text.begin(), text.end(), '\t', ' ');
    while (text.size() > kPerLine) {
        const std::size_t blank = text.rfind(' ', kPerLine);
        const bool atBlank = blank != std::string::npos && blank > 0;
        const std::size_t cut = atBlank ? blank : kPerLine;
        lines.push_back(text.substr(0, cut));
        text.erase(0, atBlank ? cut + 1 : cut);
    }
    lines.push_back(text);
}

std::vector<std::string> wrapTextBlock(const std::string& block)
{
    std::vector<std::string> lines;
    std::istringstream in(block);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        addWrapped(lines, line);
    }
    return lines;
}

// Section 5: the application description, then each used function's name,
// description and listing, as one text block that flows over pages.
void addDescriptionAndListings(ReportBuilder& out, Setup& setup)
{
    std::string block = "Application Description: " + setup.description + "\n\n";
    for (int n = 1; n < static_cast<int>(kFunctionCount); ++n) {
        if (!FunctionSlotUsed(setup.image, n)) continue;
        block += "TS Function " + std::string(userFunctionName(n)) + "\n";
        block += readText(setup.functionDescriptions,
                          static_cast<std::size_t>(n) * kFunctionDescriptionSize,
                          kFunctionDescriptionSize);
        block += "\n";
        AppendFunctionListing(block, setup, n);
    }
    out.section(5, kTextBlockTopGap, ReportFont::Mono);
    out.line();
    out.section(5, kReportMonoLineHeight, ReportFont::Mono);
    const auto lines = wrapTextBlock(block);
    for (const std::string& text : lines)
        out.line(cellsAt({{0, text}}));
    const int height = static_cast<int>(lines.size()) * kReportMonoLineHeight;
    if (height < kTextBlockMinHeight) {
        out.section(5, kTextBlockMinHeight - height, ReportFont::Mono);
        out.line();
    }
}

std::string baseName(std::string_view path)
{
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::vector<PlacedLine> pageHeader(const SetupReport& report, int number)
{
    return {
        {0, {0, kReportHeaderHeight, ReportFont::Title, {{20, kPageNumberX - 20, report.title}}}},
        {0,
         {0,
          kReportHeaderHeight,
          ReportFont::PageNumber,
          {{kPageNumberX, kReportBodyWidth - kPageNumberX, std::to_string(number)}}}},
    };
}

}  // namespace

SetupReport buildSetupReport(Setup& setup, std::string_view fileName, std::string_view date)
{
    SetupReport report;
    report.title = "Setup File Report: " + baseName(fileName) + "    " + std::string(date);
    ReportBuilder out(report);
    addParameterItems(out, setup.image);
    addPrintFormats(out, setup.image);
    addSetpointsAndTimers(out, setup.image);
    addFunctionDump(out, setup.image);
    addDescriptionAndListings(out, setup);
    return report;
}

std::vector<ReportPage> paginateReport(const SetupReport& report)
{
    std::vector<ReportPage> pages;
    int y = kReportBodyHeight;
    for (const ReportLine& line : report.lines) {
        if (y + line.height > kReportBodyHeight) {
            const int number = static_cast<int>(pages.size()) + 1;
            pages.push_back({number, pageHeader(report, number)});
            y = kReportHeaderHeight;
        }
        pages.back().lines.push_back({y, line});
        y += line.height;
    }
    return pages;
}

std::string reportText(const std::vector<ReportPage>& pages)
{
    std::string text;
    for (const ReportPage& page : pages) {
        if (page.number > 1) text += "\f\n";
        for (std::size_t i = 0; i < page.lines.size(); ++i) {
            // The title and the page number share the header's line.
            const bool sameLine = i > 0 && page.lines[i].y == page.lines[i - 1].y;
            if (sameLine) text.back() = '\t';
            const auto& cells = page.lines[i].line.cells;
            for (std::size_t c = 0; c < cells.size(); ++c)
                text += (c > 0 ? "\t" : "") + cells[c].text;
            text += '\n';
        }
    }
    return text;
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
