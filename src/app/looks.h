#pragma once

class QApplication;

namespace tamsel {

// Applies look 1 (blue frames), 2 (olive green) or 3 (silver) to every
// window and control of the program, replacing any look applied before;
// look 4 restores the system's own.
void applyLook(QApplication &app, int look);

} // namespace tamsel
