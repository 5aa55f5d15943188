// The cost of each key typed into the payer field with a hundred thousand payers in the list: the
// rows to suggest for "Я", "Яш", "Яши", "Яшин", for a name no payer has, for one found only by a
// later word, and for the first key after the rows changed.
#include "PayerNames.h"
#include "form/ControlModels.h"
#include "form/PayerSearch.h"
#include "text/Cp1251Literal.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace kvitok {
namespace {

constexpr std::size_t kScreenful = 20;

// The payer list as the program fills it from the payer file make_payer_file writes: each name
// read into a string of its own in the file's order, then the rows sorted, so that neighbours in
// the list lie far apart in memory, as they do in the program.
ListModel MakePayerList() {
    std::mt19937 random(25);
    std::vector<std::string> read;
    for (const std::string& name : bench::PayerNames(random, 100000)) {
        read.emplace_back(name.data(), name.size());
    }
    ListModel payers(true, true);
    payers.AddRows(std::move(read));
    return payers;
}

const ListModel& PayerList() {
    static const ListModel list = MakePayerList();
    return list;
}

void Key(benchmark::State& state, std::string_view typed) {
    const std::vector<std::string>& rows = PayerList().Rows();
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<int> suggested = FindPayers(rows, typed, kScreenful);
        found = suggested.size();
        benchmark::DoNotOptimize(suggested.data());
    }
    state.counters["found"] = static_cast<double>(found);
}

BENCHMARK_CAPTURE(Key, Ya, "Я"_cp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Key, Yash, "Яш"_cp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Key, Yashi, "Яши"_cp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Key, Yashin, "Яшин"_cp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Key, Miss, "Щукин"_cp)->Unit(benchmark::kMillisecond);
// No family name begins so: every row is looked at, and the suggestions are all of the later group.
BENCHMARK_CAPTURE(Key, LaterWord, "ярославович"_cp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Key, TwoWords, "иванов и"_cp)->Unit(benchmark::kMillisecond);

// A payer saved, then a key: the change of rows itself is not timed.
void KeyAfterChange(benchmark::State& state) {
    ListModel list = MakePayerList();
    int added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        list.AddRow(std::string("Яшин Пётр "_cp) + std::to_string(added++));
        state.ResumeTiming();
        benchmark::DoNotOptimize(FindPayers(list.Rows(), "Яшин"_cp, kScreenful).data());
    }
}
BENCHMARK(KeyAfterChange)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kvitok
