#include "ui/common/window_placement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace {

// Between the window and the windows it opens beside.
constexpr int Gap = 2;

int Clamped(int value, int low, int length, int room) {
    return std::clamp(value, low, std::max(low, low + room - length));
}

long long Covered(const QRect& window, const QRect& other) {
    const QRect both = window.intersected(other);
    return both.isEmpty() ? 0 : static_cast<long long>(both.width()) * both.height();
}

// How far the pointer lies from a screen: 0 on it.
qint64 SquaredDistance(QPoint pointer, const QRect& screen) {
    const qint64 dx = std::max({screen.left() - pointer.x(), 0, pointer.x() - screen.right()});
    const qint64 dy = std::max({screen.top() - pointer.y(), 0, pointer.y() - screen.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

QPoint BesideWindowsPosition(const std::vector<QRect>& shown, QSize window, const QRect& screen) {
    const QRect main = shown.empty() ? QRect(screen.topLeft(), QSize(0, 0)) : shown.front();
    const auto covered = [&](QPoint at) {
        const QRect placed(at, window);
        long long area = 0;
        for (const QRect& other : shown)
            area += Covered(placed, other);
        return area;
    };
    int rightmost = main.right(), leftmost = main.left();
    for (const QRect& other : shown) {
        rightmost = std::max(rightmost, other.right());
        leftmost = std::min(leftmost, other.left());
    }
    const int top = Clamped(main.top(), screen.top(), window.height(), screen.height());
    const int right = rightmost + 1 + Gap;
    const int left = leftmost - Gap - window.width();
    for (const int x : {right, left}) {
        const QPoint at(x, top);
        if (screen.contains(QRect(at, window)) && covered(at) == 0) return at;
    }
    // No room on either side: every place kept on the screen, the sides' first.
    const auto x = [&](int wanted) {
        return Clamped(wanted, screen.left(), window.width(), screen.width());
    };
    const auto y = [&](int wanted) {
        return Clamped(wanted, screen.top(), window.height(), screen.height());
    };
    const std::vector<int> xs{x(right), x(left), x(screen.left()), x(screen.right())};
    const std::vector<int> ys{top, y(screen.top()), y(screen.bottom())};
    QPoint best(xs.front(), ys.front());
    long long least = covered(best);
    for (const int atY : ys)
        for (const int atX : xs)
            if (const long long c = covered({atX, atY}); c < least) {
                least = c;
                best = {atX, atY};
            }
    return best;
}

std::optional<std::size_t> NearestScreen(QPoint pointer, const std::vector<QRect>& screens) {
    std::optional<std::size_t> nearest;
    qint64 shortest = std::numeric_limits<qint64>::max();
    for (std::size_t i = 0; i < screens.size(); ++i)
        if (const qint64 distance = SquaredDistance(pointer, screens[i]); distance < shortest) {
            nearest = i;
            shortest = distance;
        }
    return nearest;
}

QScreen* ScreenNearest(QPoint pointer) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    std::vector<QRect> areas;
    for (const QScreen* screen : screens)
        areas.push_back(screen->geometry());
    const auto chosen = NearestScreen(pointer, areas);
    return chosen ? screens[static_cast<qsizetype>(*chosen)] : nullptr;
}

QScreen* PointerScreen() {
    QScreen* screen = ScreenNearest(QCursor::pos());
    return screen ? screen : QGuiApplication::primaryScreen();
}

void PlaceBesideWindows(QWidget& window, const std::vector<QRect>& shown) {
    if (window.isVisible()) return;
    const QScreen* screen = PointerScreen();
    const QRect room = screen ? screen->availableGeometry() : window.geometry();
    window.move(BesideWindowsPosition(shown, window.size(), room));
}
