#include "ui/match/match_painting.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "ui/common/fonts.h"
#include "ui/common/panelled_skin.h"
#include "ui/common/skin_colours.h"
#include "ui/details/start_marks.h"
#include "ui/details/start_painting.h"
#include "ui/match/match_layout.h"
#include "ui/match/match_timeline.h"

namespace ml = match_layout;

namespace {

const QColor RowLine(28, 29, 31);
const QColor MinuteLine(40, 41, 44);
const QColor LeftMark(235, 235, 235);

void BuildingMark(QPainter& painter, QPointF at, const QColor& colour) {
    painter.setPen(QPen(ml::Black, 1));
    painter.setBrush(colour);
    painter.drawRect(QRectF(at - QPointF(MarkSize / 2, MarkSize / 2), QSizeF(MarkSize, MarkSize)));
}

// A ring: where a power was fired.
void PowerMark(QPainter& painter, QPointF at, const QColor& colour) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ml::Black, 3.5));
    painter.drawEllipse(at, MarkSize / 2 + 1, MarkSize / 2 + 1);
    painter.setPen(QPen(colour, 1.5));
    painter.drawEllipse(at, MarkSize / 2 + 1, MarkSize / 2 + 1);
}

// A triangle: the sneak attack's tunnel.
void SneakAttackMark(QPainter& painter, QPointF at, const QColor& colour) {
    const qreal r = MarkSize / 2 + 1.5;
    const QPointF corners[] = {at + QPointF(0, -r), at + QPointF(r, r * 0.8),
                               at + QPointF(-r, r * 0.8)};
    painter.setPen(QPen(ml::Black, 1));
    painter.setBrush(colour);
    painter.drawPolygon(corners, 3);
}

void DrawText(QPainter& painter, const QRect& cell, const QString& text, const QColor& colour,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    painter.setPen(colour);
    painter.drawText(cell, static_cast<int>(align),
                     painter.fontMetrics().elidedText(text, Qt::ElideRight, cell.width()));
}

// Under the rows, each minute mark's label centred on its line, kept within the panel.
void MinuteLabels(QPainter& painter, const std::vector<MinuteMark>& marks, int rows) {
    painter.setFont(ArialFont(PixelsForPoints(7)));
    const QRect panel = ml::TimelinePanel(rows);
    for (const MinuteMark& mark : marks) {
        const QString label = MinuteMarkText(mark.minute);
        const int width = painter.fontMetrics().horizontalAdvance(label) + 2;
        const int left = std::min(mark.x - width / 2, panel.right() - 2 - width);
        DrawText(painter, QRect(left, ml::MinuteLabelsTop(rows), width, ml::MinuteLabelHeight),
                 label, ml::Grey, Qt::AlignCenter);
    }
}

} // namespace

QImage MatchSkin(qreal dpr, int rows) {
    return PanelledSkin(ml::WindowSize(rows), {ml::MapCell, ml::ListPanel, ml::TimelinePanel(rows)},
                        ml::CloseGlyphArea, dpr);
}

void PaintMatchMap(QPainter& painter, const QImage& picture, const QRectF& mapArea,
                   const MapMarks& starts, const std::vector<CourseMark>& marks,
                   std::size_t shown) {
    painter.save();
    painter.fillRect(ml::MapCell, ml::Black);
    if (!picture.isNull()) painter.drawImage(ml::MapCell.topLeft(), picture);
    const QRectF area = mapArea.translated(ml::MapCell.topLeft());
    painter.setClipRect(ml::MapCell);
    PaintStartDiscs(painter, starts, area, MatchStartDisc);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < shown && i < marks.size(); ++i) {
        const CourseMark& mark = marks[i];
        const QPointF at = OnArea(mark.at, area);
        switch (mark.shape) {
        case MarkShape::Building:
            BuildingMark(painter, at, mark.colour);
            break;
        case MarkShape::Power:
            PowerMark(painter, at, mark.colour);
            break;
        case MarkShape::SneakAttack:
            SneakAttackMark(painter, at, mark.colour);
            break;
        }
    }
    painter.restore();
}

