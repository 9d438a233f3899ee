#pragma once

#include <QString>

#include <array>

// The blank inspection forms of the "监察文书" menu, in menu order. This is
// the one table of them: the menu, the carried documents and the collected
// volume all walk it.
namespace tamsel {

struct FormEntry
{
    const char16_t *menuText; // the menu item's label, exactly as shown
    int number;               // the target number: the form is carried and written as "ws<number>.doc"
};

inline constexpr int kFormCount = 27;
inline constexpr int kCollectedVolumeNumber = 27; // "监察文书大全", the first menu item

// The 27 forms in menu order.
const std::array<FormEntry, kFormCount> &formCatalogue();

// "ws<number>.doc", the name the form is carried and written under.
QString formFileName(int number);

} // namespace tamsel
