// The two texts the about window shows: the version history and the credits.
#pragma once

#include <QString>

// The about window's captions with the history and with the credits.
QString HistoryCaption();
QString CreditsCaption();

// Lines separated by CR LF, no line break after the last one.
QString HistoryText();

// Seven paragraphs separated by one empty line, no line break after the last one.
// `contact` is the maintainers' address shown after the authors' names.
QString CreditsText(const QString& contact);
