#include "core/operations/ArgumentParsers.h"

#include "core/operations/ArgumentText.h"

#include <array>
#include <utility>

namespace quom {
namespace {

std::optional<Wave> parseWave(std::string_view text)
{
    constexpr std::array<std::pair<std::string_view, Wave>, 6> kWaves{
        {{"sine", Wave::Sine}, {"exp", Wave::Exp}, {"ramp", Wave::Ramp}, {"triangle", Wave::Triangle},
            {"sh", Wave::SampleAndHold}, {"random", Wave::Random}}};
    for (const auto& [name, wave] : kWaves) {
        if (text == name)
            return wave;
    }
    return std::nullopt;
}

} // namespace

std::optional<ScrollAmount> parseScrollAmount(std::string_view text)
{
    const auto d = parseIntegers(text, 2);
    if (!d)
        return std::nullopt;
    return ScrollAmount{(*d)[0], (*d)[1]};
}

std::optional<ColorOffsets> parseColorOffsets(std::string_view text)
{
    const auto d = parseIntegers(text, 3);
    if (!d)
        return std::nullopt;
    return ColorOffsets{(*d)[0], (*d)[1], (*d)[2]};
}

std::optional<RandomSettings> parseRandomSettings(std::string_view text)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 6)
        return std::nullopt;
    RandomSettings settings;
    if (parts[0] == "replace")
        settings.operation = RandomOperation::Replace;
    else if (parts[0] == "add")
        settings.operation = RandomOperation::Add;
    else
        return std::nullopt;
    if (parts[1] == "single")
        settings.colorMode = RandomColorMode::Single;
    else if (parts[1] == "gradient")
        settings.colorMode = RandomColorMode::Gradient;
    else
        return std::nullopt;
    const auto color1 = parseColor(parts[2]);
    const auto color2 = parseColor(parts[3]);
    const auto density = parsePercent(parts[4]);
    const auto variation = parsePercent(parts[5]);
    if (!color1 || !color2 || !density || !variation)
        return std::nullopt;
    settings.color1 = *color1;
    settings.color2 = *color2;
    settings.density = *density;
    settings.variation = *variation;
    return settings;
}

std::optional<Mutation> parseMutation(std::string_view text)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 4)
        return std::nullopt;
    const auto red = parsePercent(parts[0]);
    const auto green = parsePercent(parts[1]);
    const auto blue = parsePercent(parts[2]);
    const auto seed = parseNumber<std::uint32_t>(parts[3]);
    if (!red || !green || !blue || !seed)
        return std::nullopt;
    return Mutation{*red, *green, *blue, *seed};
}

std::optional<CurveSettings> parseCurveSettings(std::string_view text)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 4 || parts[3].size() != 3)
        return std::nullopt;
    CurveSettings curves;
    for (std::size_t i = 0; i < 3; ++i) {
        const auto amount = parseSigned(parts[i]);
        const auto inverted = parseFlag(parts[3].substr(i, 1));
        if (!amount || *amount < -50 || *amount > 50 || !inverted)
            return std::nullopt;
        curves.amounts[i] = *amount;
        curves.inverted[i] = *inverted;
    }
    return curves;
}

std::optional<WaveSettings> parseWaveSettings(std::string_view text)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 9)
        return std::nullopt;
    const auto wave = parseWave(parts[0]);
    const auto period = parseInRange(parts[1], 1, 10);
    const auto scale = parseInRange(parts[2], 2, kRows);
    const auto offsetX = parseInRange(parts[3], 0, kColumns - 1);
    const auto offsetY = parseInRange(parts[4], 0, kRows - 1);
    const auto start = parseColor(parts[5]);
    const auto end = parseColor(parts[6]);
    const auto flipX = parseFlag(parts[7]);
    const auto flipY = parseFlag(parts[8]);
    if (!wave || !period || !scale || !offsetX || !offsetY || !start || !end || !flipX || !flipY)
        return std::nullopt;
    return WaveSettings{*wave, *period, *scale, *offsetX, *offsetY, *start, *end, *flipX, *flipY};
}

std::optional<FilterUse> parseFilterUse(std::string_view text)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 3 || parts[0].empty())
        return std::nullopt;
    const auto destination = parseChoice(parts[1], {"red", "green", "blue"});
    const auto amount = parseInRange(parts[2], 1, 100);
    if (!destination || !amount)
        return std::nullopt;
    return FilterUse{GridFromFile{std::string(parts[0])}, *destination, *amount};
}

std::optional<CameraFrame> parseCameraFrame(std::string_view text)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 5 || parts[0].empty())
        return std::nullopt;
    const auto mode = parseChoice(parts[1], {"all", "black", "painted"});
    const auto red = parsePercent(parts[2]);
    const auto green = parsePercent(parts[3]);
    const auto blue = parsePercent(parts[4]);
    if (!mode || !red || !green || !blue)
        return std::nullopt;
    return CameraFrame{GridFromFile{std::string(parts[0])},
        CameraSettings{static_cast<CameraMode>(*mode), *red, *green, *blue}};
}

} // namespace quom
