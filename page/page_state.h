#pragma once
// The form state of the page (page_main.cpp), for code linked into the page
// beside it: the benchmark's floor.

#include "form/form.h"

namespace viramont {

// Nothing before the page has started.
const FormState* pageState();

} // namespace viramont
