#include "ui/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QMimeData>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "base/errors.h"
#include "base/languages.h"
#include "base/numbers.h"
#include "base/translate.h"
#include "engine/calculation.h"
#include "engine/plan_from_grid.h"
#include "export/saw_plan.h"
#include "export/xlsx_spreadsheet.h"
#include "files/data_files.h"
#include "files/machine_commands.h"
#include "job/order_page.h"
#include "job/paste_lengths.h"
#include "job/read_job.h"
#include "job/remainder_order.h"
#include "result/cell_colours.h"
#include "result/choice_lists.h"
#include "result/plan_statistics.h"
#include "result/progress_times.h"
#include "result/result_file.h"
#include "result/result_grids.h"
#include "ui/calculation_thread.h"
#include "ui/language_menu.h"
#include "ui/optimum_beside.h"

// The pictures live in the window's library; the program must ask for them.
static void LoadPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace zelk {

namespace {

constexpr int kDefaultDepth = 4;  // "XL"
constexpr int kProgressLeft = 10;
constexpr int kProgressRight = 520;
constexpr int kExpertCandidates = 15;
constexpr int kRestCandidates = 20;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
QString T(const char* german) {
    return Q(Translate(german));
}

QColor ColourOf(CellColour colour) {
    const QPalette palette = QApplication::palette();
    switch (colour) {
        case CellColour::Highlight:
            return palette.color(QPalette::Active, QPalette::Highlight);
        case CellColour::ButtonFace:
            return palette.color(QPalette::Button);
        case CellColour::Window:
            return palette.color(QPalette::Base);
        case CellColour::Yellow:
            return QColor(kYellow.red, kYellow.green, kYellow.blue);
        case CellColour::LightGrey:
            return QColor(kLightGrey.red, kLightGrey.green, kLightGrey.blue);
        case CellColour::SpringGreen:
            return QColor(kSpringGreen.red, kSpringGreen.green, kSpringGreen.blue);
        case CellColour::Teal:
            return QColor(kTeal.red, kTeal.green, kTeal.blue);
    }
    return palette.color(QPalette::Base);
}

// A file name made from a title: characters that no file name may hold become "_".
QString FileNameOf(const std::string& title) {
    QString name = Q(title);
    for (QChar& c : name) {
        if (QString("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20) {
            c = '_';
        }
    }
    return name.trimmed().isEmpty() ? QString("Saegeplan") : name.trimmed();
}

// The name of a result of the order page: order, then machine, as the result file is offered.
std::string ResultName(const OrderPage& page) {
    return page.order.E_ABez + "-" + page.machine.E_MBez;
}

// A message that names a file: the path on a line of its own, so that it is not broken.
std::string WithPath(const std::string& message, const QString& path) {
    return message + "\n" + QDir::toNativeSeparators(path).toStdString();
}

// Reads an option: missing or not a whole number gives the default.
int OptionValue(const QSettings& settings, const char* name, int defaultValue) {
    bool ok = false;
    int value = settings.value(name).toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

}  // namespace

TMainform::TMainform(ProgramFolders folders, QWidget* parent)
    : QMainWindow(parent),
      folders_(std::move(folders)),
      decimalSeparator_(UsableDecimalSeparator(QLocale::system().decimalPoint().toStdString())),
      thousandsSeparator_(UsableThousandsSeparator(QLocale::system().groupSeparator().toStdString(),
                                                   decimalSeparator_)) {
    LoadPictures();
    setObjectName("TMainform");
    QFont font("MS Sans Serif", 8);
    if (!font.exactMatch()) {
        font = QApplication::font();
        font.setPointSize(8);
    }
    setFont(font);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    BuildTopBar();
    column->addWidget(Panel3);
    pages = new QStackedWidget(central);
    pages->setObjectName("pages");
    AP_Auftragsdaten = BuildOrderPage();
    AP_Bearbeitung = BuildCalculationPage();
    pages->addWidget(AP_Auftragsdaten);
    pages->addWidget(AP_Bearbeitung);
    column->addWidget(pages, 1);
    setCentralWidget(central);
    resize(822, 734);

    openDocument = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    // A save replaces an existing file of the chosen name without a question.
    chooseFile = [this](bool save, const QString& filter, const QString& presetName) {
        QString start = folders_.DataDirectory();
        return save
                   ? QFileDialog::getSaveFileName(this, QString(), start + "/" + presetName, filter,
                                                  nullptr, QFileDialog::DontConfirmOverwrite)
                   : QFileDialog::getOpenFileName(this, QString(), start, filter);
    };

    optimum_ = new OptimumBeside(*this);
    ConnectHandlers();
    FormCreate();
}

TMainform::~TMainform() {
    if (thread_) {
        // Only a window torn down without closing (a test's end) gets here with a running search.
        closingDown_ = true;
        StopRequested.store(true);
        while (thread_ && !thread_->wait(10)) {
            QCoreApplication::processEvents();
        }
    }
    FormDestroy();
    // The controls are destroyed after the window's fields: none of their signals may reach it.
    qApp->disconnect(this);
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
}

void TMainform::ConnectHandlers() {
    connect(a_auftragsdaten, &QAction::triggered, this, &TMainform::a_auftragsdatenExecute);
    connect(a_berechnung, &QAction::triggered, this, &TMainform::a_berechnungExecute);
    connect(a_beenden, &QAction::triggered, this, &TMainform::a_beendenExecute);
    connect(a_Hilfe, &QAction::triggered, this, &TMainform::a_HilfeExecute);
    connect(cb_experte, &QCheckBox::toggled, this, &TMainform::cb_experteClick);
    connect(Sprachenerkennen1, &QAction::triggered, this, &TMainform::Sprachenerkennen1Click);
    ImageDE->installEventFilter(this);
    ImageEN->installEventFilter(this);

    // Order page: every field writes its text into the order page as it is typed.
    const std::vector<std::pair<QLineEdit*, std::string*>> fields = {
        {E_MBez, &page_.machine.E_MBez},     {E_ASL, &page_.machine.E_ASL},
        {E_RSL, &page_.machine.E_RSL},       {E_SKB, &page_.machine.E_SKB},
        {E_ABez, &page_.order.E_ABez},       {E_WastToStock, &page_.order.E_WastToStock},
        {EToleranz, &page_.order.EToleranz}, {e_fixbez, &page_.order.e_fixbez},
        {e_fixbez2, &page_.order.e_fixbez2}, {e_fixbez3, &page_.order.e_fixbez3}};
    for (const auto& [edit, text] : fields) {
        std::string* target = text;
        connect(edit, &QLineEdit::textChanged, this,
                [target](const QString& value) { *target = value.toStdString(); });
    }
    connect(cb_einheit, &QComboBox::activated, this, &TMainform::cb_einheitChange);
    for (StringGrid* list : {g_hsl, G_Fixl, g_fixl2, g_fixl3}) {
        list->onKeyDown = [this, list](int key, Qt::KeyboardModifiers modifiers) {
            return g_hslKeyDown(list, key, modifiers);
        };
    }
    connect(qApp, &QApplication::focusChanged, this, &TMainform::FocusChanged);
    connect(btnNeueFL, &QPushButton::clicked, this, &TMainform::btnNeueFLClick);
    connect(Btn_ANeu, &QPushButton::clicked, this, &TMainform::Btn_ANeuClick);
    connect(Btn_MNeu, &QPushButton::clicked, this, &TMainform::Btn_MNeuClick);
    connect(Btn_MLoesche, &QPushButton::clicked, this, &TMainform::Btn_MLoescheClick);
    connect(Btn_ADel, &QPushButton::clicked, this, &TMainform::Btn_MLoescheClick);
    connect(Btn_MLoad, &QPushButton::clicked, this, &TMainform::Btn_MLoadClick);
    connect(Btn_MSave, &QPushButton::clicked, this, &TMainform::Btn_MSaveClick);
    connect(Btn_ALoad, &QPushButton::clicked, this, &TMainform::Btn_ALoadClick);
    connect(Btn_ASave, &QPushButton::clicked, this, &TMainform::Btn_ASaveClick);
    connect(BtnHLEinfuegen, &QPushButton::clicked, this, &TMainform::BtnHLEinfuegenClick);
    connect(BtnFLEinfuegen, &QPushButton::clicked, this, &TMainform::BtnFLEinfuegenClick);
    connect(BtnFL2Einfuegen, &QPushButton::clicked, this, &TMainform::BtnFL2EinfuegenClick);
    connect(BtnFL3Einfuegen, &QPushButton::clicked, this, &TMainform::BtnFL3EinfuegenClick);

    // Calculation page.
    G_V->onSetEditText = [this](int row, int col, const std::string& text) {
        G_VSetEditText(col, row, text);
    };
    G_V->onSelectCell = [this](int row, int col) { return G_VSelectCell(col, row); };
    G_V->GridModel()->restingColumn = [this](int row, int col) {
        return RestingColumn(calc_.G_V, row, col, job_.StockKinds);
    };
    G_V->onKeyDown = [this](int key, Qt::KeyboardModifiers) { return G_VKeyDown(key); };
    G_V->onBackground = [this](int row, int col, StringGrid::DrawState state) {
        return G_VDrawCell(col, row, state);
    };
    G_S->onBackground = [this](int row, int col, StringGrid::DrawState state) {
        return G_SDrawCell(col, row, state);
    };
    connect(G_V->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &TMainform::G_VTopLeftChanged);
    connect(CB_KBIS, &QComboBox::activated, this,
            [this](int index) { calc_.CB_KBIS.itemIndex = index; });
    connect(cb_ablageplaetze, &QComboBox::activated, this,
            [this](int index) { calc_.cb_ablageplaetze.itemIndex = index; });
    connect(Btn_Komb, &QPushButton::clicked, this, &TMainform::Btn_KombClick);
    connect(OptBtn, &QPushButton::clicked, this, &TMainform::OptBtnClick);
    connect(Btn_Rest, &QPushButton::clicked, this, &TMainform::Btn_restClick);
    connect(Btn_Stop, &QPushButton::clicked, this, &TMainform::Btn_StopClick);
    connect(T_Prg, &QTimer::timeout, this, &TMainform::T_PrgTimer);
    connect(Btn_RestAlsNeuenAuftrag, &QPushButton::clicked, this,
            &TMainform::Btn_RestAlsNeuenAuftragClick);
    connect(Btn_Druck, &QPushButton::clicked, this, &TMainform::Btn_DruckClick);
    connect(BtnLoadErg, &QPushButton::clicked, this, &TMainform::BtnLoadErgClick);
    connect(BtnSaveErg, &QPushButton::clicked, this, &TMainform::BtnSaveErgClick);
}

// ---- Start and end ------------------------------------------------------------------------

void TMainform::FormCreate() {
    ProgressStep = 1;
    Sprachenerkennen1Click();
    SelectInterfaceLanguage("de");
    texts_.TranslateComponent(this);
    IniFileName = folders_.writable + "/" +
                  QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + ".ini";
    ReadStoredLanguage();
    QDir().mkpath(folders_.DataDirectory());  // a folder that cannot be created is not reported
    RefreshCaptions();
    ReadOptions();
    cb_experteClick();
    Command([this] {
        calc_.G_V.SetColCount(job_.FixKinds + job_.StockKinds + 3);
        calc_.G_S.SetColCount(calc_.G_V.ColCount());
        LayoutResultColumns(calc_, job_, page_.order, decimalSeparator_);
        EmptyResultRows(calc_.G_V);
    });
    Btn_ANeuClick();
}

void TMainform::ReadStoredLanguage() {
    if (!QFileInfo::exists(IniFileName)) {
        return;
    }
    QSettings ini(IniFileName, QSettings::IniFormat);
    SelectInterfaceLanguage(ini.value("Languages/last_language", "de").toString().toStdString());
    texts_.RetranslateComponent(this);
}

void TMainform::ReadOptions() {
    QSettings settings("Quendra", "Zelk");
    settings.beginGroup("Options");
    const bool expert = OptionValue(settings, "Expertenmodus", 0) != 0;
    const int depth = OptionValue(settings, "Rechentiefe", kDefaultDepth);
    cb_experte->setChecked(expert);
    cb_rechentiefe->setCurrentIndex(depth >= 0 && depth < cb_rechentiefe->count() ? depth : -1);
    if (!settings.contains("Expertenmodus")) {
        settings.setValue("Expertenmodus", "0");  // the options exist from the first start on
    }
}

void TMainform::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TMainform::FormShow() {
    page_.cb_einheit = 0;
    ShowFields();
    a_auftragsdatenExecute();
}

void TMainform::FormDestroy() {
    QSettings settings("Quendra", "Zelk");
    settings.beginGroup("Options");
    settings.setValue("Expertenmodus", cb_experte->isChecked() ? "1" : "0");
}

void TMainform::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TMainform::FormCloseQuery(bool& canClose) {
    canClose = !Running();
    if (!canClose && dialogs_.Confirm("",
                                      Translate("Achtung: Die Berechnung läuft noch. Soll der "
                                                "Rechenvorgang abgebrochen werden?"),
                                      Translate("Ja"), Translate("Abbrechen"))) {
        // The calculation may have ended while the question was open: then the window closes
        // now, rather than at the end of some later calculation.
        canClose = !Running();
        if (!canClose) {
            Btn_StopClick();
            CloseAfterCalc = true;
        }
    }
}

// ---- Actions ------------------------------------------------------------------------------

void TMainform::TurnToPage(QWidget* page, QAction* action) {
    pages->setCurrentWidget(page);
    action->setChecked(true);
}

void TMainform::a_auftragsdatenExecute() {
    TurnToPage(AP_Auftragsdaten, a_auftragsdaten);
}

void TMainform::a_berechnungExecute() {
    TurnToPage(AP_Bearbeitung, a_berechnung);
    if (Running()) {
        return;  // the job stays as the calculation reads it
    }
    Command([this] {
        ReadJob(page_, decimalSeparator_, dialogs_, job_, calc_.LBerechName);
        FillChoiceLists(calc_, job_.FixKinds, false);
        LayoutWithoutPlan(calc_, job_, page_.order, decimalSeparator_);
        UpdatePlanStatistics(calc_, Context());
    });
}

void TMainform::a_beendenExecute() {
    close();
}

void TMainform::a_HilfeExecute() {
    const QString help = folders_.HelpDocument();
    if (QFileInfo::exists(help)) {
        if (!openDocument(QUrl::fromLocalFile(help))) {
            dialogs_.ShowMessage(WithPath(
                Translate("Das Handbuch konnte nicht geöffnet werden. Es liegt unter:"), help));
        }
    } else {
        dialogs_.ShowMessage(Translate("Die Hilfedatei ist nicht installiert!"));
    }
}

void TMainform::cb_experteClick() {
    RefreshCaptions();
}

void TMainform::RefreshCaptions() {
    const bool expert = cb_experte->isChecked();
    OptBtn->setVisible(expert);
    Btn_Rest->setVisible(expert);
    Btn_Komb->setText(expert ? T("Neustart") : T("Optimierung starten"));
    Btn_Komb->setIcon(expert ? APBtn->icon() : OptBtn->icon());
    Command([this] {
        for (TextGrid* list : {&page_.order.g_hsl, &page_.order.G_Fixl, &page_.order.g_fixl2,
                               &page_.order.g_fixl3}) {
            SetListHeader(*list, page_.UnitText());
        }
        RefreshResultCaptions(calc_, job_, decimalSeparator_);
    });
    const std::pair<StringGrid*, QPushButton*> lists[] = {{g_hsl, BtnHLEinfuegen},
                                                          {G_Fixl, BtnFLEinfuegen},
                                                          {g_fixl2, BtnFL2Einfuegen},
                                                          {g_fixl3, BtnFL3Einfuegen}};
    for (const auto& [list, paste] : lists) {
        FitListColumns(list);
        paste->move(list->geometry().right() + 1 - paste->width(), paste->y());
    }
}

// ---- Languages ----------------------------------------------------------------------------

bool TMainform::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && (watched == ImageDE || watched == ImageEN)) {
        watched == ImageDE ? ImageDEClick() : ImageENClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainform::Sprachenerkennen1Click() {
    BuildLanguageMenu(Deutsch1, this);
    for (QAction* item : Sprache1->actions()) {
        disconnect(item, &QAction::triggered, this, nullptr);
        connect(item, &QAction::triggered, this, [this, item] { LanguageMenuItemClick(item); });
    }
}

void TMainform::LanguageMenuItemClick(QAction* item) {
    const int position = static_cast<int>(Sprache1->actions().indexOf(item));
    SwitchLanguage(position - 1, texts_, this);
    AfterLanguageSwitch();
}

void TMainform::ImageDEClick() {
    SelectInterfaceLanguage("de");
    texts_.RetranslateComponent(this);
    AfterLanguageSwitch();
}

void TMainform::ImageENClick() {
    SelectInterfaceLanguage("en");
    texts_.RetranslateComponent(this);
    AfterLanguageSwitch();
}

void TMainform::AfterLanguageSwitch() {
    RefreshCaptions();
    Command([this] {
        FillChoiceLists(calc_, job_.FixKinds, true);
        QSettings ini(IniFileName, QSettings::IniFormat);
        ini.setValue("Languages/last_language", QString::fromStdString(CurrentLanguage()));
        ini.sync();
        if (ini.status() != QSettings::NoError) {
            throw RuntimeError(
                CannotWriteText(QDir::toNativeSeparators(IniFileName).toStdString()));
        }
    });
}

// ---- Commands and the widgets -------------------------------------------------------------

void TMainform::Command(const std::function<void()>& body) {
    TakeFields();
    try {
        body();
    } catch (const Abort&) {
        // the message has been shown; the command ends here
    } catch (const std::exception& error) {
        dialogs_.ShowError(error.what());
    }
    ShowFields();
}

ResultContext TMainform::Context() {
    return ResultContext{job_, page_, decimalSeparator_, thousandsSeparator_, dialogs_};
}

void TMainform::TakeFields() {
    page_.cb_einheit = cb_einheit->currentIndex();
    calc_.CB_KBIS.itemIndex = CB_KBIS->currentIndex();
    calc_.cb_ablageplaetze.itemIndex = cb_ablageplaetze->currentIndex();
}

void TMainform::ShowFields() {
    ShowOrderPage();
    ShowCalculationPage();
}

void TMainform::ShowOrderPage() {
    auto show = [](QLineEdit* edit, const std::string& text) {
        QString value = Q(text);
        if (edit->text() != value) {
            edit->setText(value);
        }
    };
    const MachineForm& machine = page_.machine;
    const OrderForm& order = page_.order;
    show(E_MBez, machine.E_MBez);
    show(E_ASL, machine.E_ASL);
    show(E_RSL, machine.E_RSL);
    show(E_SKB, machine.E_SKB);
    show(E_ABez, order.E_ABez);
    show(E_WastToStock, order.E_WastToStock);
    show(EToleranz, order.EToleranz);
    show(e_fixbez, order.e_fixbez);
    show(e_fixbez2, order.e_fixbez2);
    show(e_fixbez3, order.e_fixbez3);
    cb_einheit->setCurrentIndex(page_.cb_einheit);
    QLabel* unitLabels[] = {Label6, Label7, Label14, Label25};
    for (int i = 0; i < 4; ++i) {
        unitLabels[i]->setText(Q(page_.unitLabels[i]));
        unitLabels[i]->adjustSize();
    }
    for (QWidget* w : {static_cast<QWidget*>(g_fixl2), static_cast<QWidget*>(l_fix2),
                       static_cast<QWidget*>(e_fixbez2), static_cast<QWidget*>(BtnFL2Einfuegen),
                       static_cast<QWidget*>(e_fixbez)}) {
        w->setVisible(order.group2Shown);
    }
    for (QWidget* w : {static_cast<QWidget*>(g_fixl3), static_cast<QWidget*>(l_fix3),
                       static_cast<QWidget*>(e_fixbez3), static_cast<QWidget*>(BtnFL3Einfuegen)}) {
        w->setVisible(order.group3Shown);
    }
    btnNeueFL->setVisible(order.btnNeueFL != GroupButtonPlace::Hidden);
    const StringGrid* under = order.btnNeueFL == GroupButtonPlace::UnderGroup3 ? g_fixl3 : g_fixl2;
    btnNeueFL->move(under->x(), btnNeueFL->y());
    btnNeueFL->raise();
    for (StringGrid* list : {g_hsl, G_Fixl, g_fixl2, g_fixl3}) {
        list->Refresh();
    }
}

void TMainform::ShowChoiceList(QComboBox* box, const ChoiceList& list) {
    QStringList items;
    for (const std::string& item : list.items) {
        items << Q(item);
    }
    QStringList shown;
    for (int i = 0; i < box->count(); ++i) {
        shown << box->itemText(i);
    }
    if (shown != items) {
        box->clear();
        box->addItems(items);
    }
    box->setCurrentIndex(list.itemIndex);
}

void TMainform::ShowCalculationPage() {
    LBerechName->setText(calc_.LBerechName.empty() ? T("Vorgeschlagene Bearbeitung")
                                                   : Q(calc_.LBerechName));
    ShowChoiceList(CB_KBIS, calc_.CB_KBIS);
    ShowChoiceList(cb_ablageplaetze, calc_.cb_ablageplaetze);
    G_V->Refresh();
    G_S->Refresh();
    G_V->SetColumnWidths(calc_.columnWidths, G_V->horizontalHeader()->defaultSectionSize());
    G_S->SetColumnWidths(calc_.columnWidths, G_S->horizontalHeader()->defaultSectionSize());
    // The Max LL and Rest/LL columns of G_S follow whatever width G_V gives them.
    for (int col = 0; col < G_S->GridModel()->columnCount(); ++col) {
        G_S->setColumnWidth(col, G_V->columnWidth(col));
    }
    L_HLSumme->setText(Q(calc_.L_HLSumme));
    L_FIXLSumme->setText(Q(calc_.L_FIXLSumme));
    L_LagerRest->setText(Q(calc_.L_LagerRest));
    L_Maschrest->setText(Q(calc_.L_Maschrest));
    L_Rest->setText(Q(calc_.L_Rest));
    L_AuftragNichtErfuellt->setText(Q(calc_.L_AuftragNichtErfuellt));
    L_AuftragNichtErfuellt->setVisible(calc_.L_AuftragNichtErfuelltVisible);
    L_PlanVeraltet->setVisible(PlanIsForEarlierOrder(calc_, job_));
    Btn_RestAlsNeuenAuftrag->setVisible(calc_.Btn_RestAlsNeuenAuftragVisible);
    if (optimum_) {
        optimum_->ShowBoundAndGap();
    }
}

void TMainform::RepaintResult() {
    G_V->viewport()->repaint();
    G_S->viewport()->repaint();
    for (QLabel* value : {L_HLSumme, L_FIXLSumme, L_Rest, L_LagerRest, L_Maschrest}) {
        value->repaint();
    }
}

// ---- Order page ---------------------------------------------------------------------------

void TMainform::FocusChanged(QWidget*, QWidget* now) {
    // Focus that moves into another window, such as a message box, stays inside the form: coming
    // back, it enters nothing anew. A list is left before the next one is entered.
    if (!now || now->window() != this) {
        return;
    }
    QWidget* before = formFocus_;
    formFocus_ = now;
    auto holds = [](StringGrid* list, QWidget* widget) {
        return widget && (widget == list || list->isAncestorOf(widget));
    };
    for (StringGrid* list : {g_hsl, G_Fixl, g_fixl2, g_fixl3}) {
        if (holds(list, before) && !holds(list, now)) {
            g_hslExit(list);
        }
    }
    for (StringGrid* list : {g_hsl, G_Fixl, g_fixl2, g_fixl3}) {
        if (!holds(list, before) && holds(list, now)) {
            g_hslEnter(list);
        }
    }
}

void TMainform::g_hslEnter(StringGrid* list) {
    list->SetCursor(1, 0);
}

bool TMainform::g_hslKeyDown(StringGrid* list, int key, Qt::KeyboardModifiers modifiers) {
    ListKey listKey = ListKey::Other;
    if (key == Qt::Key_Tab && modifiers == Qt::NoModifier) {
        listKey = ListKey::Tab;
    } else if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && modifiers == Qt::ShiftModifier) {
        listKey = ListKey::ShiftTab;
    }
    const ListKind kind = list == g_hsl ? ListKind::Stock : ListKind::Fix;
    const ListKeyAction action = zelk::g_hslKeyDown(
        list->Grid(), CellPosition{list->CursorRow(), list->CursorCol()}, listKey, kind);
    if (!action.consumed) {
        return false;
    }
    if (action.appendRow) {
        TextGrid& grid = list->Grid();
        grid.SetRowCount(grid.RowCount() + 1);
        list->Refresh();
    }
    if (action.focus == FocusTarget::G_Fixl) {
        G_Fixl->setFocus(Qt::TabFocusReason);
    } else if (action.focus == FocusTarget::E_WastToStock) {
        E_WastToStock->setFocus(Qt::TabFocusReason);
    } else if (action.moveCursorTo) {
        list->SetCursor(action.moveCursorTo->row, action.moveCursorTo->col);
    }
    return true;
}

void TMainform::g_hslExit(StringGrid* list) {
    list->SetCursor(1, 0);
    Command([this, list] { CompactList(list->Grid(), page_.order, decimalSeparator_); });
}

void TMainform::btnNeueFLClick() {
    Command([this] { zelk::btnNeueFLClick(page_.order); });
}

void TMainform::Btn_ANeuClick() {
    Command([this] { zelk::Btn_ANeuClick(page_.order); });
    if (isVisible()) {
        E_ABez->setFocus();
    }
}

void TMainform::cb_einheitChange() {
    Command([this] { zelk::cb_einheitChange(page_); });
}

void TMainform::Btn_MNeuClick() {
    Command([this] { zelk::Btn_MNeuClick(page_.machine); });
    E_MBez->setFocus();
}

void TMainform::Btn_MLoescheClick() {
    bool deleted = false;
    Command([&] {
        deleted = zelk::Btn_MLoescheClick(page_.machine, folders_.DataDirectory().toStdString(),
                                          dialogs_);
    });
    if (deleted) {
        E_MBez->setFocus();  // as after "Neue Maschine anlegen"
    }
}

void TMainform::LoadFile(const QString& filter,
                         const std::function<void(const std::string&)>& load) {
    const QString path = chooseFile(false, filter, QString());
    if (!path.isEmpty()) {
        Command([&] { load(path.toStdString()); });
    }
}

void TMainform::SaveFile(const QString& filter, const std::string& presetName,
                         const std::function<void(const std::string&)>& save) {
    const QString path = chooseFile(true, filter, Q(presetName));
    if (!path.isEmpty()) {
        Command([&] { save(path.toStdString()); });
    }
}

void TMainform::Btn_MLoadClick() {
    LoadFile(T("Maschinendaten (*.zkm)"), [this](const std::string& path) { LoadMachine(path); });
}

void TMainform::Btn_MSaveClick() {
    SaveFile(T("Maschinendaten (*.zkm)"), page_.machine.E_MBez + ".zkm",
             [this](const std::string& path) { SaveMachineFile(page_, path); });
}

void TMainform::Btn_ALoadClick() {
    LoadFile(T("Auftragsdaten (*.zka)"), [this](const std::string& path) { LoadOrder(path); });
}

void TMainform::Btn_ASaveClick() {
    SaveFile(T("Auftragsdaten (*.zka)"), page_.order.E_ABez + ".zka",
             [this](const std::string& path) { SaveOrderFile(page_, path); });
}

void TMainform::BtnHLEinfuegenClick() {
    PasteInto(g_hsl);
}
void TMainform::BtnFLEinfuegenClick() {
    PasteInto(G_Fixl);
}
void TMainform::BtnFL2EinfuegenClick() {
    PasteInto(g_fixl2);
}
void TMainform::BtnFL3EinfuegenClick() {
    PasteInto(g_fixl3);
}

void TMainform::PasteInto(StringGrid* list) {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    std::optional<std::string> text;
    if (data && data->hasText()) {
        text = data->text().toStdString();
    }
    Command([&] { PasteLengths(text, list->Grid(), page_.order, decimalSeparator_, dialogs_); });
    list->SetCursor(1, 0);  // tidied: the cursor on the count of the first row
}

// ---- Calculation page ---------------------------------------------------------------------

void TMainform::G_VSetEditText(int col, int row, const std::string& text) {
    Command([&] { zelk::G_VSetEditText(calc_, col, row, text, Context()); });
    G_V->viewport()->update();
}

bool TMainform::G_VSelectCell(int col, int row) {
    bool canSelect = true;
    Command([&] { canSelect = zelk::G_VSelectCell(calc_, col, row, job_, decimalSeparator_); });
    return canSelect;
}

bool TMainform::G_VKeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Command([&] { zelk::G_VKeyDown(calc_, kEnterKey, job_, decimalSeparator_); });
    }
    return false;  // the grid goes on with its ordinary behaviour
}

