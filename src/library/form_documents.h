#pragma once

#include <QByteArray>

namespace tamsel {

// The carried Word document of the blank form with this target number
// ("ws<number>.doc", see formCatalogue()), exactly as written at build time.
// Empty for a number the program carries no form for.
QByteArray carriedForm(int number);

} // namespace tamsel
