#include "ui/component_texts.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include "base/languages.h"

namespace zelk {

namespace {

QString Translated(const QString& german) {
    return QString::fromStdString(Translate(german.toStdString()));
}

// A label placed by hand grows with its text; one in a layout is the layout's business.
void FitLabel(QLabel* label) {
    QWidget* parent = label->parentWidget();
    QLayout* layout = parent ? parent->layout() : nullptr;
    if (!layout || layout->indexOf(label) < 0) {
        label->adjustSize();
    }
}

// The tooltip Qt derives from an action's caption: without accelerator marks.
QString DerivedToolTip(const QAction* action) {
    QString text = action->text();
    text.remove('&');
    return text;
}

}  // namespace

void ComponentTexts::Add(QObject* owner, std::function<QString()> get,
                         std::function<void(const QString&)> set) {
    const QString german = get();
    if (german.isEmpty()) {
        return;
    }
    texts_.push_back(Text{owner, std::move(get), std::move(set), german, german});
}

void ComponentTexts::Remember(QObject* object) {
    if (object->property(kKeepTextsProperty).toBool()) {
        return;
    }
    if (auto* action = qobject_cast<QAction*>(object)) {
        if (action->toolTip() != DerivedToolTip(action)) {
            Add(
                action, [action] { return action->toolTip(); },
                [action](const QString& t) { action->setToolTip(t); });
        }
        Add(
            action, [action] { return action->text(); },
            [action](const QString& t) { action->setText(t); });
        Add(
            action, [action] { return action->statusTip(); },
            [action](const QString& t) { action->setStatusTip(t); });
        return;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) {
        return;
    }
    if (widget->isWindow()) {
        Add(
            widget, [widget] { return widget->windowTitle(); },
            [widget](const QString& t) { widget->setWindowTitle(t); });
    }
    Add(
        widget, [widget] { return widget->toolTip(); },
        [widget](const QString& t) { widget->setToolTip(t); });
    Add(
        widget, [widget] { return widget->statusTip(); },
        [widget](const QString& t) { widget->setStatusTip(t); });
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        Add(
            label, [label] { return label->text(); },
            [label](const QString& t) {
                label->setText(t);
                FitLabel(label);
            });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        auto* toolButton = qobject_cast<QToolButton*>(button);
        if (!toolButton || !toolButton->defaultAction()) {  // else the action's caption shows
            Add(
                button, [button] { return button->text(); },
                [button](const QString& t) { button->setText(t); });
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        Add(
            edit, [edit] { return edit->text(); }, [edit](const QString& t) { edit->setText(t); });
        Add(
            edit, [edit] { return edit->placeholderText(); },
            [edit](const QString& t) { edit->setPlaceholderText(t); });
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        Add(
            box, [box] { return box->title(); }, [box](const QString& t) { box->setTitle(t); });
    } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
        Add(
            menu, [menu] { return menu->title(); },
            [menu](const QString& t) { menu->setTitle(t); });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i) {
            Add(
                combo, [combo, i] { return i < combo->count() ? combo->itemText(i) : QString(); },
                [combo, i](const QString& t) {
                    if (i < combo->count()) {
                        combo->setItemText(i, t);
                    }
                });
        }
    }
}

void ComponentTexts::TranslateComponent(QObject* window) {
    texts_.clear();
    Remember(window);
    for (QObject* child : window->findChildren<QObject*>()) {
        Remember(child);
    }
    language_.clear();  // the first translation always runs
    RetranslateComponent(window);
}

void ComponentTexts::RetranslateComponent(QObject* window) {
    (void)window;  // its texts were remembered by the first translation
    const std::string language = CurrentLanguage();
    if (!language_.empty() && language == language_) {
        return;
    }
    language_ = language;
    for (Text& text : texts_) {
        if (!text.owner || text.get() != text.shown) {
            continue;
        }
        text.shown = Translated(text.german);
        text.set(text.shown);
    }
}

}  // namespace zelk
