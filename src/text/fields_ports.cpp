// [ports]: the indicator's I/O ports dialog.
#include "editors/port_params.h"
#include "model/bytes.h"
#include "model/decimal_text.h"
#include "model/image_map.h"
#include "model/param_items.h"
#include "text/text_fields.h"

#include <algorithm>
#include <iterator>
#include <sstream>

namespace quelvar::text {

namespace {

constexpr int kFirstPrintCodeItem = 35;

Field codeList(std::string key, int item, std::span<const std::string_view> names)
{
    return listField("ports." + key, itemComment(item), ItemOffset(item), 1, trimmedTexts(names),
                     1);
}

Field itemNumber(std::string key, int item, const std::string& more = {})
{
    return numberField("ports." + key, itemComment(item) + more, ItemOffset(item), 1);
}

int indexOf(const std::vector<std::string>& names, const std::string& name)
{
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

// A port's mode as its two lists show it: data bits, then parity ("8 none").
Field modeField(std::string key, int item)
{
    const std::size_t offset = ItemOffset(item);
    Field f{"ports." + key, itemComment(item) + ": data bits and parity", {imageBytes(offset, 1)}};
    f.show = [offset](const Setup& s) -> std::optional<Value> {
        const LineMode mode = lineMode(readByte(s.image, offset));
        if (mode.dataBits < 0) return std::nullopt;
        return trimmedTexts(dataBitsNames())[static_cast<std::size_t>(mode.dataBits)] + " " +
               trimmedTexts(parityNames())[static_cast<std::size_t>(mode.parity)];
    };
    f.store = [offset](Setup& s, const Value& v) -> Refusal {
        std::istringstream words(textOf(v));
        std::string bits, parity, more;
        words >> bits >> parity >> more;
        const auto mode = modeByte({indexOf(trimmedTexts(dataBitsNames()), bits),
                                    indexOf(trimmedTexts(parityNames()), parity)});
        if (!mode || !more.empty())
            return "\"" + textOf(v) +
                   "\" is not data bits (7 or 8) and a parity (none, even or odd)";
        writeByte(s.image, offset, *mode);
        return {};
    };
    f.raw = Raw::Number;
    return f;
}

// The three boxes of a print code as numbers ("27 64 0"); the byte after them is 0.
Field printCodeField(int code)
{
    const int item = kFirstPrintCodeItem + code - 1;
    Field f{"ports.print_code_" + std::to_string(code),
            itemComment(item) + ": three character codes",
            {imageBytes(image::printCodeOffset(code), image::kPrintCodeSize)}};
    f.show = [code](const Setup& s) -> std::optional<Value> {
        const PrintCode bytes = readPrintCode(s.image, code);
        return std::to_string(bytes[0]) + " " + std::to_string(bytes[1]) + " " +
               std::to_string(bytes[2]);
    };
    f.store = [code](Setup& s, const Value& v) -> Refusal {
        std::istringstream words(textOf(v));
        std::vector<std::string> numbers{std::istream_iterator<std::string>(words), {}};
        if (numbers.size() != 3) return "a print code is three numbers, as \"27 64 0\"";
        PrintCode bytes;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const auto number = parseIntegerText(numbers[i]);
            if (!number) return notANumberMessage(numbers[i], "integer");
            if (auto refusal = outOfRange(*number, 0, 255); refusal.refused()) return refusal;
            bytes[i] = static_cast<std::uint8_t>(*number);
        }
        writePrintCode(s.image, code, bytes);
        return {};
    };
    return f;
}

}  // namespace

void addPortFields(Fields& fields)
{
    fields.push_back(codeList("com_port_1_baud_rate", 24, baudRateNames()));
    fields.push_back(modeField("com_port_1_mode", 23));
    fields.push_back(codeList("com_port_2_baud_rate", 26, baudRateNames()));
    fields.push_back(modeField("com_port_2_mode", 25));
    fields.push_back(codeList("tx_format", 28, txFormatNames()));
    fields.push_back(itemNumber("station_id", 27));
    fields.push_back(codeList("printer_select", 29, printerNames()));
    fields.push_back(itemNumber("end_of_print_character", 31, ": its character code"));
    fields.push_back(yesNoField("ports.auto_lf_after_cr", itemComment(30), ItemOffset(30)));
    for (int code = 1; code <= 4; ++code)
        fields.push_back(printCodeField(code));
}

}  // namespace quelvar::text
