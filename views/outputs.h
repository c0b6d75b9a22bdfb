#pragma once
// The pictures a teacher takes out of the program, as both front ends give
// them: the window's picture (the formula line, the graph and the legend)
// and the step sheet, each with its file's name, the print job's name and
// the sizes it is saved in; and what the user is told when an output fails.

#include "views/menu.h"

#include <array>
#include <string>

namespace viramont::view {

struct OutputKind {
    const char* fileName;  // offered by the save box
    const char* docName;   // the print job, the PDF's title
    // The picture can be drawn anew from what the canvases show, larger
    // and on paper, rather than only as the screen has it.
    bool drawnAnew;
};
inline constexpr OutputKind kPictureOutput{"график.png", "график", true};
inline constexpr OutputKind kSheetOutput{"построение по шагам.png", "построение по шагам", false};

// The sizes a picture drawn anew is saved in: as on the screen, and twice
// and four times as large (for slides and worksheets).
struct SaveSize {
    const char* label;
    double ratio;  // 1: the screen's picture
};
inline constexpr std::array<SaveSize, 3> kSaveSizes{{
    {"PNG", 1.0},
    {"PNG, вдвое крупнее", 2.0},
    {"PNG, вчетверо крупнее", 4.0},
}};
inline constexpr const char* kSaveTitle = "Сохранить рисунок";

// A print where the printer's resolution is not known (a browser prints a
// picture): the picture drawn anew at this many times its logical pixels,
// about 400 dots to the inch across a landscape page.
inline constexpr double kPrintRatio = 4.0;

// What the user is told when an output fails.
inline constexpr const char* kCopyRefused =
    "Рисунок не удалось скопировать: браузер не дал доступа к буферу обмена.";
// Copy, save or print of a picture the browser could not make.
inline std::string pictureNotMade(Command command) {
    const char* verb = command == Command::Copy ? "скопировать" : command == Command::Save ? "сохранить" : "напечатать";
    return std::string("Рисунок не удалось ") + verb + ": браузер не смог создать его изображение.";
}
// The link of the plot (views/link.h): said once it is on the clipboard;
// shown, to be copied by hand, where the browser did not let it there.
inline constexpr const char* kLinkCopied = "Ссылка на график скопирована.";
inline std::string linkNotCopied(const std::string& link) {
    return "Ссылку не удалось скопировать: браузер не дал доступа к буферу обмена. Скопируйте её отсюда:\n" + link;
}
inline constexpr const char* kPrintFailed =
    "Не удалось напечатать рисунок: принтер не отвечает или сообщил об ошибке.";

} // namespace viramont::view
