#include "ui/dialogs/highscoresdialog.h"

#include "core/storage/history.h"
#include "ui/app/messages.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget *MakeTable(const QString &name, const QStringList &headers, QWidget *parent)
{
    auto *table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QTableWidgetItem *Cell(const QString &text, bool number = false)
{
    auto *item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

HighScoresDialog::HighScoresDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("highScoresDialog"));
    setWindowTitle(tr("High scores"));
    setModal(false);

    m_record = new QLabel(this);
    m_record->setObjectName(QStringLiteral("recordLabel"));
    m_results = MakeTable(QStringLiteral("resultsTable"), {tr("#"), tr("Name"), tr("Score"), tr("Seconds"), QString()}, this);
    m_best = MakeTable(QStringLiteral("bestTurnsTable"),
                       {tr("Level"), tr("Exercise"), tr("Best score"), tr("Date (UTC)"), tr("Puzzle code")}, this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_status->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_record);
    layout->addWidget(m_results, 1);
    layout->addWidget(new QLabel(tr("Best turn of each level"), this));
    layout->addWidget(m_best, 1);
    layout->addWidget(m_status);
    resize(520, 520);
    setEntries({});
    refresh();
}

void HighScoresDialog::setEntries(const QList<HighScoreEntry> &entries)
{
    qsizetype top = -1;
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries[i].counts && (top < 0 || entries[i].score > entries[top].score))
            top = i;

    m_results->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < m_results->rowCount(); ++row) {
        const HighScoreEntry &e = entries[row];
        m_results->setItem(row, 0, Cell(QString::number(row + 1), true));
        if (!e.readable) {
            // The player sees where the file went wrong; it stays as it is.
            auto *note = Cell(tr("Line %1 could not be read").arg(e.line));
            QFont italic = note->font();
            italic.setItalic(true);
            note->setFont(italic);
            note->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
            m_results->setItem(row, 1, note);
            for (int column = 2; column < m_results->columnCount(); ++column)
                m_results->setItem(row, column, Cell(QString()));
            continue;
        }
        m_results->setItem(row, 1, Cell(QString::fromUtf8(e.name)));
        m_results->setItem(row, 2, Cell(QString::number(e.score), true));
        m_results->setItem(row, 3, Cell(QString::number(e.seconds), true));
        m_results->setItem(row, 4, Cell(row == top ? tr("record to beat") : QString()));
        if (row == top) {
            for (int column = 0; column < m_results->columnCount(); ++column) {
                QTableWidgetItem *item = m_results->item(row, column);
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
                item->setBackground(palette().color(QPalette::AlternateBase).darker(110));
            }
        }
    }
    m_results->resizeColumnsToContents();
    m_record->setText(top < 0 ? tr("No results yet: any score is a record.")
                              : tr("Record to beat: %1 by %2")
                                    .arg(entries[top].score)
                                    .arg(QString::fromUtf8(entries[top].name)));
}

void HighScoresDialog::setHistory(History *history)
{
    m_history = history;
    refresh();
}

void HighScoresDialog::refresh()
{
    std::vector<BestTurn> best;
    if (!m_history || !m_history->IsOpen()) {
        m_status->setText(tr("The turn history is unavailable, so the best turns are not shown."));
    } else {
        const HistoryStatus s = m_history->BestTurnByLevel({}, best);
        m_status->setText(HistoryMessage(s));
    }
    m_best->setRowCount(static_cast<int>(best.size()));
    for (int row = 0; row < m_best->rowCount(); ++row) {
        const BestTurn &b = best[static_cast<std::size_t>(row)];
        m_best->setItem(row, 0, Cell(QString::number(b.level), true));
        m_best->setItem(row, 1, Cell(b.exercise == Exercise::Build ? tr("Build the figure") : tr("Draw the views")));
        m_best->setItem(row, 2, Cell(QString::number(b.finalScore), true));
        m_best->setItem(row, 3, Cell(QString::fromStdString(UtcDate(b.utcSeconds))));
        m_best->setItem(row, 4, Cell(QString::fromStdString(b.puzzleCode)));
    }
    m_best->resizeColumnsToContents();
}
