// The program's four typefaces. Sizes are pixel sizes, so the layout holds at any screen
// scale. On Linux the Windows faces are missing: Wine's Tahoma is registered when the
// system lacks one, and metric-compatible or close faces stand in for the others.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// Pixel height of a point size at 96 dots per inch (8 points = 11 pixels).
int PixelsForPoints(int points);

// The folder where Debian's fonts-wine puts Wine's Tahoma.
inline const QString WineFontFolder = QStringLiteral("/usr/share/wine/fonts");

// Registers Tahoma (regular and bold) from fontFolder when no Tahoma is installed (not on
// Windows, where the stand-ins serve when Tahoma is missing, as under Wine).
// Returns the families now known as Tahoma (empty when none could be found).
QStringList RegisterFallbackFonts(const QString& fontFolder = WineFontFolder);

QFont TahomaFont(int pixelSize, bool bold = false);
QFont ArialFont(int pixelSize, bool bold = false);
QFont ArialBlackFont(int pixelSize);
QFont VerdanaFont(int pixelSize, bool bold = false);
