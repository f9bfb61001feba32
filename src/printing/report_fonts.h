#pragma once
// The report's fonts and how wide a text is in them, so that the report core can
// lay out lines without a font engine: a text is placed, moved or wrapped by these
// widths and the painter draws it with the same font, size and no kerning.
// Liberation Sans and Liberation Mono have the metrics of Arial and Courier New.

#include <string_view>

namespace quelvar {

// The page title (14 point), the page number (18), section lines (10), the
// function code dump (8) and the text block of the last section (9.75 point,
// 13 pixels on a 96 dpi screen).
enum class ReportFont { Title, PageNumber, Body, Small, Mono };

struct ReportFontSpec {
    std::string_view family;
    double points;
};

ReportFontSpec reportFontSpec(ReportFont font);

// The advance width of UTF-8 `text` in `font`, in hundredths of a millimetre,
// rounded up. A character outside Latin-1 counts as wide as the font's em.
int reportTextWidth(std::string_view text, ReportFont font);

}  // namespace quelvar
