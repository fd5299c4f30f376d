#pragma once

#include "core/codes/exercise.h"
#include "core/codes/puzzlecode.h"

#include <QString>

#include <vector>

class QPagedPaintDevice;

// What a teacher prints for an assignment: its title, the exercise and the
// figures by their puzzle codes, and whether answer pages follow.
struct WorksheetRequest {
    QString title;
    Exercise exercise = Exercise::Views;
    std::vector<PuzzleCode> figures;
    bool answers = true;
};

// Two figures a page, then (with answers) four answers a page:
// ceil(N / 2) + ceil(N / 4) pages; none without figures.
int WorksheetPageCount(const WorksheetRequest &request);

// Paints the whole worksheet onto a paged device (a QPdfWriter or a QPrinter),
// one page after another, at least 12 mm in from the paper's edges or inside
// the device's own margins where they are wider. Each page has a header line (the title, which
// figures or "Answers", and "Page p of P").
//
// Views: per figure its picture in the start view, its number and code, and
// three empty sheets named as the game names them. Build: per figure its three
// true views on their sheets and an isometric dot grid to sketch on. Answers:
// the true views (views), or the figure's picture (build).
//
// Returns false when there is nothing to print or the device refused to paint
// or to start a page.
bool PaintWorksheet(QPagedPaintDevice &device, const WorksheetRequest &request);

// Writes the worksheet as an A4 portrait PDF at 300 dpi, with the title and
// the program as its creator. The file is replaced only once the PDF is
// whole: a failure leaves whatever was at the path before, and no partial
// file. On failure, *error (when given) says why in the player's language.
bool ExportWorksheetPdf(const QString &path, const WorksheetRequest &request, QString *error = nullptr);
