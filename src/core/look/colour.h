#pragma once

// A colour as the screen shows it: sRGB, each channel from 0 to 1, as OpenGL
// takes it. The sheets' and the panel's colours are whole 8-bit steps, made
// with Bytes(); the 3D view's are the fractions it has always been drawn with,
// kept as they are so its picture stays the same to the pixel.
struct Rgb {
    float r = 0;
    float g = 0;
    float b = 0;

    // Divided in double as QColor's redF() does, so a colour given in bytes
    // reaches OpenGL as the very float it did through QColor.
    static constexpr Rgb Bytes(int red, int green, int blue)
    {
        return {static_cast<float>(red / 255.0), static_cast<float>(green / 255.0),
                static_cast<float>(blue / 255.0)};
    }

    friend bool operator==(const Rgb &, const Rgb &) = default;
};

// WCAG 2's relative luminance: 0 for black, 1 for white.
double RelativeLuminance(Rgb c);
// WCAG 2's contrast ratio of two colours, from 1 (the same) to 21 (black on
// white), whichever way round they are.
double ContrastRatio(Rgb a, Rgb b);
// A colour painted with an opacity (0 to 1) over a background, as the screen
// blends it, channel by channel in sRGB.
Rgb Over(Rgb colour, double opacity, Rgb background);
