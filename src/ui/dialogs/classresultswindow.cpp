#include "ui/dialogs/classresultswindow.h"

#include "core/classroom/result.h"
#include "ui/app/classfiles.h"
#include "ui/app/classroomtext.h"
#include "ui/dialogs/coachcharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QValueAxis>
#include <QCursor>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

using namespace statisticscharts;

namespace {

// Value labels on the bars while they have room for them.
constexpr int MostLabelledBars = 16;

QString Percent(double percent) { return ClassResultsWindow::tr("%1 %").arg(QLocale().toString(percent, 'f', 1)); }

QString Moment(std::int64_t utcSeconds)
{
    return QLocale().toString(QDateTime::fromSecsSinceEpoch(utcSeconds).toLocalTime(), QLocale::ShortFormat);
}

QString CellToolTip(const ClassCell &cell)
{
    if (!cell.checkedUtc)
        return ClassResultsWindow::tr("Not checked yet.");
    const QLocale locale;
    QString text = ClassResultsWindow::tr("Score: %1\nTime: %2 s\nHints: %3\nPeeks: %4\nChecked: %5")
                       .arg(locale.toString(cell.score.value_or(0)), locale.toString(cell.seconds.value_or(0)),
                            locale.toString(cell.hints.value_or(0)), locale.toString(cell.peeks.value_or(0)),
                            Moment(*cell.checkedUtc));
    if (cell.late)
        text += QLatin1Char('\n') + ClassResultsWindow::tr("Checked after the due day.");
    return text;
}

QTableWidgetItem *Item(const QString &text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    return item;
}

QString YesNo(bool yes) { return yes ? ClassResultsWindow::tr("yes") : ClassResultsWindow::tr("no"); }

} // namespace

ClassResultsWindow::ClassResultsWindow(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("classResultsWindow"));
    setWindowTitle(tr("Class Results"));
    setModal(false);

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("assignmentLabel"));
    m_heading->setWordWrap(true);
    m_heading->setTextFormat(Qt::RichText);
    auto *addFiles = m_addFiles = new QPushButton(tr("Add Files…"), this);
    addFiles->setObjectName(QStringLiteral("addFilesButton"));
    auto *addFolder = m_addFolder = new QPushButton(tr("Add Folder…"), this);
    addFolder->setObjectName(QStringLiteral("addFolderButton"));
    m_export = new QPushButton(tr("Export CSV…"), this);
    m_export->setObjectName(QStringLiteral("exportCsvButton"));
    for (QPushButton *b : {addFiles, addFolder, m_export})
        b->setAutoDefault(false);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summaryLabel"));

    m_tableWidget = new QTableWidget(this);
    m_tableWidget->setObjectName(QStringLiteral("classTable"));
    m_tableWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableWidget->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableWidget->setAlternatingRowColors(true);
    m_tableWidget->verticalHeader()->hide();
    m_tableWidget->setWordWrap(false);
    m_chart = MakeView(QStringLiteral("classMeanChart"), this);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *actions = new QHBoxLayout;
    actions->addWidget(addFiles);
    actions->addWidget(addFolder);
    actions->addWidget(m_export);
    actions->addSpacing(12);
    actions->addWidget(m_summary, 1);
    // The teacher gives the table or the chart more room as the class needs.
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(m_tableWidget);
    splitter->addWidget(m_chart);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(actions);
    layout->addWidget(splitter, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    connect(addFiles, &QPushButton::clicked, this, &ClassResultsWindow::onAddFilesClicked);
    connect(addFolder, &QPushButton::clicked, this, &ClassResultsWindow::onAddFolderClicked);
    connect(m_export, &QPushButton::clicked, this, &ClassResultsWindow::onExportClicked);
    resize(960, 720);
    refresh();
}

void ClassResultsWindow::setAssignment(const Assignment &assignment, const QString &assignmentPath)
{
    if (assignment.id != m_assignment.id)
        m_files.clear();
    m_assignment = assignment;
    m_assignmentPath = assignmentPath;
    m_status->clear();
    refresh();
}

void ClassResultsWindow::addFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        LoadedResult loaded = ReadClassFile(QFileInfo(path).absoluteFilePath());
        const auto same = std::ranges::find(m_files, loaded.path, &LoadedResult::path);
        if (same != m_files.end())
            *same = std::move(loaded);
        else
            m_files.push_back(std::move(loaded));
    }
    showMessage(paths.size() == 1 ? tr("1 file read.") : tr("%n files read.", nullptr, static_cast<int>(paths.size())));
    refresh();
}

void ClassResultsWindow::addFolder(const QString &folder)
{
    const QDir dir(folder);
    const QString shown = QDir::toNativeSeparators(folder);
    if (!dir.exists() || !dir.isReadable()) {
        showMessage(tr("The folder %1 cannot be read.").arg(shown));
        return;
    }
    QStringList paths;
    const QString pattern = QLatin1Char('*') + QString::fromLatin1(ResultExtension);
    for (const QFileInfo &file : dir.entryInfoList({pattern}, QDir::Files, QDir::Name))
        paths << file.absoluteFilePath();
    if (paths.isEmpty()) {
        showMessage(tr("The folder %1 holds no result files (%2).").arg(shown, pattern));
        return;
    }
    addFiles(paths);
}

