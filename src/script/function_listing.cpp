#include "script/function_listing.h"

#include "model/bytes.h"
#include "model/utf8_text.h"
#include "script/name_tables.h"
#include "script/tally_script.h"

namespace quelvar {

namespace {

constexpr std::uint8_t kEndOpcode = 255;
constexpr std::uint8_t kEndIfOpcode = 240;

// Padded to `width` characters (a field may hold UTF-8).
void appendPadded(std::string& text, std::string_view field, std::size_t width, bool left)
{
    const std::size_t length = utf8Length(field);
    std::string padding(width > length ? width - length : 0, ' ');
    text += left ? std::string(field) + padding : padding + std::string(field);
}

// "%3s %3s %3s %3s  ": the instruction's first four bytes, missing ones blank.
void appendBytes(std::string& text, std::span<const std::uint8_t> bytes)
{
    for (std::size_t i = 0; i < 4; ++i) {
        appendPadded(text, i < bytes.size() ? std::to_string(bytes[i]) : "", 3, false);
        text += i < 3 ? " " : "  ";
    }
}

}  // namespace

bool FunctionSlotUsed(const SetupImage& image, int n)
{
    auto slot = functionSlot(image, n);
    return !slot.empty() && slot.front() != kEndOpcode;
}

void AppendFunctionListing(std::string& text, Setup& setup, int n)
{
    if (!isFunctionNumber(n)) return;
    setSlotGuard(setup.image, n);
    const auto& image = setup.image;
    const std::size_t end = functionSlotOffset(n) + kFunctionSlotSize;
    std::size_t position = functionSlotOffset(n);
    for (int i = 0;; ++i) {
        // An End ends the listing unless an End if follows it.
        bool last = image[position] == kEndOpcode && readByte(image, position + 1) != kEndIfOpcode;
        const std::size_t start = position;
        ListingLine line;
        DecodeInstruction(image, position, line);
        last = last || position >= end;
        appendBytes(text, std::span(image).subspan(start, position - start));
        for (const auto* field :
             {&line.instruction, &line.operand1, &line.operand2, &line.operand3})
            appendPadded(text, visibleText(*field), 10, true);
        text += visibleText(lineComment(setup, n, i));
        text += '\n';
        if (last) return;
    }
}

std::string applicationDescriptionText(const Setup& setup)
{
    return "Application Description: " + visibleText(setup.description, LineBreaks::Kept) +
           "\n\n";
}

std::string functionText(Setup& setup, int n)
{
    std::string text = "TS Function " + std::string(userFunctionName(n)) + '\n';
    const std::string description =
        readText(setup.functionDescriptions,
                 static_cast<std::size_t>(n) * kFunctionDescriptionSize, kFunctionDescriptionSize);
    text += visibleText(description, LineBreaks::Kept) + '\n';
    AppendFunctionListing(text, setup, n);
    return text;
}

std::string tallyScriptListText(Setup& setup)
{
    std::string text = applicationDescriptionText(setup);
    for (int n = 1; n < static_cast<int>(kFunctionCount); ++n)
        text += functionText(setup, n);
    return text;
}

}  // namespace quelvar
