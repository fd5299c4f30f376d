// The turn history the screenshot tool plays over, made up so that every
// chart of the statistics window has something to show.
#include "screenshothistory.h"

#include "core/codes/assessment.h"
#include "core/codes/puzzlecode.h"
#include "core/coach/rating.h"
#include "core/storage/history.h"
#include "core/turn/helpcost.h"

#include <QDateTime>

#include <algorithm>
#include <cstdio>

void SeedHistory(const QString &folder)
{
    History history;
    const HistoryStatus opened = history.Open(folder.toStdString());
    if (!opened.ok) {
        std::fprintf(stderr, "trivisto_screenshot: %s\n", DescribeHistoryStatus(opened).c_str());
        return;
    }
    constexpr std::int64_t Day = 86400;
    const std::int64_t today = QDateTime::currentSecsSinceEpoch() / Day * Day;
    std::uint32_t state = 12345;
    auto next = [&state](int n) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % static_cast<std::uint32_t>(n));
    };
    double rating = StartRating;
    for (int ago = 27; ago >= 1; --ago) {
        if (ago > 10 && ago % 6 == 0)
            continue;  // days off
        const int progress = 27 - ago;
        const int turns = 2 + next(2);
        for (int i = 0; i < turns; ++i) {
            TurnRecord t;
            t.utcSeconds = today - ago * Day + (9 + 2 * i) * 3600 + next(3000);
            t.level = std::min(4, progress / 6) + (i == 2 ? 1 : 0);
            t.seconds = 40 + 12 * t.level + next(60);
            const int points = 6 * (t.level + 3) * 3;  // about six samples a step on each sheet
            int missedTotal = 0;
            for (std::size_t s = 0; s < 3; ++s) {
                // Sheet Z (y, z) comes hardest.
                const int missed = next(6 + 3 * static_cast<int>(s)) + std::max(0, 6 - progress / 3);
                const int right = std::max(0, points / 3 - missed / 2);
                t.sheets[s] = {right, missed, right - missed};
                t.total.right += right;
                t.total.wrong += missed;
                missedTotal += missed;
            }
            t.total.score = t.total.right - t.total.wrong;
            t.hintsUsed = missedTotal > 20 ? 1 + next(2) : 0;
            t.peeksUsed = next(6) == 0 ? 1 : 0;
            t.helpCost = t.hintsUsed * HintCost + t.peeksUsed * PeekCost;
            t.finalScore = t.total.score - t.helpCost;
            t.puzzleCode = EncodePuzzleCode({t.level, state, false});
            // The coach's numbers as the game keeps them for a first play: the
            // rating before predicts, the accuracy moves it. Help came after
            // a share of the turn's time and strokes.
            t.accuracy = Accuracy(t.total.right, t.total.wrong);
            t.predicted = ExpectedAccuracy(rating, Difficulty(FeaturesOf(t.level, state), DefaultWeights));
            t.rating = rating = RatedAfter(rating, *t.predicted, t.accuracy);
            if (t.hintsUsed + t.peeksUsed > 0) {
                t.helpSeconds = t.seconds * 2 / 5;
                t.helpStrokes = 3 + t.level + missedTotal % 5;
            }
            // Now and then a view drawn mirrored or on the wrong sheet.
            const int slip = next(9);
            t.mistakes = slip == 0 ? "X:mirror-lr" : slip == 1 ? "Z:sheet-Y" : slip == 2 ? "Y:turn-180" : "";
            history.Append(t);
        }
        // An assessment sitting every week, a little better each time.
        if (ago % 7 == 3) {
            const auto &set = AssessmentSet();
            SittingRecord sitting{today - ago * Day, 0, 0, 0};
            for (std::size_t f = 0; f < set.size(); ++f) {
                TurnRecord t;
                t.utcSeconds = today - ago * Day + 20 * 3600 + static_cast<std::int64_t>(f) * 90;
                t.level = set[f].level;
                t.puzzleCode = EncodePuzzleCode(set[f]);
                t.seconds = 30 + 8 * t.level;
                const int points = 18 * (t.level + 3);
                t.total.wrong = std::max(0, points / 4 - progress * (t.level + 3) / 12);
                t.total.right = points - t.total.wrong;
                t.total.score = t.finalScore = t.total.right - t.total.wrong;
                t.fromCode = true;
                t.assessment = sitting.id;
                history.Append(t);
                sitting.utcSeconds = t.utcSeconds;
                sitting.totalScore += t.finalScore;
                sitting.totalSeconds += t.seconds;
            }
            history.AppendSitting(sitting);
        }
    }
    history.Close();
}

