#include "printing/report_pages.h"

#include <algorithm>

namespace quelvar {

namespace {

// The report's columns are placed for the 190.5 mm between Letter's margins.
constexpr int kLetterBodyWidth = 19050;
constexpr int kTitleX = 20;
constexpr int kPageNumberX = 16930;
constexpr int kTextBlockWidth = 19070;

constexpr std::string_view kContinued = " (continued)";

int widthOf(std::string_view text, ReportFont font)
{
    return reportTextWidth(text, font);
}

bool continuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The first piece of `text` that fits `room`: up to its last blank that fits, or
// as many characters as fit when a word alone is wider (at least one character).
// The blank at the break is dropped from both pieces.
std::pair<std::string, std::string> splitToFit(const std::string& text, int room, ReportFont font)
{
    std::size_t end = 0;
    for (std::size_t next = 1; next <= text.size(); ++next) {
        if (next < text.size() && continuationByte(text[next])) continue;
        if (widthOf(std::string_view(text).substr(0, next), font) > room) break;
        end = next;
    }
    if (end == text.size()) return {text, ""};
    const std::size_t blank = text.rfind(' ', end);
    if (blank != std::string::npos && blank > 0)
        return {text.substr(0, blank), text.substr(blank + 1)};
    if (end == 0)
        while (++end < text.size() && continuationByte(text[end])) {
        }
    return {text.substr(0, end), text.substr(end)};
}

std::vector<std::string> wrapToFit(std::string text, int room, ReportFont font)
{
    std::vector<std::string> pieces;
    do {
        auto [piece, rest] = splitToFit(text, room, font);
        pieces.push_back(std::move(piece));
        text = std::move(rest);
    } while (!text.empty());
    return pieces;
}

class Fitter {
public:
    explicit Fitter(ReportLayout layout)
        : m_layout(layout), m_scale(std::min(1.0, double(layout.width) / kLetterBodyWidth))
    {
    }

    int x(int letterX) const { return static_cast<int>(letterX * m_scale); }

    // The line as it goes on paper: one line, or several where texts wrap.
    std::vector<ReportLine> fit(ReportLine line) const
    {
        for (ReportCell& cell : line.cells)
            cell.x = x(cell.x);
        switch (line.kind) {
        case LineKind::Heading: return {pushApart(std::move(line))};
        case LineKind::Text: return wrapText(std::move(line));
        case LineKind::Row: return wrapCells(std::move(line));
        }
        return {line};
    }

    // The title, wrapped to the room before the page number, and the page number.
    std::vector<PlacedLine> header(const std::string& title, int number) const
    {
        const int numberX = x(kPageNumberX);
        ReportLine titleLine{0, kReportHeaderHeight, ReportFont::Title, {{x(kTitleX), title}}};
        titleLine.cells.push_back({numberX, ""});  // where the title's room ends
        std::vector<PlacedLine> lines;
        int y = 0;
        for (ReportLine& piece : wrapCells(std::move(titleLine))) {
            piece.cells.pop_back();
            lines.push_back({y, std::move(piece), -1, false});
            y += kReportHeaderHeight;
        }
        const ReportLine page{
            0, kReportHeaderHeight, ReportFont::PageNumber, {{numberX, std::to_string(number)}}};
        lines.insert(lines.begin() + 1, {0, page, -1, false});
        return lines;
    }

private:
    // A heading that would run into the next one pushes it right by a blank.
    ReportLine pushApart(ReportLine line) const
    {
        const int blank = widthOf(" ", line.font);
        int end = 0;
        bool first = true;
        for (ReportCell& cell : line.cells) {
            if (cell.text.empty()) continue;
            if (!first) cell.x = std::max(cell.x, end + blank);
            end = cell.x + widthOf(cell.text, line.font);
            first = false;
        }
        return line;
    }

    std::vector<ReportLine> wrapText(ReportLine line) const
    {
        const int room = std::min(kTextBlockWidth, m_layout.width) - line.cells[0].x;
        std::vector<ReportLine> lines;
        for (std::string& piece : wrapToFit(line.cells[0].text, room, line.font)) {
            lines.push_back(line);
            lines.back().cells[0].text = std::move(piece);
        }
        return lines;
    }

    // Each cell may use the room up to a blank before the next column, the last up
    // to the right margin; a longer text goes on in its column on further lines.
    std::vector<ReportLine> wrapCells(ReportLine line) const
    {
        const int gap = widthOf(" ", line.font);
        std::vector<ReportLine> lines{line};
        for (std::size_t c = 0; c < line.cells.size(); ++c) {
            const bool last = c + 1 == line.cells.size();
            const int room = (last ? m_layout.width : line.cells[c + 1].x - gap) - line.cells[c].x;
            const auto pieces = wrapToFit(line.cells[c].text, room, line.font);
            for (std::size_t p = 0; p < pieces.size(); ++p) {
                if (p == lines.size()) {
                    lines.push_back(line);
                    for (ReportCell& cell : lines.back().cells)
                        cell.text.clear();
                }
                lines[p].cells[c].text = pieces[p];
            }
        }
        return lines;
    }

