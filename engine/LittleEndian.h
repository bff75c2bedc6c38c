// Fixed-width little-endian fields of the file formats, read and written byte by byte so that
// the result does not depend on the machine's byte order or on the alignment of the buffer.
#pragma once

#include <cstdint>
#include <cstring>

inline uint32_t LoadLittle32(const uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

inline void StoreLittle32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint64_t LoadLittle64(const uint8_t* bytes) {
    return LoadLittle32(bytes) | static_cast<uint64_t>(LoadLittle32(bytes + 4)) << 32;
}

inline void StoreLittle64(uint8_t* bytes, uint64_t value) {
    StoreLittle32(bytes, static_cast<uint32_t>(value));
    StoreLittle32(bytes + 4, static_cast<uint32_t>(value >> 32));
}

// An IEEE double stored as its 8 bytes.
inline double LoadLittleDouble(const uint8_t* bytes) {
    const uint64_t bits = LoadLittle64(bytes);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void StoreLittleDouble(uint8_t* bytes, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    StoreLittle64(bytes, bits);
}
