// Printed worksheets, read back with poppler as a teacher's PDF viewer would:
// every page there, every figure's code on it, and nothing half-written left
// behind when the file cannot be saved.
#include "guitest.h"

#include "ui/print/paperdrawing.h"
#include "ui/print/worksheet.h"

#include <QPrinter>

namespace {

// A tool's standard output; empty when it failed.
QString Run(const char *program, const QStringList &arguments)
{
    QProcess process;
    process.start(QString::fromUtf8(program), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString &path)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = pages.match(Run(PDFINFO, {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The first word poppler places nearer a page's edge than the margin (in
// points), with its box; empty when every word keeps clear of it.
QString WordOutsideMargin(const QString &path, double margin)
{
    const QString boxes = Run(PDFTOTEXT, {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    static const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    static const QRegularExpression word(
        QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<"));
    const QRegularExpressionMatch size = page.match(boxes);
    if (!size.hasMatch())
        return QStringLiteral("no page");
    const QRectF inside = QRectF(0, 0, size.captured(1).toDouble(), size.captured(2).toDouble())
                              .adjusted(margin - 0.5, margin - 0.5, 0.5 - margin, 0.5 - margin);
    for (const QRegularExpressionMatch &w : word.globalMatch(boxes)) {
        const QRectF box(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                         QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()));
        if (!inside.contains(box))
            return QStringLiteral("%1 at %2, %3").arg(w.captured(5)).arg(box.left()).arg(box.top());
    }
    return {};
}

std::vector<PuzzleCode> Figures(int count)
{
    std::vector<PuzzleCode> figures;
    for (int i = 0; i < count; ++i)
        figures.push_back({.level = 10 + 9 * i, .seed = 0x9E3779B9u * static_cast<std::uint32_t>(i + 1)});
    return figures;
}

QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestWorksheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyPageAndCodeIsInThePdf_data();
    void everyPageAndCodeIsInThePdf();
    void sheetShowsItsTrueLines_data();
    void sheetShowsItsTrueLines();
    void failedExportKeepsWhatWasThere_data();
    void failedExportKeepsWhatWasThere();
};

void TestWorksheet::everyPageAndCodeIsInThePdf_data()
{
    QTest::addColumn<int>("exercise");
    QTest::addColumn<int>("figures");
    QTest::addColumn<bool>("answers");
    QTest::addColumn<bool>("printer");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("codeShown");  // times each code is printed

    // 3 pages of figures (2, 2, 1) and 2 of answers (4, 1).
    QTest::newRow("views, 5 figures, answers") << ExerciseIndex(Exercise::Views) << 5 << true << false << 5 << 2;
    QTest::newRow("build, 3 figures, no answers") << ExerciseIndex(Exercise::Build) << 3 << false << false << 2 << 1;
    // The same painting goes to a printer: its paint rectangle and pages.
    QTest::newRow("build, 4 figures, answers, through a printer")
        << ExerciseIndex(Exercise::Build) << 4 << true << true << 3 << 2;
}

void TestWorksheet::everyPageAndCodeIsInThePdf()
{
    QFETCH(int, exercise);
    QFETCH(int, figures);
    QFETCH(bool, answers);
    QFETCH(bool, printer);
    QFETCH(int, pages);
    QFETCH(int, codeShown);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("worksheet.pdf"));
    // Not Latin: the title's glyphs have to reach the PDF as text.
    const WorksheetRequest request{.title = QStringLiteral("Класс 7Б — проекции"),
                                   .exercise = AllExercises[static_cast<std::size_t>(exercise)],
                                   .figures = Figures(figures),
                                   .answers = answers};
    QCOMPARE(WorksheetPageCount(request), pages);
    if (printer) {
        QPrinter device(QPrinter::HighResolution);
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(path);
        QVERIFY(PaintWorksheet(device, request));
    } else {
        QString error;
        QVERIFY2(ExportWorksheetPdf(path, request, &error), qPrintable(error));
        QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("worksheet.pdf")});
    }

    QCOMPARE(PdfPages(path), pages);
    const QString text = Run(PDFTOTEXT, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    QVERIFY(text.contains(request.title));
    for (const PuzzleCode &code : request.figures)
        QCOMPARE(text.count(QString::fromStdString(EncodePuzzleCode(code))), codeShown);
    QCOMPARE(text.contains(QStringLiteral("Answers")), answers);
    QVERIFY(text.contains(QStringLiteral("Page %1 of %1").arg(pages)));
    // 12 mm: a printer's own margins are narrower, a PDF viewer's page the paper.
    QCOMPARE(WordOutsideMargin(path, 12 * 72 / 25.4), QString());
}

void TestWorksheet::sheetShowsItsTrueLines_data()
{
    QTest::addColumn<int>("startCol");
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("endCol");
    QTest::addColumn<int>("endRow");
    QTest::addColumn<QString>("shape");  // of what the stroke adds to the sheet

    QTest::newRow("line along the sheet's horizontal axis") << 1 << 5 << 3 << 5 << "wide";
    QTest::newRow("line along its vertical axis") << 2 << 1 << 2 << 4 << "tall";
    QTest::newRow("step along the hidden axis shows as a dot") << 4 << 2 << 4 << 2 << "dot";
}

void TestWorksheet::sheetShowsItsTrueLines()
{
    QFETCH(int, startCol);
    QFETCH(int, startRow);
    QFETCH(int, endCol);
    QFETCH(int, endRow);
    QFETCH(QString, shape);

    auto paint = [](const SegmentList *truth) {
        QImage image(600, 660, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        DrawPaperSheet(p, Paper{10.0}, QRectF(image.rect()), Sheet::Y, truth);
        return image;
    };
    // Every walk's truth begins with its start, a dot, as here in the sheet's
    // bottom right corner.
    SegmentList truth{};
    truth[Figure::FirstShown] = Stroke(LatticeMax, LatticeMax, LatticeMax, LatticeMax);
    const QImage empty = paint(&truth);
    truth[Figure::FirstShown + 1] = Stroke(startCol, startRow, endCol, endRow);
    const QImage drawn = paint(&truth);
    QRect added;
    for (int y = 0; y < empty.height(); ++y)
        for (int x = 0; x < empty.width(); ++x)
            if (empty.pixel(x, y) != drawn.pixel(x, y))
                added |= QRect(x, y, 1, 1);
    QVERIFY(!added.isEmpty());
    const QByteArray box = QDebug::toString(added).toUtf8();
    if (shape == QLatin1String("wide"))
        QVERIFY2(added.width() > 4 * added.height(), box);
    else if (shape == QLatin1String("tall"))
        QVERIFY2(added.height() > 4 * added.width(), box);
    else
        QVERIFY2(added.width() < 30 && std::abs(added.width() - added.height()) <= 1, box);
}

void TestWorksheet::failedExportKeepsWhatWasThere_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("figures");

    // A regular file where the folder should be: no one, root included, can
    // write there.
    QTest::newRow("folder is a file") << QStringLiteral("old.pdf/worksheet.pdf") << 2;
    QTest::newRow("no figures") << QStringLiteral("old.pdf") << 0;
}

void TestWorksheet::failedExportKeepsWhatWasThere()
{
    QFETCH(QString, file);
    QFETCH(int, figures);

    QTemporaryDir dir;
    QFile old(dir.filePath(QStringLiteral("old.pdf")));
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("the last worksheet") > 0);
    old.close();

    QString error;
    const WorksheetRequest request{.title = QStringLiteral("Test"), .figures = Figures(figures)};
    QVERIFY(!ExportWorksheetPdf(dir.filePath(file), request, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(Entries(dir.path()), QStringList{QStringLiteral("old.pdf")});
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the last worksheet"));
}

TRIVISTO_GUI_TEST_MAIN(TestWorksheet)
#include "tst_gui_worksheet.moc"
