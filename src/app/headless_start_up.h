#pragma once

#include "start_up.h"

namespace tamsel {

class Form;

// The start-up's surroundings without a window: the form is shown at once,
// and the look and the rules window are only noted. tamsel-cli runs the
// window's start-up through it.
class HeadlessStartUpHost : public StartUpHost
{
public:
    explicit HeadlessStartUpHost(Form &form) : m_form(form) {}

    void checkLock() override;
    void applyLook(int look) override { m_look = look; }
    void showRulesWindow() override { m_rulesShown = true; }

    // 0 when no look was applied.
    int look() const { return m_look; }
    bool rulesShown() const { return m_rulesShown; }

private:
    Form &m_form;
    int m_look = 0;
    bool m_rulesShown = false;
};

} // namespace tamsel
