// The program's window icon.
#pragma once

#include <QIcon>

namespace rallo::qt {

// The desktop icon's drawing (a yellow ball and a white paddle on a blue
// court) at each size embedded in the program.
QIcon MakeAppIcon();

}  // namespace rallo::qt
