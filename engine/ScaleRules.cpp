// The scale rules; see ScaleRules.h.
#include "engine/ScaleRules.h"

#include <algorithm>
#include <cmath>

#include "engine/PictureFit.h"

namespace {

// Added before a slider's value is truncated. A position such as k x (span / range) is a
// whole number whenever k x span is a multiple of range, but in doubles it can come out just
// below it (1 / 49 x 49 is 0.999...), and truncation would then lose a row or column at the
// slider's end, or read a zoom just set to 50 % back as 49 %. Fractions whose denominator is
// below a million lie further than this from every whole number they are not.
constexpr double kWholeNumberAllowance = 1e-9;

double TwiceFitScale(const PuzzleDocument& doc) { return 2.0 * doc.fitScale; }

// minScale for a picture of this size.
double MinimumScale(Point picture) { return kSmallestPictureSide / std::min(picture.x, picture.y); }

// The scale kept within minScale .. 2 x fitScale. Without a zoom range the upper end lies
// below the lower one and every scale becomes minScale.
double KeepInZoomRange(const PuzzleDocument& doc, double scale) {
    return std::max(std::min(scale, TwiceFitScale(doc)), doc.minScale);
}

// The scale the fit command gives, also the scale a new picture starts at.
double FittingScale(const PuzzleDocument& doc) { return HasZoomRange(doc) ? doc.fitScale : doc.minScale; }

int32_t GridCount(double scaledSide, double cell) { return std::max(kFewestCells, TruncateToInt32(scaledSide / cell)); }

}  // namespace

double FitFactor(Point picture, Point box) {
    if (picture.x < 1 || picture.y < 1 || box.x < 1 || box.y < 1) return 0.0;
    const double width = picture.x;
    const double height = picture.y;
    return height * box.x / width <= box.y ? box.x / width : box.y / height;
}

Point FitScaledSize(Point value, Point picture, Point box) {
    if (picture.x < 1 || picture.y < 1 || box.x < 1 || box.y < 1) return Point{1, 1};
    const bool byWidth = static_cast<double>(picture.y) * box.x / picture.x <= box.y;
    const double times = byWidth ? box.x : box.y;
    const double per = byWidth ? picture.x : picture.y;
    const Point scaled{TruncateToInt32(value.x * times / per), TruncateToInt32(value.y * times / per)};
    return Point{std::max(1, scaled.x), std::max(1, scaled.y)};
}

Point FittedPictureSize(Point picture, Point box) {
    const Point fitted = FitKeepingProportions(picture, box);
    return fitted.x > 0 ? fitted : Point{1, 1};
}

Point LoadedPictureSize(const PuzzleDocument& doc) {
    if (!doc.picture.IsOpen()) return Point{};
    const PictureSize size = doc.picture.GetSize();
    // The reader refuses pictures without area; a height of INT32_MIN has no positive form.
    if (size.width < 1 || size.height == 0 || size.height == INT32_MIN) return Point{};
    return Point{size.width, size.height < 0 ? -size.height : size.height};
}

void FitBoardMiniature(ScaleFields& fields, Point boardArea) {
    fields.boardMiniScale = FitFactor(boardArea, kPickerArea);
    const Point mini = FittedPictureSize(boardArea, kPickerArea);
    fields.boardMiniWidth = mini.x;
    fields.boardMiniHeight = mini.y;
}

bool ChoosePictureScale(PuzzleDocument& doc, ScaleFields& fields, Point boardArea) {
    const Point picture = LoadedPictureSize(doc);
    if (picture.x < 1) return false;
    doc.fitScale = FitFactor(picture, boardArea);
    doc.minScale = MinimumScale(picture);
    doc.scale = FittingScale(doc);
    RecomputeGrid(doc, fields);
    FitBoardMiniature(fields, boardArea);
    fields.zoomPreviewSize = FitScaledSize(picture, boardArea, kPickerArea);
    fields.countPreviewSize = FittedPictureSize(picture, kPickerArea);
    fields.countOffsetX = (kPickerArea.x - fields.countPreviewSize.x) / 2;
    fields.countOffsetY = (kPickerArea.y - fields.countPreviewSize.y) / 2;
    return true;
}

bool PrepareBoardCreation(PuzzleDocument& doc,
                          ScaleFields& fields,
                          Point boardArea,
                          uint32_t templateRows,
                          uint32_t templateCols,
                          uint32_t templateId) {
    doc.templateRows = templateRows;
    doc.templateCols = templateCols;
    doc.templateId = templateId;
    const Point picture = LoadedPictureSize(doc);
    if (picture.x < 1) return false;
    const Point inside = boardArea - Point{2 * kBoardCreationMargin, 2 * kBoardCreationMargin};
    doc.fitScale = FitFactor(picture, inside);
    doc.minScale = MinimumScale(picture);
    doc.scale = FittingScale(doc);
    RecomputeGrid(doc, fields);
    return true;
}

