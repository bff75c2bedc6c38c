#include "assets/SourceScan.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

std::string StripComments(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 2, "//") == 0) {
            while (i < s.size() && s[i] != '\n') ++i;
            if (i < s.size()) out += '\n';
        } else if (s.compare(i, 2, "/*") == 0) {
            size_t end = s.find("*/", i + 2);
            if (end == std::string::npos) break;
            for (size_t k = i; k < end; ++k)
                if (s[k] == '\n') out += '\n';  // keep line numbers
            i = end + 1;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

bool IsNumber(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// Last component of a possibly qualified name ("Ids::kFoo" -> "kFoo", "App.x" -> "x").
std::string LastName(const std::string& s) {
    size_t p = s.find_last_of(":.>");
    return p == std::string::npos ? s : s.substr(p + 1);
}

bool IsIdentifier(const std::string& s) {
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
    for (char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ':' || c == '.' || c == '-' || c == '>'))
            return false;
    return true;
}

struct Constants {
    std::map<std::string, uint32_t> scalars;
    std::map<std::string, std::vector<uint32_t>> arrays;
};

Constants CollectConstants(const std::vector<std::string>& texts) {
    Constants c;
    // NAME = 123  or  NAME{123}  (constexpr, const, enumerators)
    static const std::regex scalar(R"(\b([A-Za-z_]\w*)\s*(?:=\s*|\{\s*)(\d+)\s*[;,}\n])");
    // NAME[] = { 1, 2, 3 }  or  NAME[6] = {...}  or  std::array<...> NAME = {...}
    static const std::regex array(
        R"(\b([A-Za-z_]\w*)\s*(?:\[\s*\w*\s*\])?\s*=?\s*\{\s*(\d+(?:\s*,\s*\d+)+)\s*,?\s*\})");
    // A loop counter starting at a number is a variable, not a constant: it must not be taken
    // for an id wherever an argument of the same name is passed on.
    const auto inLoopHeader = [](const std::string& t, size_t at) {
        const size_t lineStart = t.rfind('\n', at);
        const std::string before = t.substr(lineStart == std::string::npos ? 0 : lineStart, at - lineStart);
        return before.find("for (") != std::string::npos || before.find("for(") != std::string::npos;
    };
    for (const std::string& t : texts) {
        for (std::sregex_iterator it(t.begin(), t.end(), scalar), end; it != end; ++it)
            if (!inLoopHeader(t, static_cast<size_t>(it->position(1))))
                c.scalars[(*it)[1]] = static_cast<uint32_t>(std::stoul((*it)[2]));
        for (std::sregex_iterator it(t.begin(), t.end(), array), end; it != end; ++it) {
            std::vector<uint32_t> values;
            std::stringstream list((*it)[2]);
            std::string item;
            while (std::getline(list, item, ',')) values.push_back(static_cast<uint32_t>(std::stoul(Trim(item))));
            c.arrays[(*it)[1]] = values;
        }
    }
    return c;
}

// Resolves one term: a number, a named constant, or an element of a named array.
bool ResolveTerm(const std::string& term, const Constants& c, std::vector<uint32_t>& out) {
    std::string t = Trim(term);
    while (t.size() > 2 && t.front() == '(' && t.back() == ')') t = Trim(t.substr(1, t.size() - 2));
    // Casts such as static_cast<UINT>(x) or UINT(x).
    static const std::regex cast(R"(^(?:static_cast\s*<[^>]*>|\w+)\s*\((.*)\)$)");
    std::smatch m;
    if (std::regex_match(t, m, cast)) return ResolveTerm(m[1], c, out);
    if (IsNumber(t)) {
        out.push_back(static_cast<uint32_t>(std::stoul(t)));
        return true;
    }
    size_t bracket = t.find('[');
    if (bracket != std::string::npos && t.back() == ']') {
        auto it = c.arrays.find(LastName(Trim(t.substr(0, bracket))));
        if (it == c.arrays.end()) return false;
        out.insert(out.end(), it->second.begin(), it->second.end());
        return true;
    }
    if (!IsIdentifier(t)) return false;
    auto it = c.scalars.find(LastName(t));
    if (it == c.scalars.end()) return false;
    out.push_back(it->second);
    return true;
}

}  // namespace

ScanResult ScanPackIds(const std::vector<SourceFile>& files) {
    std::vector<std::string> texts;
    for (const auto& f : files) texts.push_back(StripComments(f.text));
    Constants constants = CollectConstants(texts);
    ScanResult result;
    for (size_t fi = 0; fi < files.size(); ++fi) {
        const std::string& t = texts[fi];
        for (size_t pos = t.find("LoadById"); pos != std::string::npos; pos = t.find("LoadById", pos + 8)) {
            size_t open = t.find_first_not_of(" \t", pos + 8);
            if (open == std::string::npos || t[open] != '(') continue;
            int depth = 0;
            size_t close = open;
            for (; close < t.size(); ++close) {
                if (t[close] == '(') ++depth;
                if (t[close] == ')' && --depth == 0) break;
            }
            std::string arg = Trim(t.substr(open + 1, close - open - 1));
            // The declaration and definition of LoadById itself name a parameter.
            static const std::regex parameter(R"(^(?:const\s+)?[A-Za-z_][\w:]*\s+[A-Za-z_]\w*$)");
            if (std::regex_match(arg, parameter)) continue;
            int line = 1 + static_cast<int>(std::count(t.begin(), t.begin() + static_cast<long>(pos), '\n'));
            std::string where = files[fi].path + ":" + std::to_string(line);
            std::vector<uint32_t> ids;
            bool ok;
            size_t plus = arg.find('+');
            if (plus == std::string::npos) {
                ok = ResolveTerm(arg, constants, ids);
            } else {
                // base + index (either order): the base is the term that resolves.
                std::string a = arg.substr(0, plus), b = arg.substr(plus + 1);
                std::vector<uint32_t> base;
                ok = (ResolveTerm(a, constants, base) && !ResolveTerm(b, constants, ids)) ||
                     (ids.clear(), base.clear(), ResolveTerm(b, constants, base) && !ResolveTerm(a, constants, ids));
                ids.clear();
                if (ok)
                    for (uint32_t v : base)
                        for (uint32_t k = 0; k < 6; ++k) ids.push_back(v + k);
            }
            if (!ok) {
                result.unresolved.push_back(where + ": " + arg);
                continue;
            }
            for (uint32_t id : ids) result.uses.push_back({id, where});
        }
    }
    return result;
}

std::vector<SourceFile> ReadSources(const std::string& root, const std::vector<std::string>& folders) {
    namespace fs = std::filesystem;
    std::vector<SourceFile> files;
    for (const auto& folder : folders) {
        fs::path dir = fs::path(root) / folder;
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(dir)) {
            if (!entry.is_regular_file()) continue;
            std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h") continue;
            std::ifstream in(entry.path());
            std::stringstream ss;
            ss << in.rdbuf();
            files.push_back({fs::relative(entry.path(), root).string(), ss.str()});
        }
    }
    return files;
}
