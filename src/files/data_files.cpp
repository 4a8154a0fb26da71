#include "files/data_files.h"

#include "files/machine_section.h"
#include "files/order_section.h"
#include "files/result_section.h"
#include "files/text_file.h"

namespace zelk {

std::string BaseNameWithoutExtension(const std::string& path) {
    std::string name = Utf8FromPath(PathFromUtf8(path).filename());
    return name.substr(0, name.rfind('.'));
}

void SaveMachineFile(OrderPage& page, const std::string& path) {
    page.machine.E_MBez = BaseNameWithoutExtension(path);
    Lines lines;
    WriteMachineSection(lines, page);
    WriteTextFile(path, lines);
}

void LoadMachineFile(OrderPage& page, const std::string& path, Dialogs& dialogs) {
    size_t cursor = 0;
    ReadMachineSection(ReadTextFile(path), cursor, page, dialogs);
}

void SaveOrderFile(OrderPage& page, const std::string& path) {
    page.order.E_ABez = BaseNameWithoutExtension(path);
    Lines lines;
    WriteOrderSection(lines, page);
    WriteTextFile(path, lines);
}

void LoadOrderFile(OrderPage& page, const std::string& path, Dialogs& dialogs) {
    size_t cursor = 0;
    ReadOrderSection(ReadTextFile(path), cursor, page, dialogs);
}

void SaveResultFile(const OrderPage& page, const TextGrid& G_V, const TextGrid& G_S,
                    const std::string& path) {
    Lines lines;
    WriteMachineSection(lines, page);
    WriteOrderSection(lines, page);
    WriteResultSection(lines, G_V, G_S);
    WriteTextFile(path, lines);
}

}  // namespace zelk
