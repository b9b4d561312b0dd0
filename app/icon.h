// The game's icon, compiled into the program as a Qt resource from
// icons/tavelquin.xpm. The window shows it, and the tests load it from the
// same path the program uses.
#pragma once

#include <QString>

namespace app {

// The icon's path among the program's resources.
QString iconPath();

} // namespace app
