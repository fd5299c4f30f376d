// A teacher's assignment printed to PDF, in whatever X server DISPLAY names
// (scripts/bench starts one for it):
//
//   bench_print RUNS    a views worksheet of 20 level-84 figures with answers
//                       exported RUNS times after one export that warms the
//                       fonts up; reports the median and the first export
//
// Prints "RESULT key value" lines, as the window benchmarks do.
#include "benchcommon.h"

#include "ui/print/worksheet.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const int runs = std::max(1, argc > 1 ? std::atoi(argv[1]) : 5);

    WorksheetRequest request{.title = QStringLiteral("Projections, class 7B"), .exercise = Exercise::Views};
    // Different figures, the same on every run; level 84 has the longest walks.
    for (std::uint32_t i = 1; i <= 20; ++i)
        request.figures.push_back({.level = 84, .seed = 0x2545F491u * i});

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_print: no temporary folder\n");
        return 1;
    }
    const QString path = dir.filePath(QStringLiteral("worksheet.pdf"));
    std::vector<double> ms;
    double firstMs = 0;
    for (int run = 0; run <= runs; ++run) {
        const long long t0 = bench::MonotonicNs();
        QString error;
        if (!ExportWorksheetPdf(path, request, &error)) {
            std::fprintf(stderr, "bench_print: %s\n", qPrintable(error));
            return 1;
        }
        const double elapsed = static_cast<double>(bench::MonotonicNs() - t0) / 1e6;
        if (run == 0)
            firstMs = elapsed;
        else
            ms.push_back(elapsed);
    }
    bench::Result("worksheet_pdf_ms", bench::Median(ms));
    bench::Result("worksheet_first_pdf_ms", firstMs);
    bench::Result("worksheet_runs", runs);
    bench::Result("worksheet_pages", WorksheetPageCount(request));
    bench::Result("worksheet_kb", static_cast<double>(QFileInfo(path).size()) / 1024);
    return 0;
}
