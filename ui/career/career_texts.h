// What a player's career window writes: his totals, the titles of its panels, tabs and columns,
// the figures of its rows, the ways a game ended, the line of the reading of the orders, and
// what the filter's field says of the games a figure opens.
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "replay/zerohour_intf.h"

// "14/03/2024".
QString CareerDateText(const TZH_date& date);
// "03/2024": a month as year * 12 + month - 1.
QString CareerMonthText(int32_t month);
// "1 234": a count, grouped as French writes numbers.
QString NumberText(std::size_t n);
// "1 partie", "1 234 parties".
QString GamesText(std::size_t games);
// The games' lengths added up: "412h 5m", below an hour as a match's length ("31m 6s").
QString PlayedTimeText(int64_t seconds);
// "1 234 parties · du 05/01/2003 au 14/03/2024 · 412h 5m de jeu"; one date: "le 05/01/2003";
// no date: left out.
QString TotalsText(std::size_t games, const std::optional<TZH_date>& first,
                   const std::optional<TZH_date>& last, int64_t seconds);
// "03/2024 : 12 parties".
QString MonthTip(int32_t month, std::size_t games);

enum class CareerPanel { Months, Activity, Ends };
QString PanelTitle(CareerPanel panel);

enum class CareerTab { Armies, Maps, Players, Openings };
inline constexpr CareerTab CareerTabs[] = {CareerTab::Armies, CareerTab::Maps, CareerTab::Players,
                                           CareerTab::Openings};
QString TabName(CareerTab tab);
// The titles of a list's columns, left to right.
QStringList ColumnTitles(CareerTab tab);

// An army's name as the game's lists write it, "Armée inconnue" when the game can't tell.
QString CareerArmyText(int army);
// "18 %": games of total, rounded.
QString ShareText(std::size_t games, std::size_t total);
// "dont 3 au hasard": the games of an army that the game drew for him.
QString RandomText(std::size_t games);
// A player met: "avec Bob", "contre Bob" (the games in his team, against him).
QString WithText(const QString& player);
QString AgainstText(const QString& player);

// How a game ended for him, as the details window's tooltips word a leaving.
enum class CareerEnd { Surrendered, Quit, Dropped, None };
QString EndText(CareerEnd end);

// "Lecture des ordres : 1 234 / 5 000", numbers as the filter's count writes them; with the
// files that couldn't be read: "… · 2 fichiers illisibles".
QString ReadingText(std::size_t done, std::size_t total, std::size_t unreadable);

// What the filter's field says of a figure's games: "Nic · tournament island".
QString FigureLabel(const QString& player, const QString& figure);
