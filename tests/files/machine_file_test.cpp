#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "file_test_support.h"
#include "files/data_files.h"
#include "files/machine_commands.h"
#include "files/machine_section.h"

namespace zelk {
namespace {

const std::string kInvalidMachine = "Die Maschineninformationen sind ungültig.";
const std::string kUnitConflict = "Die Maßeinheit von Auftrag und Maschine stimmen nicht überein!";

// A page in mm with the machine "Alt" and empty lists.
OrderPage MillimetrePage() {
    OrderPage page;
    page.machine = {"Alt", "1", "2", "3"};
    return page;
}

const Lines kInchMachine = {"ZELK_MDATA V2", "Säge 2", "10", "250,5", "4", "in."};

TEST(MachineFile, IsWrittenAsSixLinesWithTheUnitLast) {
    OrderPage page = MillimetrePage();
    page.cb_einheit = 1;
    Lines lines = {"davor"};
    WriteMachineSection(lines, page);
    EXPECT_EQ(lines, (Lines{"davor", "ZELK_MDATA V2", "Alt", "1", "2", "3", "in."}));
}

TEST(MachineFile, TakesOverItsUnitWhileTheOrderHoldsNoLengths) {
    OrderPage page = MillimetrePage();
    page.order.g_fixl2.SetCell(1, 1, "800");  // fix list 2 is not looked at
    RecordingDialogs dialogs;
    size_t cursor = 0;
    ReadMachineSection(kInchMachine, cursor, page, dialogs);
    EXPECT_EQ(cursor, 6u);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(page.machine.E_MBez, "Säge 2");
    EXPECT_EQ(page.machine.E_RSL, "250,5");
    EXPECT_EQ(page.machine.E_SKB, "4");
    EXPECT_EQ(page.cb_einheit, 1);
    EXPECT_EQ(page.unitLabels[3], "in.");
    EXPECT_EQ(page.order.g_fixl3.Cell(0, 1), "Länge in.");
    EXPECT_EQ(page.order.g_fixl2.Cell(1, 1), "800");
}

TEST(MachineFile, AnotherUnitIsRefusedWhileTheFirstRowsHoldLengths) {
    for (int list : {0, 1}) {
        OrderPage page = MillimetrePage();
        (list == 0 ? page.order.g_hsl : page.order.G_Fixl).SetCell(1, 1, "6000");
        OrderPage before = page;
        RecordingDialogs dialogs;
        size_t cursor = 0;
        EXPECT_THROW(ReadMachineSection(kInchMachine, cursor, page, dialogs), Abort);
        EXPECT_EQ(dialogs.messages, Lines{kUnitConflict});
        EXPECT_EQ(page.machine.E_MBez, "Alt");
        EXPECT_EQ(page.cb_einheit, 0);
        EXPECT_EQ(page.order.g_hsl, before.order.g_hsl);
        EXPECT_EQ(cursor, 0u);
    }
}

TEST(MachineFile, Version1IsInMillimetresAndAnUnknownUnitSelectsNothing) {
    OrderPage page = MillimetrePage();
    page.cb_einheit = 1;
    RecordingDialogs dialogs;
    size_t cursor = 1;
    ReadMachineSection({"davor", "ZELK_MDATA V1", "Alt-Säge", "5", "0", "3", "ZELK_ADATA V2"},
                       cursor, page, dialogs);
    EXPECT_EQ(cursor, 6u);
    EXPECT_EQ(page.machine.E_MBez, "Alt-Säge");
    EXPECT_EQ(page.cb_einheit, 0);
    EXPECT_EQ(page.order.g_hsl.Cell(0, 1), "Länge mm");

    Lines centimetres = kInchMachine;
    centimetres[5] = "cm";
    cursor = 0;
    ReadMachineSection(centimetres, cursor, page, dialogs);
    EXPECT_EQ(page.cb_einheit, -1);
    EXPECT_EQ(page.unitLabels[0], "");
    EXPECT_EQ(page.order.G_Fixl.Cell(0, 1), "Länge ");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(MachineFile, MissingWrongAndShortSectionsChangeNothing) {
    OrderPage page = MillimetrePage();
    RecordingDialogs dialogs;
    size_t cursor = 0;
    ReadMachineSection({}, cursor, page, dialogs);
    EXPECT_EQ(dialogs.messages, Lines{kInvalidMachine});

    EXPECT_THROW(ReadMachineSection({"ZELK_MDATA V3"}, cursor, page, dialogs), Abort);
    EXPECT_EQ(dialogs.messages.size(), 2u);

    for (size_t size : {1, 4, 5}) {
        Lines lines(kInchMachine.begin(), kInchMachine.begin() + static_cast<long>(size));
        EXPECT_EQ(RuntimeErrorOf([&] { ReadMachineSection(lines, cursor, page, dialogs); }),
                  ListIndexText(static_cast<long long>(size)));
    }
    EXPECT_EQ(page.machine.E_MBez, "Alt");
    EXPECT_EQ(page.cb_einheit, 0);
    EXPECT_EQ(cursor, 0u);

    ScratchFolder folder;
    std::string noise;
    for (int i = 0; i < 3000; ++i) {
        noise += static_cast<char>(i * 7919 % 251);
    }
    WriteBytes(folder.File("rauschen.zkm"), noise);
    EXPECT_THROW(LoadMachineFile(page, folder.File("rauschen.zkm"), dialogs), Abort);
    EXPECT_EQ(dialogs.messages.back(), kInvalidMachine);
}

TEST(MachineFile, SavingNamesTheMachineAfterTheFileAndLoadsBack) {
    ScratchFolder folder;
    OrderPage page = MillimetrePage();
    SaveMachineFile(page, folder.File("Säge Halle 2.zkm"));
    EXPECT_EQ(page.machine.E_MBez, "Säge Halle 2");
    EXPECT_EQ(ReadBytes(folder.File("Säge Halle 2.zkm")),
              "ZELK_MDATA V2\r\nS\xE4ge Halle 2\r\n1\r\n2\r\n3\r\nmm\r\n");

    OrderPage loaded;
    RecordingDialogs dialogs;
    LoadMachineFile(loaded, folder.File("Säge Halle 2.zkm"), dialogs);
    EXPECT_EQ(std::tie(loaded.machine.E_MBez, loaded.machine.E_ASL, loaded.machine.E_SKB),
              std::tie(page.machine.E_MBez, page.machine.E_ASL, page.machine.E_SKB));

    SaveMachineFile(page, folder.File("ohne Endung"));
    EXPECT_EQ(page.machine.E_MBez, "ohne Endung");
}

class DeleteMachine : public ::testing::Test {
protected:
    void SetUp() override { WriteBytes(folder.File("Säge.zkm"), "ZELK_MDATA V2\r\n"); }

    ScratchFolder folder;
    MachineForm machine = {"Säge", "1", "2", "3"};
    RecordingDialogs dialogs;
};

TEST_F(DeleteMachine, AsksThenDeletesTheFileAndEmptiesTheMachine) {
    dialogs.answer = false;
    EXPECT_FALSE(Btn_MLoescheClick(machine, folder.Path(), dialogs));
    EXPECT_EQ(dialogs.confirmations,
              Lines{"Bestätigung|Möchten Sie die Maschine wirklich löschen?|&Ja|&Nein"});
    EXPECT_EQ(folder.Entries().size(), 1u);
    EXPECT_EQ(machine.E_MBez, "Säge");

    dialogs.answer = true;
    EXPECT_TRUE(Btn_MLoescheClick(machine, folder.Path(), dialogs));
    EXPECT_TRUE(folder.Entries().empty());
    EXPECT_EQ(machine.E_MBez + machine.E_ASL + machine.E_RSL + machine.E_SKB, "");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DeleteMachine, OnlyAFileOfThatNameInTheDataFolderIsDeleted) {
    MachineForm nameless;
    EXPECT_FALSE(Btn_MLoescheClick(nameless, folder.Path(), dialogs));
    EXPECT_TRUE(dialogs.messages.empty());

    std::filesystem::create_directory(folder.File("Data"));
    for (std::string name : {"Fräse", "../Säge"}) {
        machine.E_MBez = name;
        EXPECT_FALSE(Btn_MLoescheClick(machine, folder.File("Data"), dialogs)) << name;
        EXPECT_EQ(dialogs.messages.back(), "Die Maschinendatei konnte nicht gefunden werden!");
        EXPECT_EQ(machine.E_ASL, "1");
    }
    EXPECT_TRUE(dialogs.confirmations.empty());
    EXPECT_EQ(folder.Entries().size(), 2u);
}

TEST_F(DeleteMachine, AFileThatCannotBeDeletedIsAnErrorAndKeepsTheMachine) {
    int fd = open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    bool immutable = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                     (flags |= FS_IMMUTABLE_FL, ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    if (!immutable) {
        close(fd);
        GTEST_SKIP() << "the file system cannot lock the folder";
    }
    std::string error = RuntimeErrorOf([&] { Btn_MLoescheClick(machine, folder.Path(), dialogs); });
    flags &= ~FS_IMMUTABLE_FL;
    ioctl(fd, FS_IOC_SETFLAGS, &flags);
    close(fd);
    EXPECT_EQ(error, CannotDeleteText(folder.File("Säge.zkm"), "Operation not permitted"));
    EXPECT_EQ(machine.E_MBez, "Säge");
}

}  // namespace
}  // namespace zelk
