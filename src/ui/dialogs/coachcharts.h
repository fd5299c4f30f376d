#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <vector>

class QAbstractSeries;
class QChart;
class QChartView;
class QDateTimeAxis;
class QValueAxis;
class QWidget;
struct CalibrationBand;
struct DayRating;
struct HelpTries;

// The pieces every chart of the statistics window is built from.
namespace statisticscharts {

constexpr qint64 MsPerDay = 86400LL * 1000;

// Where a UTC day sits on a time axis. The axis shows local time, so a day is
// drawn at its UTC noon, which falls on the same date in every time zone.
inline qreal DayX(std::int64_t day) { return static_cast<qreal>(day * MsPerDay + MsPerDay / 2); }

QChartView *MakeView(const QString &name, QWidget *parent);
// Empties a chart for new numbers: series and axes go, the title is set.
QChart *Reset(QChartView *view, const QString &title);
QDateTimeAxis *DayAxis(QChart *chart, qint64 firstDay, qint64 lastDay);
// A value axis from low to high rounded outwards to nice numbers.
QValueAxis *ValueAxis(QChart *chart, double low, double high, const QString &title,
                      Qt::Alignment side = Qt::AlignLeft);
// A value axis of exactly 0 to 100 %, ticks every 20.
QValueAxis *PercentAxis(QChart *chart, const QString &title, Qt::Alignment side);
// Adds the series to the chart on every axis the chart has so far.
void Attach(QChart *chart, QAbstractSeries *series, const QString &name);

} // namespace statisticscharts

// The charts and words of the Coach tab: how the rating went, how well it
// predicted, and how long the player tries before asking for help.
class CoachCharts {
    Q_DECLARE_TR_FUNCTIONS(CoachCharts)
public:
    // A line per exercise with ratings, named by exerciseNames (in the
    // order of AllExercises).
    static void ShowRatings(QChartView *view, const std::vector<DayRating> &days, const QStringList &exerciseNames);
    // The bands' mean prediction against their mean accuracy, beside the
    // diagonal where the two agree.
    static void ShowCalibration(QChartView *view, const std::vector<CalibrationBand> &bands);
    static QString HelpTriesText(const HelpTries &tries);
};
