// SourceScan: finds the pack ids the game's sources load, so that a test can hold them
// against the manifest. It reads every argument of a LoadById call and resolves it:
//
//   LoadById(111)                       -> 111
//   LoadById(kMainMenuBackgroundId)     -> the value of a named constant defined in the
//                                          sources ("constexpr UINT kName = 111;", enums)
//   LoadById(kToolImageIds[i])          -> every number of that array's initialiser
//   LoadById(kNewGameBase + App.LanguageIndex), LoadById(300 + i)
//                                       -> a base plus a run-time index: base .. base + 5
//                                          (six languages, six boxes)
//
// Arguments it cannot resolve are reported separately, for a person to look at.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

struct SourceFile {
    std::string path;
    std::string text;
};

struct PackIdUse {
    uint32_t id;
    std::string where;  // file:line of the LoadById call
};

struct ScanResult {
    std::vector<PackIdUse> uses;
    std::vector<std::string> unresolved;  // "file:line: argument"
};

ScanResult ScanPackIds(const std::vector<SourceFile>& files);

// Every .cpp and .h below the given folders of `root`.
std::vector<SourceFile> ReadSources(const std::string& root, const std::vector<std::string>& folders);
