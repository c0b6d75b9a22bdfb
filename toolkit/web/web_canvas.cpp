#include "toolkit/web/web_canvas.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The toolkit's script, toolkit/web/toolkit.js.
EM_JS(double, tk_text_width, (const char* text, const char* font), {
    return viramontToolkit.textWidth(UTF8ToString(text), UTF8ToString(font));
});
EM_JS(double, tk_font_ascent, (const char* font), { return viramontToolkit.fontAscent(UTF8ToString(font)); });
EM_JS(double, tk_font_height, (const char* font), { return viramontToolkit.fontHeight(UTF8ToString(font)); });
// The letters of a text set with its baseline's left end at (x, y): a block
// of the program's heap, freed by the caller, that holds the left, top,
// width and height of their box as four 32-bit integers and then the
// coverage of each pixel of the box, row by row.
EM_JS(void*, tk_text_mask, (const char* text, const char* font, double x, double y), {
    const mask = viramontToolkit.textMask(UTF8ToString(text), UTF8ToString(font), x, y);
    const block = _malloc(16 + mask.cover.length);
    HEAP32.set([ mask.left, mask.top, mask.width, mask.height ], block >> 2);
    HEAPU8.set(mask.cover, block + 16);
    return block;
});
EM_JS(void, tk_canvas_show, (const char* id, const void* pixels, int x, int y, int w, int h), {
    viramontToolkit.canvasShow(UTF8ToString(id), HEAPU8, pixels, x, y, w, h);
});
EM_JS(void, tk_canvas_lines, (const char* id, const char* lines), {
    viramontToolkit.canvasLines(UTF8ToString(id), UTF8ToString(lines));
});

