#include "platform/wine/wine_environment.h"

#include <cstdlib>

namespace platform::wine {

namespace {
std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
} // namespace

Environment Environment::FromProcess() {
    return {Variable("HOME"), Variable("WINEPREFIX"), Variable("XDG_DOCUMENTS_DIR"),
            Variable("XDG_CONFIG_HOME"), Variable("USER")};
}

} // namespace platform::wine