void TMainform::G_VTopLeftChanged() {
    G_S->horizontalScrollBar()->setValue(G_V->horizontalScrollBar()->value());
}

QColor TMainform::G_VDrawCell(int col, int row, StringGrid::DrawState state) const {
    return ColourOf(G_VCellColour(calc_.G_V, job_.StockKinds, col, row,
                                  CellState{state.selected, state.fixed}));
}

QColor TMainform::G_SDrawCell(int col, int row, StringGrid::DrawState state) const {
    return ColourOf(G_SCellColour(calc_.G_S, col, row, CellState{state.selected, state.fixed}));
}

void TMainform::Btn_KombClick() {
    if (Running()) {
        return;
    }
    bool shown = false;
    Command([this, &shown] {
        UpdateOrderState(calc_, job_);
        StopRequested.store(false);
        ReadJob(page_, decimalSeparator_, dialogs_, job_, calc_.LBerechName);
        FillChoiceLists(calc_, job_.FixKinds, true);
        const SelectionLimits limits =
            LimitsFromChoices(calc_.CB_KBIS.itemIndex, calc_.cb_ablageplaetze.itemIndex);
        auto engine = std::make_unique<EngineContext>(job_, limits);
        auto plan = std::make_unique<TBearbeitung>(*engine);
        if (ExpertMode()) {
            plan->UpdateTotals();
            plan->GeneratePatterns(SearchBudget(cb_rechentiefe->currentIndex()));
            plan->FilterCandidates();
            plan->ScoreCandidates();
            plan->SelectCandidates(kExpertCandidates);
            ShowPlan(calc_, *plan, Context());
            shown = true;
            return;
        }
        StartCalculation(std::move(engine), std::move(plan), true);
    });
    if (shown) {
        G_V->ShowFromFirstRow();
    }
}

