// The game's numbers for the orders this program tells apart, written once for the walk over
// the orders, the players' courses and their selections.
#pragma once

#include <cstdint>

namespace order {

enum Type : uint32_t {
    EndOfRecording = 27, // the recording player's, at the last frame
    NoOrder = 1000,      // the game's orders follow it
    SelectNew = 1001,    // a boolean (new, or added to the selection), then object ids
    SelectAdd = 1002,    // the same
    ClearSelection = 1003,
    Deselect = 1004, // object ids
    FirstGroupSet = 1006,
    LastGroupSet = 1015, // hotkey groups 0 to 9 set to object ids
    FirstGroupRecall = 1016,
    LastGroupRecall = 1025, // the selection replaced by a group
    FirstGroupAdd = 1026,
    LastGroupAdd = 1035, // a group added to the selection
    PowerWithoutTarget = 1040,
    PowerAtLocation = 1041,
    PowerAtObject = 1042,
    PickScience = 1044,
    QueueUpgrade = 1045,
    CancelUpgrade = 1046,
    QueueUnit = 1047,
    CancelUnit = 1048,
    PlaceBuilding = 1049,
    CancelConstruction = 1051,
    Sell = 1052,
    OtherSelection = 1058, // counted as a selection, changes neither the selection nor a group
    ResumeConstruction = 1065,
    ReplayCameraFirst = 1088,  // the replay camera's two orders,
    ReplayCameraSecond = 1092, // every frame in solo games
    SelfDestruct = 1093,       // a boolean: false when the others dropped him
    GameStateCheck = 1095,     // sent by each human's client now and then
    RetaliationMode = 1097,    // sent by the client on its own
    LastGameOrder = RetaliationMode,
};

} // namespace order