void RecomputeGrid(PuzzleDocument& doc, ScaleFields& fields) {
    const Point picture = LoadedPictureSize(doc);
    const double width = picture.x * doc.scale;
    const double height = picture.y * doc.scale;
    doc.cols = GridCount(width, kFinestCell);
    doc.rows = GridCount(height, kFinestCell);
    fields.minCols = GridCount(width, kCoarsestCell);
    fields.minRows = GridCount(height, kCoarsestCell);
    fields.countRange = (doc.rows - fields.minRows) + (doc.cols - fields.minCols);
    // A picture too small for two grids has one position and nothing to step through.
    const double range = fields.countRange > 0 ? fields.countRange : 1.0;
    fields.colsPerStep = (doc.cols - fields.minCols) / range;
    fields.rowsPerStep = (doc.rows - fields.minRows) / range;
    fields.shownPieceSize = kSmallestPieceSize;
}

bool HasZoomRange(const PuzzleDocument& doc) { return TwiceFitScale(doc) - doc.minScale > 0.0; }

bool FitPictureScale(PuzzleDocument& doc, ScaleFields& fields) {
    if (LoadedPictureSize(doc).x < 1) return false;
    doc.scale = FittingScale(doc);
    RecomputeGrid(doc, fields);
    return true;
}

bool ActualPictureSize(PuzzleDocument& doc, ScaleFields& fields) {
    if (LoadedPictureSize(doc).x < 1) return false;
    doc.scale = KeepInZoomRange(doc, 1.0);
    RecomputeGrid(doc, fields);
    return true;
}

int32_t ZoomPercentage(const PuzzleDocument& doc) {
    if (LoadedPictureSize(doc).x < 1) return 1;
    if (!HasZoomRange(doc)) return 0;
    const double span = TwiceFitScale(doc) - doc.minScale;
    return std::clamp(TruncateToInt32((doc.scale - doc.minScale) * 100.0 / span + kWholeNumberAllowance), 0, 100);
}

bool SetZoomPercentage(PuzzleDocument& doc, ScaleFields& fields, int32_t percent) {
    if (LoadedPictureSize(doc).x < 1) return false;
    const double span = TwiceFitScale(doc) - doc.minScale;
    doc.scale = KeepInZoomRange(doc, span * std::clamp(percent, 0, 100) * 0.01 + doc.minScale);
    RecomputeGrid(doc, fields);
    return true;
}

int32_t PieceCountPosition(const PuzzleDocument& doc, const ScaleFields& fields) {
    if (LoadedPictureSize(doc).x < 1) return 1;
    return doc.rows + doc.cols - (fields.minRows + fields.minCols);
}

int32_t PieceCountRange(const PuzzleDocument& doc, const ScaleFields& fields) {
    if (LoadedPictureSize(doc).x < 1) return 1;
    return fields.countRange;
}

bool SetPieceCountPosition(PuzzleDocument& doc, ScaleFields& fields, int32_t position) {
    const Point picture = LoadedPictureSize(doc);
    if (picture.x < 1) return false;
    const double k = std::clamp(position, 0, std::max(0, fields.countRange));
    doc.cols = TruncateToInt32(k * fields.colsPerStep + fields.minCols + kWholeNumberAllowance);
    doc.rows = TruncateToInt32(k * fields.rowsPerStep + fields.minRows + kWholeNumberAllowance);
    const double cellWidth = picture.x * doc.scale / doc.cols;
    const double cellHeight = picture.y * doc.scale / doc.rows;
    fields.shownPieceSize = TruncateToInt32((cellWidth + cellHeight) * 0.5);
    return true;
}

void BeginZoomDrag(const PuzzleDocument& doc, ScaleFields& fields) { fields.scaleAtPress = doc.scale; }

bool DragZoom(PuzzleDocument& doc, ScaleFields& fields, Point moved, Point pickerSize) {
    if (LoadedPictureSize(doc).x < 1 || pickerSize.x < 1 || pickerSize.y < 1) return false;
    const double along = static_cast<double>(Dot(moved, pickerSize));
    const double diagonal = std::hypot(static_cast<double>(pickerSize.x), static_cast<double>(pickerSize.y));
    const double scale = KeepInZoomRange(doc, along / (diagonal * kZoomDragSlowness) + fields.scaleAtPress);
    if (scale == doc.scale) return false;
    doc.scale = scale;
    RecomputeGrid(doc, fields);
    return true;
}

void BeginPieceSizeDrag(ScaleFields& fields) { fields.sizeAtPress = fields.shownPieceSize; }

bool DragPieceSize(PuzzleDocument& doc, ScaleFields& fields, Point moved, Point previewSize) {
    const Point picture = LoadedPictureSize(doc);
    if (picture.x < 1 || previewSize.x < 1 || previewSize.y < 1) return false;
    // The move's projection, each axis weighted by the other side of the preview.
    const double along = static_cast<double>(moved.y) * previewSize.x + static_cast<double>(moved.x) * previewSize.y;
    const double diagonal = std::hypot(static_cast<double>(previewSize.x), static_cast<double>(previewSize.y));
    const int32_t size =
        std::clamp(TruncateToInt32(along * 0.5 / diagonal + fields.sizeAtPress), kSmallestPieceSize, kLargestPieceSize);
    const int32_t cols = GridCount(picture.x * doc.scale, size);
    const int32_t rows = GridCount(picture.y * doc.scale, size);
    if (cols == doc.cols && rows == doc.rows) return false;
    doc.cols = cols;
    doc.rows = rows;
    fields.shownPieceSize = size;
    return true;
}
