#pragma once

// The colour picker's conversions between red-green-blue and hue-saturation-brightness,
// in whole numbers: hue 0..359 degrees, everything else 0..255. Results are truncated,
// so a round trip may lose a unit; the picker always converts from the side the user edited.
namespace quom {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Hsb {
    int hue = 0;
    int saturation = 0;
    int brightness = 0;
    friend bool operator==(const Hsb&, const Hsb&) = default;
};

// Greys (no chroma) get hue 0 and saturation 0.
Hsb hsbFromRgb(const Rgb& rgb);
// hue 360 reads as 0; components outside their ranges are clamped first.
Rgb rgbFromHsb(const Hsb& hsb);

} // namespace quom
