// The parts of the site folder that the program describes (views/site.h,
// views/icon.h), written at build time into a folder for site.py:
//
//   manifest.webmanifest  the app's name, texts, colours and icons, its
//                         start and scope the folder itself, wherever a
//                         school puts it
//   ICON.rgba             each icon's pixels, 8-bit RGBA row by row, for
//                         site.py to write as ICON (a PNG file)
//   page.json             what the page's site script shows and links
//
//   site_parts FOLDER     (run by node: the build's own emulator)

#include "toolkit/web/json.h"
#include "toolkit/web/web_canvas.h"
#include "views/icon.h"
#include "views/site.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using viramont::web::Json;
using namespace viramont::view;

bool write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string rgbaBytes(const IconPicture& icon) {
    std::string bytes;
    bytes.reserve(icon.pixels.size() * 4);
    for (const std::uint32_t p : icon.pixels) {
        bytes += static_cast<char>(p >> 16 & 0xFF);
        bytes += static_cast<char>(p >> 8 & 0xFF);
        bytes += static_cast<char>(p & 0xFF);
        bytes += static_cast<char>(p >> 24 & 0xFF);
    }
    return bytes;
}

std::string manifest() {
    std::vector<Json> icons;
    for (const AppIcon& icon : kAppIcons) {
        const std::string size = std::to_string(icon.size);
        icons.push_back(Json()
                            .add("src", icon.file)
                            .add("sizes", size + "x" + size)
                            .add("type", "image/png")
                            .add("purpose", icon.maskable ? "maskable" : "any"));
    }
    const std::string colour = viramont::cssColour(kAppColour);
    return Json()
               .add("id", "./")
               .add("name", kAppName)
               .add("short_name", kAppName)
               .add("lang", "ru")
               .add("dir", "ltr")
               .add("description", kAppDescription)
               .add("start_url", "./")
               .add("scope", "./")
               .add("display", "standalone")
               .add("theme_color", colour)
               .add("background_color", colour)
               .add("icons", icons)
               .str() +
           "\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: site_parts FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    bool written = write(folder + "manifest.webmanifest", manifest());
    std::vector<Json> icons;
    for (const AppIcon& icon : kAppIcons) {
        const IconPicture picture = icon.maskable ? maskableIcon(icon.size, kAppColour) : iconPicture(icon.size);
        written = write(folder + icon.file + ".rgba", rgbaBytes(picture)) && written;
        icons.push_back(Json().add("file", icon.file).add("size", icon.size).add("maskable", icon.maskable));
    }
    const std::string page =
        Json().add("notice", kUpdatedNotice).add("colour", viramont::cssColour(kAppColour)).add("icons", icons).str();
    written = write(folder + "page.json", page + "\n") && written;
    if (!written) {
        std::fprintf(stderr, "site_parts: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