void TMainform::OptBtnClick() {
    if (Running()) {
        return;
    }
    if (G_V->hasFocus() || G_V->isAncestorOf(QApplication::focusWidget())) {
        // Commits a cell edit in progress before the rows are read.
        CB_KBIS->setFocus();
        QCoreApplication::processEvents();
        if (Running()) {
            return;  // started while the edit was committed
        }
    }
    Command([this] {
        const SelectionLimits limits =
            LimitsFromChoices(calc_.CB_KBIS.itemIndex, calc_.cb_ablageplaetze.itemIndex);
        auto engine = std::make_unique<EngineContext>(job_, limits);
        auto plan = std::make_unique<TBearbeitung>(*engine);
        PlanFromGrid(*plan, calc_.G_V);
        plan->UpdateTotals();
        StopRequested.store(false);
        StartCalculation(std::move(engine), std::move(plan), false);
    });
}

void TMainform::Btn_restClick() {
    if (Running()) {
        return;
    }
    Command([this] {
        const SelectionLimits limits =
            LimitsFromChoices(calc_.CB_KBIS.itemIndex, calc_.cb_ablageplaetze.itemIndex);
        EngineContext engine(job_, limits);
        TBearbeitung plan(engine);
        PlanFromGrid(plan, calc_.G_V);
        plan.UpdateTotals();
        plan.GeneratePatterns(SearchBudget(cb_rechentiefe->currentIndex()));
        plan.FilterCandidates();
        plan.ScoreCandidates();
        plan.SelectCandidates(kRestCandidates);
        ShowPlan(calc_, plan, Context());
    });
    G_V->ShowFromFirstRow();
}

