#pragma once

#include <QRect>
#include <QString>

#include <array>
#include <cstddef>

class QLabel;

// The control panel's four status lines (time, result, best score, puzzle
// code or notice) in their column. In a window of at least 1024x640 their
// text keeps the panel's size: a line too long for the column wraps onto a
// second line where the column has room for it, or is cut short with "…" and
// shown whole in its tooltip. In smaller windows the lines share the column
// equally and their text shrinks until it fits, so nothing is cut.
class StatusLines {
public:
    enum Line : std::size_t { Time, Result, Best, Code };
    static constexpr std::size_t Count = 4;

    explicit StatusLines(const std::array<QLabel *, Count> &labels) : m_labels(labels) {}

    void setText(Line line, const QString &text);
    // The whole text, however the line shows it.
    QString text(Line line) const { return m_texts[line]; }
    void place(const QRect &column, bool roomy, int textSize);

private:
    void fit();

    std::array<QLabel *, Count> m_labels;
    std::array<QString, Count> m_texts;
    QRect m_column;
    bool m_roomy = false;
    int m_textSize = 15;
};
