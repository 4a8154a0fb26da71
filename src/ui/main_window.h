// The main window TMainform: the top bar with its actions, the order page and the calculation
// page. It owns the order page's texts, the calculation page's texts and the job tables, shows
// them in its widgets, and binds every control to the core rule that acts on it. The calculation
// itself runs in TBerechnungsthread, which reaches the window only through synchronised calls.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/bearbeitung.h"
#include "job/forms.h"
#include "job/job_tables.h"
#include "job/list_aids.h"
#include "result/calculation_page.h"
#include "ui/component_texts.h"
#include "ui/message_boxes.h"
#include "ui/program_folder.h"
#include "ui/string_grid.h"

namespace zelk {

class TBerechnungsthread;
class OptimumBeside;

class TMainform : public QMainWindow {
    Q_OBJECT

public:
    // folders: where the data directory and the help document are.
    explicit TMainform(ProgramFolders folders, QWidget* parent = nullptr);
    ~TMainform() override;

    MessageBoxes& Boxes() { return dialogs_; }
    const OrderPage& Page() const { return page_; }
    const CalculationPage& Calculation() const { return calc_; }
    const JobTables& Job() const { return job_; }
    const ProgramFolders& Folders() const { return folders_; }
    char DecimalSeparator() const { return decimalSeparator_; }
    char ThousandsSeparator() const { return thousandsSeparator_; }

    // Hooks for what leaves the program: opening a document in the desktop's viewer (false when
    // nothing could open it) and choosing a file (empty: cancelled).
    std::function<bool(const QUrl&)> openDocument;
    std::function<QString(bool save, const QString& filter, const QString& presetName)> chooseFile;

    // Opens a machine (.zkm), order (.zka) or result file (.zke), chosen by its name's ending,
    // as its load button would; a result is shown on the calculation page.
    void OpenFile(const QString& path);

    // The ini file that keeps the language between starts.
    const QString& IniFile() const { return IniFileName; }

    // Where the last saw plan workbook was written.
    QString LastWorkbook() const { return lastWorkbook_; }

    // Called by the calculation thread through blocking queued calls.
    Q_INVOKABLE void CalcStarted();
    Q_INVOKABLE void ShowBestPlan();
    Q_INVOKABLE void ShowCalcError();
    Q_INVOKABLE void CalcFinished();

    // Shows a plan found by the search or the optimum stage, if it is to be shown; `better` marks a
    // plan just found (not one shown again at a pass's end), which restarts the time since the last
    // better plan.
    void ShowFoundPlan(const TBearbeitung& plan, bool better);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class TBerechnungsthread;
    friend class OptimumBeside;
    friend class WindowSearchHost;

    // Building the window.
    void BuildTopBar();
    QWidget* BuildOrderPage();
    QWidget* BuildCalculationPage();
    QWidget* BuildBottomPanel();
    StringGrid* BuildInputList(TextGrid& list, const char* name, QWidget* page, int x, int y);
    void FitListColumns(StringGrid* grid);
    void ConnectHandlers();

    void FormCreate();
    void FormShow();
    void FormDestroy();
    void FormCloseQuery(bool& canClose);
    void ReadOptions();

    // Actions.
    void TurnToPage(QWidget* page, QAction* action);
    void a_auftragsdatenExecute();
    void a_berechnungExecute();
    void a_beendenExecute();
    void a_HilfeExecute();
    void cb_experteClick();
    void RefreshCaptions();

    // Languages.
    void Sprachenerkennen1Click();
    void LanguageMenuItemClick(QAction* item);
    void ImageDEClick();
    void ImageENClick();
    void AfterLanguageSwitch();
    void ReadStoredLanguage();

