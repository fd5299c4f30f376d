#pragma once

#include "core/sheets/sampling.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

// What a piece of a revealed sheet shows: a part of a player's stroke on the
// true projection or off it, or a part of the truth nobody drew.
enum class PieceKind { Right, Extra, Missing };

// A straight piece between two exact points in sixtieths of a lattice step
// (pixel = sixtieths * cell size / 60). A Right piece may have from == to: a
// stroke that meets the truth at one sample only, such as a diagonal crossing
// it at a lattice node, scores that sample and shows it as a dot.
struct Piece {
    int slot = 0;  // the stroke's slot for Right and Extra, 0 for Missing
    PieceKind kind = PieceKind::Right;
    SamplePoint from;
    SamplePoint to;
    friend bool operator==(const Piece &, const Piece &) = default;
};

// One sheet after a Check, sample by sample exactly as it was scored.
//
// Each stroke is split by the status of its own samples taken in order from its
// start to its end: consecutive samples on the truth form a Right piece from the
// first of them to the last, and the Extra pieces fill the gaps, touching the
// Right pieces at those samples. Splitting at the last right sample rather than
// half-way to the next one keeps the Right piece exactly on the red line: it
// never reaches past the end of the truth it lies on. So a stroke's pieces run
// unbroken from its start to its end, each starting where the last one ended.
// Strokes are split each on its own, so overlapping strokes may both show the
// same Right piece; the counts take every sample once, as scoring does.
// Zero-length strokes and slots off the lattice give no samples and no pieces.
//
// The truth is first joined into maximal straight lines (a walk that runs over
// itself counts once), then split the same way by whether the drawing has each
// sample: a Missing piece runs from the last drawn sample before it (or the
// line's end) to the first drawn one after it. A truth step along the sheet's
// hidden axis is a dot with no samples and gives no piece.
struct SheetClassification {
    std::vector<Piece> parts;    // strokes in slot order, each from its start to its end
    std::vector<Piece> missing;  // the truth's lines in the order of their lowest lattice point
    int RightCount = 0;          // drawn samples on the truth
    int ExtraCount = 0;          // drawn samples off the truth
    int MissingCount = 0;        // true samples not drawn

    // The counts a Check scores for this sheet.
    CheckCounts Counts() const { return {RightCount, ExtraCount + MissingCount}; }
    // The pieces of the stroke in one slot, from its start to its end.
    std::span<const Piece> PartsOf(int slot) const;
};

SheetClassification Classify(const SegmentList &truth, const SegmentList &strokes);

// True samples the strokes do not cover.
int MissingSampleCount(const SegmentList &truth, const SegmentList &strokes);

// A hint is one step of the truth between neighbouring lattice points on its
// line (for the walk, one unit along a lattice axis) that the drawing does not
// fully cover and that is not in alreadyHinted (in either direction). It is the
// first such step in walk order: slot by slot, each segment from its start to
// its end, and is returned in that direction. None once every step of the
// truth is drawn or hinted. A step fully drawn is never returned, so a hint
// never tells the player what they already have.
std::optional<Stroke> ChooseHint(const SegmentList &truth, const SegmentList &strokes,
                                 std::span<const Stroke> alreadyHinted);

struct SheetHint {
    Sheet sheet = Sheet::X;
    Stroke unit;
};

// The hint for the sheet missing the most true samples among those that still
// have a step to hint (ties go to X, then Y, then Z); none when there is none.
std::optional<SheetHint> ChooseSheetHint(const std::array<SegmentList, 3> &truth,
                                         const std::array<SegmentList, 3> &strokes,
                                         const std::array<std::vector<Stroke>, 3> &alreadyHinted);
