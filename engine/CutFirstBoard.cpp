// The first board's picture and template; see CutFirstBoard.h.
#include "engine/CutFirstBoard.h"

namespace {

constexpr char kFirstPicture[] = "Image\\foto0.bmp";
constexpr size_t kDigitAt = sizeof "Image\\foto" - 1;
constexpr double kDigitZero = 48.0;  // '0'

}  // namespace

FirstBoardChoice ChooseFirstBoard(const std::string& programFolder, const std::function<double()>& randomUnit) {
    FirstBoardChoice choice;
    std::string name = kFirstPicture;
    name[kDigitAt] = static_cast<char>(static_cast<int32_t>(randomUnit() * kShapeTemplateChoices + kDigitZero));
    choice.picturePath = programFolder + name;
    // A truncation towards zero of a value in (-6, 0]: 0 .. -5.
    const auto step = static_cast<int32_t>(randomUnit() * -static_cast<double>(kShapeTemplateChoices));
    choice.templateId = static_cast<uint32_t>(static_cast<int64_t>(kFirstShapeTemplateId) - step);
    return choice;
}
