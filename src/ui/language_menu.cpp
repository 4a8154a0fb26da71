#include "ui/language_menu.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QTranslator>
#include <algorithm>

#include "base/languages.h"

namespace zelk {

namespace {

std::vector<std::string> languageList;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Hides the first item when it goes out of scope, also when building the menu failed.
struct HideFirstItem {
    QAction* item;
    ~HideFirstItem() { item->setVisible(false); }
};

}  // namespace

const std::vector<std::string>& LanguageList() {
    return languageList;
}

void BuildLanguageMenu(QAction* item, QObject* owner) {
    HideFirstItem hide{item};
    auto* menu = qobject_cast<QMenu*>(item->parent());
    if (!menu) {
        return;
    }
    const QList<QAction*> items = menu->actions();
    for (qsizetype i = 1; i < items.size(); ++i) {
        menu->removeAction(items[i]);
        delete items[i];
    }
    languageList = ListLanguages(kTextDomain);
    std::sort(languageList.begin(), languageList.end(),
              [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    for (const std::string& code : languageList) {
        auto* language = new QAction(QString::fromStdString(LanguageCaption(code)), owner);
        language->setObjectName(QString::fromStdString("Language_" + code));
        language->setProperty(kKeepTextsProperty, true);  // a language keeps its own name
        const std::string picture = LanguagePicture(code);
        if (!picture.empty()) {
            language->setIcon(QIcon(QString::fromStdString(picture)));
        }
        menu->addAction(language);
    }
}

void SelectInterfaceLanguage(const std::string& code) {
    SelectLanguage(code);
    static QTranslator* qtTexts = nullptr;
    if (qtTexts) {
        QCoreApplication::removeTranslator(qtTexts);
        delete qtTexts;
        qtTexts = nullptr;
    }
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QLocale(QString::fromStdString(code)), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qtTexts = translator.release();
        QCoreApplication::installTranslator(qtTexts);
    }
}

void SwitchLanguage(int index, ComponentTexts& texts, QObject* window) {
    if (index < 0 || index >= static_cast<int>(languageList.size())) {
        return;
    }
    SelectInterfaceLanguage(languageList[index]);
    texts.RetranslateComponent(window);
}

}  // namespace zelk
