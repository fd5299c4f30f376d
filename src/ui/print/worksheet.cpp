#include "ui/print/worksheet.h"

#include "ui/print/paperdrawing.h"

#include "core/sheets/sampling.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <array>

namespace {

constexpr int FiguresPerPage = 2;
constexpr int AnswersPerPage = 4;

int PagesFor(int count, int perPage)
{
    return (count + perPage - 1) / perPage;
}

// The paper kept clear around the worksheet, whatever less the device keeps:
// a printer's own margins are often a few millimetres.
constexpr double PaperMargin = 12.0;
// Millimetres of the layout inside the margins; each page scales them to its
// device.
constexpr double HeaderHeight = 8.0;
constexpr double ContentTop = 12.0;
constexpr double Gap = 4.0;
constexpr double SlotGap = 8.0;  // between figures: room for a cut line
constexpr double SheetLabel = 5.5;
constexpr double CaptionHeight = 6.5;

const QColor Ink(0, 0, 0);
const QColor RuleGrey(120, 120, 120);
const QColor CutGrey(170, 170, 170);

class WorksheetPainter {
    Q_DECLARE_TR_FUNCTIONS(Worksheet)
public:
    WorksheetPainter(QPainter &painter, const WorksheetRequest &request, double dotsPerMm, QSizeF page)
        : m_p(painter), m_request(request), m_paper{dotsPerMm}, m_page(page),
          m_count(static_cast<int>(request.figures.size())), m_pages(WorksheetPageCount(request))
    {
    }

    void paintPage(int page) const
    {
        const int figurePages = PagesFor(m_count, FiguresPerPage);
        const bool answers = page >= figurePages;
        const int perPage = answers ? AnswersPerPage : FiguresPerPage;
        const int first = (answers ? page - figurePages : page) * perPage;
        const int shown = std::min(perPage, m_count - first);

        QString which;
        if (answers)
            which = tr("Answers");
        else if (shown == 1)
            which = tr("Figure %1 of %2").arg(first + 1).arg(m_count);
        else
            which = tr("Figures %1–%2 of %3").arg(first + 1).arg(first + shown).arg(m_count);
        paintHeader(which, page);

        const QRectF content(0, m_paper(ContentTop), m_page.width(), m_page.height() - m_paper(ContentTop));
        for (int i = 0; i < shown; ++i) {
            const int index = first + i;
            if (!answers) {
                const QRectF slot = row(content, i, FiguresPerPage, m_paper(SlotGap));
                if (m_request.exercise == Exercise::Views)
                    paintViewsFigure(slot, index);
                else
                    paintBuildFigure(slot, index);
                if (i > 0)
                    paintCutLine(slot.top() - m_paper(SlotGap) / 2);
            } else if (m_request.exercise == Exercise::Views) {
                paintViewsAnswer(row(content, i, AnswersPerPage, m_paper(Gap)), index);
            } else {
                // The pictures want squares: two by two.
                const QRectF half = row(content, i / 2, 2, m_paper(SlotGap));
                const double w = (half.width() - m_paper(Gap)) / 2;
                paintBuildAnswer(QRectF(half.left() + (i % 2) * (w + m_paper(Gap)), half.top(), w, half.height()),
                                 index);
            }
        }
    }

private:
    // The i-th of n rows of a box, with gaps between them.
    static QRectF row(const QRectF &box, int i, int n, double gap)
    {
        const double h = (box.height() - (n - 1) * gap) / n;
        return {box.left(), box.top() + i * (h + gap), box.width(), h};
    }

    QString code(int index) const
    {
        return QString::fromStdString(EncodePuzzleCode(m_request.figures[static_cast<std::size_t>(index)]));
    }
    Figure figure(int index) const { return FigureFromCode(m_request.figures[static_cast<std::size_t>(index)]); }
    int level(int index) const
    {
        // As the code reads back: a level out of range was clamped when coded.
        return std::clamp(m_request.figures[static_cast<std::size_t>(index)].level, 0, MaxLevel);
    }

