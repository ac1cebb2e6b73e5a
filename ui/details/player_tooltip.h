// The tooltip of a player's row in the details window: what the game drew for his random
// picks and, when the match's orders could be read, how active he was and how he left.
#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <span>

#include "orders/match.h"
#include "replay/start_spots.h"
#include "replay/zerohour_intf.h"

// The lines of the tooltip of replay.players[player], one per line; empty when there is
// nothing to say. starts: where each player started (empty when not resolved). Without
// `match` (orders unread or unreadable) only the header's part.
QString PlayerTooltip(const TZH_replay& replay, std::size_t player,
                      std::span<const PlayerStart> starts, const std::optional<MatchOrders>& match);