namespace viramont {

namespace {
// More texts than a plot prints (a legend and the axes' labels); also the
// number of texts whose letters are kept.
constexpr std::size_t kRememberedWidths = 64;

} // namespace

namespace web {

double textWidth(const std::string& text, const std::string& font) { return tk_text_width(text.c_str(), font.c_str()); }
double fontAscent(const std::string& font) { return tk_font_ascent(font.c_str()); }
double fontHeight(const std::string& font) { return tk_font_height(font.c_str()); }

std::string deviceFont(const std::string& font, double ratio) {
    const std::size_t at = font.find("px");
    std::size_t start = at;
    while (start > 0 && (std::isdigit(static_cast<unsigned char>(font[start - 1])) || font[start - 1] == '.')) --start;
    const double size = std::stod(font.substr(start, at - start));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%ld", std::lround(size * ratio));
    return font.substr(0, start) + buf + font.substr(at);
}

} // namespace web

std::string cssColour(Colour c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", redOf(c), greenOf(c), blueOf(c));
    return buf;
}

WebCanvas::WebCanvas(std::string id, int widthPx, int heightPx, double ratio, Colour fore, Colour back,
                     const std::string& font)
    : id_(std::move(id)),
      widthPx_(widthPx),
      heightPx_(heightPx),
      logicalFont_(font),
      geometry_(static_cast<int>(std::lround(widthPx * ratio)), static_cast<int>(std::lround(heightPx * ratio))),
      image_(geometry_, back),
      dpr_(ratio),
      fore_(fore),
      back_(back),
      font_(web::deviceFont(font, ratio)),
      ascent_(tk_font_ascent(font_.c_str())),
      lineHeight_(tk_font_height(font_.c_str())) {
    geometry_.setScale(0, 0, widthPx, heightPx);
    geometry_.clear();
    setDrawWidth(1);
    clear();
}

void WebCanvas::resize(double ratio) {
    dpr_ = ratio;
    geometry_ = CanvasGeometry(static_cast<int>(std::lround(widthPx_ * ratio)),
                               static_cast<int>(std::lround(heightPx_ * ratio)));
    geometry_.setScale(0, 0, widthPx_, heightPx_);
    image_.resized(back_);
    font_ = web::deviceFont(logicalFont_, ratio);
    ascent_ = tk_font_ascent(font_.c_str());
    lineHeight_ = tk_font_height(font_.c_str());
    printWidths_.clear();
    letters_.clear();
    setDrawWidth(1);
    clear();
}

bool WebCanvas::restore(const Kept& kept) {
    if (kept.ratio != dpr_ || kept.geometry.widthPx() != geometry_.widthPx() ||
        kept.geometry.heightPx() != geometry_.heightPx() || !image_.restore(kept.pixels)) {
        return false;
    }
    geometry_ = kept.geometry;
    setDrawWidth(geometry_.drawWidth());  // the dots' width and reach on the kept scale
    image_.scaleChanged();
    return true;
}

void WebCanvas::clear() {
    image_.fill(back_);
    geometry_.clear();
}

void WebCanvas::setScale(double left, double top, double right, double bottom) {
    geometry_.setScale(left, top, right, bottom);
    image_.scaleChanged();
}

void WebCanvas::setDrawWidth(int pixels) {
    geometry_.setDrawWidth(pixels);
    image_.setDeviceWidth(std::max(1, static_cast<int>(std::lround(geometry_.drawWidth() * dpr_))));
}

void WebCanvas::points(std::span<const GraphPoint> batch, Colour colour) {
    if (batch.empty()) return;
    image_.points(batch, colour);
    geometry_.moveTo(batch.back().x, batch.back().y);
}

void WebCanvas::line(double x1, double y1, double x2, double y2, Colour colour) {
    geometry_.moveTo(x2, y2);
    DevicePoint a, b;
    if (!geometry_.clipToDevice(x1, y1, x2, y2, image_.deviceWidth(), a, b)) {
        image_.forget();
        return;
    }
    image_.line(a, b, colour);
}

void WebCanvas::print(std::string_view text, LineEnd end) {
    const WorldPoint at = geometry_.current();
    const std::string owned(text);
    double width;
    if (const auto known = printWidths_.find(owned); known != printWidths_.end()) {
        width = known->second;
    } else {
        width = tk_text_width(owned.c_str(), font_.c_str());
        if (printWidths_.size() >= kRememberedWidths) printWidths_.clear();
        printWidths_.emplace(owned, width);
    }
    DevicePoint d;
    if (!owned.empty() && geometry_.toDevice(at.x, at.y, kTextMargin, d)) setLetters(owned, d, width);
    geometry_.notePrint(text, end, width, lineHeight_);
}

void WebCanvas::setLetters(const std::string& text, DevicePoint at, double width) {
    image_.forget();
    // Letters wholly outside the image change nothing (a legend printed
    // again runs on below the canvas's edge); a letter may reach a few
    // pixels beyond its advance.
    constexpr double kReach = 8;
    if (at.x - kReach >= geometry_.widthPx() || at.x + width + kReach <= 0 || at.y - kReach >= geometry_.heightPx() ||
        at.y + lineHeight_ + kReach <= 0)
        return;
    const double baseline = at.y + ascent_;
    const double x0 = std::floor(at.x), y0 = std::floor(baseline);
    std::string key = text;
    for (double fraction : {at.x - x0, baseline - y0}) key.append(reinterpret_cast<const char*>(&fraction), sizeof fraction);
    auto known = letters_.find(key);
    if (known == letters_.end()) {
        void* mask = tk_text_mask(text.c_str(), font_.c_str(), at.x, baseline);
        const auto* box = static_cast<const std::int32_t*>(mask);
        const auto* coverage = static_cast<const std::uint8_t*>(mask) + 16;
        Letters made{box[0] - static_cast<int>(x0), box[1] - static_cast<int>(y0), box[2], box[3],
                     std::vector<std::uint8_t>(coverage, coverage + static_cast<std::ptrdiff_t>(box[2]) * box[3])};
        std::free(mask);
        if (letters_.size() >= kRememberedWidths) letters_.clear();
        known = letters_.emplace(std::move(key), std::move(made)).first;
    }
    const Letters& l = known->second;
    image_.blend(static_cast<int>(x0) + l.left, static_cast<int>(y0) + l.top, l.width, l.height, l.coverage.data(),
                 fore_);
}

void WebCanvas::present(std::string_view description) {
    if (image_.changed()) {
        const PixelImage::Box box = image_.changedBox();
        tk_canvas_show(id_.c_str(), image_.pixels(), box.x, box.y, box.width, box.height);
        image_.shown();
    }
    std::string lines = spokenText(*this, description);
    if (lines != shownLines_) {
        tk_canvas_lines(id_.c_str(), lines.c_str());
        shownLines_ = std::move(lines);
    }
}

} // namespace viramont