ClassResultsWindow::ExportResult ClassResultsWindow::exportCsv(const QString &path)
{
    ExportResult result;
    const QString file = QDir::toNativeSeparators(path);
    if (const QString error = WriteFileDurably(path, ClassCsv(m_table)); !error.isEmpty())
        result.message = tr("The class table could not be saved as %1: %2.").arg(file, error);
    else
        result = {true, tr("The class table was saved as %1.").arg(file)};
    showMessage(result.message);
    return result;
}

void ClassResultsWindow::showMessage(const QString &text) { m_status->setText(text); }

void ClassResultsWindow::refresh()
{
    m_table = BuildClassTable(m_assignment, m_files);
    const Assignment &a = m_assignment;
    // Files are read against an assignment: there is nothing to do before one.
    for (QPushButton *b : {m_addFiles, m_addFolder, m_export})
        b->setEnabled(!a.figures.empty());
    if (a.figures.empty()) {
        m_heading->setText(tr("No assignment is open."));
    } else {
        setWindowTitle(tr("Class Results – %1").arg(QString::fromStdString(a.title)));
        QStringList facts{
            ExerciseTitle(a.exercise),
            a.figures.size() == 1 ? tr("1 figure") : tr("%n figures", nullptr, static_cast<int>(a.figures.size())),
            a.hints ? tr("hints allowed") : tr("no hints"), a.peeks ? tr("peeks allowed") : tr("no peeks")};
        if (a.due) {
            const std::chrono::year_month_day day{*a.due};
            const QDate date(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                             static_cast<int>(static_cast<unsigned>(day.day())));
            facts << tr("due %1").arg(QLocale().toString(date, QLocale::ShortFormat));
        }
        m_heading->setText(QStringLiteral("<b>%1</b> &nbsp; %2")
                               .arg(QString::fromStdString(a.title).toHtmlEscaped(),
                                    facts.join(QStringLiteral(", ")).toHtmlEscaped()));
        m_heading->setToolTip(QDir::toNativeSeparators(m_assignmentPath));
    }
    const auto kept = std::ranges::count(m_table.rows, ClassRowStatus::Ok, &ClassRow::status);
    QString summary = kept == 1 ? tr("1 result counted") : tr("%n results counted", nullptr, static_cast<int>(kept));
    if (const auto others = static_cast<int>(m_table.rows.size()) - static_cast<int>(kept); others > 0)
        summary += QStringLiteral("; ") +
                   (others == 1 ? tr("1 file not counted") : tr("%n files not counted", nullptr, others));
    m_summary->setText(summary);
    fillTable();
    fillChart();
}

void ClassResultsWindow::fillTable()
{
    const int figures = static_cast<int>(m_table.codes.size());
    const int total = figures + 1, complete = figures + 2, late = figures + 3, status = figures + 4;
    QStringList headers{tr("Student")};
    for (int f = 0; f < figures; ++f)
        headers << tr("Figure %1").arg(f + 1) + QLatin1Char('\n') +
                       QString::fromStdString(m_table.codes[static_cast<std::size_t>(f)]);
    headers << tr("Total") << tr("Complete") << tr("Late") << tr("Status");

    // The core's order, with the files of other assignments moved last: they
    // are someone else's business, the damaged files of this one are not.
    std::vector<const ClassRow *> rows;
    for (const ClassRow &row : m_table.rows)
        rows.push_back(&row);
    std::ranges::stable_partition(rows, [](const ClassRow *r) { return r->status != ClassRowStatus::OtherAssignment; });

    m_tableWidget->clearSpans();
    m_tableWidget->clear();
    m_tableWidget->setColumnCount(status + 1);
    m_tableWidget->setHorizontalHeaderLabels(headers);
    m_tableWidget->setRowCount(static_cast<int>(rows.size()));
    const Qt::Alignment number = Qt::AlignRight | Qt::AlignVCenter;
    const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
    std::vector<std::pair<int, QTableWidgetItem *>> reasons;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ClassRow &row = *rows[static_cast<std::size_t>(r)];
        auto *name = Item(QString::fromStdString(row.name));
        name->setToolTip(QDir::toNativeSeparators(QString::fromStdString(row.path)));
        m_tableWidget->setItem(r, 0, name);
        auto *state = Item(ClassRowStatusText(row));
        m_tableWidget->setItem(r, status, state);
        if (row.status == ClassRowStatus::Ok) {
            for (int f = 0; f < figures; ++f) {
                const ClassCell &cell = row.cells[static_cast<std::size_t>(f)];
                auto *item = Item(cell.percent ? Percent(*cell.percent) : QString(), number);
                item->setToolTip(CellToolTip(cell));
                if (cell.late) {
                    QFont font = item->font();
                    font.setItalic(true);
                    item->setFont(font);
                }
                m_tableWidget->setItem(r, 1 + f, item);
            }
            m_tableWidget->setItem(r, total, Item(Percent(row.totalPercent), number));
            m_tableWidget->setItem(r, complete, Item(YesNo(row.complete)));
            m_tableWidget->setItem(r, late, Item(YesNo(row.late)));
            continue;
        }
        // A file not counted: its reason across the figures' cells, which it
        // has none of, and in full in every cell's tooltip.
        const QString reason = ClassRowReason(row);
        auto *why = Item(reason);
        reasons.emplace_back(r, why);
        const bool apart = row.status == ClassRowStatus::OtherAssignment || row.status == ClassRowStatus::Duplicate;
        if (!apart)
            state->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
        for (QTableWidgetItem *item : {name, why, state}) {
            item->setToolTip(reason + QLatin1Char('\n') + QDir::toNativeSeparators(QString::fromStdString(row.path)));
            if (apart)
                item->setForeground(grey);
        }
    }
    // The columns fit the results; the reasons of the files not counted go in
    // after, elided where they are longer, rather than widening a figure.
    // The last column stretches again only when told anew after the sizing.
    m_tableWidget->horizontalHeader()->setStretchLastSection(false);
    m_tableWidget->resizeColumnsToContents();
    for (const auto &[r, why] : reasons) {
        m_tableWidget->setItem(r, 1, why);
        m_tableWidget->setSpan(r, 1, 1, late);
    }
    m_tableWidget->horizontalHeader()->setStretchLastSection(true);
}

