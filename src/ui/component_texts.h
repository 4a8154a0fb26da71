// The translation of a window's own texts: every caption, hint, edit text, combo box item, menu
// and toolbar caption of the window and of everything it owns, and the window caption. The first
// translation remembers the German originals of the design; every retranslation starts from them.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace zelk {

// Set this property to true on an object whose texts are data, not design (the captions of the
// language menu come from the catalogue folder): its texts are never translated.
inline constexpr const char* kKeepTextsProperty = "zelkKeepTexts";

class ComponentTexts {
public:
    // First translation of `window`: remembers every text of it and of its children, as they are
    // now (German), and puts each into the current language.
    void TranslateComponent(QObject* window);

    // Puts the remembered originals into the current language again; nothing when the language
    // has not changed since the last translation. A text that code or the user has changed since
    // then is theirs and stays; an object deleted since then is passed over.
    void RetranslateComponent(QObject* window);

private:
    struct Text {
        QPointer<QObject> owner;
        std::function<QString()> get;
        std::function<void(const QString&)> set;
        QString german;
        QString shown;  // what the last translation put there
    };

    void Remember(QObject* object);
    void Add(QObject* owner, std::function<QString()> get, std::function<void(const QString&)> set);

    std::vector<Text> texts_;
    std::string language_;
};

}  // namespace zelk
