// Composing a link against the floor of copying the same bytes into a fresh
// buffer. Reports only; the README quotes one run.
#include "share_link.hpp"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace {
std::size_t allocations = 0;
}  // namespace

// Counts heap allocations so the report shows how many one link takes.
void* operator new(std::size_t size) {
  ++allocations;
  if (void* block = std::malloc(size == 0 ? 1 : size)) {
    return block;
  }
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t /*size*/) noexcept {
  std::free(block);
}

namespace {

constexpr std::size_t mebibyte = std::size_t{1} << 20U;

struct FreeDeleter {
  void operator()(void* block) const noexcept { std::free(block); }
};

const std::string typical_owner = "1234567890";
const std::string typical_item = "0123456789abcdef";
const std::string large_owner(mebibyte, '7');
const std::string large_item(mebibyte, 'x');

void compose(benchmark::State& state, const std::string& owner,
             const std::string& item) {
  std::size_t bytes = 0;
  const std::size_t allocations_before = allocations;
  for (auto _ : state) {
    std::string link =
        tesvorin::compose_share_link(tesvorin::LinkKind::Post, owner, item);
    bytes = link.size();
    benchmark::DoNotOptimize(link.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes));
  state.counters["allocs_per_link"] =
      static_cast<double>(allocations - allocations_before) /
      static_cast<double>(state.iterations());
}

// The floor: one allocation of the link's length and one copy of as many
// bytes (the inputs plus the fixed pieces).
void copy_floor(benchmark::State& state, const std::string& owner,
                const std::string& item) {
  const std::string fixed =
      tesvorin::compose_share_link(tesvorin::LinkKind::Post, "", "");
  const std::size_t total = fixed.size() + owner.size() + item.size();
  for (auto _ : state) {
    std::unique_ptr<char, FreeDeleter> buffer(
        static_cast<char*>(std::malloc(total + 1)));
    char* out = buffer.get();
    std::memcpy(out, fixed.data(), fixed.size());
    std::memcpy(out + fixed.size(), owner.data(), owner.size());
    std::memcpy(out + fixed.size() + owner.size(), item.data(), item.size());
    out[total] = '\0';
    benchmark::DoNotOptimize(out);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(total));
}

void BM_ComposeTypical(benchmark::State& state) {
  compose(state, typical_owner, typical_item);
}
void BM_CopyFloorTypical(benchmark::State& state) {
  copy_floor(state, typical_owner, typical_item);
}
void BM_Compose1MiB(benchmark::State& state) {
  compose(state, large_owner, large_item);
}
void BM_CopyFloor1MiB(benchmark::State& state) {
  copy_floor(state, large_owner, large_item);
}

BENCHMARK(BM_ComposeTypical);
BENCHMARK(BM_CopyFloorTypical);
BENCHMARK(BM_Compose1MiB);
BENCHMARK(BM_CopyFloor1MiB);

}  // namespace

BENCHMARK_MAIN();
