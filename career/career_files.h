// A player's career read straight from files, for a program that holds no list yet: each file
// is opened once on one of the machine's cores, its header read, and when he plays in it his
// orders are read on from the same open file. Nothing of a file's orders is kept.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "career/career.h"
#include "career/career_orders.h"

// A file to read, and what goes before its name in its record (as the list names it).
struct CareerFile {
    Text path;
    Text shownPrefix;
};

struct CareerFileRead {
    std::optional<TZH_replay> record;       // none: the file could not be read (error says why)
    std::optional<CareerGameOrders> orders; // his, when he plays in the file
    std::string error;                      // why the record or his orders are missing
};

// The files read for the career of the human named exactly name, in their order. threads: 0
// for one per core.
std::vector<CareerFileRead> ReadCareerFiles(const std::vector<CareerFile>& files,
                                            std::string_view name, unsigned threads = 0);
