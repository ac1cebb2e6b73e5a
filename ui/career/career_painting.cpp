#include "ui/career/career_painting.h"

#include <QPainter>
#include <algorithm>

#include "ui/career/career_layout.h"
#include "ui/common/fonts.h"
#include "ui/common/panelled_skin.h"

namespace cl = career_layout;

namespace {

const QColor Light(225, 226, 228);
const QColor Dim(127, 127, 127);
const QColor RowLine(28, 29, 31);
const QColor Point(170, 180, 195);
const QColor Track(45, 46, 48);

QFont Font(bool bold = false) {
    return ArialFont(PixelsForPoints(8), bold);
}

void DrawText(QPainter& painter, const QRect& cell, const QString& text, const QColor& colour,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    painter.setPen(colour);
    painter.drawText(cell, static_cast<int>(align),
                     painter.fontMetrics().elidedText(text, Qt::ElideRight, cell.width()));
}

void Title(QPainter& painter, const QRect& panel, CareerPanel which) {
    painter.setFont(Font());
    DrawText(painter,
             QRect(panel.left() + cl::TextIndent, panel.top(), panel.width() - 2 * cl::TextIndent,
                   cl::TitleHeight),
             PanelTitle(which), Dim);
}

// The cells of a row on a line from `left`, in the columns given.
void Cells(QPainter& painter, const QStringList& cells, const std::vector<CareerColumn>& columns,
           int left, int top, int height, const QColor& colour) {
    for (std::size_t i = 0; i < columns.size() && i < static_cast<std::size_t>(cells.size()); ++i) {
        const CareerColumn& column = columns[i];
        // A pixel of room between a number and the text on its left.
        const QRect cell(left + column.left + (column.right ? 2 : 0), top,
                         column.width - (column.right ? 2 : 4), height);
        DrawText(painter, cell, cells[static_cast<qsizetype>(i)], colour,
                 (column.right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
}

} // namespace

QImage CareerSkin(qreal dpr) {
    return PanelledSkin(cl::WindowSize,
                        {cl::HeaderPanel, cl::MonthsPanel, cl::ActivityPanel, cl::EndsPanel,
                         cl::ListPanel, cl::ReadingPanel},
                        cl::CloseGlyphArea, dpr);
}

void PaintCareerHeader(QPainter& painter, const CareerHeaderView& view) {
    painter.save();
    painter.fillRect(cl::HeaderPanel, cl::Black);
    painter.setFont(ArialFont(PixelsForPoints(10), true));
    DrawText(painter, cl::NameLine, view.name, cl::Orange);
    painter.setFont(Font());
    DrawText(painter, cl::TotalsLine, view.totals, cl::Grey);
    painter.restore();
}

void PaintMonths(QPainter& painter, const std::vector<std::size_t>& games,
                 const QStringList& ends) {
    painter.save();
    painter.fillRect(cl::MonthsPanel, cl::Black);
    Title(painter, cl::MonthsPanel, CareerPanel::Months);
    const std::size_t peak = games.empty() ? 0 : *std::max_element(games.begin(), games.end());
    painter.fillRect(
        QRect(cl::MonthBars.left(), cl::MonthBars.bottom() + 1, cl::MonthBars.width(), 1), RowLine);
    for (std::size_t m = 0; m < games.size(); ++m)
        if (const QRect bar =
                MonthBar(m, games.size(), games[m], peak, cl::MonthBars, cl::WidestMonthBar);
            !bar.isNull())
            painter.fillRect(bar, cl::Orange);
    // The first and the last month's names under their bars, kept within the panel.
    painter.setFont(Font());
    for (std::size_t i = 0; i < static_cast<std::size_t>(ends.size()) && !games.empty(); ++i) {
        const std::size_t month = i == 0 ? 0 : games.size() - 1;
        const int centre =
            MonthBar(month, games.size(), 1, 1, cl::MonthBars, cl::WidestMonthBar).center().x();
        const int width =
            painter.fontMetrics().horizontalAdvance(ends[static_cast<qsizetype>(i)]) + 1;
        const int left = std::clamp(centre - width / 2, cl::MonthNames.left(),
                                    cl::MonthNames.right() + 1 - width);
        DrawText(painter, QRect(left, cl::MonthNames.top(), width, cl::MonthNames.height()),
                 ends[static_cast<qsizetype>(i)], Dim);
    }
    painter.restore();
}

void PaintActivity(QPainter& painter, const CareerOrdersView& view, const QImage& picture) {
    painter.save();
    painter.fillRect(cl::ActivityPanel, cl::Black);
    Title(painter, cl::ActivityPanel, CareerPanel::Activity);
    const QRect chart = cl::ActivityChart;
    painter.fillRect(QRect(chart.left(), chart.bottom() + 1, chart.width(), 1), RowLine);
    if (view.peakApm > 0) {
        // The peak's value at the top right, a faint line at its height.
        painter.setFont(Font());
        DrawText(painter,
                 QRect(cl::ActivityPanel.left(), cl::ActivityPanel.top(),
                       cl::ActivityPanel.width() - cl::TextIndent, cl::TitleHeight),
                 NumberText(static_cast<std::size_t>(view.peakApm)), Dim,
                 Qt::AlignRight | Qt::AlignVCenter);
        painter.fillRect(QRect(chart.left(), chart.top(), chart.width(), 1), RowLine);
    }
    painter.drawImage(chart.topLeft(), picture);
    painter.restore();
}

QImage ActivityPicture(const CareerOrdersView& view, std::size_t months, qreal dpr) {
    const QRect chart = cl::ActivityChart;
    QImage picture(chart.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(dpr);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.translate(-chart.topLeft());
    for (const ActivityPoint& point : view.points) {
        const QPointF at = ActivityAt(point, months, view.peakApm, chart);
        painter.fillRect(QRectF(at - QPointF(1, 1), QSizeF(3, 3)), Point);
    }
    // Each month's median across its month.
    for (std::size_t m = 0; m < view.medians.size(); ++m)
        if (view.medians[m]) {
            const QPointF from =
                ActivityAt(static_cast<double>(m), *view.medians[m], months, view.peakApm, chart);
            const QPointF to = ActivityAt(static_cast<double>(m + 1), *view.medians[m], months,
                                          view.peakApm, chart);
            painter.fillRect(QRectF(from.x(), from.y() - 1, std::max(2.0, to.x() - from.x()), 2),
                             cl::Orange);
        }
    return picture;
}

void PaintEnds(QPainter& painter, const std::vector<CareerRow>& ends) {
    painter.save();
    painter.fillRect(cl::EndsPanel, cl::Black);
    Title(painter, cl::EndsPanel, CareerPanel::Ends);
    painter.setFont(Font());
    const std::vector<CareerColumn> columns{{0, 200, false}, {200, 50, true}, {250, 40, true}};
    for (std::size_t i = 0; i < ends.size(); ++i)
        Cells(painter, ends[i].cells, columns, cl::EndsPanel.left() + cl::TextIndent,
              cl::EndsTop + static_cast<int>(i) * cl::EndRowHeight, cl::EndRowHeight, cl::Grey);
    painter.restore();
}

std::vector<QRect> TabRects() {
    std::vector<QRect> rects;
    const QFontMetrics metrics(Font(true));
    int left = cl::TabsLine.left() + cl::TextIndent;
    for (const CareerTab tab : CareerTabs) {
        // A pixel or two more than the text: the window's fonts may measure it a little wider.
        const int width = metrics.horizontalAdvance(TabName(tab)) + 2;
        rects.emplace_back(left, cl::TabsLine.top(), width, cl::TabsLine.height());
        left += width + cl::TabGap;
    }
    return rects;
}

void PaintList(QPainter& painter, CareerTab tab, const std::vector<CareerRow>& rows, int first) {
    painter.save();
    painter.fillRect(cl::ListPanel, cl::Black);
    const std::vector<QRect> tabs = TabRects();
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        const bool chosen = CareerTabs[i] == tab;
        QFont font = Font(true);
        font.setUnderline(chosen);
        painter.setFont(font);
        painter.setPen(chosen ? cl::Orange : cl::Grey);
        painter.drawText(tabs[i], Qt::AlignLeft | Qt::AlignVCenter, TabName(CareerTabs[i]));
    }
    const std::vector<CareerColumn> columns = ColumnsOf(tab);
    painter.setFont(Font());
    Cells(painter, ColumnTitles(tab), columns, cl::ColumnTitles.left(), cl::ColumnTitles.top(),
          cl::ColumnTitles.height(), Dim);
    painter.fillRect(
        QRect(cl::ColumnTitles.left(), cl::ColumnTitles.bottom() + 1, cl::ColumnTitles.width(), 1),
        RowLine);
    painter.setClipRect(cl::ListRows);
    for (int i = std::max(first, 0), shown = 0;
         i < static_cast<int>(rows.size()) && shown <= cl::WholeRowsShown; ++i, ++shown) {
        const CareerRow& row = rows[static_cast<std::size_t>(i)];
        const int top = cl::ListRows.top() + shown * cl::RowHeight;
        const bool heading = row.picks.empty();
        painter.setFont(Font(heading));
        Cells(painter, row.cells,
              heading ? std::vector<CareerColumn>{{0, cl::ListRows.width()}} : columns,
              cl::ListRows.left(), top, cl::RowHeight, heading ? cl::Orange : cl::Grey);
    }
    painter.restore();
}

void PaintReading(QPainter& painter, std::size_t done, std::size_t total, std::size_t unreadable) {
    painter.save();
    painter.fillRect(cl::ReadingPanel, cl::Black);
    painter.setFont(Font());
    DrawText(painter, cl::ReadingLine, ReadingText(done, total, unreadable), cl::Grey);
    painter.fillRect(cl::ReadingBar, Track);
    if (total > 0)
        painter.fillRect(QRect(cl::ReadingBar.left(), cl::ReadingBar.top(),
                               static_cast<int>(static_cast<std::size_t>(cl::ReadingBar.width()) *
                                                std::min(done, total) / total),
                               cl::ReadingBar.height()),
                         cl::Orange);
    painter.restore();
}
