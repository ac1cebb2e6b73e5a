#include "ui/details/map_panel.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "ui/details/start_painting.h"

MapPanel::MapPanel(QWidget& owner)
    : QWidget(&owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(PanelSize);
}

void MapPanel::SetContent(QImage map, const QRectF& mapArea, MapMarks marks) {
    map_ = std::move(map);
    mapArea_ = mapArea;
    marks_ = std::move(marks);
    update();
}

void MapPanel::ShowBeside(const QRect& details, const QRect& main) {
    const QScreen* screen = QGuiApplication::screenAt(details.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : details.united(main);
    move(PanelPosition(details, main, size(), room));
    show();
}

void MapPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintMapPanel(painter, marks_, map_, mapArea_);
}