    // Order page.
    void g_hslEnter(StringGrid* list);
    bool g_hslKeyDown(StringGrid* list, int key, Qt::KeyboardModifiers modifiers);
    void g_hslExit(StringGrid* list);
    void btnNeueFLClick();
    void Btn_ANeuClick();
    void cb_einheitChange();
    void Btn_MNeuClick();
    void Btn_MLoescheClick();
    void Btn_MLoadClick();
    void Btn_MSaveClick();
    void Btn_ALoadClick();
    void Btn_ASaveClick();
    void BtnHLEinfuegenClick();
    void BtnFLEinfuegenClick();
    void BtnFL2EinfuegenClick();
    void BtnFL3EinfuegenClick();
    void LoadFile(const QString& filter, const std::function<void(const std::string&)>& load);
    void LoadMachine(const std::string& path);
    void LoadOrder(const std::string& path);
    void SaveFile(const QString& filter, const std::string& presetName,
                  const std::function<void(const std::string&)>& save);
    void PasteInto(StringGrid* list);

    // Calculation page.
    void G_VSetEditText(int col, int row, const std::string& text);
    bool G_VSelectCell(int col, int row);
    bool G_VKeyDown(int key);
    void G_VTopLeftChanged();
    QColor G_VDrawCell(int col, int row, StringGrid::DrawState state) const;
    QColor G_SDrawCell(int col, int row, StringGrid::DrawState state) const;
    void Btn_KombClick();
    void OptBtnClick();
    void Btn_restClick();
    void Btn_StopClick();
    void T_PrgTimer();
    void ShowProgressTimes();
    void Btn_RestAlsNeuenAuftragClick();
    void Btn_DruckClick();
    void BtnLoadErgClick();
    void LoadResult(const std::string& path);
    void BtnSaveErgClick();
    // A path for the next saw plan workbook in the run's folder, named after order and machine.
    QString NewWorkbookPath();

    // A user command: the fields are taken from the widgets, an Abort ends the command silently,
    // a runtime error goes to the general error box, and the widgets show what the command left.
    void Command(const std::function<void()>& body);
    void TakeFields();
    void ShowFields();
    void ShowOrderPage();
    void ShowCalculationPage();
    void ShowChoiceList(QComboBox* box, const ChoiceList& list);
    void RepaintResult();

    // From the start of the thread, before it shows the stop button, to its end.
    bool Running() const { return calculating_; }
    bool ExpertMode() const { return !OptBtn->isHidden(); }
    ResultContext Context();
    void StartCalculation(std::unique_ptr<EngineContext> engine, std::unique_ptr<TBearbeitung> root,
                          bool totalsPending);
    void Synchronise(const char* method);
    void FocusChanged(QWidget* old, QWidget* now);

    ProgramFolders folders_;
    QString IniFileName;
    ComponentTexts texts_;
    MessageBoxes dialogs_{this};
    OrderPage page_;
    CalculationPage calc_;
    JobTables job_;
    char decimalSeparator_;
    char thousandsSeparator_;
    bool shownOnce_ = false;
    bool closingDown_ = false;
    QString lastWorkbook_;
    std::unique_ptr<QTemporaryDir> workbooks_;  // the saw plan workbooks of this run

    // The running calculation.
    std::atomic<bool> StopRequested{false};
    bool CloseAfterCalc = false;
    bool calculating_ = false;
    int ProgressStep = 1;
    const TBearbeitung* PlanToShow = nullptr;  // valid only during ShowBestPlan
    bool PlanIsBetter = false;      // PlanToShow was just found, not shown again at a pass's end
    QElapsedTimer runTime_;         // since the start of the calculation
    QElapsedTimer betterPlanTime_;  // since its last better plan; invalid before the first
    std::string CalcErrorText;
    std::atomic<int> handOff_{0};  // orders the thread's writes before each synchronised call
    QPointer<TBerechnungsthread> thread_;
    QPointer<QWidget> formFocus_;  // the widget of the form that had the focus last

