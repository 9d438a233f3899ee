#include "command_wiring.h"

#include "record_form.h"

namespace tamsel {

void wireCommands(RecordForm &window)
{
    Q_UNUSED(window);
}

} // namespace tamsel
