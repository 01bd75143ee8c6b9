// A game menu item as assistive tools see it: Qt's own item, named with the
// shared reader words instead of the caption ("Play game to", not "Play game
// to dot dot dot"), and an item that opens a submenu says so.
#pragma once

class QAccessibleInterface;
class QAction;
class QString;

namespace rallo::qt {

// The property holding the reader's name of an action the menu view made.
inline constexpr const char* kReaderNameProperty = "readerName";

// The interface of a game menu item; nullptr for any other action.
QAccessibleInterface* MenuItemAccessible(QAction* action);

}  // namespace rallo::qt
