// Windows numbers a serial adapter itself the moment it is plugged in, and keeps
// the number; there is no ports folder and nothing for the program to assign.
#include "portscan.h"

namespace portscan {

Outcome assignNumbers(const Environment &)
{
    return Outcome();
}

void assignBeforeOpening(const QString &)
{
}

} // namespace portscan
