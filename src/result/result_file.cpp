#include "result/result_file.h"

#include "files/machine_section.h"
#include "files/order_section.h"
#include "files/result_section.h"
#include "files/text_file.h"
#include "job/read_job.h"
#include "result/choice_lists.h"
#include "result/plan_statistics.h"
#include "result/result_grids.h"

namespace zelk {

void LoadResultFile(OrderPage& page, CalculationPage& calculationPage, JobTables& tables,
                    const std::string& path, char decimalSeparator, char thousandsSeparator,
                    Dialogs& dialogs) {
    LoadResultLines(page, calculationPage, tables, ReadTextFile(path), decimalSeparator,
                    thousandsSeparator, dialogs);
}

void LoadResultLines(OrderPage& page, CalculationPage& calculationPage, JobTables& tables,
                     const Lines& lines, char decimalSeparator, char thousandsSeparator,
                     Dialogs& dialogs) {
    size_t cursor = 0;
    ReadMachineSection(lines, cursor, page, dialogs);
    ReadOrderSection(lines, cursor, page, dialogs);
    ReadJob(page, decimalSeparator, dialogs, tables, calculationPage.LBerechName);
    FillChoiceLists(calculationPage, tables.FixKinds, false);
    LayoutResultColumns(calculationPage, tables, page.order, decimalSeparator);
    calculationPage.planJob = tables;  // also a file cut off shows rows of this job
    ReadResultSection(lines, cursor, calculationPage.G_V, calculationPage.G_S, dialogs);
    UpdatePlanStatistics(calculationPage,
                         {tables, page, decimalSeparator, thousandsSeparator, dialogs});
}

}  // namespace zelk
