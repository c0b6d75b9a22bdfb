// The compute floor of the page benchmark: the sine plot's three loops and
// their arithmetic in WebAssembly, drawing nothing (bench/floor.h), for the
// form state the page's last ВЫБОР stored.

#include "bench/floor.h"
#include "page/page_state.h"

#include <emscripten.h>

extern "C" EMSCRIPTEN_KEEPALIVE double viramont_floor() {
    const viramont::FormState* s = viramont::pageState();
    return s ? viramont::bench::sineFloor(*s) : 0.0;
}
