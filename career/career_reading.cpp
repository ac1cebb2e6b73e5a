#include "career/career_reading.h"

#include <algorithm>
#include <exception>

#include "replay/zerohour.h"

struct CareerReading::Run {
    Run(const std::vector<TZH_replay>& r, const Career& c, GameRead g, Progress p)
        : records(r), career(c), gameRead(std::move(g)), progress(std::move(p)) {}

    const std::vector<TZH_replay>& records;
    const Career& career;
    GameRead gameRead;
    Progress progress;
    std::atomic<std::size_t> next{0}; // the next game a thread takes
    std::mutex handing;               // one callback at a time
    std::size_t done = 0;             // under handing
};

CareerGameRead FirstFileRead(const Career& career, uint32_t game, const FileOrders& fileOrders) {
    const CareerGame& played = career.games[game];
    CareerGameRead read;
    read.game = game;
    const auto tryFile = [&](std::size_t record) {
        read.record = record;
        read.error.clear();
        read.orders = fileOrders(record, read.error);
        return read.orders.has_value();
    };
    if (tryFile(played.record)) return read;
    for (const std::size_t copy : played.copies)
        if (tryFile(copy)) break;
    return read;
}

CareerGameRead ReadCareerGame(const std::vector<TZH_replay>& records, const Career& career,
                              uint32_t game) {
    const uint8_t seat = career.games[game].seat;
    return FirstFileRead(career, game, [&](std::size_t record, std::string& error) {
        std::optional<CareerGameOrders> orders;
        try {
            // His placements only: the others' courses, and the rest of his, are not needed.
            const std::optional<MatchOrders> match =
                ReadMatch(records[record], MatchReadLimit, seat);
            if (match && seat < match->players.size())
                orders = SummarizeOrders(match->players[seat]);
            else
                error = "no orders";
        } catch (const ReplayReadError& failure) {
            error = failure.reason();
        } catch (const std::exception& failure) {
            error = failure.what();
        }
        return orders;
    });
}

void CareerReading::Work(Run& run, const std::stop_token& stop) {
    const std::size_t total = run.career.games.size();
    while (!stop.stop_requested()) {
        const std::size_t game = run.next.fetch_add(1);
        if (game >= total) return;
        const CareerGameRead read =
            ReadCareerGame(run.records, run.career, static_cast<uint32_t>(game));
        const std::lock_guard lock(run.handing);
        if (stop.stop_requested()) return;
        run.gameRead(read);
        ++run.done;
        if (run.progress) run.progress(run.done, total);
    }
}

CareerReading::CareerReading() = default;

CareerReading::~CareerReading() {
    stop();
}

void CareerReading::start(const std::vector<TZH_replay>& records, const Career& career,
                          GameRead gameRead, Progress progress, unsigned threads) {
    stop();
    run_ = std::make_unique<Run>(records, career, std::move(gameRead), std::move(progress));
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t count = std::min<std::size_t>(threads, career.games.size());
    for (std::size_t t = 0; t < count; ++t)
        threads_.emplace_back([run = run_.get()](std::stop_token stop) { Work(*run, stop); });
}

void CareerReading::stop() {
    for (std::jthread& thread : threads_)
        thread.request_stop();
    threads_.clear(); // joins
    run_.reset();
}

void CareerReading::wait() {
    for (std::jthread& thread : threads_)
        thread.join();
    threads_.clear();
    run_.reset();
}