void TMainform::StartCalculation(std::unique_ptr<EngineContext> engine,
                                 std::unique_ptr<TBearbeitung> root, bool totalsPending) {
    // The depth and both limits are read here, once for the whole run.
    const int budget = SearchBudget(cb_rechentiefe->currentIndex());
    const SelectionLimits limits =
        LimitsFromChoices(calc_.CB_KBIS.itemIndex, calc_.cb_ablageplaetze.itemIndex);
    if (thread_) {
        thread_->wait();  // the last run has reported its end and is only returning
    }
    calculating_ = true;
    CloseAfterCalc = false;
    optimum_->Start(job_, limits, totalsPending);
    thread_ = new TBerechnungsthread(*this, std::move(engine), std::move(root), totalsPending,
                                     budget, limits);
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
    thread_->start();
}

void TMainform::Btn_StopClick() {
    StopRequested.store(true);
}

void TMainform::T_PrgTimer() {
    if (s_PG->isHidden()) {
        T_Prg->stop();
        return;
    }
    ShowProgressTimes();
    const int left = s_PG->x() + ProgressStep;
    s_PG->move(left, s_PG->y());
    if (left + s_PG->width() > kProgressRight) {
        ProgressStep = -std::abs(ProgressStep);
    }
    if (left < kProgressLeft) {
        ProgressStep = std::abs(ProgressStep);
    }
}

