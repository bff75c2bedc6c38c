// Manifest: the list of every bitmap in the resource pack, read from assets/manifest.txt.
// One line per bitmap (or per run of ids that share a layout, "1510-1515"):
//
//   id | width x height | bits | layout | used by | what it shows
//
// Layouts: "single"; "strip N" (N equal frames stacked from the top, as command buttons
// and check boxes read them); "grid R x C" (R rows of C equal frames, frame i at column
// i mod C, row i div C); "grid R x C masked" (each picture row followed by its mask row);
// "zones A/B/C" (a scroller's strip: zone by zone from the top, each zone a block of its
// normal, hover and pressed pictures, as tall as the zone; "zones A/B/C disabled" puts a
// disabled picture first in each block); "labels" (a label map, not a picture: every pixel
// value is a region number).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FrameLayout {
    enum class Kind { Single, Strip, Grid, Labels, Zones };
    Kind kind = Kind::Single;
    int rows = 1;  // for zones: the pictures in each zone's block (3, or 4 with a disabled one)
    int columns = 1;
    bool masked = false;
    std::vector<int> zones;  // zone heights from the top (zones layout only)

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

// Frame size of an entry (whole picture for single and labels; the control's size, the sum
// of the zone heights, for zones).
int FrameWidth(const ManifestEntry& e);
int FrameHeight(const ManifestEntry& e);
// Top of picture `frame` of zone `zone` in a zones layout.
int ZoneFrameTop(const ManifestEntry& e, int zone, int frame);
