// The figure generator: the same seed must always give the same figure (shared
// seeds, replays), and every figure must be a legal walk on the 5x5x5 lattice.

#include <QtTest>

// moc in Qt 6.4 cannot parse <compare>, which the game's headers pull in.
#ifndef Q_MOC_RUN
#include "figure/figure.h"
#include "figure/randomgenerator.h"
#endif

#include <array>
#include <cstdint>
#include <vector>

namespace {

struct IntPoint {
    int c[3];
    bool operator==(const IntPoint &o) const { return c[0] == o.c[0] && c[1] == o.c[1] && c[2] == o.c[2]; }
};

// An independent model of the walk, written from the game's rules, that also
// counts how often each entry refused a revisit.
struct ModelEntry {
    IntPoint end;
    int refusals = 0;
};

std::vector<ModelEntry> ModelWalk(std::uint32_t seed, int count)
{
    auto draw = [&seed](std::uint32_t n) {
        seed = seed * 134775813u + 1u;
        return static_cast<int>((std::uint64_t{seed} * n) >> 32);
    };
    std::vector<ModelEntry> walk(12);
    walk[11].end = {{10, -10, -10}};
    for (int i = 12; i <= count; ++i) {
        const IntPoint from = walk[static_cast<std::size_t>(i - 1)].end;
        ModelEntry e;
        int attempts = 0;
        for (;;) {
            const int axis = draw(3);
            const int step = (draw(8) - 4) * 5;
            IntPoint to = from;
            to.c[axis] += step;
            if (step == 0 || to.c[axis] < -10 || to.c[axis] > 10)
                continue;
            ++attempts;
            bool revisit = false;
            for (int k = 11; k < i; ++k)
                revisit = revisit || walk[static_cast<std::size_t>(k)].end == to;
            if (revisit && attempts <= 50) {
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

bool Same(const Point3 &p, const IntPoint &q)
{
    return p.x == static_cast<float>(q.c[0]) && p.y == static_cast<float>(q.c[1]) && p.z == static_cast<float>(q.c[2]);
}

bool OnLatticeCoordinate(float v)
{
    return v >= -10.0f && v <= 10.0f && static_cast<float>(static_cast<int>(v) / 5 * 5) == v;
}

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
        QTest::newRow("ranges 0 and 1 give 0 but still advance") << 0u << QList<quint32>{0, 1} << QList<quint32>{0, 0}
                                                                 << 134775814u;
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

    void frameIsTheSameInEveryFigure()
    {
        const std::array<FigureSegment, 12> frame{{
            {},
            {{-10, -10, -10}, {10, -10, -10}},
            {{10, -10, -10}, {10, 10, -10}},
            {{10, 10, -10}, {10, 10, 10}},
            {{-10, -10, -10}, {-10, 10, -10}},
            {{-10, 10, -10}, {10, 10, -10}},
            {{-10, 10, -10}, {-10, 10, 10}},
            {{-10, 10, 10}, {10, 10, 10}},
            {{-10, -10, -10}, {-10, -10, 10}},
            {{-10, 10, -10}, {-10, 10, 10}},
            {{-10, -10, 10}, {-10, 10, 10}},
            {{10, -10, -10}, {10, -10, -10}},
        }};
        for (std::uint32_t seed : {0u, 7u, 4000000000u}) {
            Figure figure;
            figure.entry.fill({{1, 2, 3}, {4, 5, 6}});
            RandomGenerator rng(seed);
            InitObjects(figure, 40, rng);
            for (std::size_t i = 1; i <= 11; ++i)
                QVERIFY2(figure.entry[i] == frame[i], qPrintable(QStringLiteral("seed %1, entry %2").arg(seed).arg(i)));
        }
    }

    void seedZeroFirstStep()
    {
        Figure figure;
        RandomGenerator rng(0);
        InitObjects(figure, 15, rng);
        QCOMPARE(figure.entry[12], (FigureSegment{{10, -10, -10}, {-10, -10, -10}}));
    }

    // Every level over many seeds: a legal walk, exactly as the rules draw it,
    // and a point is visited twice only when 50 other tries were refused.
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
                const std::vector<ModelEntry> model = ModelWalk(seed, count);

                for (int i = 12; i <= count; ++i) {
                    const FigureSegment &e = figure.entry[static_cast<std::size_t>(i)];
                    const QString at = where + QStringLiteral(", entry %1").arg(i);
                    QVERIFY2(e.start == figure.entry[static_cast<std::size_t>(i - 1)].end, qPrintable(at));
                    const int changed = int(e.start.x != e.end.x) + int(e.start.y != e.end.y) + int(e.start.z != e.end.z);
                    QVERIFY2(changed == 1, qPrintable(at + " changes one coordinate"));
                    QVERIFY2(OnLatticeCoordinate(e.end.x) && OnLatticeCoordinate(e.end.y) && OnLatticeCoordinate(e.end.z),
                             qPrintable(at + " stays on the lattice in the cube"));
                    QVERIFY2(Same(e.end, model[static_cast<std::size_t>(i)].end), qPrintable(at + " matches the draws"));

                    bool revisit = false;
                    for (int j = 11; j < i; ++j)
                        revisit = revisit || figure.entry[static_cast<std::size_t>(j)].end == e.end;
                    if (revisit) {
                        QVERIFY2(model[static_cast<std::size_t>(i)].refusals == 50, qPrintable(at + " revisits too early"));
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
