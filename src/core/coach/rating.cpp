#include "core/coach/rating.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int ParamCount = FeatureCount + 1;
using Vec = std::array<double, ParamCount>;
using Mat = std::array<Vec, ParamCount>;

// The pull toward the prior, as if each weight had been seen a few times.
constexpr double Ridge = 1.0;
constexpr int MaxIterations = 30;

Vec Row(const FigureFeatures &f)
{
    return {1.0, double(f.shown), double(f.endOn), double(f.overlaps), double(f.turns)};
}

Vec Params(const DifficultyWeights &w)
{
    return {w.bias, w.w[0], w.w[1], w.w[2], w.w[3]};
}

// Solves a·x = b by Gaussian elimination with partial pivoting; false when a
// is singular.
bool Solve(Mat a, Vec b, Vec &x)
{
    for (int c = 0; c < ParamCount; ++c) {
        int pivot = c;
        for (int r = c + 1; r < ParamCount; ++r)
            if (std::abs(a[r][c]) > std::abs(a[pivot][c]))
                pivot = r;
        if (std::abs(a[pivot][c]) < 1e-12)
            return false;
        std::swap(a[c], a[pivot]);
        std::swap(b[c], b[pivot]);
        for (int r = c + 1; r < ParamCount; ++r) {
            const double f = a[r][c] / a[c][c];
            for (int k = c; k < ParamCount; ++k)
                a[r][k] -= f * a[c][k];
            b[r] -= f * b[c];
        }
    }
    for (int c = ParamCount - 1; c >= 0; --c) {
        double s = b[c];
        for (int k = c + 1; k < ParamCount; ++k)
            s -= a[c][k] * x[k];
        x[c] = s / a[c][c];
    }
    return true;
}

} // namespace

double Accuracy(int right, int wrong)
{
    const double all = double(right) + double(wrong);
    return all > 0 && right > 0 ? double(right) / all : 0.0;
}

DifficultyWeights FitWeights(std::span<const RatedTurn> turns, const DifficultyWeights &prior)
{
    if (turns.size() < MinTurnsToFit)
        return prior;
    const Vec start = Params(prior);
    Vec theta = start;
    for (int iteration = 0; iteration < MaxIterations; ++iteration) {
        // Maximising sum(y log p + (1 − y) log(1 − p)) − Ridge/2 |θ − prior|²
        // with p = logistic(ratingBefore − θ·x): Newton steps θ −= H⁻¹ g.
        Vec gradient{};
        Mat hessian{};
        for (const RatedTurn &t : turns) {
            const Vec x = Row(t.features);
            double d = 0;
            for (int k = 0; k < ParamCount; ++k)
                d += theta[k] * x[k];
            const double p = Logistic(t.ratingBefore - d);
            const double y = std::clamp(t.accuracy, 0.0, 1.0);
            for (int i = 0; i < ParamCount; ++i) {
                gradient[i] -= (y - p) * x[i];
                for (int j = 0; j < ParamCount; ++j)
                    hessian[i][j] -= p * (1 - p) * x[i] * x[j];
            }
        }
        for (int i = 0; i < ParamCount; ++i) {
            gradient[i] -= Ridge * (theta[i] - start[i]);
            hessian[i][i] -= Ridge;
        }
        Vec step{};
        if (!Solve(hessian, gradient, step))
            return prior;
        double largest = 0;
        for (int k = 0; k < ParamCount; ++k) {
            theta[k] -= step[k];
            largest = std::max(largest, std::abs(step[k]));
        }
        if (!std::isfinite(largest))
            return prior;
        if (largest < 1e-7)
            return {theta[0], {theta[1], theta[2], theta[3], theta[4]}};
    }
    return prior;
}
