#pragma once
// Where the compiled-in pictures live in Qt's resource system, and the logical size each is drawn
// for. The windows place them by these sizes; the tests render every entry.
#include <array>
#include <string_view>

namespace tarvex::pictures {

struct Picture {
    std::string_view path; // Qt resource path, e.g. ":/skins/main.svg"
    int width;
    int height;
};

inline constexpr Picture kMainSkin{":/skins/main.svg", 280, 310};
inline constexpr Picture kClosePressed{":/buttons/close_pressed.svg", 15, 15};
inline constexpr Picture kMinimisePressed{":/buttons/minimise_pressed.svg", 15, 15};
inline constexpr Picture kHistoryPressed{":/buttons/history_pressed.svg", 14, 15};
inline constexpr Picture kInfoPressed{":/buttons/info_pressed.svg", 14, 15};
inline constexpr Picture kProgramIcon{":/icons/tarvex.svg", 64, 64};
// The details window and the about window, and the map placeholder of the details window.
inline constexpr Picture kDetailsSkin{":/skins/details.svg", 192, 310};
inline constexpr Picture kAboutSkin{":/skins/about.svg", 192, 121};
inline constexpr Picture kNoMap{":/maps/no_map.svg", 48, 46};
// The army icons in the order of ArmyNames: icon = army - 2; icon 12 is the unknown army.
inline constexpr std::array<Picture, 13> kArmyIcons{{
    Picture{":/armies/00_usa.svg", 25, 26},
    Picture{":/armies/01_china.svg", 25, 26},
    Picture{":/armies/02_gla.svg", 25, 26},
    Picture{":/armies/03_usa_superweapon.svg", 25, 26},
    Picture{":/armies/04_usa_laser.svg", 25, 26},
    Picture{":/armies/05_usa_air_force.svg", 25, 26},
    Picture{":/armies/06_china_tank.svg", 25, 26},
    Picture{":/armies/07_china_infantry.svg", 25, 26},
    Picture{":/armies/08_china_nuke.svg", 25, 26},
    Picture{":/armies/09_gla_toxin.svg", 25, 26},
    Picture{":/armies/10_gla_demolition.svg", 25, 26},
    Picture{":/armies/11_gla_stealth.svg", 25, 26},
    Picture{":/armies/12_unknown.svg", 25, 26},
}};

inline constexpr std::array kAll{
    kMainSkin,     kClosePressed,  kMinimisePressed, kHistoryPressed, kInfoPressed,  kProgramIcon,
    kDetailsSkin,  kAboutSkin,     kNoMap,           kArmyIcons[0],   kArmyIcons[1], kArmyIcons[2],
    kArmyIcons[3], kArmyIcons[4],  kArmyIcons[5],    kArmyIcons[6],   kArmyIcons[7], kArmyIcons[8],
    kArmyIcons[9], kArmyIcons[10], kArmyIcons[11],   kArmyIcons[12]};

// Registers the pictures with Qt's resource system. The build normally does this by itself; call
// it where a program links the pictures as a plain static archive. Safe to call more than once.
void ensureLoaded();

} // namespace tarvex::pictures
