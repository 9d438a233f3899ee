#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace tamsel {

// A menu item, by its text, and the command it runs. Each area hands the
// window its commands as a list of these.
struct MenuCommand
{
    QString item;
    std::function<void()> run;
};

using MenuCommands = std::vector<MenuCommand>;

} // namespace tamsel
