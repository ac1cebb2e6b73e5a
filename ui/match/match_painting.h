// Drawing the match window: its skin, the map with what was placed up to the cursor, the time
// line and the chosen player's list. Reads nothing but its arguments.
#pragma once

#include <QImage>
#include <QRectF>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "ui/match/match_texts.h"
#include "ui/match/match_view.h"

class QPainter;
struct MapMarks;

// The window's metal frame round its three black panels, the time line's with room for `rows`
// rows, with the close glyph, for a screen of device pixel ratio dpr.
QImage MatchSkin(qreal dpr, int rows);

// A mark's size on the map, and how near the pointer must come to it for its tooltip.
inline constexpr qreal MarkSize = 6;
inline constexpr qreal MarkReach = 5;
// The start discs on the match's map.
inline constexpr qreal MatchStartDisc = 9;

// The map cell: the picture (null: black), the start discs, then the first `shown` marks, placed
// on mapArea (from the cell's top-left corner).
void PaintMatchMap(QPainter& painter, const QImage& picture, const QRectF& mapArea,
                   const MapMarks& starts, const std::vector<CourseMark>& marks, std::size_t shown);

// The time line: the message or nothing on the left of the cursor's time, then each row's name
// in its colour (the chosen one underlined), activity bars and leaving mark, the minute marks
// across the rows with their labels under them, and the cursor.
void PaintTimeline(QPainter& painter, const MatchView& view, uint32_t cursor, std::size_t chosen);

// The chosen player's name, then his lines from `first` on.
void PaintCourseList(QPainter& painter, const MatchRow* row, const QStringList& lines, int first);
