// Percentage and score; see PuzzleStats.h.
#include "engine/PuzzleStats.h"

bool HasPuzzle(const PuzzleDocument& doc) {
    return !doc.atlas.empty() && doc.PieceCount() > 0 && doc.pieces.size() == doc.order.size() && doc.cols > 0;
}

void PuzzleStats(const PuzzleDocument& doc, uint32_t* total, uint32_t* percentage, uint32_t* score) {
    *total = 0;
    *percentage = 0;
    *score = 0;
    if (!HasPuzzle(doc)) return;
    const auto n = static_cast<uint32_t>(doc.PieceCount());
    uint32_t clusters = 0;
    for (uint32_t piece = 0; piece < n; ++piece) {
        const uint32_t group = doc.pieces[piece].group;
        if (group == 0 || group == piece + 1) ++clusters;
    }
    *total = n;
    if (n < 2) return;
    // A damaged record set can count more clusters than pieces; it then shows no progress.
    const double joins = clusters <= n ? static_cast<double>(n - clusters) : 0.0;
    *percentage = static_cast<uint32_t>(joins * 100.0 / static_cast<double>(n - 1));
    const double periods = static_cast<double>(doc.ElapsedSeconds / kScorePeriodSeconds) + 1.0;
    const double value = (static_cast<double>(n) - static_cast<double>(doc.hintsUsed)) * *percentage *
                         static_cast<double>(n) * 10.0 / periods;
    if (value <= 0.0)
        *score = 0;
    else if (value >= static_cast<double>(kLargestScore))
        *score = kLargestScore;
    else
        *score = static_cast<uint32_t>(value);
}