void PaintTimeline(QPainter& painter, const MatchView& view, uint32_t cursor, std::size_t chosen) {
    painter.save();
    const int rows = ml::TimelineRows(view.rows.size());
    painter.fillRect(ml::TimelinePanel(rows), ml::Black);
    painter.setFont(ArialFont(PixelsForPoints(8)));
    const QString time = QString::fromStdString(CourseTime(cursor));
    const int timeWidth = painter.fontMetrics().horizontalAdvance(time) + 8;
    DrawText(painter, ml::MessageLine.adjusted(0, 0, -timeWidth, 0), view.message, ml::Grey);
    DrawText(painter, ml::MessageLine, time, ml::Orange, Qt::AlignRight | Qt::AlignVCenter);

    const TimeScale scale = TimelineScale(view.endFrame);
    const std::vector<MinuteMark> minutes = MinuteMarks(scale);
    for (const MinuteMark& mark : minutes)
        painter.fillRect(QRect(mark.x, ml::RowsTop, 1, rows * ml::RowHeight), MinuteLine);
    MinuteLabels(painter, minutes, rows);
    uint32_t peak = 0;
    for (const MatchRow& row : view.rows)
        for (const uint32_t count : row.perMinute)
            peak = std::max(peak, count);
    for (std::size_t i = 0; i < view.rows.size() && i < ml::MaxRows; ++i) {
        const MatchRow& row = view.rows[i];
        const int top = ml::RowsTop + static_cast<int>(i) * ml::RowHeight;
        painter.fillRect(QRect(ml::TimeLeft, top + ml::RowHeight - 1, ml::TimeWidth, 1), RowLine);
        QFont name = ArialFont(PixelsForPoints(8), i == chosen);
        name.setUnderline(i == chosen);
        painter.setFont(name);
        DrawText(painter, QRect(ml::NameLeft, top, ml::NameWidth, ml::RowHeight), row.name,
                 row.colour);
        const QRect bars(ml::TimeLeft, top + 2, ml::TimeWidth, ml::RowHeight - 4);
        for (const QRect& bar : ActivityBars(row.perMinute, peak, scale, bars))
            painter.fillRect(bar, row.colour);
        if (row.leftAt) {
            // A flag on a pole where he left.
            const int x = XAtFrame(scale, *row.leftAt);
            painter.fillRect(QRect(x, top + 1, 1, ml::RowHeight - 2), LeftMark);
            painter.fillRect(QRect(x - 3, top + 1, 3, 3), LeftMark);
        }
    }
    const int x = XAtFrame(scale, cursor);
    painter.fillRect(QRect(x, ml::RowsTop - 2, 1, rows * ml::RowHeight + 2), ml::Orange);
    painter.fillRect(QRect(x - 2, ml::RowsTop - 3, 5, 2), ml::Orange);
    painter.restore();
}

void PaintCourseList(QPainter& painter, const MatchRow* row, const QStringList& lines, int first) {
    painter.save();
    painter.fillRect(ml::ListPanel, ml::Black);
    if (row) {
        painter.setFont(ArialFont(PixelsForPoints(8), true));
        DrawText(painter, ml::ListTitle, row->name, row->colour);
    }
    painter.setFont(ArialFont(PixelsForPoints(7)));
    painter.setClipRect(ml::ListLines);
    for (int i = std::max(first, 0), shown = 0;
         i < static_cast<int>(lines.size()) && shown <= ml::WholeLinesShown; ++i, ++shown)
        DrawText(painter,
                 QRect(ml::ListLines.left(), ml::ListLines.top() + shown * ml::LineHeight,
                       ml::ListLines.width(), ml::LineHeight),
                 lines[i], ml::Grey);
    painter.restore();
}
