#include "ui/app/applook.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

namespace {

Rgb ToRgb(const QColor &c)
{
    return {static_cast<float>(c.redF()), static_cast<float>(c.greenF()), static_cast<float>(c.blueF())};
}

struct Desktop {
    QPalette palette;
    QString style;
    bool dark = false;
};

const Desktop &TheDesktop()
{
    static const Desktop desktop = [] {
        const QPalette palette = QGuiApplication::palette();
        return Desktop{palette, QApplication::style()->name(),
                       DesktopIsDark(ToRgb(palette.color(QPalette::Window)), ToRgb(palette.color(QPalette::WindowText)))};
    }();
    return desktop;
}

Scheme g_shown = Scheme::Light;

QPalette PaletteOf(const PanelColours &c)
{
    QPalette p;
    const std::pair<QPalette::ColorRole, Rgb> roles[] = {
        {QPalette::Window, c.window},           {QPalette::WindowText, c.windowText},
        {QPalette::Base, c.base},               {QPalette::AlternateBase, c.alternateBase},
        {QPalette::Text, c.text},               {QPalette::Button, c.button},
        {QPalette::ButtonText, c.buttonText},   {QPalette::Highlight, c.highlight},
        {QPalette::HighlightedText, c.highlightedText}, {QPalette::ToolTipBase, c.toolTipBase},
        {QPalette::ToolTipText, c.toolTipText}, {QPalette::Link, c.link},
        {QPalette::LinkVisited, c.linkVisited}, {QPalette::BrightText, c.brightText},
        {QPalette::PlaceholderText, c.disabledText}, {QPalette::Light, c.light},
        {QPalette::Midlight, c.midlight},       {QPalette::Mid, c.mid},
        {QPalette::Dark, c.dark},               {QPalette::Shadow, c.shadow},
    };
    for (const auto &[role, colour] : roles)
        p.setColor(role, ToQColor(colour));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, ToQColor(c.disabledText));
    return p;
}

} // namespace

QColor ToQColor(Rgb c)
{
    return QColor(qRound(c.r * 255.0), qRound(c.g * 255.0), qRound(c.b * 255.0));
}

namespace AppLook {

void RememberDesktop()
{
    TheDesktop();
}

bool DesktopIsDark()
{
    return TheDesktop().dark;
}

Scheme Apply(Look look)
{
    const Desktop &desktop = TheDesktop();
    const Scheme scheme = SchemeOf(look, desktop.dark);
    if (scheme == g_shown)
        return scheme;
    g_shown = scheme;
    // A new style brings its own palette: the palette goes on after it.
    if (const std::optional<PanelColours> &panel = ColoursOf(scheme).panel) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(PaletteOf(*panel));
    } else {
        QApplication::setStyle(desktop.style);
        QApplication::setPalette(desktop.palette);
    }
    return scheme;
}

Scheme Shown()
{
    return g_shown;
}

} // namespace AppLook
