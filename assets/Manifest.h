// Manifest: the list of every bitmap in the resource pack, read from assets/manifest.txt.
// One line per bitmap (or per run of ids that share a layout, "1510-1515"):
//
//   id | width x height | bits | layout | used by | what it shows
//
// Layouts: "single"; "strip N" (N equal frames stacked from the top, as command buttons
// and check boxes read them); "grid R x C" (R rows of C equal frames, frame i at column
// i mod C, row i div C); "grid R x C masked" (each picture row followed by its mask row);
// "labels" (a label map, not a picture: every pixel value is a region number).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FrameLayout {
    enum class Kind { Single, Strip, Grid, Labels };
    Kind kind = Kind::Single;
    int rows = 1;
    int columns = 1;
    bool masked = false;

    int FrameCount() const { return rows * columns; }
    // Rows of pixels per frame row band (doubled when a mask band follows each picture band).
    int BandsPerRow() const { return masked ? 2 : 1; }
};

struct ManifestEntry {
    uint32_t id = 0;
    int width = 0;
    int height = 0;
    int bits = 24;
    FrameLayout layout;
    std::string usedBy;
    std::string shows;
    int line = 0;  // line of the manifest that declares it
};

struct Manifest {
    std::vector<ManifestEntry> entries;
    const ManifestEntry* Find(uint32_t id) const;
};

// Parses the manifest text. On a malformed line returns false and describes it in `error`.
bool ParseManifest(const std::string& text, Manifest& out, std::string& error);
bool LoadManifest(const std::string& path, Manifest& out, std::string& error);

// True when the width and height divide exactly into the frame layout; otherwise `why`.
bool LayoutFits(const ManifestEntry& e, std::string& why);

// Frame size of an entry (whole picture for single and labels).
int FrameWidth(const ManifestEntry& e);
int FrameHeight(const ManifestEntry& e);
