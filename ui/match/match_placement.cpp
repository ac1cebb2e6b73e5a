#include "ui/match/match_placement.h"

#include <algorithm>
#include <vector>

namespace {

// Between the match window and the windows it opens beside.
constexpr int Gap = 2;

int Clamped(int value, int low, int length, int room) {
    return std::clamp(value, low, std::max(low, low + room - length));
}

long long Covered(const QRect& window, const QRect& other) {
    const QRect both = window.intersected(other);
    return both.isEmpty() ? 0 : static_cast<long long>(both.width()) * both.height();
}

} // namespace

QPoint MatchWindowPosition(const std::optional<QRect>& details, const QRect& main, QSize window,
                           const QRect& screen) {
    const auto covered = [&](QPoint at) {
        const QRect placed(at, window);
        return Covered(placed, main) + (details ? Covered(placed, *details) : 0);
    };
    const int top = Clamped(main.top(), screen.top(), window.height(), screen.height());
    const int right = (details ? details->right() : main.right()) + 1 + Gap;
    const int left = main.left() - Gap - window.width();
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
