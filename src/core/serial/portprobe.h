#pragma once

#include <QString>

namespace portnames {

// True when the port can be opened for reading and writing by us alone at this
// moment; it is closed again at once. Goes through the same name mapping as
// every transfer, so the list offered is the list that will work.
bool canOpenExclusively(const QString &portName);

} // namespace portnames
