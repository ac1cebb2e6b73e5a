#pragma once
// Where the compiled-in pictures live in Qt's resource system, and the logical size each is drawn
// for. The windows place them by these sizes; the tests render every entry.
#include <array>
#include <string_view>

namespace tarvex::pictures {

struct Picture {
  std::string_view path;  // Qt resource path, e.g. ":/skins/main.svg"
  int width;
  int height;
};

inline constexpr Picture kMainSkin{":/skins/main.svg", 280, 310};
inline constexpr Picture kClosePressed{":/buttons/close_pressed.svg", 15, 15};
inline constexpr Picture kMinimisePressed{":/buttons/minimise_pressed.svg", 15, 15};
inline constexpr Picture kHistoryPressed{":/buttons/history_pressed.svg", 14, 15};
inline constexpr Picture kInfoPressed{":/buttons/info_pressed.svg", 14, 15};
inline constexpr Picture kProgramIcon{":/icons/tarvex.svg", 64, 64};

inline constexpr std::array kAll{kMainSkin,    kClosePressed, kMinimisePressed,
                                 kHistoryPressed, kInfoPressed, kProgramIcon};

// Registers the pictures with Qt's resource system. The build normally does this by itself; call
// it where a program links the pictures as a plain static archive. Safe to call more than once.
void ensureLoaded();

}  // namespace tarvex::pictures