void TMainform::ShowProgressTimes() {
    const auto seconds = [](const QElapsedTimer& timer) { return timer.elapsed() / 1000; };
    std::optional<int64_t> sinceBetter;
    if (betterPlanTime_.isValid()) {
        sinceBetter = seconds(betterPlanTime_);
    }
    L_Zeiten->setText(Q(ProgressTimesText(seconds(runTime_), sinceBetter)));
}

void TMainform::Btn_RestAlsNeuenAuftragClick() {
    Command([this] {
        zelk::Btn_RestAlsNeuenAuftragClick(page_.order, calc_.G_S, job_, decimalSeparator_);
    });
    a_auftragsdatenExecute();
}

void TMainform::Btn_DruckClick() {
    Command([this] {
        const std::string title = SawPlanTitle(page_.machine.E_MBez, page_.order.E_ABez);
        XlsxSpreadsheet sheet(decimalSeparator_);
        // A fault of the export ends it; what was written so far is still handed over.
        std::optional<std::string> fault;
        try {
            ExportSawPlan(title, calc_.G_V, calc_.G_S, job_, calc_.BinCount(), decimalSeparator_,
                          sheet, dialogs_);
        } catch (const RuntimeError& error) {
            fault = error.what();
        }
        lastWorkbook_ = NewWorkbookPath();
        try {
            sheet.Save(lastWorkbook_.toStdString());
        } catch (const std::exception&) {
            if (fault) {
                dialogs_.ShowError(*fault);  // both faults are told, the export's first
            }
            throw;
        }
        if (!openDocument(QUrl::fromLocalFile(lastWorkbook_))) {
            dialogs_.ShowMessage(WithPath(
                Translate("Die Arbeitsmappe konnte nicht geöffnet werden. Sie liegt unter:"),
                lastWorkbook_));
        }
        if (fault) {
            throw RuntimeError(*fault);
        }
    });
}