    void paintHeader(const QString &which, int page) const
    {
        const double w = m_page.width();
        const double h = m_paper(HeaderHeight);
        m_p.setPen(Ink);
        // One line, whatever breaks the assignment's title has.
        DrawFittedText(m_p, QRectF(0, 0, w * 0.52, h), m_request.title.simplified(), Paper::Font(12, true),
                       Qt::AlignLeft | Qt::AlignVCenter);
        DrawFittedText(m_p, QRectF(w * 0.54, 0, w * 0.26, h), which, Paper::Font(9.5),
                       Qt::AlignHCenter | Qt::AlignVCenter);
        DrawFittedText(m_p, QRectF(w * 0.8, 0, w * 0.2, h), tr("Page %1 of %2").arg(page + 1).arg(m_pages),
                       Paper::Font(9.5), Qt::AlignRight | Qt::AlignVCenter);
        m_p.setPen(QPen(RuleGrey, m_paper(0.3)));
        m_p.drawLine(QPointF(0, h + m_paper(1)), QPointF(w, h + m_paper(1)));
    }

    void paintCutLine(double y) const
    {
        QPen pen(CutGrey, m_paper(0.25), Qt::DashLine);
        m_p.setPen(pen);
        m_p.drawLine(QPointF(0, y), QPointF(m_page.width(), y));
    }

    // Three sheets side by side across a box, each as large as it allows.
    void paintSheets(const QRectF &box, const std::array<SegmentList, 3> *truth) const
    {
        const double w = (box.width() - 2 * m_paper(Gap)) / 3;
        for (Sheet s : AllSheets) {
            const int i = SheetIndex(s);
            DrawPaperSheet(m_p, m_paper, QRectF(box.left() + i * (w + m_paper(Gap)), box.top(), w, box.height()), s,
                           truth ? &(*truth)[static_cast<std::size_t>(i)] : nullptr);
        }
    }

    // The height of a row of three sheets across a width, at most `most`.
    double sheetsHeight(double width, double most) const
    {
        return std::min((width - 2 * m_paper(Gap)) / 3 + m_paper(SheetLabel), most);
    }

    void paintCaptionLine(const QRectF &line, int index, double points) const
    {
        const QString number = tr("Figure %1").arg(index + 1);
        const QFont bold = Paper::Font(points, true);
        const double numberWidth = QFontMetricsF(bold, m_p.device()).horizontalAdvance(number) + m_paper(4);
        m_p.setPen(Ink);
        DrawFittedText(m_p, QRectF(line.left(), line.top(), numberWidth, line.height()), number, bold,
                       Qt::AlignLeft | Qt::AlignVCenter);
        DrawFittedText(m_p, line.adjusted(numberWidth, 0, 0, 0),
                       tr("Code %1 · level %2").arg(code(index)).arg(level(index)), Paper::Font(points * 0.8),
                       Qt::AlignLeft | Qt::AlignVCenter);
    }

