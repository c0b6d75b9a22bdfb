#pragma once
// The controls as the handlers see them. The window implements these with
// Qt widgets (toolkit/qt); tests implement them with plain objects.
// All texts are UTF-8.

#include <string>

namespace viramont {

class TextField {
public:
    virtual ~TextField() = default;
    virtual std::string text() const = 0;
    // Replaces the whole text.
    virtual void setText(const std::string& text) = 0;
};

class ListControl {
public:
    virtual ~ListControl() = default;
    // Adds an entry at the end of the list.
    virtual void append(const std::string& entry) = 0;
    // The current text of the text part.
    virtual std::string text() const = 0;
};

// The caption of the button that closes a box or a panel, in every box of
// the program.
inline constexpr const char* kCloseCaption = "Закрыть";

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Modal box with one OK button, no icon and the program's title.
    virtual void message(const std::string& text) = 0;
    // Modal input box with an empty default; Cancel or closing gives "".
    virtual std::string input(const std::string& prompt, const std::string& title) = 0;
};

} // namespace viramont
