// The colours the windows' skin shares: the metal of the panels and fields, and the texts'.
#pragma once

#include <QColor>

namespace skin {

inline const QColor Metal{45, 46, 48};
inline const QColor MetalDark{24, 25, 26};
inline const QColor Orange{223, 132, 59};
inline const QColor Grey{173, 173, 173};
inline const QColor Black{0, 0, 0};

} // namespace skin
