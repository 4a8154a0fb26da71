// The controls of the main window and where they stand: the top bar, the order page with the
// machine and order fields and the four input lists, and the calculation page with the result
// grids, the bottom panel and the Info-Box.
#include <QActionGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QScrollBar>
#include <QVBoxLayout>

#include "base/translate.h"
#include "result/cell_colours.h"
#include "ui/main_window.h"

namespace zelk {

namespace {

constexpr int kClientWidth = 822;
constexpr int kTopBarHeight = 46;
constexpr int kListColumnWidth = 55;
constexpr int kListRowHeight = 16;
constexpr int kListHeight = 340;  // down to the foot of the order page: 20 rows in view
constexpr int kResultRowHeight = 15;
constexpr int kGridDefaultColumnWidth = 64;

// A text as the window's design holds it: German. TranslateComponent puts it into the current
// language and remembers it for every later switch.
QString German(const char* text) {
    return QString::fromUtf8(text);
}

QColor SkyBlue() {
    return QColor(kSkyBlue.red, kSkyBlue.green, kSkyBlue.blue);
}

void PaintBackground(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* Label(QWidget* parent, const QString& text, int x, int y, bool bold = false) {
    auto* label = new QLabel(text, parent);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLineEdit* Edit(QWidget* parent, const char* name, int x, int y, int width) {
    auto* edit = Named(new QLineEdit(parent), name);
    edit->setGeometry(x, y, width, 21);
    return edit;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, const char* picture,
                    QRect geometry) {
    auto* button = Named(new QPushButton(caption, parent), name);
    if (picture) {
        button->setIcon(QIcon(QString(":/pictures/") + picture + ".svg"));
        button->setIconSize(QSize(16, 16));
    }
    button->setGeometry(geometry);
    return button;
}

QPixmap Picture(const char* name, QSize size) {
    return QIcon(QString(":/pictures/") + name + ".svg").pixmap(size);
}

}  // namespace

void TMainform::BuildTopBar() {
    setWindowTitle(German("ZELK Schnittlängenoptimierung V2.7"));
    Panel3 = Named(new QWidget(this), "Panel3");
    Panel3->setFixedHeight(kTopBarHeight);

    AT = Named(new QToolBar(Panel3), "AT");
    AT->setGeometry(0, 2, 490, 42);
    AT->setIconSize(QSize(24, 24));
    AT->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    AT->setMovable(false);
    auto action = [this](const char* name, const QString& caption, const char* icon) {
        auto* a =
            Named(new QAction(QIcon(QString(":/pictures/") + icon + ".svg"), caption, this), name);
        AT->addAction(a);
        return a;
    };
    a_auftragsdaten = action("a_auftragsdaten", German("Auftragsdaten"), "auftragsdaten");
    a_berechnung = action("a_berechnung", German("Berechnung"), "berechnung");
    AT->addSeparator();
    a_beenden = action("a_beenden", German("&Beenden"), "beenden");
    AT->addSeparator();
    a_Hilfe = action("a_Hilfe", German("&Hilfe"), "hilfe");
    auto* pagesGroup = new QActionGroup(this);
    for (QAction* page : {a_auftragsdaten, a_berechnung}) {
        page->setCheckable(true);
        pagesGroup->addAction(page);
    }

    Image1 = Named(new QLabel(Panel3), "Image1");
    Image1->setGeometry(kClientWidth - 30 - 306, 8, 306, 30);
    Image1->setPixmap(Picture("banner", QSize(306, 30)));
    // The subtitle stands on the banner as a text of its own, so that it speaks the window's
    // language.
    auto* subtitle = Named(new QLabel(German("Schnittlängenoptimierung"), Image1), "LBanner");
    subtitle->adjustSize();  // a translation fits itself in the same way
    subtitle->move(150, (30 - subtitle->height()) / 2);
    QPalette subtitleColours = subtitle->palette();
    subtitleColours.setColor(QPalette::WindowText, QColor(0xdc, 0xe8, 0xf6));
    subtitle->setPalette(subtitleColours);
    ImageDE = Named(new QLabel(Panel3), "ImageDE");
    ImageDE->setGeometry(kClientWidth - 22, 7, 18, 14);
    ImageDE->setPixmap(Picture("flag_de", QSize(18, 14)));
    ImageEN = Named(new QLabel(Panel3), "ImageEN");
    ImageEN->setGeometry(kClientWidth - 22, 25, 18, 14);
    ImageEN->setPixmap(Picture("flag_en", QSize(18, 14)));
    for (QLabel* flag : {ImageDE, ImageEN}) {
        flag->setCursor(Qt::PointingHandCursor);
    }
}

// Column width 55, or what the longest length header ("Länge mm", "Length in.", ...) needs in
// the current language and a font wider than the form's own; at most what the room between two
// lists allows.
void TMainform::FitListColumns(StringGrid* grid) {
    constexpr int kWidestColumn = 69;
    int columnWidth = kListColumnWidth;
    for (const char* unit : kUnitEntries) {
        for (const QString& length :
             {German("Länge"), QString::fromStdString(Translate("Länge"))}) {
            const int needed = grid->fontMetrics().horizontalAdvance(length + " " + unit) + 4;
            columnWidth = std::min(std::max(columnWidth, needed), kWidestColumn);
        }
    }
    grid->resize(2 * columnWidth + 22, kListHeight);
    grid->SetColumnWidths({columnWidth, columnWidth}, columnWidth);
}

StringGrid* TMainform::BuildInputList(TextGrid& list, const char* name, QWidget* page, int x,
                                      int y) {
    auto* grid = Named(new StringGrid(list, 1, 0, true, page), name);
    grid->move(x, y);
    FitListColumns(grid);
    grid->SetRowHeight(kListRowHeight);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->onBackground = [grid](int row, int col, StringGrid::DrawState state) {
        if (state.fixed) {
            return grid->palette().color(QPalette::Button);
        }
        if (state.selected && !state.focused) {
            return grid->palette().color(QPalette::Highlight);
        }
        (void)row, (void)col;
        return grid->palette().color(QPalette::Base);
    };
    return grid;
}

QWidget* TMainform::BuildOrderPage() {
    auto* page = Named(new QWidget(this), "AP_Auftragsdaten");
    PaintBackground(page, SkyBlue());

    const int labelX = 16;
    const int fieldX = 170;
    const int buttonX = 590;
    const QSize buttonSize(210, 25);

    Label(page, German("Maschinendaten"), labelX, 10, true);
    Label(page, German("Bezeichnung"), labelX, 37, false);
    E_MBez = Edit(page, "E_MBez", fieldX, 34, 220);
    Label(page, German("Anschnittlänge"), labelX, 63, false);
    E_ASL = Edit(page, "E_ASL", fieldX, 60, 80);
    cb_einheit = Named(new QComboBox(page), "cb_einheit");
    for (const char* unit : kUnitEntries) {
        cb_einheit->addItem(unit);
    }
    cb_einheit->setGeometry(fieldX + 86, 60, 56, 21);
    Label(page, German("Restspannlänge"), labelX, 89, false);
    E_RSL = Edit(page, "E_RSL", fieldX, 86, 80);
    Label6 = Named(Label(page, "mm", fieldX + 86, 89), "Label6");
    Label(page, German("Schnittkanalbreite"), labelX, 115, false);
    E_SKB = Edit(page, "E_SKB", fieldX, 112, 80);
    Label7 = Named(Label(page, "mm", fieldX + 86, 115), "Label7");
    Btn_MNeu = Button(page, "Btn_MNeu", German("Neue Maschine anlegen"), "neu",
                      QRect(QPoint(buttonX, 10), buttonSize));
    Btn_MLoad = Button(page, "Btn_MLoad", German("Maschinendaten laden"), "laden",
                       QRect(QPoint(buttonX, 40), buttonSize));
    Btn_MSave = Button(page, "Btn_MSave", German("Maschine speichern"), "speichern",
                       QRect(QPoint(buttonX, 70), buttonSize));
    Btn_MLoesche = Button(page, "Btn_MLoesche", German("Maschine löschen"), "loeschen",
                          QRect(QPoint(buttonX, 100), buttonSize));

    auto* line = new QFrame(page);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, 142, kClientWidth - 16, 4);

    Label(page, German("Auftragsdaten"), labelX, 156, true);
    Label(page, German("Bezeichnung"), labelX, 183, false);
    E_ABez = Edit(page, "E_ABez", fieldX, 180, 220);
    Label(page, German("Reste zurück ins Lager ab"), labelX, 209, false);
    E_WastToStock = Edit(page, "E_WastToStock", fieldX, 206, 80);
    Label14 = Named(Label(page, "mm", fieldX + 86, 209), "Label14");
    Label(page, German("+ Toleranz Fixlängen"), labelX, 235, false);
    EToleranz = Edit(page, "EToleranz", fieldX, 232, 80);
    Label25 = Named(Label(page, "mm", fieldX + 86, 235), "Label25");
    Btn_ANeu = Button(page, "Btn_ANeu", German("Neuen Auftrag anlegen"), "neu",
                      QRect(QPoint(buttonX, 156), buttonSize));
    Btn_ALoad = Button(page, "Btn_ALoad", German("Auftragsdaten laden"), "laden",
                       QRect(QPoint(buttonX, 186), buttonSize));
    Btn_ASave = Button(page, "Btn_ASave", German("Auftrag speichern"), "speichern",
                       QRect(QPoint(buttonX, 216), buttonSize));
    Btn_ADel = Button(page, "Btn_ADel", German("Auftrag löschen"), "loeschen",
                      QRect(QPoint(buttonX, 246), buttonSize));

    // The input row: four lists side by side, each with its caption, group name and paste button.
    Label(page, German("Eingabe von"), labelX, 282, true);
    const int listY = 330;
    const int listX[4] = {labelX, 186, 356, 526};
    Label(page, German("Lagerlängen"), listX[0], 308, false);
    Label(page, German("Fixlängen"), listX[1], 308, false);
    l_fix2 = Named(Label(page, German("Fixlängen"), listX[2], 308), "l_fix2");
    l_fix3 = Named(Label(page, German("Fixlängen"), listX[3], 308), "l_fix3");
    e_fixbez = Edit(page, "e_fixbez", listX[1] + 76, 304, 50);
    e_fixbez2 = Edit(page, "e_fixbez2", listX[2] + 76, 304, 50);
    e_fixbez3 = Edit(page, "e_fixbez3", listX[3] + 76, 304, 50);
    g_hsl = BuildInputList(page_.order.g_hsl, "g_hsl", page, listX[0], listY);
    G_Fixl = BuildInputList(page_.order.G_Fixl, "G_Fixl", page, listX[1], listY);
    g_fixl2 = BuildInputList(page_.order.g_fixl2, "g_fixl2", page, listX[2], listY);
    g_fixl3 = BuildInputList(page_.order.g_fixl3, "g_fixl3", page, listX[3], listY);
    // A small paste button without caption above the right edge of each list, beside its caption;
    // it follows the list's width.
    const QString pasteHint = German("Aus Excel kopierte Stückzahlen und Längen einfügen");
    auto paste = [&](const char* name, int x) {
        auto* button = Button(page, name, QString(), "einfuegen", QRect(x + 132, 302, 24, 24));
        button->setToolTip(pasteHint);
        return button;
    };
    BtnHLEinfuegen = paste("BtnHLEinfuegen", listX[0]);
    BtnFLEinfuegen = paste("BtnFLEinfuegen", listX[1]);
    BtnFL2Einfuegen = paste("BtnFL2Einfuegen", listX[2]);
    BtnFL3Einfuegen = paste("BtnFL3Einfuegen", listX[3]);
    btnNeueFL =
        Button(page, "btnNeueFL", German("Fixlängen"), "plus", QRect(listX[2], listY, 132, 25));
    btnNeueFL->setToolTip(German("Weitere Fixlängen zu gleichen Lagerlängen"));

    // The page's context menu: the languages.
    AdvPopupMenu1 = Named(new QMenu(this), "AdvPopupMenu1");
    Sprache1 = Named(AdvPopupMenu1->addMenu(German("Sprache")), "Sprache1");
    Deutsch1 = Named(Sprache1->addAction(German("Deutsch")), "Deutsch1");
    Named(Sprache1->addSeparator(), "N1");  // removed by the first build of the menu
    Sprachenerkennen1 =
        Named(AdvPopupMenu1->addAction(German("Sprachen erkennen")), "Sprachenerkennen1");
    page->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(page, &QWidget::customContextMenuRequested, this,
            [this, page](const QPoint& at) { AdvPopupMenu1->popup(page->mapToGlobal(at)); });

    const std::vector<QWidget*> tabOrder = {E_MBez, E_ASL,         cb_einheit, E_RSL,     E_SKB,
                                            E_ABez, E_WastToStock, EToleranz,  g_hsl,     e_fixbez,
                                            G_Fixl, e_fixbez2,     g_fixl2,    e_fixbez3, g_fixl3};
    for (size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    return page;
}

QWidget* TMainform::BuildBottomPanel() {
    auto* panel = Named(new QWidget(this), "BottomPanel");
    panel->setFixedHeight(138);

    Label(panel, German("Kürzen bis"), 8, 11);
    CB_KBIS = Named(new QComboBox(panel), "CB_KBIS");
    CB_KBIS->setGeometry(88, 8, 170, 22);
    Label(panel, German("Ablagefächer"), 8, 39);
    cb_ablageplaetze = Named(new QComboBox(panel), "cb_ablageplaetze");
    cb_ablageplaetze->setGeometry(88, 36, 60, 22);
    Label(panel, German("Rechentiefe"), 8, 67);
    cb_rechentiefe = Named(new QComboBox(panel), "cb_rechentiefe");
    cb_rechentiefe->addItems({"XS", "S", "M", "L", "XL"});
    cb_rechentiefe->setGeometry(88, 64, 60, 22);
    cb_experte = Named(new QCheckBox(German("Expertenmodus"), panel), "cb_experte");
    cb_experte->setGeometry(8, 90, 160, 22);

    Btn_Komb = Button(panel, "Btn_Komb", German("Optimierung starten"), "optimieren",
                      QRect(264, 8, 148, 28));
    OptBtn = Button(panel, "OptBtn", German("Optimieren"), "optimieren", QRect(264, 42, 148, 28));
    Btn_Rest =
        Button(panel, "Btn_Rest", German("Rest neu rechnen"), "rest", QRect(264, 76, 148, 28));
    Btn_Stop =
        Button(panel, "Btn_Stop", German("Optimierung stoppen"), "stopp", QRect(416, 8, 148, 28));
    Btn_RestAlsNeuenAuftrag = Button(panel, "Btn_RestAlsNeuenAuftrag", German("Restauftrag bilden"),
                                     "restauftrag", QRect(416, 76, 148, 28));
    APBtn = Button(panel, "APBtn", QString(), "experte", QRect(416, 42, 28, 28));
    APBtn->hide();
    Btn_Stop->hide();

    s_rand = Named(new QFrame(panel), "s_rand");
    s_rand->setFrameShape(QFrame::Box);
    s_rand->setGeometry(10, 117, 510, 12);
    s_PG = Named(new QFrame(panel), "s_PG");
    s_PG->setStyleSheet("background-color: rgb(0, 90, 180);");
    s_PG->setGeometry(10, 120, 65, 6);
    s_rand->hide();
    s_PG->hide();
    L_Zeiten = Named(new QLabel(panel), "L_Zeiten");
    L_Zeiten->setGeometry(180, 104, 340, 13);  // above the right end of the bar
    L_Zeiten->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    L_Zeiten->hide();

    InfoBox = Named(new QGroupBox(German("Info-Box"), panel), "InfoBox");
    InfoBox->setGeometry(586, 0, 230, 136);
    auto* info = new QGridLayout(InfoBox);
    info->setContentsMargins(4, 2, 4, 2);
    info->setHorizontalSpacing(4);
    info->setVerticalSpacing(1);
    int row = 0;
    auto figure = [&](const QString& caption, const char* name) {
        info->addWidget(new QLabel(caption, InfoBox), row, 0);
        auto* value = Named(new QLabel(InfoBox), name);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        info->addWidget(value, row++, 1);
        return value;
    };
    L_HLSumme = figure(German("verplanter Verbrauch LL"), "L_HLSumme");
    L_FIXLSumme = figure(German("Summe verplanter FL"), "L_FIXLSumme");
    L_LagerRest = figure(German("Restlängen zurück ins Lager"), "L_LagerRest");
    L_Maschrest = figure(German("Maschinenbedingter Entfall"), "L_Maschrest");
    L_Rest = figure(German("Entfall"), "L_Rest");
    L_AuftragNichtErfuellt = Named(new QLabel(InfoBox), "L_AuftragNichtErfuellt");
    L_AuftragNichtErfuellt->setStyleSheet("color: red; font-weight: bold;");
    L_AuftragNichtErfuellt->setFixedHeight(16);
    info->addWidget(L_AuftragNichtErfuellt, row, 0, 1, 2);
    info->setRowStretch(row + 1, 1);
    // As wide as its longest caption and value need, at the right edge of the panel.
    L_HLSumme->setText("00.000,00 in.");
    const int infoWidth = std::max(230, InfoBox->sizeHint().width());
    L_HLSumme->clear();
    InfoBox->setGeometry(kClientWidth - 2 - infoWidth, 0, infoWidth, 136);
    L_AuftragNichtErfuellt->hide();
    return panel;
}

QWidget* TMainform::BuildCalculationPage() {
    auto* page = Named(new QWidget(this), "AP_Bearbeitung");
    PaintBackground(page, SkyBlue());
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* header = new QWidget(page);
    header->setFixedHeight(34);
    auto* strip = new QHBoxLayout(header);
    strip->setContentsMargins(8, 4, 8, 4);
    QLabel* caption = Label(header, German("Vorgeschlagene Bearbeitung"), 0, 0, true);
    strip->addWidget(caption);
    strip->addSpacing(12);
    LBerechName = Named(new QLabel(German("Vorgeschlagene Bearbeitung"), header), "LBerechName");
    strip->addWidget(LBerechName, 1);
    BtnLoadErg = Button(header, "BtnLoadErg", German("Ergebnis laden"), "laden", QRect());
    BtnSaveErg = Button(header, "BtnSaveErg", German("Ergebnis speichern"), "speichern", QRect());
    Btn_Druck = Button(header, "Btn_Druck", German("Übergabe an Excel"), "excel", QRect());
    Btn_Druck->setToolTip(German("Übergabe nach Excel"));
    strip->addWidget(BtnLoadErg);
    strip->addWidget(BtnSaveErg);
    strip->addSpacing(24);
    strip->addWidget(Btn_Druck);
    column->addWidget(header);
    L_PlanVeraltet = Named(
        new QLabel(German("Dieser Plan wurde für einen früheren Stand des Auftrags berechnet."),
                   page),
        "L_PlanVeraltet");
    L_PlanVeraltet->setContentsMargins(8, 0, 8, 4);
    L_PlanVeraltet->setStyleSheet("color: rgb(170, 0, 0); font-weight: bold;");
    L_PlanVeraltet->hide();
    column->addWidget(L_PlanVeraltet);

    G_V = Named(new StringGrid(calc_.G_V, 1, 1, true, page), "G_V");
    G_V->setEditTriggers(QAbstractItemView::AllEditTriggers);  // the editor is always shown
    G_S = Named(new StringGrid(calc_.G_S, 0, 1, false, page), "G_S");
    G_S->setFixedHeight(36);
    G_S->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    G_S->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    G_S->setFocusPolicy(Qt::NoFocus);
    G_V->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    G_S->SetRightMargin(G_V->verticalScrollBar()->sizeHint().width());
    for (StringGrid* grid : {G_V, G_S}) {
        grid->SetRowHeight(kResultRowHeight);
        grid->horizontalHeader()->setDefaultSectionSize(kGridDefaultColumnWidth);
        QPalette palette = grid->palette();
        palette.setColor(QPalette::Base, SkyBlue());
        grid->setPalette(palette);
    }
    column->addWidget(G_V, 1);
    column->addWidget(G_S);
    column->addWidget(BuildBottomPanel());

    T_Prg = Named(new QTimer(this), "T_Prg");
    T_Prg->setInterval(100);
    return page;
}

}  // namespace zelk
