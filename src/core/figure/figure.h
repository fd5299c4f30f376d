#pragma once

#include <array>
#include <compare>

class RandomGenerator;

struct Point3 {
    float x = 0;
    float y = 0;
    float z = 0;
    friend bool operator==(const Point3 &, const Point3 &) = default;
};

struct FigureSegment {
    Point3 start;
    Point3 end;
    friend bool operator==(const FigureSegment &, const FigureSegment &) = default;
};

// Entries are numbered 1..101 (index 0 unused): 1..10 the fixed frame of three
// cube faces, 11 the walk's start point (10, -10, -10), 12..SegmentCount the walk.
// The 3D view and the projections use entries 11..SegmentCount-1; the last
// generated entry is never shown. SegmentCount is the count the figure was
// generated with, so a later level change cannot pull stale entries into view.
struct Figure {
    static constexpr int EntryCount = 101;
    static constexpr int FrameEntries = 11;
    static constexpr int FirstShown = 11;

    std::array<FigureSegment, EntryCount + 1> entry{};
    int SegmentCount = 0;

    // Last entry that is drawn and projected (entries FirstShown..LastShown()).
    int LastShown() const { return SegmentCount - 1; }
};

// The difficulty: the level shown to the player is SegmentCount - 15.
constexpr int MinSegmentCount = 15;
constexpr int MaxSegmentCount = 99;
constexpr int MaxLevel = MaxSegmentCount - MinSegmentCount;
constexpr int SegmentCountForLevel(int level)
{
    const int count = level + MinSegmentCount;
    return count < MinSegmentCount ? MinSegmentCount : (count > MaxSegmentCount ? MaxSegmentCount : count);
}

// The frame's entries 1..11, the same in every figure.
const std::array<FigureSegment, Figure::FrameEntries + 1> &FrameEntries();

// Rebuilds the figure: writes the frame and, for segmentCount >= 12, a random
// walk in entries 12..segmentCount (at most 101). Each walk step changes one
// coordinate by a non-zero multiple of 5 and stays within -10..10; a step that
// lands on an earlier walk point is refused up to 50 times per entry. Entries
// above segmentCount are left as they were.
void InitObjects(Figure &figure, int segmentCount, RandomGenerator &random);
