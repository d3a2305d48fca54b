#include "core/operations/ArgumentText.h"

#include <string>

namespace quom {

std::vector<std::string_view> splitCommas(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return parts;
        start = comma + 1;
    }
}

std::optional<int> parseSigned(std::string_view text)
{
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-'))
            return std::nullopt;
    }
    return parseNumber<int>(text);
}

std::optional<std::vector<int>> parseIntegers(std::string_view text, std::size_t count)
{
    const auto parts = splitCommas(text);
    if (parts.size() != count)
        return std::nullopt;
    std::vector<int> values;
    for (const auto part : parts) {
        const auto value = parseSigned(part);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

std::optional<int> parseInRange(std::string_view text, int min, int max)
{
    const auto value = parseNumber<int>(text);
    if (!value || *value < min || *value > max)
        return std::nullopt;
    return value;
}

std::optional<int> parsePercent(std::string_view text)
{
    return parseInRange(text, 0, 100);
}

std::optional<bool> parseFlag(std::string_view text)
{
    if (text == "0" || text == "1")
        return text == "1";
    return std::nullopt;
}

std::optional<Cell> parseColor(std::string_view text)
{
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        const auto rgb = text.size() <= 6 ? parseNumber<std::uint32_t>(text, 16) : std::nullopt;
        if (!rgb)
            return std::nullopt;
        return makeCell(static_cast<int>(*rgb >> 16), static_cast<int>(*rgb >> 8), static_cast<int>(*rgb));
    }
    const auto word = parseNumber<std::uint32_t>(text);
    if (!word || *word > 0xFFFFFFu)
        return std::nullopt;
    return *word;
}

std::optional<int> parseChoice(std::string_view text, std::initializer_list<std::string_view> names)
{
    int index = 0;
    for (const std::string_view name : names) {
        if (text == name || text == std::to_string(index))
            return index;
        ++index;
    }
    return std::nullopt;
}

} // namespace quom
