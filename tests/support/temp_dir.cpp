#include "tests/support/temp_dir.h"

#include <atomic>
#include <random>
#include <system_error>

namespace testsupport {

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (;;) {
        auto candidate =
            std::filesystem::temp_directory_path() /
            ("tarvex-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path_ = candidate;
            return;
        }
    }
}

TempDir::~TempDir() {
    std::error_code error;
    // Read-only files made by tests must not stop the clean-up.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

} // namespace testsupport
