#include "ui/controls/wheel_notches.h"

int WheelNotches::Add(int units) {
    // Turning back starts afresh: what was left over belonged to the other direction.
    if ((units > 0 && pending_ < 0) || (units < 0 && pending_ > 0)) pending_ = 0;
    pending_ += units;
    // Division truncates toward zero, so a part notch in either direction stays pending.
    const int notches = pending_ / UnitsPerNotch;
    pending_ -= notches * UnitsPerNotch;
    return notches;
}
