// The program's icon, drawn at start-up.
#pragma once

#include <QIcon>

namespace rallo::qt {

// A yellow ball and a white paddle on a blue court.
QIcon MakeAppIcon();

}  // namespace rallo::qt
