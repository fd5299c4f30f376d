#include "ui/dialogs/coachcharts.h"

#include "core/storage/history.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace statisticscharts {

QChartView *MakeView(const QString &name, QWidget *parent)
{
    auto *view = new QChartView(new QChart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 200);
    return view;
}

QChart *Reset(QChartView *view, const QString &title)
{
    QChart *chart = view->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(title);
    return chart;
}

QDateTimeAxis *DayAxis(QChart *chart, qint64 firstDay, qint64 lastDay)
{
    auto *axis = new QDateTimeAxis;
    axis->setObjectName(QStringLiteral("dayAxis"));
    axis->setFormat(QStringLiteral("MMM d"));
    // One day alone still needs a width to be drawn.
    axis->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(DayX(firstDay - (firstDay == lastDay)))),
                   QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(DayX(lastDay + (firstDay == lastDay)))));
    axis->setTickCount(std::clamp(static_cast<int>(lastDay - firstDay) + 1, 2, 5));
    chart->addAxis(axis, Qt::AlignBottom);
    return axis;
}

QValueAxis *ValueAxis(QChart *chart, double low, double high, const QString &title, Qt::Alignment side)
{
    auto *axis = new QValueAxis;
    axis->setRange(low, high > low ? high : low + 1);
    axis->applyNiceNumbers();
    axis->setTitleText(title);
    chart->addAxis(axis, side);
    return axis;
}

QValueAxis *PercentAxis(QChart *chart, const QString &title, Qt::Alignment side)
{
    auto *axis = new QValueAxis;
    axis->setRange(0, 100);
    axis->setTickCount(6);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setTitleText(title);
    chart->addAxis(axis, side);
    return axis;
}

void Attach(QChart *chart, QAbstractSeries *series, const QString &name)
{
    series->setObjectName(name);
    chart->addSeries(series);
    for (QAbstractAxis *axis : chart->axes())
        series->attachAxis(axis);
}

} // namespace statisticscharts

using namespace statisticscharts;

void CoachCharts::ShowRatings(QChartView *view, const std::vector<DayRating> &days, const QStringList &exerciseNames)
{
    QChart *chart = Reset(view, tr("Rating"));
    // The days come in order, so each exercise's line runs left to right.
    std::vector<QLineSeries *> lines(AllExercises.size(), nullptr);
    double low = days.empty() ? 0 : days.front().rating, high = low;
    for (const DayRating &d : days) {
        QLineSeries *&line = lines[static_cast<std::size_t>(ExerciseIndex(d.exercise))];
        if (!line) {
            line = new QLineSeries;
            line->setName(exerciseNames.value(ExerciseIndex(d.exercise)));
            line->setObjectName(QStringLiteral("rating-") + QLatin1String(ExerciseName(d.exercise)));
        }
        line->append(DayX(d.day), d.rating);
        low = std::min(low, d.rating);
        high = std::max(high, d.rating);
    }
    if (!days.empty())
        DayAxis(chart, days.front().day, days.back().day);
    // A quarter of a point to spare keeps the lines off the chart's edges.
    ValueAxis(chart, std::floor(low - 0.25), std::ceil(high + 0.25), QString());
    for (QLineSeries *line : lines)
        if (line) {
            line->setPointsVisible(line->count() < 60);
            Attach(chart, line, line->objectName());
        }
    chart->legend()->setVisible(!days.empty());
}

void CoachCharts::ShowCalibration(QChartView *view, const std::vector<CalibrationBand> &bands)
{
    QChart *chart = Reset(view, tr("Predicted and actual accuracy"));
    PercentAxis(chart, tr("Predicted, %"), Qt::AlignBottom);
    PercentAxis(chart, tr("Actual, %"), Qt::AlignLeft);
    auto *honest = new QLineSeries;
    honest->setName(tr("Honest prediction"));
    *honest << QPointF(0, 0) << QPointF(100, 100);
    Attach(chart, honest, QStringLiteral("honestPrediction"));
    // Set after adding: the chart's theme colours a series as it comes in.
    honest->setPen(QPen(Qt::gray, 1.5, Qt::DashLine));
    auto *turns = new QScatterSeries;
    turns->setName(tr("Your turns"));
    turns->setMarkerSize(10);
    for (const CalibrationBand &b : bands)
        if (b.turns > 0)
            turns->append(b.predicted * 100.0, b.actual * 100.0);
    Attach(chart, turns, QStringLiteral("calibration"));
}

QString CoachCharts::HelpTriesText(const HelpTries &tries)
{
    if (tries.turns <= 0)
        return tr("No hints or peeks in this period");
    const QLocale locale;
    // English says "1 turn" by itself; the catalogue gives other languages
    // their plural forms.
    const QString text = tries.turns == 1
                             ? tr("Before the first hint or peek: %1 s and %2 strokes on average (1 turn)")
                             : tr("Before the first hint or peek: %1 s and %2 strokes on average (%n turns)", nullptr,
                                  tries.turns);
    return text.arg(locale.toString(tries.seconds, 'f', 1), locale.toString(tries.strokes, 'f', 1));
}
