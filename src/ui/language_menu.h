// The language menu and the switch of language: the "Sprache" submenu lists every language that
// has a catalogue, and a switch puts the window and Qt's own dialogs into the chosen language.
#pragma once

#include <QAction>
#include <QObject>
#include <string>
#include <vector>

#include "ui/component_texts.h"

namespace zelk {

// The codes of the languages in the submenu: entry i belongs to the item at position i + 1.
const std::vector<std::string>& LanguageList();

// Rebuilds the submenu that holds `item`: every item after the first is removed, then one item
// owned by `owner` per language with a catalogue, sorted by code regardless of case, captioned and
// pictured from the language's folder. The first item is hidden in any case.
void BuildLanguageMenu(QAction* item, QObject* owner);

// Selects a language for the translation function and for Qt's own texts (buttons of message
// boxes, file dialogs).
void SelectInterfaceLanguage(const std::string& code);

// Selects LanguageList()[index] and retranslates the window; nothing for an index outside it.
void SwitchLanguage(int index, ComponentTexts& texts, QObject* window);

}  // namespace zelk
