#include "assets/Manifest.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace {

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return {};
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

std::vector<std::string> SplitBars(const std::string& line) {
    std::vector<std::string> parts;
    std::string cur;
    for (char ch : line) {
        if (ch == '|') {
            parts.push_back(Trim(cur));
            cur.clear();
        } else {
            cur += ch;
        }
    }
    parts.push_back(Trim(cur));
    return parts;
}

bool ParseUInt(const std::string& s, long& out) {
    if (s.empty() || s.size() > 9) return false;
    for (char ch : s)
        if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
    out = std::stol(s);
    return true;
}

// "W x H" or "WxH".
bool ParseSize(std::string s, int& w, int& h) {
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    size_t x = s.find('x');
    if (x == std::string::npos) return false;
    long a, b;
    if (!ParseUInt(s.substr(0, x), a) || !ParseUInt(s.substr(x + 1), b) || a <= 0 || b <= 0) return false;
    w = static_cast<int>(a);
    h = static_cast<int>(b);
    return true;
}

bool ParseLayout(const std::string& s, FrameLayout& out) {
    std::istringstream in(s);
    std::string kind;
    in >> kind;
    if (kind == "single") {
        out = FrameLayout{};
    } else if (kind == "labels") {
        out = FrameLayout{};
        out.kind = FrameLayout::Kind::Labels;
    } else if (kind == "strip") {
        std::string n;
        long frames;
        in >> n;
        if (!ParseUInt(n, frames) || frames < 2) return false;
        out = FrameLayout{FrameLayout::Kind::Strip, static_cast<int>(frames), 1, false, {}};
    } else if (kind == "zones") {
        std::string heights, flag;
        in >> heights;
        out = FrameLayout{FrameLayout::Kind::Zones, 3, 1, false, {}};
        std::istringstream parts(heights);
        std::string part;
        while (std::getline(parts, part, '/')) {
            long h;
            if (!ParseUInt(part, h) || h < 1) return false;
            out.zones.push_back(static_cast<int>(h));
        }
        if (out.zones.size() != 3) return false;
        if (in >> flag) {
            if (flag != "disabled") return false;
            out.rows = 4;
        }
    } else if (kind == "grid") {
        std::string rest, word;
        std::getline(in, rest);
        bool masked = false;
        size_t m = rest.find("masked");
        if (m != std::string::npos) {
            masked = true;
            rest.erase(m, 6);
        }
        int r, c;
        if (!ParseSize(Trim(rest), r, c)) return false;
        out = FrameLayout{FrameLayout::Kind::Grid, r, c, masked, {}};
        return true;
    } else {
        return false;
    }
    std::string extra;
    return !(in >> extra);
}

}  // namespace

const ManifestEntry* Manifest::Find(uint32_t id) const {
    for (const auto& e : entries)
        if (e.id == id) return &e;
    return nullptr;
}

bool ParseManifest(const std::string& text, Manifest& out, std::string& error) {
    out.entries.clear();
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        std::string t = Trim(line);
        if (t.empty() || t[0] == '#') continue;
        auto bad = [&](const std::string& what) {
            error = "manifest line " + std::to_string(lineNo) + ": " + what;
            return false;
        };
        auto parts = SplitBars(t);
        if (parts.size() != 6) return bad("expected 6 columns separated by '|'");
        long first, last;
        size_t dash = parts[0].find('-');
        if (dash == std::string::npos) {
            if (!ParseUInt(parts[0], first)) return bad("bad id '" + parts[0] + "'");
            last = first;
        } else if (!ParseUInt(Trim(parts[0].substr(0, dash)), first) ||
                   !ParseUInt(Trim(parts[0].substr(dash + 1)), last) || last < first || last - first > 64) {
            return bad("bad id range '" + parts[0] + "'");
        }
        ManifestEntry e;
        if (!ParseSize(parts[1], e.width, e.height)) return bad("bad size '" + parts[1] + "'");
        long bits;
        if (!ParseUInt(parts[2], bits) || (bits != 8 && bits != 24)) return bad("bits must be 8 or 24");
        e.bits = static_cast<int>(bits);
        if (!ParseLayout(parts[3], e.layout)) return bad("bad layout '" + parts[3] + "'");
        if (e.layout.kind == FrameLayout::Kind::Labels && e.bits != 8) return bad("a label map has 8 bits");
        if (parts[4].empty() || parts[5].empty()) return bad("say who uses it and what it shows");
        e.usedBy = parts[4];
        e.shows = parts[5];
        e.line = lineNo;
        for (long id = first; id <= last; ++id) {
            if (out.Find(static_cast<uint32_t>(id))) return bad("id " + std::to_string(id) + " listed twice");
            e.id = static_cast<uint32_t>(id);
            out.entries.push_back(e);
        }
    }
    return true;
}

bool LoadManifest(const std::string& path, Manifest& out, std::string& error) {
    std::ifstream f(path);
    if (!f) {
        error = "cannot read " + path;
        return false;
    }
    std::stringstream ss;
    ss << f.rdbuf();
    return ParseManifest(ss.str(), out, error);
}

int FrameWidth(const ManifestEntry& e) { return e.width / e.layout.columns; }
int FrameHeight(const ManifestEntry& e) { return e.height / (e.layout.rows * e.layout.BandsPerRow()); }

bool LayoutFits(const ManifestEntry& e, std::string& why) {
    const FrameLayout& l = e.layout;
    int bands = l.rows * l.BandsPerRow();
    if (e.width % l.columns != 0) {
        why = std::to_string(e.width) + " pixels wide do not divide into " + std::to_string(l.columns) + " columns";
        return false;
    }
    if (e.height % bands != 0) {
        why = std::to_string(e.height) + " pixels high do not divide into " + std::to_string(bands) + " bands";
        return false;
    }
    if (l.kind == FrameLayout::Kind::Zones) {
        int sum = 0;
        for (int h : l.zones) sum += h;
        if (sum * l.rows != e.height) {
            why = std::to_string(e.height) + " pixels high are not " + std::to_string(l.rows) + " pictures of zones " +
                  std::to_string(sum) + " high together";
            return false;
        }
    }
    return true;
}

int ZoneFrameTop(const ManifestEntry& e, int zone, int frame) {
    int above = 0;
    for (int k = 0; k < zone; ++k) above += e.layout.zones[static_cast<size_t>(k)];
    return e.layout.rows * above + frame * e.layout.zones[static_cast<size_t>(zone)];
}
