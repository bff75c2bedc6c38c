// The cut: checks, allocations, the atlas and the deal; see Cut.h.
#include "engine/Cut.h"

#include <limits>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

#include "engine/AtlasBuilder.h"
#include "engine/CutDeal.h"
#include "engine/CutGeometry.h"
#include "engine/CutTemplate.h"
#include "engine/KeptBuffer.h"

namespace {

void Call(const std::function<void()>& callback) {
    if (callback) callback();
}

bool Permit(const CutEnvironment& env, CutBuffer buffer, uint64_t bytes) {
    return !env.allocationGate || env.allocationGate(buffer, bytes);
}

// Sizes a buffer for the new cut, unless the gate or the heap says no. Elements are zeroed
// except for those of the large-block allocator (atlas, picture rows), which the cut writes
// anyway. Memory the last game left is used again by the rule of KeptBuffer.h.
template <typename T, typename Allocator>
bool Allocate(std::vector<T, Allocator>& buffer, uint64_t count, CutBuffer which, const CutEnvironment& env) {
    if (count > std::numeric_limits<size_t>::max() / sizeof(T)) return false;
    if (!Permit(env, which, count * sizeof(T))) return false;
    try {
        FitKeptBuffer(buffer, static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

// The picture's header and palette, the four maps and the buffer for the picture's rows.
bool AllocateWork(CutWorkspace& work, const CutGeometry& g, uint64_t pictureBytes, const CutEnvironment& env) {
    if (!Permit(env, CutBuffer::PictureHeader, sizeof(PackedDib))) return false;
    if (work.header == nullptr) work.header.reset(new (std::nothrow) PackedDib);
    return work.header != nullptr &&
           Allocate(work.pictureColumnOfX, static_cast<uint64_t>(g.scaledWidth), CutBuffer::PictureColumnMap, env) &&
           Allocate(work.pictureRowOfY, static_cast<uint64_t>(g.scaledHeight), CutBuffer::PictureRowMap, env) &&
           Allocate(work.templateColumnOfU, static_cast<uint64_t>(g.pieceWidth), CutBuffer::TemplateColumnMap, env) &&
           Allocate(work.templateRowOfV, static_cast<uint64_t>(g.pieceHeight), CutBuffer::TemplateRowMap, env) &&
           Allocate(work.pictureRows, pictureBytes, CutBuffer::PictureRows, env);
}

// The new puzzle's arrays, in place of the old puzzle's, then the atlas builder's work rows
// and the pieces' shapes.
bool AllocateArrays(PuzzleDocument& doc,
                    const CutGeometry& g,
                    const AtlasGrid& grid,
                    int32_t pictureWidth,
                    uint64_t pieceCount,
                    const CutEnvironment& env) {
    if (!Allocate(doc.atlas, g.atlasBytes, CutBuffer::Atlas, env) ||
        !Allocate(doc.pieces, pieceCount, CutBuffer::Pieces, env) ||
        !Allocate(doc.order, pieceCount, CutBuffer::Order, env))
        return false;
    for (auto& scratch : doc.paintScratch) {
        if (!Allocate(scratch, pieceCount, CutBuffer::PainterScratch, env)) return false;
    }
    AtlasWorkspace& builder = doc.cutWork.builder;
    return Permit(env, CutBuffer::BuilderRows, AtlasWorkspace::BytesFor(g, grid, pictureWidth)) &&
           builder.Allocate(g, grid, pictureWidth) &&
           Permit(env, CutBuffer::PieceShapes, pieceCount * sizeof(uint32_t)) &&
           PrepareShapes(g, grid, builder, doc.shapes);
}

// All rows of the picture, bottom-up, one palette index a byte or blue, green, red. A
// picture stored that way already comes in one read; others are widened row by row.
bool ReadPictureRows(BmpFileReader& picture, const BitmapInfoHeader& header, PictureRowBuffer& rows) {
    const bool asStored = header.biHeight > 0 && header.biBitCount == picture.WidenedBitCount();
    return asStored ? picture.ReadAllRows(rows.data(), rows.size())
                    : picture.ReadAllRowsWidened(rows.data(), rows.size());
}

bool CutInto(PuzzleDocument& doc,
             const CutEnvironment& env,
             int32_t templateRows,
             int32_t templateCols,
             uint32_t templateId,
             bool deal,
             BoardChanges& changes) {
    doc.templateId = templateId;
    Call(env.showWaitCursor);
    if (!doc.picture.IsOpen()) return false;
    doc.templateRows = static_cast<uint32_t>(templateRows);
    doc.templateCols = static_cast<uint32_t>(templateCols);

    // The picture's rows are read widened to one palette index a byte or to blue, green,
    // red, and always bottom-up, so 1-, 4-, 16- and 32-bit pictures and pictures stored
    // top-down cut like the 8- and 24-bit bottom-up ones the rest of the cut expects.
    const PictureSize size = doc.picture.GetSize();
    const int32_t pictureHeight = size.height < 0 ? -size.height : size.height;
    CutGeometry g;
    if (ComputeCutGeometry(size.width, pictureHeight, doc.scale, doc.rows, doc.cols, &g) != GeometryCheck::Ok)
        return false;
    const AtlasGrid grid{doc.rows, doc.cols, templateRows, templateCols};
    const uint64_t pieceCount = static_cast<uint64_t>(doc.rows) * static_cast<uint64_t>(doc.cols);
    if (pieceCount > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return false;

    // The template: checked to be one of this grid's size before a single label is read.
    std::unique_ptr<PackedDib, PackedDibDeleter> templateDib;
    if (env.loadTemplate) templateDib = env.loadTemplate(templateId);
    ShapeTemplateView shape;
    if (!shape.Attach(templateDib.get(), templateRows, templateCols)) return false;

    DragImagesInstaller installDragImages;
    if (env.prepareDragImages) {
        installDragImages = env.prepareDragImages(g.pieceWidth, g.pieceHeight);
        if (!installDragImages) return false;
    }

    if (env.takeWarmBlocks) AdoptWarmCutBlocks(doc, env.takeWarmBlocks());
    CutWorkspace& work = doc.cutWork;
    const int32_t pictureBitCount = doc.picture.WidenedBitCount();
    const uint64_t pictureBytes = doc.picture.WidenedImageBytes();
    if (!AllocateWork(work, g, pictureBytes, env)) {
        changes.Append(doc.ClearGame(true));
        return false;
    }
    // A picture that can no longer be read (changed on disk since it was opened) fails the
    // cut before the puzzle in play is given up.
    doc.picture.GetHeaderAndPalette(work.header.get());
    if (!ReadPictureRows(doc.picture, work.header->header, work.pictureRows)) return false;

    // From here the old puzzle goes: the new one is built in its arrays, or in fresh ones
    // when they do not fit (see KeptBuffer.h).
    if (!AllocateArrays(doc, g, grid, size.width, pieceCount, env)) {
        changes.Append(doc.ClearGame(true));
        return false;
    }

    BuildPictureMap(g.scaledWidth, doc.scale, size.width, work.pictureColumnOfX.data());
    BuildPictureMap(g.scaledHeight, doc.scale, pictureHeight, work.pictureRowOfY.data());
    BuildTemplateMap(g.pieceWidth, g.marginX, g.cellWidth, work.templateColumnOfU.data());
    BuildTemplateMap(g.pieceHeight, g.marginY, g.cellHeight, work.templateRowOfV.data());
    AtlasMaps maps;
    maps.pictureColumnOfX = work.pictureColumnOfX.data();
    maps.pictureRowOfY = work.pictureRowOfY.data();
    maps.templateColumnOfU = work.templateColumnOfU.data();
    maps.templateRowOfV = work.templateRowOfV.data();
    maps.offX = CellOffsetOf(maps.templateColumnOfU, g.pieceWidth);
    maps.offY = CellOffsetOf(maps.templateRowOfV, g.pieceHeight);

    AtlasPicture picture;
    picture.rows = work.pictureRows.data();
    picture.bitCount = pictureBitCount;
    picture.width = size.width;
    picture.height = pictureHeight;
    picture.rowBytes = static_cast<size_t>(pictureBytes / static_cast<uint64_t>(pictureHeight));
    picture.palette = work.header->palette;
    BuildPieceAtlas(g, grid, picture, maps, shape, work.builder, doc.atlas.data(), &doc.shapes);

    doc.cellWidth = g.cellWidth;
    doc.cellHeight = g.cellHeight;
    doc.marginX = g.marginX;
    doc.marginY = g.marginY;
    doc.pieceWidth = g.pieceWidth;
    doc.pieceHeight = g.pieceHeight;
    doc.atlasWidth = g.atlasWidth;
    doc.atlasHeightMinusOne = g.atlasHeight - 1;
    if (installDragImages) installDragImages();
    changes.stopClock = true;
    changes.magnifierChanged = true;

    if (deal) {
        const std::function<double()> zero = [] { return 0.0; };
        DealPieces(doc, env.boardWidth, env.boardHeight, env.randomUnit ? env.randomUnit : zero);
        changes.clockAtZero = true;
    }
    return true;
}

}  // namespace

CutResult Cut(PuzzleDocument& doc,
              const CutEnvironment& env,
              int32_t templateRows,
              int32_t templateCols,
              uint32_t templateId,
              bool deal) {
    CutResult result;
    result.ok = CutInto(doc, env, templateRows, templateCols, templateId, deal, result.changes);
    // Whatever the outcome, the wait is over.
    result.changes.arrowCursor = true;
    return result;
}

CutResult CutAndShow(PuzzleDocument& doc, const CutEnvironment& env, uint32_t templateId) {
    constexpr int32_t kDialogTemplateGrid = 2;
    CutResult result = Cut(doc, env, kDialogTemplateGrid, kDialogTemplateGrid, templateId, true);
    result.changes.repaintAll = true;
    return result;
}