QString TMainform::NewWorkbookPath() {
    if (!workbooks_) {
        // One folder for the run; it goes at the end of the program with whatever the spreadsheet
        // program no longer holds open.
        workbooks_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/zelk-XXXXXX");
    }
    if (!workbooks_->isValid()) {
        const std::string folder = workbooks_->path().toStdString();
        const std::string reason = workbooks_->errorString().toStdString();
        workbooks_.reset();
        throw RuntimeError(CannotCreateText(folder, reason));
    }
    // A workbook handed over before may still be open: the next one gets a name of its own.
    const QString name = FileNameOf(ResultName(page_));
    QString path = workbooks_->filePath(name + ".xlsx");
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = workbooks_->filePath(name + " (" + QString::number(n) + ").xlsx");
    }
    return path;
}

void TMainform::BtnSaveErgClick() {
    const std::string presetName = ResultName(page_) + ".zke";
    SaveFile(T("Ergebnisdaten (*.zke)"), presetName, [this](const std::string& path) {
        SaveResultFile(page_, calc_.G_V, calc_.G_S, path);
    });
}

void TMainform::BtnLoadErgClick() {
    if (Running()) {
        return;
    }
    bool loaded = false;
    LoadFile(T("Ergebnisdaten (*.zke)"), [this, &loaded](const std::string& path) {
        loaded = true;  // also a file read in part shows its rows anew
        LoadResult(path);
    });
    if (loaded) {
        G_V->ShowFromFirstRow();
    }
}

