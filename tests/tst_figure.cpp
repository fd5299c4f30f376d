// The figure generator: the same seed must always give the same figure (shared
// seeds, replays), and every figure must be a legal walk on the 5x5x5 lattice.

#include <QtTest>

#include <array>
#include <cstdint>
#include <vector>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "figure/figure.h"
#include "figure/randomgenerator.h"
#endif

namespace {

// An independent model of the walk, written from the game's rules: the end of
// each entry and how many revisits it refused before taking it.
struct ModelEntry {
    std::array<int, 3> end{};
    int refusals = 0;
};

std::vector<ModelEntry> ModelWalk(std::uint32_t seed, int count)
{
    auto draw = [&seed](std::uint32_t n) {
        seed = seed * 134775813u + 1u;
        return static_cast<int>((std::uint64_t{seed} * n) >> 32);
    };
    std::vector<ModelEntry> walk(12);
    walk[11].end = {10, -10, -10};
    for (std::size_t i = 12; i <= static_cast<std::size_t>(count); ++i) {
        ModelEntry e;
        for (;;) {
            const int axis = draw(3);
            const int step = (draw(8) - 4) * 5;
            std::array<int, 3> to = walk[i - 1].end;
            to[static_cast<std::size_t>(axis)] += step;
            if (step == 0 || to[static_cast<std::size_t>(axis)] < -10 || to[static_cast<std::size_t>(axis)] > 10)
                continue;
            bool revisit = false;
            for (std::size_t k = 11; k < i; ++k)
                revisit = revisit || walk[k].end == to;
            // Only revisits can be refused, so the 51st counted try is the 51st revisit.
            if (revisit && e.refusals < 50) {
                ++e.refusals;
                continue;
            }
            e.end = to;
            break;
        }
        walk.push_back(e);
    }
    return walk;
}

bool SamePoint(const Point3 &p, const std::array<int, 3> &q)
{
    return p == Point3{static_cast<float>(q[0]), static_cast<float>(q[1]), static_cast<float>(q[2])};
}

bool OnLattice(float v) { return v >= -10.0f && v <= 10.0f && static_cast<float>(static_cast<int>(v) / 5 * 5) == v; }

// The three cube faces every figure stands in, and the walk's start point.
const std::array<FigureSegment, 12> Frame{{
    {},
    {{-10, -10, -10}, {10, -10, -10}}, {{10, -10, -10}, {10, 10, -10}}, {{10, 10, -10}, {10, 10, 10}},
    {{-10, -10, -10}, {-10, 10, -10}}, {{-10, 10, -10}, {10, 10, -10}}, {{-10, 10, -10}, {-10, 10, 10}},
    {{-10, 10, 10}, {10, 10, 10}}, {{-10, -10, -10}, {-10, -10, 10}}, {{-10, 10, -10}, {-10, 10, 10}},
    {{-10, -10, 10}, {-10, 10, 10}}, {{10, -10, -10}, {10, -10, -10}},
}};

} // namespace

