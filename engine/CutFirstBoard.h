// The first game of a run: the play screen starts it by itself on one of the six shipped
// pictures "Image\foto0.bmp" .. "Image\foto5.bmp", cut with one of the six templates, both
// chosen at random.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

constexpr uint32_t kFirstShapeTemplateId = 3000;  // the six templates are 3000 .. 3005
constexpr int32_t kShapeTemplateChoices = 6;

struct FirstBoardChoice {
    std::string picturePath;  // below the program folder
    uint32_t templateId = 0;
};

// Draws two random numbers, the picture's first, then the template's:
// digit = truncation(unit x 6 + 48) as a character, id = 3000 - truncation(unit x -6.0).
FirstBoardChoice ChooseFirstBoard(const std::string& programFolder, const std::function<double()>& randomUnit);