    ReportLayout m_layout;
    double m_scale;
};

int heightOf(const std::vector<ReportLine>& lines)
{
    int height = 0;
    for (const ReportLine& line : lines)
        height += line.height;
    return height;
}

class Paginator {
public:
    Paginator(const SetupReport& report, ReportLayout layout)
        : m_report(report), m_layout(layout), m_fitter(layout)
    {
        for (const ReportLine& line : report.lines)
            m_fitted.push_back(m_fitter.fit(line));
        m_headerHeight = m_fitter.header(report.title, 1).back().y + kReportHeaderHeight;
    }

    std::vector<ReportPage> pages()
    {
        for (std::size_t i = 0; i < m_fitted.size(); ++i) {
            if (m_pages.empty() || movesToNextPage(i)) startPage(i);
            for (const ReportLine& piece : m_fitted[i]) {
                if (!fits(piece.height) && !pageIsEmpty()) startPage(i);
                place(piece, static_cast<int>(i), false);
            }
        }
        return std::move(m_pages);
    }

private:
    int room() const { return m_layout.height - m_headerHeight; }
    bool fits(int height) const { return m_y + height <= m_layout.height; }
    bool pageIsEmpty() const { return m_y == m_headerHeight; }

    // A block, or a table line wrapped over several lines, that does not fit the
    // rest of this page but fits a page of its own starts the next page.
    bool movesToNextPage(std::size_t i) const
    {
        const bool keptTogether = startsBlock(i) || m_report.lines[i].kind != LineKind::Text;
        const int height = startsBlock(i) ? blockHeight(i) : heightOf(m_fitted[i]);
        return keptTogether && !fits(height) && height <= room() && !pageIsEmpty();
    }

    int blockOf(std::size_t i) const { return m_report.lines[i].block; }
    bool startsBlock(std::size_t i) const
    {
        return blockOf(i) != 0 && (i == 0 || blockOf(i - 1) != blockOf(i));
    }
    int blockHeight(std::size_t first) const
    {
        int height = 0;
        for (std::size_t i = first; i < m_fitted.size() && blockOf(i) == blockOf(first); ++i)
            height += heightOf(m_fitted[i]);
        return height;
    }

    // A new page for line i: a block that goes on over it gets its headings again.
    void startPage(std::size_t i)
    {
        const int number = static_cast<int>(m_pages.size()) + 1;
        m_pages.push_back({number, m_fitter.header(m_report.title, number)});
        m_y = m_headerHeight;
        if (blockOf(i) == 0 || startsBlock(i) || m_report.lines[i].kind == LineKind::Heading)
            return;
        std::size_t first = i;
        while (first > 0 && blockOf(first - 1) == blockOf(i))
            --first;
        bool continued = false;
        for (std::size_t h = first; h < i && m_report.lines[h].kind == LineKind::Heading; ++h) {
            ReportLine heading = m_report.lines[h];
            if (!continued) heading.cells.back().text += kContinued;
            continued = true;
            for (const ReportLine& piece : m_fitter.fit(std::move(heading)))
                place(piece, static_cast<int>(h), true);
        }
    }

    void place(const ReportLine& line, int source, bool repeated)
    {
        m_pages.back().lines.push_back({m_y, line, source, repeated});
        m_y += line.height;
    }

    const SetupReport& m_report;
    ReportLayout m_layout;
    Fitter m_fitter;
    std::vector<std::vector<ReportLine>> m_fitted;
    std::vector<ReportPage> m_pages;
    int m_headerHeight = 0;
    int m_y = 0;
};

}  // namespace

ReportLayout reportLayout(ReportPaper paper, ReportOrientation orientation)
{
    // Width and height of the paper in portrait, hundredths of a millimetre.
    const auto [width, height] = paper == ReportPaper::A4      ? std::pair{21000, 29700}
                                 : paper == ReportPaper::Legal ? std::pair{21590, 35560}
                                                               : std::pair{21590, 27940};
    const bool portrait = orientation == ReportOrientation::Portrait;
    return {(portrait ? width : height) - 2 * kReportMargin,
            (portrait ? height : width) - 2 * kReportMargin};
}

std::vector<ReportPage> paginateReport(const SetupReport& report, ReportLayout layout)
{
    return Paginator(report, layout).pages();
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

}  // namespace quelvar