    // The picture at the top left, the figure's number, code and what to do
    // beside it, and three empty sheets below, as the game lays them out.
    void paintViewsFigure(const QRectF &slot, int index) const
    {
        // The sheets give up a little size so the picture, the part to read
        // closely, gets more.
        const double sheets = sheetsHeight(slot.width(), slot.height() * 0.44);
        const double pictureHeight = slot.height() - sheets - m_paper(Gap);
        const QRectF picture(slot.left(), slot.top(), std::min(slot.width() * 0.55, pictureHeight * 1.25),
                             pictureHeight);
        DrawFigurePicture(m_p, m_paper, picture, figure(index));

        const QRectF text(picture.right() + m_paper(Gap), slot.top() + m_paper(2),
                          slot.right() - picture.right() - m_paper(Gap), pictureHeight - m_paper(2));
        m_p.setPen(Ink);
        DrawFittedText(m_p, QRectF(text.left(), text.top(), text.width(), m_paper(8)), tr("Figure %1").arg(index + 1),
                       Paper::Font(15, true), Qt::AlignLeft | Qt::AlignVCenter);
        DrawFittedText(m_p, QRectF(text.left(), text.top() + m_paper(9), text.width(), m_paper(6)),
                       tr("Code %1 · level %2").arg(code(index)).arg(level(index)), Paper::Font(10.5),
                       Qt::AlignLeft | Qt::AlignVCenter);
        m_p.setFont(Paper::Font(9.5));
        m_p.drawText(text.adjusted(0, m_paper(18), 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     tr("Draw the black walk on the three sheets below as each sheet sees it, from where its "
                        "name says. The grey frame only shows where the cube is: it is not drawn."));

        paintSheets(QRectF(slot.left(), slot.bottom() - sheets, slot.width(), sheets), nullptr);
    }

    // The caption, the three true views, and a dot grid to sketch the
    // figure on.
    void paintBuildFigure(const QRectF &slot, int index) const
    {
        paintCaptionLine(QRectF(slot.left(), slot.top(), slot.width(), m_paper(8)), index, 14);
        m_p.setFont(Paper::Font(9.5));
        m_p.setPen(Ink);
        const QRectF task(slot.left(), slot.top() + m_paper(8), slot.width(), m_paper(6));
        m_p.drawText(task, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                     tr("Build the figure that has these three views, and sketch it on the dot grid."));
        const double top = task.bottom() + m_paper(1);
        const double sheets = sheetsHeight(slot.width(), (slot.bottom() - top) * 0.47);
        const auto truth = trueViews(index);
        paintSheets(QRectF(slot.left(), top, slot.width(), sheets), &truth);
        const double gridTop = top + sheets + m_paper(Gap);
        DrawIsometricDots(m_p, m_paper, QRectF(slot.left(), gridTop, slot.width(), slot.bottom() - gridTop));
    }

    void paintViewsAnswer(const QRectF &slot, int index) const
    {
        paintCaptionLine(QRectF(slot.left(), slot.top(), slot.width(), m_paper(CaptionHeight)), index, 11);
        const double top = slot.top() + m_paper(CaptionHeight);
        const auto truth = trueViews(index);
        paintSheets(QRectF(slot.left(), top, slot.width(), slot.bottom() - top), &truth);
    }

    void paintBuildAnswer(const QRectF &slot, int index) const
    {
        paintCaptionLine(QRectF(slot.left(), slot.top(), slot.width(), m_paper(CaptionHeight)), index, 11);
        const double top = slot.top() + m_paper(CaptionHeight);
        DrawFigurePicture(m_p, m_paper, QRectF(slot.left(), top, slot.width(), slot.bottom() - top), figure(index));
    }

    // The sheets' truth, as the game computes it for a turn on this figure.
    std::array<SegmentList, 3> trueViews(int index) const
    {
        const Figure f = figure(index);
        std::array<SegmentList, 3> views;
        for (Sheet s : AllSheets)
            views[static_cast<std::size_t>(SheetIndex(s))] = TrueSegments(f, s);
        return views;
    }

    QPainter &m_p;
    const WorksheetRequest &m_request;
    Paper m_paper;
    QSizeF m_page;
    int m_count;
    int m_pages;
};

// The messages of an export, in the worksheet's translation context.
struct ExportText {
    Q_DECLARE_TR_FUNCTIONS(Worksheet)
};

} // namespace

int WorksheetPageCount(const WorksheetRequest &request)
{
    const int count = static_cast<int>(request.figures.size());
    return PagesFor(count, FiguresPerPage) + (request.answers ? PagesFor(count, AnswersPerPage) : 0);
}

bool PaintWorksheet(QPagedPaintDevice &device, const WorksheetRequest &request)
{
    const int pages = WorksheetPageCount(request);
    if (pages == 0)
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The device paints from the top left of its margins; the worksheet keeps
    // at least PaperMargin from the paper's edge.
    const int dpi = device.logicalDpiX();
    const double mm = dpi / 25.4;
    const QPageLayout layout = device.pageLayout();
    const QRect paintable = layout.paintRectPixels(dpi);
    const QRectF paper = QRectF(layout.fullRectPixels(dpi)).translated(-paintable.topLeft());
    const QRectF content = paper.adjusted(PaperMargin * mm, PaperMargin * mm, -PaperMargin * mm, -PaperMargin * mm)
                               .intersected(QRectF(0, 0, device.width(), device.height()));
    const WorksheetPainter worksheet(painter, request, mm, content.size());
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        painter.save();
        painter.translate(content.topLeft());
        worksheet.paintPage(page);
        painter.restore();
    }
    return painter.end();
}

bool ExportWorksheetPdf(const QString &path, const WorksheetRequest &request, QString *error)
{
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    if (request.figures.empty())
        return fail(ExportText::tr("The assignment has no figures to print."));

    // QPdfWriter writes to its device as it paints: the PDF is made in memory
    // and only its finished bytes go through the save file, so a failure at
    // any step leaves the old file, or none, and never half a PDF.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(ExportText::tr("The worksheet cannot be saved as %1: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        const QMarginsF margins(PaperMargin, PaperMargin, PaperMargin, PaperMargin);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins, QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setTitle(request.title);
        writer.setCreator(QStringLiteral("Trivisto " TRIVISTO_VERSION));
        painted = PaintWorksheet(writer, request);
    }
    if (!painted) {
        file.cancelWriting();
        return fail(ExportText::tr("The worksheet could not be drawn."));
    }
    if (file.write(buffer.data()) != buffer.size() || !file.commit())
        return fail(ExportText::tr("The worksheet cannot be saved as %1: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    return true;
}
