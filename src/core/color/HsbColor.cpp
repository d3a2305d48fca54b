#include "core/color/HsbColor.h"

#include <algorithm>

namespace quom {

Hsb hsbFromRgb(const Rgb& rgb)
{
    const int r = std::clamp(rgb.red, 0, 255);
    const int g = std::clamp(rgb.green, 0, 255);
    const int b = std::clamp(rgb.blue, 0, 255);
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    Hsb out;
    out.brightness = max;
    if (max == min)
        return out;

    const double chroma = max - min;
    out.saturation = static_cast<int>(chroma / max * 255.0);
    double h;
    if (r == max)
        h = (g - b) / chroma;
    else if (g == max)
        h = (b - r) / chroma + 2.0;
    else
        h = (r - g) / chroma + 4.0;
    h *= 60.0;
    if (h < 0)
        h += 360.0;
    out.hue = static_cast<int>(h);
    if (out.hue == 360)
        out.hue = 0;
    return out;
}

Rgb rgbFromHsb(const Hsb& hsb)
{
    const int hue = std::clamp(hsb.hue, 0, 360);
    const double brightness = std::clamp(hsb.brightness, 0, 255);
    const double c = brightness * std::clamp(hsb.saturation, 0, 255) / 255.0;
    const double low = brightness - c;
    const double e = hue / 60.0;
    auto whole = [](double v) { return static_cast<int>(v); };

    Rgb out;
    if (hue <= 60 || hue > 300) {
        out.red = whole(brightness);
        if (hue <= 60) {
            out.blue = whole(low);
            out.green = whole(low + c * e);
        } else {
            out.green = whole(low);
            out.blue = whole(low + c * (360 - hue) / 60.0);
        }
    } else if (hue >= 180) {
        out.blue = whole(brightness);
        if (hue >= 240) {
            out.green = whole(low);
            out.red = whole(low + c * (e - 4.0));
        } else {
            out.red = whole(low);
            out.green = whole(low + c * (4.0 - e));
        }
    } else {
        out.green = whole(brightness);
        if (hue >= 120) {
            out.red = whole(low);
            out.blue = whole(low + c * (e - 2.0));
        } else {
            out.blue = whole(low);
            out.red = whole(low + c * (2.0 - e));
        }
    }
    return out;
}

} // namespace quom
