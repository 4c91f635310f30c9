#pragma once
// The toolbar's icons: SVG drawings compiled into the program as Qt
// resources (":/icons/<key>.svg"), sharp at any screen resolution.

#include <QIcon>
#include <string>

namespace ravelin {

// The icon of a toolbar button key ("NewData", "Open", "XYZ", ...); the
// program's own icon for "Ravelin". A null icon for a key without a drawing.
QIcon toolbarIcon(const std::string& key);

}  // namespace ravelin
