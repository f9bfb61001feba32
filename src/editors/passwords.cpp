#include "editors/passwords.h"

#include "model/bytes.h"
#include "model/image_map.h"

#include <algorithm>

namespace quelvar {

namespace {

std::size_t slotOffset(int password)
{
    return password == 1 ? image::kPassword1 : image::kPassword2;
}

std::size_t checkWordOffset(int password)
{
    return password == 1 ? image::kPasswordCheck1 : image::kPasswordCheck2;
}

}  // namespace

bool isKeypadPassword(std::string_view text)
{
    return text.size() <= kPasswordLength &&
           std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

std::uint16_t PasswordCheckWord(std::string_view text)
{
    if (text.empty()) return 0xFFFF;
    std::uint16_t sum = 1;
    for (char c : text)
        sum = static_cast<std::uint16_t>(sum + static_cast<std::int8_t>(c));
    return static_cast<std::uint16_t>(~sum);
}

std::string passwordText(const SetupImage& image, int password)
{
    return readText(image, slotOffset(password), image::kPasswordSize);
}

void storePassword(SetupImage& image, int password, std::string_view text)
{
    text = text.substr(0, kPasswordLength);
    writeText(image, slotOffset(password), kPasswordLength + 1, text);
    writeWord(image, checkWordOffset(password), PasswordCheckWord(text));
}

}  // namespace quelvar
