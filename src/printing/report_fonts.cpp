#include "printing/report_fonts.h"

#include <array>
#include <cstdint>

namespace quelvar {

namespace {

constexpr int kUnitsPerEm = 2048;
constexpr int kMonoAdvance = 1229;

// Liberation Sans advance widths of the characters 32 to 255, in font units.
constexpr std::array<std::uint16_t, 224> kSansAdvance{
    569,  569,  727,  1139, 1139, 1821, 1366, 391,  682,  682,  797,  1196, 569,  682,  569,  569,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 569,  569,  1196, 1196, 1196, 1139,
    2079, 1366, 1366, 1479, 1479, 1366, 1251, 1593, 1479, 569,  1024, 1366, 1139, 1706, 1479, 1593,
    1366, 1593, 1479, 1366, 1251, 1479, 1366, 1933, 1366, 1366, 1251, 569,  569,  569,  961,  1139,
    682,  1139, 1139, 1024, 1139, 1139, 569,  1139, 1139, 455,  455,  1024, 455,  1706, 1139, 1139,
    1139, 1139, 682,  1024, 569,  1139, 1024, 1479, 1024, 1024, 1024, 684,  532,  684,  1196, 748,
    748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,
    748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,  748,
    569,  682,  1139, 1139, 1139, 1139, 532,  1139, 682,  1509, 758,  1139, 1196, 682,  1509, 1131,
    819,  1124, 682,  682,  682,  1180, 1100, 569,  682,  682,  748,  1139, 1708, 1708, 1708, 1251,
    1366, 1366, 1366, 1366, 1366, 1366, 2048, 1479, 1366, 1366, 1366, 1366, 569,  569,  569,  569,
    1479, 1479, 1593, 1593, 1593, 1593, 1593, 1196, 1593, 1479, 1479, 1479, 1479, 1366, 1366, 1251,
    1139, 1139, 1139, 1139, 1139, 1139, 1821, 1024, 1139, 1139, 1139, 1139, 569,  569,  569,  569,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1124, 1251, 1139, 1139, 1139, 1139, 1024, 1139, 1024,
};

// The UTF-8 character at `at` and the bytes it takes; a stray byte counts alone.
char32_t characterAt(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0xC0) return lead;
    const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t c = lead & (0x3F >> more);
    for (int i = 0; i < more && at < text.size(); ++i)
        c = c << 6 | (static_cast<unsigned char>(text[at++]) & 0x3F);
    return c;
}

int advance(char32_t c, ReportFont font)
{
    if (font == ReportFont::Mono) return kMonoAdvance;
    if (c < 32 || c > 255) return kUnitsPerEm;
    return kSansAdvance[c - 32];
}

}  // namespace

ReportFontSpec reportFontSpec(ReportFont font)
{
    switch (font) {
    case ReportFont::Title: return {"Liberation Sans", 14};
    case ReportFont::PageNumber: return {"Liberation Sans", 18};
    case ReportFont::Body: return {"Liberation Sans", 10};
    case ReportFont::Small: return {"Liberation Sans", 8};
    case ReportFont::Mono: return {"Liberation Mono", 9.75};
    }
    return {"Liberation Sans", 10};
}

int reportTextWidth(std::string_view text, ReportFont font)
{
    long units = 0;
    for (std::size_t at = 0; at < text.size();)
        units += advance(characterAt(text, at), font);
    // A point is 2540/72 hundredths of a millimetre.
    const double width = units * reportFontSpec(font).points / kUnitsPerEm * 2540.0 / 72.0;
    const int whole = static_cast<int>(width);
    return whole < width ? whole + 1 : whole;
}

}  // namespace quelvar
