// What one receipt page costs: the whole composition against the QR image it is dominated by.
#include "TypicalReceipt.h"

#include "receipt/Base64Encoder.h"
#include "receipt/EncodeQrPng.h"
#include "receipt/ReceiptComposer.h"
#include "refdata/ReferenceDictionary.h"

#include <benchmark/benchmark.h>

namespace kvitok {
namespace {

void BM_ComposeTypicalPage(benchmark::State& state) {
    const ReferenceDictionary dictionary;
    const ReceiptComposer composer(dictionary);
    const ReceiptInput input = TypicalReceiptInput();
    for (auto _ : state) {
        ComposedPage page = composer.Compose(input);
        if (!page.qrCode) {
            state.SkipWithError("the QR code failed");
        }
        benchmark::DoNotOptimize(page.html);
    }
}
BENCHMARK(BM_ComposeTypicalPage);

void BM_EncodeQrPng(benchmark::State& state) {
    const std::string payload = TypicalPayload(ReferenceDictionary());
    for (auto _ : state) {
        std::string png;
        if (!EncodeQrPng(payload.c_str(), png)) {
            state.SkipWithError("EncodeQrPng failed");
        }
        benchmark::DoNotOptimize(png);
    }
}
BENCHMARK(BM_EncodeQrPng);

void BM_Base64OfThePng(benchmark::State& state) {
    std::string png;
    EncodeQrPng(TypicalPayload(ReferenceDictionary()).c_str(), png);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Base64Encoder().Encode(png));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * png.size()));
}
BENCHMARK(BM_Base64OfThePng);

void BM_ReferenceDictionaryConstruction(benchmark::State& state) {
    for (auto _ : state) {
        const ReferenceDictionary dictionary;
        benchmark::DoNotOptimize(dictionary.Size());
    }
}
BENCHMARK(BM_ReferenceDictionaryConstruction);

} // namespace
} // namespace kvitok