class TestFigure : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawsFollowTheSequence_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QList<quint32>>("ranges");
        QTest::addColumn<QList<quint32>>("expected");
        QTest::addColumn<quint32>("seedAfter");
        QTest::newRow("seed 0") << 0u << QList<quint32>{3, 8, 100, 1000} << QList<quint32>{0, 0, 86, 202} << 870078620u;
        QTest::newRow("seed 12345") << 12345u << QList<quint32>{3, 8, 100, 1000} << QList<quint32>{1, 2, 7, 553}
                                    << 2377737157u;
        QTest::newRow("seed wraps past 2^32") << 0xFFFFFFFFu << QList<quint32>{1000, 0xFFFFFFFFu}
                                              << QList<quint32>{968, 866343916} << 866343917u;
        QTest::newRow("ranges 0 and 1 give 0 but still advance")
            << 0u << QList<quint32>{0, 1} << QList<quint32>{0, 0} << 134775814u;
    }
    void drawsFollowTheSequence()
    {
        QFETCH(quint32, seed);
        QFETCH(QList<quint32>, ranges);
        QFETCH(QList<quint32>, expected);
        QFETCH(quint32, seedAfter);
        RandomGenerator rng(seed);
        QList<quint32> got;
        for (quint32 n : ranges)
            got << rng.Draw(n);
        QCOMPARE(got, expected);
        QCOMPARE(rng.seed(), seedAfter);
    }

    void seedZeroFirstStep()
    {
        Figure figure;
        RandomGenerator rng(0);
        InitObjects(figure, 15, rng);
        QCOMPARE(figure.entry[12], (FigureSegment{{10, -10, -10}, {-10, -10, -10}}));
    }

    // Every level over many seeds: the fixed frame, a legal walk exactly as the
    // draws dictate, nothing written past the count, and a point visited twice
    // only after 50 other tries were refused.
    void walkIsLegalAtEveryLevel()
    {
        const FigureSegment sentinel{{99, 99, 99}, {-99, -99, -99}};
        int forcedRevisits = 0;
        for (std::uint32_t k = 0; k < 150; ++k) {
            const std::uint32_t seed = k * 2654435761u + 17u;
            for (int level = 0; level <= MaxLevel; ++level) {
                const int count = level + 15;
                const QString where = QStringLiteral("seed %1, level %2").arg(seed).arg(level);
                Figure figure;
                figure.entry.fill(sentinel);
                RandomGenerator rng(seed);
                InitObjects(figure, count, rng);
                QVERIFY2(figure.SegmentCount == count, qPrintable(where));
                for (std::size_t i = 1; i <= 11; ++i)
                    QVERIFY2(figure.entry[i] == Frame[i], qPrintable(where + QStringLiteral(", frame entry %1").arg(i)));
                const std::vector<ModelEntry> model = ModelWalk(seed, count);

                for (std::size_t i = 12; i <= static_cast<std::size_t>(count); ++i) {
                    const FigureSegment &e = figure.entry[i];
                    const QString at = where + QStringLiteral(", entry %1").arg(i);
                    QVERIFY2(e.start == figure.entry[i - 1].end, qPrintable(at + " starts where the last ended"));
                    const int changed = int(e.start.x != e.end.x) + int(e.start.y != e.end.y) + int(e.start.z != e.end.z);
                    QVERIFY2(changed == 1, qPrintable(at + " changes one coordinate"));
                    QVERIFY2(OnLattice(e.end.x) && OnLattice(e.end.y) && OnLattice(e.end.z), qPrintable(at + " leaves the cube"));
                    QVERIFY2(SamePoint(e.end, model[i].end), qPrintable(at + " differs from the draws"));
                    bool revisit = false;
                    for (std::size_t j = 11; j < i; ++j)
                        revisit = revisit || figure.entry[j].end == e.end;
                    if (revisit) {
                        QVERIFY2(model[i].refusals == 50, qPrintable(at + " revisits too early"));
                        ++forcedRevisits;
                    }
                }
                for (std::size_t i = static_cast<std::size_t>(count) + 1; i < figure.entry.size(); ++i)
                    QVERIFY2(figure.entry[i] == sentinel, qPrintable(where + " overwrote an entry above the count"));
            }
        }
        // Without boxed-in walks the check above would prove nothing.
        QVERIFY(forcedRevisits > 0);
    }

    void levelClampsToSegmentCount_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("count");
        QTest::newRow("negative level") << -5 << 15;
        QTest::newRow("level 0") << 0 << 15;
        QTest::newRow("level 10") << 10 << 25;
        QTest::newRow("highest level") << 84 << 99;
        QTest::newRow("one past the highest") << 85 << 99;
        QTest::newRow("far past the highest") << 100000 << 99;
    }
    void levelClampsToSegmentCount()
    {
        QFETCH(int, level);
        QFETCH(int, count);
        QCOMPARE(SegmentCountForLevel(level), count);
    }
};

QTEST_APPLESS_MAIN(TestFigure)
#include "tst_figure.moc"
