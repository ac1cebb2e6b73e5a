// The program's tooltips in the skin's colours: the grey of its texts on the dark metal of
// its frames, in the main list's typeface. Qt keeps one look for every tooltip.
#pragma once

#include <QColor>

inline const QColor TooltipPanel{45, 46, 48};
inline const QColor TooltipText{173, 173, 173};

// Gives every tooltip of the program that look.
void ApplyTooltipLooks();