void TMainform::LoadMachine(const std::string& path) {
    LoadMachineFile(page_, path, dialogs_);
}

void TMainform::LoadOrder(const std::string& path) {
    LoadOrderFile(page_, path, dialogs_);
}

void TMainform::LoadResult(const std::string& path) {
    LoadResultFile(page_, calc_, job_, path, decimalSeparator_, thousandsSeparator_, dialogs_);
}

void TMainform::OpenFile(const QString& path) {
    const QString type = QFileInfo(path).suffix().toLower();
    Command([&] {
        const std::string file = path.toStdString();
        if (type == "zkm") {
            LoadMachine(file);
        } else if (type == "zka") {
            LoadOrder(file);
        } else if (type == "zke") {
            TurnToPage(AP_Bearbeitung, a_berechnung);  // where a loaded result is shown
            LoadResult(file);
        } else {
            throw RuntimeError(NotAProgramFileText(QDir::toNativeSeparators(path).toStdString()));
        }
    });
}

// ---- Calls from the calculation thread ----------------------------------------------------

namespace {

// Each call reads what the thread wrote before it and hands back what the window wrote during it.
struct HandOffGuard {
    explicit HandOffGuard(std::atomic<int>& handOff) : handOff_(handOff) {
        handOff_.load(std::memory_order_acquire);
    }
    ~HandOffGuard() { handOff_.fetch_add(1, std::memory_order_release); }
    std::atomic<int>& handOff_;
};

}  // namespace

