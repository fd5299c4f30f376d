#include "ui/window/statuslines.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace {

void SetPixelSize(QLabel *label, int size)
{
    QFont f = label->font();
    f.setPixelSize(size);
    label->setFont(f);
}

} // namespace

void StatusLines::setText(Line line, const QString &text)
{
    // The status is set again on every tick and edit: only a change is laid out.
    if (m_texts[line] == text)
        return;
    m_texts[line] = text;
    fit();
}

void StatusLines::place(const QRect &column, bool roomy, int textSize)
{
    m_column = column;
    m_roomy = roomy;
    m_textSize = textSize;
    fit();
}

void StatusLines::fit()
{
    const QRect &c = m_column;
    std::array<int, Count> rows{};
    rows.fill(1);
    int lineHeight = 0;
    if (m_roomy) {
        for (QLabel *label : m_labels)
            SetPixelSize(label, m_textSize);
        // A row may be a pixel shorter than the font's height: the top and
        // bottom pixels of its ascent and descent are blank but for accents.
        const int textHeight = QFontMetrics(m_labels[Result]->font()).height() - 1;
        auto heightFor = [&](int rowCount) { return std::min(textHeight + 5, c.height() / rowCount); };
        // A long line takes a second row while the column has room for it,
        // the result first, then a notice or the code, then the time.
        int needed = static_cast<int>(Count);
        for (Line i : {Result, Code, Time, Best}) {
            const QFontMetrics m(m_labels[i]->font());
            if (m.horizontalAdvance(m_texts[i]) <= c.width() || heightFor(needed + 1) < textHeight)
                continue;
            const QRect wrapped = m.boundingRect(QRect(0, 0, c.width(), 1 << 16), Qt::TextWordWrap, m_texts[i]);
            if (wrapped.width() <= c.width() && wrapped.height() <= 2 * m.lineSpacing()) {
                rows[i] = 2;
                ++needed;
            }
        }
        lineHeight = heightFor(needed);
    } else {
        QFont panelFont = m_labels[Time]->font();
        panelFont.setPixelSize(m_textSize);
        lineHeight = std::min(QFontMetrics(panelFont).height() + 4, c.height() / static_cast<int>(Count));
    }
    int y = c.top();
    for (std::size_t i = 0; i < Count; ++i) {
        QLabel *label = m_labels[i];
        const QString &text = m_texts[i];
        label->setGeometry(c.left(), y, c.width(), rows[i] * lineHeight);
        y += rows[i] * lineHeight;
        label->setWordWrap(rows[i] > 1);
        if (!m_roomy) {
            // Shrinks the font until the text fits the line (small screens).
            QFont f = label->font();
            for (int size = m_textSize; size >= 8; --size) {
                f.setPixelSize(size);
                const QFontMetrics m(f);
                if (m.horizontalAdvance(text) <= label->width() && m.height() <= label->height())
                    break;
            }
            label->setFont(f);
            label->setText(text);
            label->setToolTip(QString());
            continue;
        }
        const QString shown = rows[i] > 1 ? text
                                          : QFontMetrics(label->font()).elidedText(text, Qt::ElideRight, c.width());
        label->setText(shown);
        label->setToolTip(rows[i] > 1 || shown == text ? QString() : text);
    }
}
