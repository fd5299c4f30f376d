#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>

class History;
class QLabel;
class QTableWidget;

// One line of the results file as the caller read it: the name's bytes as
// stored, the score and the seconds.
struct HighScoreEntry {
    QByteArray name;
    int score = 0;
    int seconds = 0;
};

// The best results: the results file's entries in the order given, with the
// record to beat (the top score; the first line holding it on a tie) marked,
// and the best turn of each level from the turn history. It reads no file
// itself: the entries come from the caller and the best turns through History.
// Names are shown as UTF-8, bytes that are not UTF-8 as replacement marks.
class HighScoresDialog : public QDialog {
    Q_OBJECT
public:
    explicit HighScoresDialog(QWidget *parent = nullptr);

    void setEntries(const QList<HighScoreEntry> &entries);
    void setHistory(History *history);
    // Reads the best turns per level from the history again.
    void refresh();

private:
    QTableWidget *m_results = nullptr;
    QTableWidget *m_best = nullptr;
    QLabel *m_record = nullptr;
    QLabel *m_status = nullptr;
    History *m_history = nullptr;
};
