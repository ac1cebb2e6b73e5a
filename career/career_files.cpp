#include "career/career_files.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

#include "orders/match.h"
#include "platform/platform.h"
#include "replay/zerohour.h"

namespace {

std::string ReasonOf(const std::exception& error) {
    if (const auto* read = dynamic_cast<const ReplayReadError*>(&error)) return read->reason();
    return error.what();
}

CareerFileRead ReadCareerFile(const CareerFile& file, std::string_view name) {
    CareerFileRead read;
    try {
        platform::InputFile input(file.path);
        TZH_replay record = ReadReplay(input, file.path);
        record.file.name.insert(0, file.shownPrefix);
        const std::optional<std::size_t> seat = CareerSeat(record, name);
        read.record = std::move(record);
        if (!seat) return read;
        // The header just read is the one walked: the file stayed open.
        input.seek(0);
        const platform::FileBytes bytes(input, MatchReadLimit);
        const MatchOrders match = MatchFromBytes(bytes.view(), *read.record, *seat);
        read.orders = SummarizeOrders(match.players.at(*seat));
    } catch (const std::exception& error) {
        read.error = ReasonOf(error);
    }
    return read;
}

} // namespace

std::vector<CareerFileRead> ReadCareerFiles(const std::vector<CareerFile>& files,
                                            std::string_view name, unsigned threads) {
    std::vector<CareerFileRead> reads(files.size());
    std::atomic<std::size_t> next{0};
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    {
        std::vector<std::jthread> workers;
        for (unsigned t = 0; t < std::min<std::size_t>(threads, files.size()); ++t)
            workers.emplace_back([&] {
                for (std::size_t i; (i = next.fetch_add(1)) < files.size();)
                    reads[i] = ReadCareerFile(files[i], name);
            });
    } // joined
    return reads;
}
