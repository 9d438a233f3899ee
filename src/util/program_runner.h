#pragma once

#include <QString>

namespace tamsel {

// Starts `program` (a path, or a name looked up on PATH) with `parameters`
// and does not wait for it. The parameters are one text split into
// arguments as a shell would split it (blanks separate, double quotes group,
// three double quotes stand for one literal quote), but no shell ever sees
// them, so nothing in them ($, `, ;, |, >) is expanded or run. False when the program cannot be
// started (not found, not executable). Never shows anything.
bool runProgram(const QString &program, const QString &parameters = {});

} // namespace tamsel
