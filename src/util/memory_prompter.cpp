#include "memory_prompter.h"

namespace tamsel {

Prompter::Answer MemoryPrompter::message(const QString &text, const QString &, Buttons buttons)
{
    m_messages.append(text);
    // Nobody is there to agree to anything: only a plain OK box is "OK".
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        return Answer::No;
    }
    return Answer::Cancel;
}

} // namespace tamsel
