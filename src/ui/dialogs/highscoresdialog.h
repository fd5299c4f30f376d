#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>

class History;
class QLabel;
class QTableWidget;

// One line of the results file as the caller read it: the name's bytes as
// stored, the score and the seconds, the line's number, whether its score
// could be read, and whether it takes part in the record to beat.
struct HighScoreEntry {
    QByteArray name;
    int score = 0;
    int seconds = 0;
    int line = 0;
    bool readable = true;
    bool counts = true;
};

// The best results: the results file's entries in the order given, with the
// record to beat (the top score among the lines that count; the first line
// holding it on a tie) marked, a line whose score could not be read shown as
// such, and the best turn of each level in each exercise from the turn history. It reads no
// file itself: the entries come from the caller and the best turns through
// History. Names are shown as UTF-8, bytes that are not UTF-8 as replacement
// marks.
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
