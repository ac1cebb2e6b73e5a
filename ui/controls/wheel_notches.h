// Wheel turns in whole notches. A notch is 120 units; a fine wheel or a touchpad sends smaller
// steps, which add up here until they make a notch, so that every notch acts alike.
#pragma once

class WheelNotches {
public:
    static constexpr int UnitsPerNotch = 120;

    // The whole notches made by this turn together with what was left over from earlier turns
    // in the same direction: positive away from the user, negative towards the user.
    int Add(int units);

private:
    int pending_ = 0;
};
