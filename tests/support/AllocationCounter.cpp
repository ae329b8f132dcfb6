#include "tests/support/AllocationCounter.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

// Every block carries its size in a header in front of it, so that a delete without a size still
// knows how many bytes it frees. The header is as large as the default new alignment; an
// over-aligned block keeps the start of its allocation there too.
namespace {

constexpr std::size_t kHeader = __STDCPP_DEFAULT_NEW_ALIGNMENT__;
static_assert(kHeader >= 2 * sizeof(std::size_t));

std::atomic<bool> counting{false};
std::atomic<std::int64_t> allocations{0}, requested{0}, live{0}, peak{0};

void Note(std::size_t size) {
  if (!counting.load(std::memory_order_relaxed)) return;
  allocations.fetch_add(1, std::memory_order_relaxed);
  requested.fetch_add(static_cast<std::int64_t>(size), std::memory_order_relaxed);
  const std::int64_t now =
      live.fetch_add(static_cast<std::int64_t>(size)) + static_cast<std::int64_t>(size);
  std::int64_t high = peak.load();
  while (now > high && !peak.compare_exchange_weak(high, now)) {
  }
}

// Sizes count only between a counter's start and end; a block allocated before the start and
// freed inside still lowers the live count, which can go below 0 and does no harm to the peak.
void Forget(std::size_t size) {
  if (counting.load(std::memory_order_relaxed)) live.fetch_sub(static_cast<std::int64_t>(size));
}

void* Allocate(std::size_t size, std::size_t alignment) noexcept {
  const std::size_t front = std::max(kHeader, alignment);
  if (size > SIZE_MAX - front - alignment) return nullptr;
  auto* raw = static_cast<unsigned char*>(
      std::malloc(front + size + (alignment > kHeader ? alignment : 0)));
  if (raw == nullptr) return nullptr;
  unsigned char* block = raw + front;
  if (alignment > kHeader) {
    const std::size_t misfit = reinterpret_cast<std::uintptr_t>(block) % alignment;
    if (misfit != 0) block += alignment - misfit;
  }
  auto* header = reinterpret_cast<std::size_t*>(block - kHeader);
  header[0] = size;
  header[1] = static_cast<std::size_t>(block - raw);
  Note(size);
  return block;
}

void Release(void* pointer) noexcept {
  if (pointer == nullptr) return;
  auto* block = static_cast<unsigned char*>(pointer);
  const auto* header = reinterpret_cast<const std::size_t*>(block - kHeader);
  Forget(header[0]);
  std::free(block - header[1]);
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment) {
  if (void* p = Allocate(size == 0 ? 1 : size, alignment)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size, kHeader); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size, kHeader); }
void* operator new(std::size_t size, std::align_val_t a) {
  return AllocateOrThrow(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a) {
  return AllocateOrThrow(size, static_cast<std::size_t>(a));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size == 0 ? 1 : size, kHeader);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size == 0 ? 1 : size, kHeader);
}
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }

namespace dux::test {

AllocationCounter::AllocationCounter() {
  if (counting) std::abort();
  allocations = 0;
  requested = 0;
  live = 0;
  peak = 0;
  counting = true;
}

AllocationCounter::~AllocationCounter() { counting = false; }

tAllocations AllocationCounter::Totals() const {
  return {allocations.load(), requested.load(), peak.load()};
}

}  // namespace dux::test
