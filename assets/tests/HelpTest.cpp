// The help pages the help button opens: one per language, in the folder of its digit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TEST(HelpPages, OnePagePerLanguageInItsOwnLanguage) {
    const fs::path help = fs::path(VEXLA_DIST_DIR) / "Help";
    if (!fs::is_directory(help)) GTEST_SKIP() << "help pages not built yet";
    const char* codes[6] = {"es", "en", "pt", "it", "fr", "de"};
    const char* newGame[6] = {"Nuevo juego", "New game", "Novo jogo", "Nuovo gioco", "Nouveau jeu", "Neues Spiel"};
    for (int lang = 0; lang < 6; ++lang) {
        std::ifstream in(help / std::to_string(lang) / "Index.htm");
        ASSERT_TRUE(in) << "Help/" << lang << "/Index.htm is missing";
        std::stringstream ss;
        ss << in.rdbuf();
        const std::string page = ss.str();
        EXPECT_NE(page.find(std::string("<html lang=\"") + codes[lang] + "\""), std::string::npos) << lang;
        EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos) << lang;
        EXPECT_NE(page.find("Vexla Puzzle"), std::string::npos) << lang;
        // The page names the button as the game draws it in that language.
        EXPECT_NE(page.find(newGame[lang]), std::string::npos) << lang;
        EXPECT_EQ(page.find("@PIECE@"), std::string::npos) << lang;
        EXPECT_NE(page.find("</html>"), std::string::npos) << lang;
    }
}
