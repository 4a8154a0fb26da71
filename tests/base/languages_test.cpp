// Choosing the language of the translation function at run time, whatever the process's own
// locale, and finding the languages of a catalogue folder with their captions and pictures.
#include "base/languages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace zelk {
namespace {

namespace fs = std::filesystem;

// Writes a GNU message catalogue (.mo) with the UTF-8 header and the given entries.
void WriteCatalogue(const fs::path& file, std::map<std::string, std::string> entries) {
    entries[""] = "Content-Type: text/plain; charset=UTF-8\n";
    const uint32_t count = static_cast<uint32_t>(entries.size());
    const uint32_t idTable = 28;
    const uint32_t textTable = idTable + 8 * count;
    uint32_t offset = textTable + 8 * count;
    // magic, revision, count, the two tables, no hash table
    std::vector<uint32_t> words = {0x950412de, 0, count, idTable, textTable, 0, 0};
    std::string strings;
    std::vector<uint32_t> ids, texts;
    for (const auto& [id, unused] : entries) {
        ids.insert(ids.end(), {static_cast<uint32_t>(id.size()), offset});
        strings += id + '\0';
        offset += static_cast<uint32_t>(id.size()) + 1;
    }
    for (const auto& [unused, text] : entries) {
        texts.insert(texts.end(), {static_cast<uint32_t>(text.size()), offset});
        strings += text + '\0';
        offset += static_cast<uint32_t>(text.size()) + 1;
    }
    words.insert(words.end(), ids.begin(), ids.end());
    words.insert(words.end(), texts.begin(), texts.end());
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(words.data()),
              static_cast<std::streamsize>(words.size() * 4));
    out << strings;
}

void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

class Languages : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            fs::temp_directory_path() /
            ("zelk-languages-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        WriteCatalogue(folder / "en/LC_MESSAGES/default.mo",
                       {{"Ja", "Yes"}, {"Länge", "Length"}, {"Möchten Sie löschen?", "Delete?"}});
        WriteCatalogue(folder / "FR/LC_MESSAGES/default.mo", {{"Ja", "Oui"}});
        WriteCatalogue(folder / "de/LC_MESSAGES/default.mo", {});
        unsetenv("LANG");  // the plain C locale: the case glibc treats apart
        SetCatalogueDirectory(folder.string());
    }
    void TearDown() override {
        SelectLanguage("de");
        fs::remove_all(folder);
    }
    fs::path folder;
};

TEST_F(Languages, SwitchingBackAndForthUnderTheCLocale) {
    SelectLanguage("en");
    EXPECT_EQ(Translate("Ja"), "Yes");
    EXPECT_EQ(Translate("Länge"), "Length");
    EXPECT_EQ(Translate("Möchten Sie löschen?"), "Delete?");
    EXPECT_EQ(Translate("Nicht im Katalog"), "Nicht im Katalog");
    SelectLanguage("de");
    EXPECT_EQ(Translate("Ja"), "Ja");  // a catalogue without entries: the German text
    SelectLanguage("en");
    EXPECT_EQ(Translate("Ja"), "Yes");  // what was looked up before is not kept
    SelectLanguage("it");
    EXPECT_EQ(Translate("Ja"), "Ja");  // no catalogue
    EXPECT_EQ(CurrentLanguage(), "it");
}

TEST_F(Languages, RegionalCodesFallBackToTheLanguageAndFoldersToTheirCase) {
    SelectLanguage("en_GB");
    EXPECT_EQ(Translate("Ja"), "Yes");
    SelectLanguage("fr");
    EXPECT_EQ(Translate("Ja"), "Oui");
    SelectLanguage("fr_CH");
    EXPECT_EQ(Translate("Ja"), "Oui");
}

TEST_F(Languages, ListsFoldersWithACatalogueInLowerCase) {
    WriteCatalogue(folder / "fr/LC_MESSAGES/default.mo", {});  // FR and fr: one language
    WriteText(folder / "es/es.txt", "Español\n");              // no catalogue
    WriteCatalogue(folder / "pt/LC_MESSAGES/other.mo", {});    // another domain
    std::vector<std::string> codes = ListLanguages();
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ(codes, (std::vector<std::string>{"de", "en", "fr"}));
    EXPECT_EQ(ListLanguages("other"), (std::vector<std::string>{"pt"}));
    SetCatalogueDirectory((folder / "missing").string());
    EXPECT_TRUE(ListLanguages().empty());
}

TEST_F(Languages, CaptionIsTheFirstLineOfTheTextFile) {
    WriteText(folder / "en/en.txt",
              "\xEF\xBB\xBF"
              "English\r\nsecond\r\n");
    WriteText(folder / "FR/fr.txt", "Français");
    WriteText(folder / "de/de.txt", "");
    EXPECT_EQ(LanguageCaption("en"), "English");
    EXPECT_EQ(LanguageCaption("fr"), "Français");
    EXPECT_EQ(LanguageCaption("de"), "de");  // no line
    EXPECT_EQ(LanguageCaption("it"), "it");  // no file
}

TEST_F(Languages, PictureIsTheBitmapOrPngOfTheLanguage) {
    WriteText(folder / "en/en.bmp", "BM");
    WriteText(folder / "FR/fr.png", "png");
    EXPECT_EQ(LanguagePicture("en"), (folder / "en/en.bmp").string());
    EXPECT_EQ(LanguagePicture("fr"), (folder / "FR/fr.png").string());
    EXPECT_EQ(LanguagePicture("de"), "");
}

}  // namespace
}  // namespace zelk
