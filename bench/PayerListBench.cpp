// Filling the payer list at start with a large payer file: all names at once against one at a
// time, each into its sorted place.
#include "form/ControlModels.h"
#include "text/Cp1251Literal.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace kvitok {
namespace {

// Names as a database returns them: in the order they were saved, not sorted.
std::vector<std::string> PayerNames(int count) {
    const std::string family[] = {std::string("Иванов"_cp),   std::string("Петрова"_cp),
                                  std::string("Сидоров"_cp),  std::string("Ёлкина"_cp),
                                  std::string("Кузнецов"_cp), "Smith"};
    const std::string given[] = {std::string(" Иван "_cp), std::string(" Мария "_cp),
                                 std::string(" Пётр "_cp)};
    std::mt19937 random(2016);
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        names.push_back(family[random() % std::size(family)] + given[random() % std::size(given)] +
                        std::to_string(random() % 100000));
    }
    return names;
}

void BM_FillPayerListAtOnce(benchmark::State& state) {
    const std::vector<std::string> names = PayerNames(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ListModel list(true, true);
        list.AddRows(names);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_FillPayerListAtOnce)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FillPayerListOneByOne(benchmark::State& state) {
    const std::vector<std::string> names = PayerNames(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ListModel list(true, true);
        for (const std::string& name : names) {
            list.AddRow(name);
        }
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_FillPayerListOneByOne)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kvitok