    // The optimum stage beside the calculation, with its check box and labels.
    OptimumBeside* optimum_ = nullptr;

public:
    // The controls, named as on the form.
    QWidget* Panel3 = nullptr;
    QToolBar* AT = nullptr;
    QAction* a_auftragsdaten = nullptr;
    QAction* a_berechnung = nullptr;
    QAction* a_beenden = nullptr;
    QAction* a_Hilfe = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* ImageDE = nullptr;
    QLabel* ImageEN = nullptr;
    QStackedWidget* pages = nullptr;
    QWidget* AP_Auftragsdaten = nullptr;
    QWidget* AP_Bearbeitung = nullptr;
    QMenu* AdvPopupMenu1 = nullptr;
    QMenu* Sprache1 = nullptr;
    QAction* Deutsch1 = nullptr;
    QAction* Sprachenerkennen1 = nullptr;

    QLineEdit* E_MBez = nullptr;
    QLineEdit* E_ASL = nullptr;
    QComboBox* cb_einheit = nullptr;
    QLineEdit* E_RSL = nullptr;
    QLineEdit* E_SKB = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label25 = nullptr;
    QPushButton* Btn_MNeu = nullptr;
    QPushButton* Btn_MLoad = nullptr;
    QPushButton* Btn_MSave = nullptr;
    QPushButton* Btn_MLoesche = nullptr;
    QLineEdit* E_ABez = nullptr;
    QLineEdit* E_WastToStock = nullptr;
    QLineEdit* EToleranz = nullptr;
    QPushButton* Btn_ANeu = nullptr;
    QPushButton* Btn_ALoad = nullptr;
    QPushButton* Btn_ASave = nullptr;
    QPushButton* Btn_ADel = nullptr;
    StringGrid* g_hsl = nullptr;
    StringGrid* G_Fixl = nullptr;
    StringGrid* g_fixl2 = nullptr;
    StringGrid* g_fixl3 = nullptr;
    QLabel* l_fix2 = nullptr;
    QLabel* l_fix3 = nullptr;
    QLineEdit* e_fixbez = nullptr;
    QLineEdit* e_fixbez2 = nullptr;
    QLineEdit* e_fixbez3 = nullptr;
    QPushButton* BtnHLEinfuegen = nullptr;
    QPushButton* BtnFLEinfuegen = nullptr;
    QPushButton* BtnFL2Einfuegen = nullptr;
    QPushButton* BtnFL3Einfuegen = nullptr;
    QPushButton* btnNeueFL = nullptr;

    QLabel* LBerechName = nullptr;
    QPushButton* BtnLoadErg = nullptr;
    QPushButton* BtnSaveErg = nullptr;
    QPushButton* Btn_Druck = nullptr;
    QLabel* L_PlanVeraltet = nullptr;  // above G_V: the plan is for an earlier state of the order
    StringGrid* G_V = nullptr;
    StringGrid* G_S = nullptr;
    QComboBox* CB_KBIS = nullptr;
    QComboBox* cb_ablageplaetze = nullptr;
    QComboBox* cb_rechentiefe = nullptr;
    QCheckBox* cb_experte = nullptr;
    QPushButton* Btn_Komb = nullptr;
    QPushButton* OptBtn = nullptr;
    QPushButton* Btn_Rest = nullptr;
    QPushButton* Btn_RestAlsNeuenAuftrag = nullptr;
    QPushButton* Btn_Stop = nullptr;
    QPushButton* APBtn = nullptr;
    QFrame* s_rand = nullptr;
    QFrame* s_PG = nullptr;
    QLabel* L_Zeiten =
        nullptr;  // beside the progress bar: time since start and since a better plan
    QGroupBox* InfoBox = nullptr;
    QLabel* L_HLSumme = nullptr;
    QLabel* L_FIXLSumme = nullptr;
    QLabel* L_LagerRest = nullptr;
    QLabel* L_Maschrest = nullptr;
    QLabel* L_Rest = nullptr;
    QLabel* L_AuftragNichtErfuellt = nullptr;
    QTimer* T_Prg = nullptr;
};

}  // namespace zelk
