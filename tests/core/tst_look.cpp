// Light and Dark: Light paints every colour the game has always painted, Dark
// keeps each line and mark 3:1 and each text 4.5:1 from what it is drawn on
// (WCAG 2) in both palettes, with the stroke and the truth apart in greyscale,
// and Follow the desktop takes the desktop's side.

#include <QtTest>

#ifndef Q_MOC_RUN
#include "core/look/look.h"
#endif

Q_DECLARE_METATYPE(Rgb)

namespace QTest {
template <> inline char *toString(const Rgb &c)
{
    return qstrdup(QByteArray("Rgb(" + QByteArray::number(c.r * 255.0, 'f', 2) + ", " +
                              QByteArray::number(c.g * 255.0, 'f', 2) + ", " + QByteArray::number(c.b * 255.0, 'f', 2) +
                              ")").constData());
}
} // namespace QTest

namespace {

constexpr Rgb B(int r, int g, int b) { return Rgb::Bytes(r, g, b); }

// Lines and marks against their background, and texts against theirs.
constexpr double LineContrast = 3.0;
constexpr double TextContrast = 4.5;
// The stroke (right and extra pieces) and the truth (missing pieces) against
// each other: about the smallest step between two greys that reads at a
// glance as another grey. Right and extra share the stroke's colour and
// differ by shape.
constexpr double GreyscaleContrast = 1.5;

} // namespace

