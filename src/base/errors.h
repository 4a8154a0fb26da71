// How a user command ends early: with a message the user must read (through Dialogs), silently
// (Abort), or with a runtime error whose text the general error box shows.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>

namespace zelk {

// Ends the current user command without a further message; caught where the command started.
struct Abort {};

// A fault of the runtime inside a command: a number that cannot be converted, a line missing in a
// file, a file that cannot be opened or written. Its text is already in the user's language.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(const std::string& text) : std::runtime_error(text) {}
};

// Puts the values into a translated text at its %s / %d marks, in order.
std::string Insert(const std::string& pattern, std::initializer_list<std::string> values);

// The runtime's own texts, translated, with their values inserted.
std::string NotAFloatText(const std::string& text);     // "'%s' ist kein gültiger Gleitkommawert"
std::string NotAnIntegerText(const std::string& text);  // "'%s' ist kein gültiger Integerwert"
std::string ListIndexText(long long index);  // "Listenindex überschreitet das Maximum (%d)"
std::string CannotOpenText(const std::string& file, const std::string& reason);
std::string CannotCreateText(const std::string& file, const std::string& reason);
std::string CannotWriteText(const std::string& file);  // "In %s kann nicht geschrieben werden"
std::string CannotDeleteText(const std::string& file, const std::string& reason);
// A file given to the program that is none of its own kinds (.zkm, .zka, .zke).
std::string NotAProgramFileText(const std::string& file);

}  // namespace zelk
