// Saving a machine, an order and a result where the disk refuses: a folder mounted read-only, a
// file system that is full, a file marked unchangeable. Each save ends with the create error
// naming the file, the file saved before stays byte for byte, and nothing is left beside it.
// The tests run as root, where permissions do not stop a write; what they need and cannot get
// (a mount, the immutable attribute) makes them skip with the reason.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "files/data_files.h"
#include "files/file_test_support.h"
#include "job/order_page.h"
#include "support/refusing_disk.h"

namespace zelk {
namespace {

using test::MountedFolder;
using test::SetImmutable;

// The three save commands, each on a page whose content differs from the first save.
struct SaveCommand {
    const char* name;
    const char* fileName;
    std::function<void(OrderPage&, const std::string&)> save;
};

const SaveCommand kSaveCommands[] = {
    {"machine", "Säge 2.zkm",
     [](OrderPage& page, const std::string& path) { SaveMachineFile(page, path); }},
    {"order", "Aufträge.zka",
     [](OrderPage& page, const std::string& path) { SaveOrderFile(page, path); }},
    {"result", "Ergebnis Größe.zke",
     [](OrderPage& page, const std::string& path) {
         TextGrid G_V(3, 4);
         G_V.SetCell(1, 1, page.order.g_hsl.Cell(1, 1));
         TextGrid G_S(3, 4);
         G_S.SetCell(2, 0, "Rest");
         SaveResultFile(page, G_V, G_S, path);
     }},
};

OrderPage FirstPage() {
    OrderPage page;
    Btn_ANeuClick(page.order);
    page.machine.E_SKB = '3';
    page.order.g_hsl.SetCell(1, 0, "120");
    page.order.g_hsl.SetCell(1, 1, "6000");
    return page;
}

// A larger page, so that the second save needs more room than the first took.
OrderPage SecondPage() {
    OrderPage page = FirstPage();
    page.machine.E_SKB = "4,5";
    page.order.G_Fixl.SetRowCount(400);
    for (int row = 1; row < 400; ++row) {
        page.order.G_Fixl.SetCell(row, 0, std::to_string(row));
        page.order.G_Fixl.SetCell(row, 1, std::to_string(6000 - row));
    }
    return page;
}

std::set<std::string> EntriesOf(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Saves once, lets `refuse` make the disk refuse, saves again and checks what is left.
void ExpectRefusedSaveKeepsFile(const SaveCommand& command, const std::string& folder,
                                const std::function<bool()>& refuse, const char* expectedReason) {
    SCOPED_TRACE(command.name);
    const std::string path = folder + "/" + command.fileName;
    OrderPage first = FirstPage();
    command.save(first, path);
    const std::string before = ReadBytes(path);
    ASSERT_FALSE(before.empty());
    ASSERT_TRUE(refuse());
    const std::set<std::string> entriesBefore = EntriesOf(folder);

    OrderPage second = SecondPage();
    const std::string error = RuntimeErrorOf([&] { command.save(second, path); });

    EXPECT_EQ(error, CannotCreateText(path, expectedReason));
    EXPECT_NE(error.find(command.fileName), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(EntriesOf(folder), entriesBefore);
}

TEST(FailingSave, AFullDiskKeepsTheSavedFileAndLeavesNothingBehind) {
    for (const SaveCommand& command : kSaveCommands) {
        ScratchFolder scratch;
        MountedFolder disk(scratch.Path());
        if (!disk.MountTmpfs("size=16k")) {
            GTEST_SKIP() << "no tmpfs can be mounted here: " << std::strerror(errno);
        }
        // Fills what is left of the small disk, so that the next save finds no room.
        auto fillDisk = [&] {
            std::ofstream filler(scratch.File("füllung"), std::ios::binary);
            const std::string block(512, 'x');
            while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
                filler.flush();
            }
            return true;
        };
        ExpectRefusedSaveKeepsFile(command, scratch.Path(), fillDisk, "No space left on device");
    }
}

TEST(FailingSave, AFolderThatCannotBeWrittenKeepsTheSavedFile) {
    for (const SaveCommand& command : kSaveCommands) {
        ScratchFolder writable;
        ScratchFolder readOnly;
        MountedFolder binding(readOnly.Path());
        auto mountReadOnly = [&] { return binding.BindReadOnly(writable.Path()); };
        // The first save goes to the writable folder; the second through the read-only view of it.
        OrderPage first = FirstPage();
        command.save(first, writable.File(command.fileName));
        if (!mountReadOnly()) {
            GTEST_SKIP() << "no read-only bind mount here: " << std::strerror(errno);
        }
        SCOPED_TRACE(command.name);
        const std::string path = readOnly.File(command.fileName);
        const std::string before = ReadBytes(path);
        const std::set<std::string> entriesBefore = EntriesOf(readOnly.Path());
        OrderPage second = SecondPage();
        EXPECT_EQ(RuntimeErrorOf([&] { command.save(second, path); }),
                  CannotCreateText(path, "Read-only file system"));
        EXPECT_EQ(ReadBytes(path), before);
        EXPECT_EQ(EntriesOf(readOnly.Path()), entriesBefore);
        EXPECT_EQ(EntriesOf(writable.Path()), entriesBefore);
    }
}

TEST(FailingSave, AFileMarkedUnchangeableIsNotReplaced) {
    for (const SaveCommand& command : kSaveCommands) {
        ScratchFolder scratch;
        const std::string path = scratch.File(command.fileName);
        bool marked = false;
        auto markFile = [&] { return marked = SetImmutable(path, true); };
        {
            OrderPage probe = FirstPage();
            command.save(probe, path);
            if (!SetImmutable(path, true)) {
                GTEST_SKIP() << "the file system has no immutable attribute: "
                             << std::strerror(errno);
            }
            SetImmutable(path, false);
        }
        ExpectRefusedSaveKeepsFile(command, scratch.Path(), markFile, "Operation not permitted");
        if (marked) {
            SetImmutable(path, false);  // so that the scratch folder can be removed
        }
    }
}

}  // namespace
}  // namespace zelk
