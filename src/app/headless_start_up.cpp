#include "headless_start_up.h"

#include "form.h"

namespace tamsel {

void HeadlessStartUpHost::checkLock()
{
    if (!m_form.isWindowShown())
        m_form.showWindow();
}

} // namespace tamsel
