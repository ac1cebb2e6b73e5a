#include "orders/course_names.h"

#include <algorithm>
#include <array>
#include <span>

#include "orders/course_tables.h"

namespace {

// The INI checksums of the data sets the tables were made from: Zero Hour 1.04's, and the one
// of the Golden Replays, whose numbers fit the same tables.
constexpr std::array<uint32_t, 2> FittingIniChecksums = {0xFEAAE3F3, 0xB859D2F9};

// The key of the first upgrade, by the program that numbered them.
struct FirstUpgradeKey {
    uint32_t exeCrc;
    uint32_t key;
};
constexpr std::array<FirstUpgradeKey, 3> FirstUpgradeKeys = {
    {{0xDA2B4B18, 2270}, {0xA7471E47, 2270}, {0x48D67663, 2267}}};

constexpr std::string_view RedGuardLabel = "OBJECT:Redguard";

template <typename Row>
const Row* Find(const CourseData& data, std::span<const Row> rows, uint32_t number) {
    if (!data.tablesFit) return nullptr;
    const auto at = std::lower_bound(rows.begin(), rows.end(), number,
                                     [](const Row& row, uint32_t n) { return row.number < n; });
    return at != rows.end() && at->number == number ? &*at : nullptr;
}

// The upgrade a key names, for the programs whose first key is known.
const CourseUpgrade* FindUpgrade(const CourseData& data, uint32_t key) {
    for (const FirstUpgradeKey& first : FirstUpgradeKeys)
        if (first.exeCrc == data.exeCrc && key >= first.key)
            return Find(data, CourseUpgrades, key - first.key);
    return nullptr;
}

std::optional<std::string_view> French(std::string_view name) {
    if (name.empty()) return std::nullopt;
    return name;
}

std::string Numbered(std::string_view what, uint32_t number) {
    return std::string(what) + " n\u00b0 " + std::to_string(number);
}

} // namespace

CourseData CourseDataFor(uint32_t iniCrc, uint32_t exeCrc) {
    const bool fit = std::find(FittingIniChecksums.begin(), FittingIniChecksums.end(), iniCrc) !=
                     FittingIniChecksums.end();
    return CourseData{fit, exeCrc};
}

CourseData CourseDataOf(const TZH_replay& record) {
    return record.valid ? CourseDataFor(record.iniCrc, record.exeCrc) : CourseData{};
}

std::optional<std::string_view> ObjectTemplate(const CourseData& data, uint32_t number) {
    if (const CourseObject* row = Find(data, CourseObjects, number)) return row->templateName;
    return std::nullopt;
}

std::optional<std::string_view> ObjectName(const CourseData& data, uint32_t number) {
    if (const CourseObject* row = Find(data, CourseObjects, number)) return French(row->french);
    return std::nullopt;
}

std::optional<std::string_view> PowerName(const CourseData& data, uint32_t number) {
    if (const CourseNumbered* row = Find(data, CoursePowers, number)) return French(row->french);
    return std::nullopt;
}

std::optional<std::string_view> ScienceName(const CourseData& data, uint32_t number) {
    if (const CourseNumbered* row = Find(data, CourseSciences, number)) return French(row->french);
    return std::nullopt;
}

std::optional<std::string_view> UpgradeName(const CourseData& data, uint32_t key) {
    if (const CourseUpgrade* row = FindUpgrade(data, key)) return French(row->french);
    return std::nullopt;
}

bool IsResearch(const CourseData& data, uint32_t key) {
    const CourseUpgrade* row = FindUpgrade(data, key);
    return !row || row->research;
}

uint32_t UnitsPerOrder(const CourseData& data, uint32_t number) {
    const CourseObject* row = Find(data, CourseObjects, number);
    return row && row->label == RedGuardLabel ? 2 : 1;
}

std::string ObjectText(const CourseData& data, uint32_t number) {
    const auto name = ObjectName(data, number);
    return name ? std::string(*name) : Numbered("objet", number);
}

std::string PowerText(const CourseData& data, uint32_t number) {
    const auto name = PowerName(data, number);
    return name ? std::string(*name) : Numbered("pouvoir", number);
}

std::string ScienceText(const CourseData& data, uint32_t number) {
    const auto name = ScienceName(data, number);
    return name ? std::string(*name) : Numbered("science", number);
}

std::string UpgradeText(const CourseData& data, uint32_t key) {
    const auto name = UpgradeName(data, key);
    return name ? std::string(*name) : "am\u00e9lioration n\u00b0 ?";
}
