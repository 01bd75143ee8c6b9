// What assistive tools read of the game's windows, beyond Qt's own
// interfaces: the roles of the windows and the court with its pieces.
#pragma once

namespace rallo::qt {

// Once per application, before the first window.
void InstallAccessibility();

}  // namespace rallo::qt
