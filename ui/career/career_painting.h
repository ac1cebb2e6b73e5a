// Drawing a player's career window: its skin, his name and totals, the months' bars, the points
// of his activity, the ends, the chosen list and the reading's line. Reads nothing but its
// arguments.
#pragma once

#include <QImage>
#include <cstddef>
#include <vector>

#include "ui/career/career_view.h"

class QPainter;

// The window's metal frame round its black panels, with the close glyph, for a screen of device
// pixel ratio dpr.
QImage CareerSkin(qreal dpr);

void PaintCareerHeader(QPainter& painter, const CareerHeaderView& view);
// games: each month's number of games, from his first month to his last; ends: the names of
// the first and the last.
void PaintMonths(QPainter& painter, const std::vector<std::size_t>& games, const QStringList& ends);
// The panel, its title and the peak's value, with the points and medians drawn by ActivityPicture.
void PaintActivity(QPainter& painter, const CareerOrdersView& view, const QImage& picture);
// The points of his activity and each month's median over the chart, at the device pixel ratio
// dpr: made off the window's thread, as tens of thousands of points take longer than a frame.
QImage ActivityPicture(const CareerOrdersView& view, std::size_t months, qreal dpr);
void PaintEnds(QPainter& painter, const std::vector<CareerRow>& ends);
// The tabs, `tab` chosen, its columns' titles and its rows from `first` on.
void PaintList(QPainter& painter, CareerTab tab, const std::vector<CareerRow>& rows, int first);
void PaintReading(QPainter& painter, std::size_t done, std::size_t total, std::size_t unreadable);

// The tabs' places on their line, in the order of CareerTabs.
std::vector<QRect> TabRects();
