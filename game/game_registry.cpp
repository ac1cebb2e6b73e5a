#include "game/game_registry.h"

#include <array>
#include <utility>

#include "platform/game_identity.h"

namespace {

const char* RootName(platform::RegistryRoot root) {
    return root == platform::RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE"
                                                        : "HKEY_CURRENT_USER";
}

const char* ViewName(platform::RegistryView view) {
    return view == platform::RegistryView::Bits32 ? "32-bit view" : "64-bit view";
}

} // namespace

std::optional<GameRegistryValue> ReadGameRegistryValue(std::string_view name) {
    using platform::RegistryRoot;
    using platform::RegistryView;
    constexpr std::array<std::pair<RegistryRoot, RegistryView>, 4> places = {{
        {RegistryRoot::LocalMachine, RegistryView::Bits32},
        {RegistryRoot::LocalMachine, RegistryView::Bits64},
        {RegistryRoot::CurrentUser, RegistryView::Bits32},
        {RegistryRoot::CurrentUser, RegistryView::Bits64},
    }};
    for (const auto& [root, view] : places) {
        auto value = platform::ReadRegistryValue(root, view, platform::game::RegistryKey, name);
        if (!value) continue;
        return GameRegistryValue{std::move(*value), std::string(RootName(root)) + "\\" +
                                                        std::string(platform::game::RegistryKey) +
                                                        " (" + ViewName(view) + ")"};
    }
    return std::nullopt;
}
