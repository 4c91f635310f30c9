#pragma once
// The toolbar's icons, drawn as simple vector pictures so that they stay
// sharp at any screen resolution and need no image files.

#include <QIcon>
#include <string>

namespace ravelin {

// The icon of a toolbar button key ("NewData", "Open", "XYZ", ...); the
// program's own icon for "Ravelin".
QIcon toolbarIcon(const std::string& key);

}  // namespace ravelin