void TMainform::Synchronise(const char* method) {
    handOff_.fetch_add(1, std::memory_order_release);
    QMetaObject::invokeMethod(this, method, Qt::BlockingQueuedConnection);
    handOff_.load(std::memory_order_acquire);
}

void TMainform::CalcStarted() {
    HandOffGuard guard(handOff_);
    ProgressStep = 3;
    s_PG->move(kProgressLeft, s_PG->y());
    s_PG->show();
    s_rand->show();
    s_PG->raise();
    T_Prg->start();
    runTime_.start();
    betterPlanTime_.invalidate();
    ShowProgressTimes();
    L_Zeiten->show();
    CB_KBIS->setEnabled(false);
    cb_ablageplaetze->setEnabled(false);
    Btn_Stop->show();
    Command([this] { UpdateOrderState(calc_, job_); });
}

void TMainform::ShowBestPlan() {
    HandOffGuard guard(handOff_);
    if (PlanToShow) {
        ShowFoundPlan(*PlanToShow, PlanIsBetter);
    }
}

void TMainform::ShowFoundPlan(const TBearbeitung& plan, bool better) {
    if (closingDown_ || !optimum_->Offer(plan)) {
        return;
    }
    if (better) {
        betterPlanTime_.start();
    }
    Command([&] { ShowPlan(calc_, plan, Context()); });
    G_V->ShowFromFirstRow();
    optimum_->Shown();
    RepaintResult();
}

void TMainform::ShowCalcError() {
    HandOffGuard guard(handOff_);
    if (!closingDown_) {
        dialogs_.ShowMessage(CalcErrorText);
    }
}

void TMainform::CalcFinished() {
    HandOffGuard guard(handOff_);
    calculating_ = false;
    Btn_Stop->hide();
    CB_KBIS->setEnabled(true);
    cb_ablageplaetze->setEnabled(true);
    s_PG->hide();
    s_rand->hide();
    L_Zeiten->hide();
    Command([this] { UpdateOrderState(calc_, job_); });
    if (CloseAfterCalc && !closingDown_) {
        close();
    }
}

}  // namespace zelk
