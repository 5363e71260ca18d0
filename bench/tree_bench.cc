// Decoded symbols per second through a word tree, for each of the four lookup widths, with a
// skewed distribution like that of real block codes (a few values common, a long tail).
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "compressor/tree_builder.h"
#include "lib/core/bit_reader.h"
#include "lib/core/word_tree.h"

namespace kinet {
namespace {

constexpr int kSymbols = 1 << 20;

struct Stream {
  std::vector<uint8_t> tree, data;
  int32_t size;
};

Stream MakeStream(int alphabet) {
  std::mt19937 rng(1);
  std::geometric_distribution<int> skew(8.0 / alphabet);
  std::vector<uint16_t> symbols(kSymbols);
  for (auto& s : symbols) s = static_cast<uint16_t>(skew(rng) % alphabet * 7);
  encoder::TreeBuilder builder(encoder::TreeBuilder::Kind::kWord);
  builder.Start();
  for (uint16_t s : symbols) builder.Add(s);
  builder.EndFrame();
  encoder::BitWriter tree, data;
  Stream out;
  out.size = builder.BuildAndWrite(tree);
  for (uint16_t s : symbols) (void)builder.WriteSymbol(data, s);
  tree.Flush();
  data.Flush();
  out.tree = tree.bytes();
  out.data = data.bytes();
  return out;
}

void BM_WordTreeDecode(benchmark::State& state) {
  const int lookup_bits = static_cast<int>(state.range(0));
  const int alphabet = static_cast<int>(state.range(1));
  Stream stream = MakeStream(alphabet);
  WordTree tree(lookup_bits, ColourUse::kBothBytes);
  BitReader tr(stream.tree.data(), stream.tree.size());
  if (!tree.Read(tr, static_cast<uint32_t>(stream.size))) state.SkipWithError("tree");
  for (auto _ : state) {
    tree.ResetCache();
    BitReader reader(stream.data.data(), stream.data.size());
    uint32_t sum = 0;
    for (int i = 0; i < kSymbols; ++i) sum += tree.Decode(reader);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kSymbols);
  state.counters["bits/symbol"] = 8.0 * stream.data.size() / kSymbols;
}
BENCHMARK(BM_WordTreeDecode)
    ->ArgNames({"k", "alphabet"})
    ->Args({8, 64})
    ->Args({10, 1024})
    ->Args({11, 4096})
    ->Args({12, 4096})
    ->Args({12, 65536})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kinet
