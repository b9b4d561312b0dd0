#include "icon.h"

namespace app {

QString iconPath() { return QStringLiteral(":/tavelquin/tavelquin.xpm"); }

} // namespace app