void ClassResultsWindow::fillChart()
{
    QChart *chart = Reset(m_chart, tr("Class mean per figure"));
    auto *means = new QBarSet(tr("Class mean"));
    auto *axis = new QBarCategoryAxis;
    axis->setTitleText(tr("Figure"));
    std::optional<double> lowest, highest;
    for (std::size_t f = 0; f < m_table.meanPercent.size(); ++f) {
        const std::optional<double> &mean = m_table.meanPercent[f];
        *means << mean.value_or(0.0);
        axis->append(QString::number(f + 1));
        if (mean) {
            lowest = std::min(lowest.value_or(*mean), *mean);
            highest = std::max(highest.value_or(*mean), *mean);
        }
    }
    // The hardest figures in a colour of their own, so they stand out at
    // once; where all figures went alike none is hardest.
    means->setSelectedColor(QColor(0xd0, 0x4a, 0x2a));
    if (lowest && *lowest < *highest)
        for (std::size_t f = 0; f < m_table.meanPercent.size(); ++f)
            if (m_table.meanPercent[f] == lowest)
                means->selectBar(static_cast<int>(f));
    auto *series = new QBarSeries;
    series->append(means);
    if (m_table.meanPercent.size() <= MostLabelledBars) {
        series->setLabelsVisible(true);
        series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
        series->setLabelsFormat(QStringLiteral("@value"));
    }
    // An axis without categories would draw its title at random.
    if (axis->count() > 0)
        chart->addAxis(axis, Qt::AlignBottom);
    else
        delete axis;
    // Ticks every 25 %: their labels fit in the chart's height on a small screen.
    PercentAxis(chart, tr("%"), Qt::AlignLeft)->setTickCount(5);
    Attach(chart, series, QStringLiteral("classMean"));
    chart->legend()->hide();
    const std::vector<std::string> codes = m_table.codes;
    const std::vector<std::optional<double>> meanPercent = m_table.meanPercent;
    connect(means, &QBarSet::hovered, this, [codes, meanPercent](bool on, int index) {
        if (!on || index < 0 || static_cast<std::size_t>(index) >= codes.size()) {
            QToolTip::hideText();
            return;
        }
        const std::optional<double> &mean = meanPercent[static_cast<std::size_t>(index)];
        QToolTip::showText(QCursor::pos(), tr("Figure %1, %2: %3")
                                               .arg(index + 1)
                                               .arg(QString::fromStdString(codes[static_cast<std::size_t>(index)]),
                                                    mean ? Percent(*mean) : tr("no result yet")));
    });
}

void ClassResultsWindow::onAddFilesClicked()
{
    const QString folder = m_assignmentPath.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               : QFileInfo(m_assignmentPath).absolutePath();
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, tr("Add result files"), folder,
        tr("Trivisto results (*%1);;All files (*)").arg(QString::fromLatin1(ResultExtension)));
    if (!paths.isEmpty())
        addFiles(paths);
}

void ClassResultsWindow::onAddFolderClicked()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Add a folder of result files"),
                                                             QFileInfo(m_assignmentPath).absolutePath());
    if (!folder.isEmpty())
        addFolder(folder);
}

void ClassResultsWindow::onExportClicked()
{
    const QString folder = m_assignmentPath.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               : QFileInfo(m_assignmentPath).absolutePath();
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export the class table"),
        QDir(folder).filePath(tr("%1 results").arg(FileNameFromTitle(QString::fromStdString(m_assignment.title))) +
                              QStringLiteral(".csv")),
        tr("CSV files (*.csv);;All files (*)"));
    if (!path.isEmpty())
        exportCsv(WithExtension(path, QStringLiteral(".csv")));
}
