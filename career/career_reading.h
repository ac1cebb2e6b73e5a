// The orders of a career's games, read by threads of their own on all the machine's cores while
// the caller goes on: each game's summary is handed over as soon as it is read, and nothing of
// its orders is kept.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "career/career.h"
#include "career/career_orders.h"

// One game read: its summary from the first of its files that could be read.
struct CareerGameRead {
    uint32_t game = 0;                      // in Career::games
    std::size_t record = 0;                 // the file read, else the last one tried
    std::optional<CareerGameOrders> orders; // none: no file of the game could be read
    std::string error;                      // then why (the reason, without the path)
};

class CareerReading {
public:
    // Called on the reading threads, one call at a time, never once stop() has returned; a
    // callback must not wait for the thread that calls stop().
    using GameRead = std::function<void(const CareerGameRead& read)>;
    using Progress = std::function<void(std::size_t done, std::size_t total)>;

    CareerReading();
    ~CareerReading(); // stops
    CareerReading(const CareerReading&) = delete;
    CareerReading& operator=(const CareerReading&) = delete;

    // Reads the games of career, made from records, which both must outlive the reading (its
    // stop, its end or this object). A reading under way is stopped first. threads: 0 for one
    // per core. gameRead then progress are called after each game, in no set order of games.
    void start(const std::vector<TZH_replay>& records, const Career& career, GameRead gameRead,
               Progress progress = {}, unsigned threads = 0);
    // Stops the reading: the files under way are read to their end, their results dropped.
    void stop();
    // Waits until every game is read.
    void wait();

private:
    struct Run;
    static void Work(Run& run, const std::stop_token& stop);

    std::unique_ptr<Run> run_;
    std::vector<std::jthread> threads_;
};

// What one file gives of his game's orders, the file by its index in the career's records;
// nullopt with the reason in error when it gives none.
using FileOrders =
    std::function<std::optional<CareerGameOrders>(std::size_t record, std::string& error)>;
// One game's orders from the first of its files that gives them (the same match's copies next).
CareerGameRead FirstFileRead(const Career& career, uint32_t game, const FileOrders& fileOrders);

// One game's orders, from its first file that can be read (the same match's copies next).
CareerGameRead ReadCareerGame(const std::vector<TZH_replay>& records, const Career& career,
                              uint32_t game);
