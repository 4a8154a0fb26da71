#include "files/text_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "file_test_support.h"
#include "files/text_encoding.h"

namespace zelk {
namespace {

TEST(LineEnds, CrLfLfAndCrAllEndALineAndAFinalEndAddsNoLine) {
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(SplitLines("a\r\r\n\n"), (Lines{"a", "", ""}));
    EXPECT_EQ(SplitLines("\t\r\n"), (Lines{"\t"}));
    EXPECT_EQ(SplitLines(""), Lines{});
}

TEST(Encoding, Windows1252FilesReadWithUmlautsAndEveryByteHasACharacter) {
    EXPECT_EQ(DecodeFileText("S\xE4ge \xDF \x80 \x84"), "Säge ß € „");
    EXPECT_EQ(DecodeFileText("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    std::string everyByte;
    for (int b = 0; b < 256; ++b) {
        everyByte += static_cast<char>(b);
    }
    std::string text = DecodeFileText(everyByte);
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_EQ(EncodeFileText(text), everyByte);
}

TEST(Encoding, Utf8FilesStayUtf8AndLoseTheirByteOrderMark) {
    EXPECT_EQ(DecodeFileText("S\xC3\xA4ge"), "Säge");
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBFZELK"), "ZELK");
    // Overlong forms and surrogates are no UTF-8, so such bytes are Windows-1252.
    EXPECT_EQ(DecodeFileText("\xC0\xAF"), "À¯");
    EXPECT_EQ(DecodeFileText("\xED\xA0\x80"), "í\u00A0€");
}

TEST(Encoding, WritesWindows1252WhenEveryCharacterFitsAndUtf8Otherwise) {
    EXPECT_EQ(EncodeFileText("Säge €"), "S\xE4ge \x80");
    EXPECT_EQ(EncodeFileText("Łódź"), "Łódź");
    EXPECT_EQ(EncodeFileText("ZELK"), "ZELK");
    // "Ã¤" fits, but its Windows-1252 bytes would read back as "ä".
    EXPECT_EQ(EncodeFileText("Ã¤"), "Ã¤");
    EXPECT_EQ(DecodeFileText(EncodeFileText("Ã¤")), "Ã¤");
}

TEST(TextFile, WritesCrLfAfterEveryLineAndReadsBackEveryName) {
    ScratchFolder folder;
    std::string file = folder.File("m.zkm");
    WriteTextFile(file, {"Säge", "", "x"});
    EXPECT_EQ(ReadBytes(file), "S\xE4ge\r\n\r\nx\r\n");
    EXPECT_EQ(ReadTextFile(file), (Lines{"Säge", "", "x"}));

    WriteTextFile(file, {"Säge", "Łódź"});
    EXPECT_EQ(ReadBytes(file), "Säge\r\nŁódź\r\n");
    EXPECT_EQ(ReadTextFile(file), (Lines{"Säge", "Łódź"}));
}

TEST(TextFile, ReadsALineOfTenMegabytes) {
    ScratchFolder folder;
    std::string longLine(10 * 1024 * 1024, 'x');
    longLine[5] = '\xE4';  // Windows-1252 byte: the whole file is converted
    WriteBytes(folder.File("lang.zka"), "a\r\n" + longLine + "\r\nb");
    Lines lines = ReadTextFile(folder.File("lang.zka"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].size(), longLine.size() + 1);
    EXPECT_EQ(lines[1].substr(4, 3), "xä");
    EXPECT_EQ(lines[2], "b");
}

TEST(TextFile, AFileThatCannotBeReadIsTheOpenError) {
    ScratchFolder folder;
    std::string missing = folder.File("fehlt.zka");
    EXPECT_EQ(RuntimeErrorOf([&] { ReadTextFile(missing); }),
              CannotOpenText(missing, "No such file or directory"));
    EXPECT_EQ(RuntimeErrorOf([&] { ReadTextFile(folder.Path()); }),
              CannotOpenText(folder.Path(), "Is a directory"));
}

// Tests run as root, so folder permissions cannot make a save fail; these failures can.
class FailedSave : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(target, oldContent);
        entriesBefore = folder.Entries();
    }
    void ExpectOldFileKept() {
        EXPECT_EQ(ReadBytes(target), oldContent);
        EXPECT_EQ(folder.Entries(), entriesBefore);
    }

    ScratchFolder folder;
    std::string target = folder.File("Auftrag.zka");
    std::string oldContent = "ZELK_ADATA V2\r\nmm\r\nalt\r\n";
    std::set<std::string> entriesBefore;
};

TEST_F(FailedSave, AWriteThatRunsOutOfRoomKeepsTheOldFile) {
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = {4096, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    std::string error = RuntimeErrorOf([&] { WriteTextFile(target, Lines(2000, "1\t6000")); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(error, CannotCreateText(target, "File too large"));
    ExpectOldFileKept();
}

TEST_F(FailedSave, ARenameThatFailsKeepsWhatIsThere) {
    std::string folderTarget = folder.File("Ordner.zka");
    std::filesystem::create_directory(folderTarget);
    std::filesystem::create_directory(folderTarget + "/inhalt");
    entriesBefore = folder.Entries();
    std::string error = RuntimeErrorOf([&] { WriteTextFile(folderTarget, {"neu"}); });
    EXPECT_EQ(error.rfind(CannotCreateText(folderTarget, ""), 0), 0u) << error;
    EXPECT_TRUE(std::filesystem::is_directory(folderTarget + "/inhalt"));
    ExpectOldFileKept();
}

TEST_F(FailedSave, AFolderThatIsAFileNamesTheFileAndTheReason) {
    std::string inside = target + "/neu.zka";
    EXPECT_EQ(RuntimeErrorOf([&] { WriteTextFile(inside, {"neu"}); }),
              CannotCreateText(inside, "Not a directory"));
    ExpectOldFileKept();
}

}  // namespace
}  // namespace zelk
