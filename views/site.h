#pragma once
// The page as an app that a pupil installs from the school's site (the
// site folder, page/site.py): what the home screen and the browser show
// of it, and what the page says when a new version of the folder has
// taken over.

#include "form/layout.h"

#include <array>

namespace viramont::view {

inline constexpr const char* kAppName = layout::kTitle;
inline constexpr const char* kAppDescription =
    "Графики функций y = A·f(kx + b) + C: сдвиги, растяжения и сжатия, построение по шагам, задания для класса.";
// Shown once, at the first start of a new version of the site folder.
inline constexpr const char* kUpdatedNotice = "Viramont обновлён";
// The app's colours: those of the form, for the browser's bar and the
// screen shown while the app starts.
inline constexpr Colour kAppColour = layout::classicColour(layout::kFormBack);

// The app's icons (views/icon.h): file name and size; the last one is the
// maskable icon.
struct AppIcon {
    const char* file;
    int size;
    bool maskable;
};
inline constexpr std::array<AppIcon, 3> kAppIcons{{
    {"icon-192.png", 192, false},
    {"icon-512.png", 512, false},
    {"icon-maskable-512.png", 512, true},
}};

} // namespace viramont::view
