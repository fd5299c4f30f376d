#include "core/look/colour.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(float channel)
{
    const double c = channel;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(Rgb c)
{
    return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b);
}

double ContrastRatio(Rgb a, Rgb b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb Over(Rgb colour, double opacity, Rgb background)
{
    const auto mix = [opacity](float top, float under) {
        return static_cast<float>(top * opacity + under * (1 - opacity));
    };
    return {mix(colour.r, background.r), mix(colour.g, background.g), mix(colour.b, background.b)};
}
