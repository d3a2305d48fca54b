#include "core/color/ColorVariation.h"

#include "core/random/Random.h"

namespace quom {
namespace {

int lerpChannel(int a, int b, float t) noexcept
{
    return static_cast<int>(t * static_cast<float>(b - a) + static_cast<float>(a));
}

} // namespace

float variationAmount(int percent) noexcept
{
    return static_cast<float>(percent) * 2.55f;
}

int varyChannel(int channel, float amount) noexcept
{
    const float value = static_cast<float>(channel) + amount * (2.0f * randomUnit() - 1.0f);
    if (value <= 0.0f)
        return 0;
    if (value > 255.0f)
        return 255;
    return static_cast<int>(value);
}

Cell varyColour(Cell color, float amount) noexcept
{
    if (amount == 0.0f)
        return color;
    const int red = varyChannel(redOf(color), amount);
    const int green = varyChannel(greenOf(color), amount);
    const int blue = varyChannel(blueOf(color), amount);
    return makeCell(red, green, blue);
}

Cell lerpColor(Cell a, Cell b, float t) noexcept
{
    return makeCell(lerpChannel(redOf(a), redOf(b), t), lerpChannel(greenOf(a), greenOf(b), t),
        lerpChannel(blueOf(a), blueOf(b), t));
}

} // namespace quom
