// The two row operations the atlas builder spends its time in: masking a row of pixels and
// writing a finished row to the atlas. Where SSE2 is available they work on four pixels at
// a time and the atlas rows are written with streaming stores, which go to memory without
// first reading the lines they fill: the atlas is far larger than any cache and is not read
// again during the cut. Elsewhere they are plain loops and memcpy.
#pragma once

#include <cstddef>
#include <cstdint>

// out[k] = source[k] & mask[k] for k < count. The three rows must not overlap.
void MaskRow(uint32_t* out, const uint32_t* source, const uint32_t* mask, int32_t count);

// Copies `bytes` bytes (a multiple of 4) of a finished row to its place in the atlas.
void StoreAtlasRow(uint8_t* destination, const uint32_t* row, size_t bytes);

// Makes the rows stored so far visible to later loads; call once after the last row.
void FinishAtlasRows();