class TestLook : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The ratios WCAG's own examples give, either way round.
    void contrastRatioAsWcagMeasuresIt_data()
    {
        QTest::addColumn<Rgb>("a");
        QTest::addColumn<Rgb>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << B(0, 0, 0) << B(255, 255, 255) << 21.0;
        QTest::newRow("white on black") << B(255, 255, 255) << B(0, 0, 0) << 21.0;
        QTest::newRow("a colour on itself") << B(0, 128, 0) << B(0, 128, 0) << 1.0;
        QTest::newRow("#767676 on white, the lightest grey text that passes") << B(118, 118, 118) << B(255, 255, 255)
                                                                              << 4.54;
        QTest::newRow("pure red on white") << B(255, 0, 0) << B(255, 255, 255) << 4.0;
        QTest::newRow("pure blue on black") << B(0, 0, 255) << B(0, 0, 0) << 2.44;
        QTest::newRow("#050505 on black, in sRGB's straight toe") << B(5, 5, 5) << B(0, 0, 0) << 1.03;
    }
    void contrastRatioAsWcagMeasuresIt()
    {
        QFETCH(Rgb, a);
        QFETCH(Rgb, b);
        QFETCH(double, ratio);
        QVERIFY2(std::abs(ContrastRatio(a, b) - ratio) < 0.01, qPrintable(QString::number(ContrastRatio(a, b))));
    }

    // Light is the game as it always looked: each colour as the code drew it
    // before there was a choice (the sheets' in bytes, the view's as OpenGL
    // fractions).
    void lightKeepsTodaysColours_data()
    {
        QTest::addColumn<Rgb>("shown");
        QTest::addColumn<Rgb>("always");
        const LookColours &l = ColoursOf(Scheme::Light);
        const SheetColours &s = l.sheet;
        const ViewColours &v = l.view;
        const std::pair<const char *, std::pair<Rgb, Rgb>> rows[] = {
            {"sheet background", {s.background, B(238, 255, 238)}},
            {"lattice dots", {s.dot, B(0, 0, 0)}},
            {"margin text", {s.ink, B(25, 25, 25)}},
            {"snap ring", {s.snap, B(70, 70, 70)}},
            {"inside a missing piece's rings", {s.ringFill, B(255, 255, 255)}},
            {"hint wash", {s.hint, B(255, 176, 0)}},
            {"hint core", {s.hintCore, B(116, 80, 0)}},
            {"sheet axis x", {s.axes[0], B(255, 0, 255)}},
            {"sheet axis y", {s.axes[1], B(0, 255, 255)}},
            {"sheet axis z", {s.axes[2], B(255, 255, 0)}},
            {"stroke", {s.usual.stroke, B(0, 128, 0)}},
            {"right edge and crosses", {s.usual.edge, B(0, 51, 0)}},
            {"truth", {s.usual.truth, B(255, 0, 0)}},
            {"mistake text", {s.usual.mistake, B(196, 0, 0)}},
            {"safe stroke", {s.safe.stroke, B(0, 114, 178)}},
            {"safe right edge and crosses", {s.safe.edge, B(0, 46, 71)}},
            {"safe truth", {s.safe.truth, B(213, 94, 0)}},
            {"safe mistake text", {s.safe.mistake, B(164, 72, 0)}},
            {"view background", {v.background, {0.1f, 0.5f, 0.75f}}},
            {"view frame", {v.frame, {0.7f, 0.75f, 0.75f}}},
            {"view walk", {v.walk, {0.2f, 0.25f, 0.75f}}},
            {"view highlight", {v.highlight, {1.0f, 1.0f, 1.0f}}},
            {"view axis x", {v.axes[0], {0.9f, 0.5f, 0.9f}}},
            {"view axis y", {v.axes[1], {0.5f, 0.9f, 0.9f}}},
            {"view axis z", {v.axes[2], {0.9f, 0.9f, 0.5f}}},
            {"build lattice dots", {v.dot, {1.0f, 1.0f, 1.0f}}},
            {"build edges", {v.ink, {0.1f, 0.1f, 0.12f}}},
            {"build start disk", {v.start, {0.12f, 0.08f, 0.35f}}},
            {"build cursor", {v.cursor, {1.0f, 0.95f, 0.2f}}},
            {"manual link", {l.manualLink, B(0, 0, 255)}},
        };
        for (const auto &[name, colours] : rows)
            QTest::newRow(name) << colours.first << colours.second;
    }
    void lightKeepsTodaysColours()
    {
        QFETCH(Rgb, shown);
        QFETCH(Rgb, always);
        QCOMPARE(shown, always);
    }

    // Light leaves the panel to the desktop's palette.
    void lightKeepsTheDesktopsPalette() { QVERIFY(!ColoursOf(Scheme::Light).panel); }

    // Every colour Dark paints, against what it is painted on, in the usual
    // and the colour-blind-safe palettes.
    void darkReadsWell_data()
    {
        QTest::addColumn<Rgb>("colour");
        QTest::addColumn<Rgb>("on");
        QTest::addColumn<double>("least");
        const LookColours &d = ColoursOf(Scheme::Dark);
        QVERIFY(d.panel);
        const SheetColours &s = d.sheet;
        const ViewColours &v = d.view;
        const PanelColours &p = *d.panel;
        const Rgb wash = Over(s.hint, HintOpacity, s.background);
        const auto row = [](const QString &name, Rgb colour, Rgb on, double least) {
            QTest::newRow(qPrintable(name)) << colour << on << least;
        };
        const char *axes[3] = {"x", "y", "z"};
        row("lattice dots on the sheet", s.dot, s.background, LineContrast);
        row("margin text on the sheet", s.ink, s.background, TextContrast);
        row("snap ring on the sheet", s.snap, s.background, LineContrast);
        row("missing piece's rings on the sheet", s.ringFill, s.background, LineContrast);
        row("hint wash on the sheet", wash, s.background, LineContrast);
        row("hint core on its wash", s.hintCore, wash, LineContrast);
        row("focus frame and cursor on the sheet", p.highlight, s.background, LineContrast);
        for (int a = 0; a < 3; ++a)
            row(QStringLiteral("sheet axis %1").arg(QLatin1String(axes[a])), s.axes[static_cast<std::size_t>(a)],
                s.background, LineContrast);
        for (const bool safe : {false, true}) {
            const MarkColours &m = s.Marks(safe);
            const QString palette = safe ? QStringLiteral(" (safe palette)") : QString();
            row(QStringLiteral("stroke, extra piece on the sheet") + palette, m.stroke, s.background, LineContrast);
            row(QStringLiteral("right edge, extra crosses on the sheet") + palette, m.edge, s.background, LineContrast);
            row(QStringLiteral("right core on its edge") + palette, m.stroke, m.edge, LineContrast);
            row(QStringLiteral("truth, missing piece on the sheet") + palette, m.truth, s.background, LineContrast);
            row(QStringLiteral("mistake text on the sheet") + palette, m.mistake, s.background, TextContrast);
            row(QStringLiteral("stroke against truth in greyscale") + palette, m.stroke, m.truth, GreyscaleContrast);
            row(QStringLiteral("built segment in the view") + palette, m.stroke, v.background, LineContrast);
            row(QStringLiteral("generated walk in the checked view") + palette, m.truth, v.background, LineContrast);
        }
        row("view frame", v.frame, v.background, LineContrast);
        row("view walk", v.walk, v.background, LineContrast);
        row("view walk against its frame", v.walk, v.frame, GreyscaleContrast);
        row("view highlight", v.highlight, v.background, LineContrast);
        for (int a = 0; a < 3; ++a)
            row(QStringLiteral("view axis %1").arg(QLatin1String(axes[a])), v.axes[static_cast<std::size_t>(a)],
                v.background, LineContrast);
        row("build lattice dots", v.dot, v.background, LineContrast);
        row("build start disk", v.start, v.background, LineContrast);
        row("build hinted segment", s.hint, v.background, LineContrast);
        row("build cursor", v.cursor, v.background, LineContrast);
        row("focus frame on the view", p.highlight, v.background, LineContrast);
        row("window text", p.windowText, p.window, TextContrast);
        row("disabled text (notes in dialogs)", p.disabledText, p.window, TextContrast);
        row("text in boxes and lists", p.text, p.base, TextContrast);
        row("text in alternate rows", p.text, p.alternateBase, TextContrast);
        row("button text", p.buttonText, p.button, TextContrast);
        row("control panel text", p.windowText, p.button, TextContrast);
        row("selected text", p.highlightedText, p.highlight, TextContrast);
        row("tooltip", p.toolTipText, p.toolTipBase, TextContrast);
        row("link", p.link, p.base, TextContrast);
        row("visited link", p.linkVisited, p.base, TextContrast);
        row("manual link in About", d.manualLink, p.window, TextContrast);
    }
    void darkReadsWell()
    {
        QFETCH(Rgb, colour);
        QFETCH(Rgb, on);
        QFETCH(double, least);
        const double ratio = ContrastRatio(colour, on);
        QVERIFY2(ratio >= least, qPrintable(QStringLiteral("%1:1").arg(ratio, 0, 'f', 2)));
    }

    // The settings' names, and what Follow the desktop shows on a light and
    // on a dark desktop.
    void lookNamesAndFollowingTheDesktop_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Rgb>("window");
        QTest::addColumn<Rgb>("windowText");
        QTest::addColumn<int>("scheme");  // -1: the name is refused
        const Rgb light = B(239, 239, 239), dark = B(49, 54, 59), black = B(0, 0, 0), white = B(252, 252, 252);
        QTest::newRow("light, on a dark desktop") << "light" << dark << white << int(Scheme::Light);
        QTest::newRow("dark, on a light desktop") << "dark" << light << black << int(Scheme::Dark);
        QTest::newRow("desktop, light") << "desktop" << light << black << int(Scheme::Light);
        QTest::newRow("desktop, dark") << "desktop" << dark << white << int(Scheme::Dark);
        QTest::newRow("desktop, mid grey on a lighter grey") << "desktop" << B(160, 160, 160) << B(120, 120, 120)
                                                            << int(Scheme::Light);
        QTest::newRow("desktop, light text on mid grey") << "desktop" << B(120, 120, 120) << B(160, 160, 160)
                                                        << int(Scheme::Dark);
        QTest::newRow("capitals are not a name") << "Dark" << light << black << -1;
        QTest::newRow("empty") << "" << light << black << -1;
    }
    void lookNamesAndFollowingTheDesktop()
    {
        QFETCH(QString, name);
        QFETCH(Rgb, window);
        QFETCH(Rgb, windowText);
        QFETCH(int, scheme);
        const std::string text = name.toStdString();
        const std::optional<Look> look = ParseLook(text);
        QCOMPARE(look.has_value(), scheme >= 0);
        if (!look)
            return;
        QCOMPARE(LookName(*look), std::string_view(text));
        QCOMPARE(int(SchemeOf(*look, DesktopIsDark(window, windowText))), scheme);
    }
};

QTEST_APPLESS_MAIN(TestLook)
#include "tst_look.moc"
