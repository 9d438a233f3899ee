#pragma once

#include <QStringList>

#include <span>

namespace tamsel {

// One top-level menu of the record window and its items, in order.
struct MenuEntry
{
    QString title;
    QStringList items;
};

// The eleven menus of the record window.
std::span<const MenuEntry> menuTable();

} // namespace tamsel
