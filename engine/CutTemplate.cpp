// Template labels and the checked view of a template bitmap; see CutTemplate.h.
#include "engine/CutTemplate.h"

TemplateLabels LabelsOfTemplatePiece(int32_t i, int32_t j, int32_t templateRows, int32_t templateCols) {
    const auto R = static_cast<uint32_t>(templateRows);
    const auto C = static_cast<uint32_t>(templateCols);
    const auto ui = static_cast<uint32_t>(i);
    const auto uj = static_cast<uint32_t>(j);
    const uint32_t K = R * C + 1;
    TemplateLabels labels;
    labels.own = ui * C + uj + 1;
    labels.up = ui > 0 ? labels.own - C : K + uj;
    labels.right = uj < C - 1 ? labels.own + 1 : K + C + ui;
    labels.down = ui < R - 1 ? labels.own + C : K + R + C + uj;
    labels.left = uj > 0 ? labels.own - 1 : K + R + 2 * C + ui;
    return labels;
}

bool ShapeTemplateView::Attach(const PackedDib* dib, int32_t templateRows, int32_t templateCols) {
    *this = ShapeTemplateView{};
    if (dib == nullptr || templateRows < 1 || templateCols < 1 || templateRows > kMaxTemplateGrid ||
        templateCols > kMaxTemplateGrid)
        return false;
    const BitmapInfoHeader& h = dib->header;
    const int32_t width = templateCols * kTemplateBodySide + 2 * kTemplateTabReach;
    const int32_t height = templateRows * kTemplateBodySide + 2 * kTemplateTabReach;
    if (h.biBitCount != 8 || h.biCompression != 0 || h.biWidth != width) return false;
    if (h.biHeight != height && h.biHeight != -height) return false;
    const int32_t stride = DibRowBytes(width, 8);
    if (static_cast<uint64_t>(stride) * static_cast<uint64_t>(height) > h.biSizeImage) return false;
    bits_ = dib->Pixels();
    stride_ = stride;
    width_ = width;
    height_ = height;
    bottomUp_ = h.biHeight > 0;
    return true;
}
