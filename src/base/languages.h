// The languages of the interface: the catalogue folder, the language that the translation
// function looks texts up in, and the languages that have a catalogue, each with its caption and
// picture for the language menu.
//
// The catalogue of language CODE is DIR/CODE/LC_MESSAGES/default.mo, with DIR the folder given to
// SetCatalogueDirectory; a language whose catalogue is missing, or a text missing from it, leaves
// the German text as it is.
#pragma once

#include <string>
#include <vector>

#include "base/translate.h"

namespace zelk {

const std::string& CatalogueDirectory();

// Makes `code` ("de", "en", "pt_BR", ...) the language of every later lookup. When no catalogue
// is found for the code, its first two letters are tried.
void SelectLanguage(const std::string& code);

// The code last selected; before the first selection, the language of the environment ("LANG").
std::string CurrentLanguage();

// The codes of the folders of the catalogue directory that hold a catalogue of `domain`, each in
// lower case, without duplicates, in no particular order.
std::vector<std::string> ListLanguages(const std::string& domain = kTextDomain);

// The caption of a language in the menu: the first line of DIR/CODE/CODE.txt, else the code.
std::string LanguageCaption(const std::string& code);

// The picture of a language in the menu, DIR/CODE/CODE.bmp or CODE.png; empty when there is none.
std::string LanguagePicture(const std::string& code);

}  // namespace zelk
