#pragma once

namespace tamsel {

class RecordForm;

// Binds the menu items and panel buttons of the other areas (templates,
// documents, library, network, recorder, lock) to their commands. The
// window's own commands are bound by RecordForm itself.
void wireCommands(RecordForm &window);

} // namespace tamsel
