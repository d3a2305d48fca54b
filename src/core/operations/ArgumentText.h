#pragma once

#include "core/model/Cell.h"

#include <charconv>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

// The pieces of an operation's argument text, "word=A,B,C". Each parser takes the whole
// of one piece and refuses anything around it, so " 1" or "1x" is no number.
namespace quom {

std::vector<std::string_view> splitCommas(std::string_view text);

// No sign for unsigned types, no blanks.
template <class Number> std::optional<Number> parseNumber(std::string_view text, int base = 10)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Offsets may be written with a plus sign.
std::optional<int> parseSigned(std::string_view text);

// Exactly count signed numbers separated by commas.
std::optional<std::vector<int>> parseIntegers(std::string_view text, std::size_t count);

// min..max, without a plus sign.
std::optional<int> parseInRange(std::string_view text, int min, int max);
std::optional<int> parsePercent(std::string_view text);

// "0" or "1".
std::optional<bool> parseFlag(std::string_view text);

// 0xRRGGBB is written red first, as people write colours; a decimal number is the
// cell's own word, 0x00BBGGRR.
std::optional<Cell> parseColor(std::string_view text);

// A name or its index: "red" or "0" for the first.
std::optional<int> parseChoice(std::string_view text, std::initializer_list<std::string_view> names);

} // namespace quom
