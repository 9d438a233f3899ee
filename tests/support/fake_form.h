#pragma once

#include "memory_form.h"

namespace tamsel::test {

// Tests of commands that do not own the window use the widget-free form.
using FakeForm = MemoryForm;

} // namespace tamsel::test
