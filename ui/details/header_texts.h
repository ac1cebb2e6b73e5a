// What the details window writes above its player list, and the message it shows instead
// for a replay it can't read: texts, fonts, colours and places, without a window.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "replay/zerohour_intf.h"
#include "ui/details/placed_text.h"

// Minutes and seconds: "2m 5s", "1m 0s"; below a minute only the seconds, "59s".
QString DurationText(int32_t seconds);
// Thousands with a dollar sign, cut toward zero: 10000 is "$10K", 999 is "$0K".
QString MoneyText(int32_t money);

// A replay's map name, version, length, money and rule flags, in the order they are drawn.
// The map picture goes between the map name and the version.
std::vector<PlacedText> HeaderTexts(const TZH_replay& replay);

// The three lines shown for a replay that can't be read; the last names `contactAddress`.
std::vector<PlacedText> ErrorMessageTexts(const QString& contactAddress);

// How the window shows a replay's byte texts (map and player names).
QString ShownText(const Text& bytes);
