// The larger map shown beside the details window while the pointer rests on its map picture:
// a window that never takes the focus nor the pointer, so the main list keeps both. Its
// geometry is in map_panel_layout.
#pragma once

#include <QImage>
#include <QWidget>

#include "ui/details/map_panel_layout.h"
#include "ui/details/start_marks.h"

class QScreen;

class MapPanel : public QWidget {
    Q_OBJECT
public:
    // A hidden window of `owner`'s, gone with it.
    explicit MapPanel(QWidget& owner);

    // map: the picture fitted into PanelMapSize at its screen's ratio, or null; mapArea: where
    // the map lies in it (the marks are placed there).
    void SetContent(QImage map, const QRectF& mapArea, MapMarks marks);
    // Shows it on `screen` (null: where it is) beside the details window (see PanelPosition).
    void ShowBeside(const QRect& details, const QRect& main, QScreen* screen);

    const QImage& Map() const { return map_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage map_;
    QRectF mapArea_;
    MapMarks marks_;
};
