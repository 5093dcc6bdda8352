#include "sprites/figure_pool.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KARVAN_POOL_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KARVAN_POOL_ASAN 1
#endif
#if defined(KARVAN_POOL_ASAN)
#include <sanitizer/asan_interface.h>
#endif

namespace karvan {

namespace {

// A checking build still sees a freed figure touched: free blocks and the unused rest of a chunk
// are marked unaddressable.
void MarkUnused([[maybe_unused]] void* Block, [[maybe_unused]] std::size_t Size) {
#if defined(KARVAN_POOL_ASAN)
  ASAN_POISON_MEMORY_REGION(Block, Size);
#endif
}
void MarkUsed([[maybe_unused]] void* Block, [[maybe_unused]] std::size_t Size) {
#if defined(KARVAN_POOL_ASAN)
  ASAN_UNPOISON_MEMORY_REGION(Block, Size);
#endif
}

constexpr std::size_t Granule = 16;
// Every figure class is far smaller; a larger object goes to the general heap.
constexpr std::size_t MaxBlock = 1024;
// Chunks are aligned to their size, so a block finds its chunk from its address.
constexpr std::size_t ChunkSize = std::size_t{1} << 16;
constexpr std::size_t HeaderSize = 64;

std::size_t Rounded(std::size_t Size) {
  return (Size + Granule - 1) / Granule * Granule;
}

struct TPool;

// Figures are laid out in the order they are made, whatever their size, as a level makes them
// cell by cell; a chunk is not reused block by block but once every figure in it is gone. The
// figures of a level are made together and go together, so a level's chunks empty together and
// the next level is laid out afresh in them.
struct TChunk {
  TPool* Owner;
  std::size_t Live = 0;
  std::byte* Cursor = nullptr;

  std::byte* Begin() { return reinterpret_cast<std::byte*>(this) + HeaderSize; }
  std::byte* End() { return reinterpret_cast<std::byte*>(this) + ChunkSize; }
  bool Fits(std::size_t Size) { return static_cast<std::size_t>(End() - Cursor) >= Size; }
};
static_assert(sizeof(TChunk) <= HeaderSize);

struct TChunkFree {
  void operator()(std::byte* Chunk) const { std::free(Chunk); }
};

struct TPool {
  std::vector<std::unique_ptr<std::byte, TChunkFree>> Chunks;
  TChunk* Current = nullptr;
  std::vector<TChunk*> Empty;
  std::size_t Live = 0;

  // Blocks other threads freed, handed back at this pool's next allocation.
  std::mutex RemoteLock;
  std::vector<void*> Remote;
  std::vector<void*> RemoteTaken;
  std::atomic<bool> HasRemote{false};

  void* Allocate(std::size_t Size) {
    if (HasRemote.load(std::memory_order_acquire)) TakeRemote();
    Size = Rounded(Size);
    if (Current == nullptr || !Current->Fits(Size)) NextChunk();
    std::byte* Block = Current->Cursor;
    Current->Cursor += Size;
    ++Current->Live;
    ++Live;
    MarkUsed(Block, Size);
    return Block;
  }

  void Release(void* Block, std::size_t Size) {
    MarkUnused(Block, Rounded(Size));
    Forget(Block);
  }

  void ReleaseRemote(void* Block, std::size_t Size) {
    MarkUnused(Block, Rounded(Size));
    const std::lock_guard<std::mutex> Lock(RemoteLock);
    Remote.push_back(Block);
    HasRemote.store(true, std::memory_order_release);
  }

  void TakeRemote() {
    {
      const std::lock_guard<std::mutex> Lock(RemoteLock);
      RemoteTaken.swap(Remote);
      HasRemote.store(false, std::memory_order_release);
    }
    // The blocks are marked unused already; only the counts remain.
    for (void* Block : RemoteTaken) Forget(Block);
    RemoteTaken.clear();
  }

  static TChunk& ChunkOf(void* Block) {
    const auto Address = reinterpret_cast<std::uintptr_t>(Block);
    return *reinterpret_cast<TChunk*>(Address & ~(ChunkSize - 1));
  }

 private:
  // A block is gone: its chunk, once empty, is laid out afresh (the one in use at once, any other
  // when it is next needed).
  void Forget(void* Block) {
    TChunk& Chunk = ChunkOf(Block);
    --Live;
    if (--Chunk.Live != 0) return;
    if (&Chunk == Current)
      Chunk.Cursor = Chunk.Begin();
    else
      Empty.push_back(&Chunk);
  }

  void NextChunk() {
    // The rest of the chunk in use stays unused; the chunk is reused once it empties.
    if (Current != nullptr && Current->Live == 0) {
      Current->Cursor = Current->Begin();
      return;
    }
    if (!Empty.empty()) {
      Current = Empty.back();
      Empty.pop_back();
    } else {
      void* Memory = std::aligned_alloc(ChunkSize, ChunkSize);
      if (Memory == nullptr) throw std::bad_alloc();
      Chunks.emplace_back(static_cast<std::byte*>(Memory));
      Current = new (Memory) TChunk{this};
      MarkUnused(Current->Begin(), ChunkSize - HeaderSize);
    }
    Current->Cursor = Current->Begin();
  }
};

// Pools outlive their threads: a thread that ends hands its pool to the next thread that starts,
// and a figure freed late (by another thread, or by a static object at exit) still finds its
// pool. The registry is never destroyed for that reason.
class TPoolRegistry {
 public:
  TPool* Lease() {
    const std::lock_guard<std::mutex> Lock(Mutex);
    if (!Spare.empty()) {
      TPool* Pool = Spare.back();
      Spare.pop_back();
      return Pool;
    }
    Pools.push_back(std::make_unique<TPool>());
    return Pools.back().get();
  }
  void Return(TPool* Pool) {
    const std::lock_guard<std::mutex> Lock(Mutex);
    Spare.push_back(Pool);
  }

 private:
  std::mutex Mutex;
  std::vector<std::unique_ptr<TPool>> Pools;
  std::vector<TPool*> Spare;
};

TPoolRegistry& Registry() {
  // Built in place and never destroyed (see above).
  alignas(TPoolRegistry) static std::byte Storage[sizeof(TPoolRegistry)];
  static TPoolRegistry* const Instance = new (Storage) TPoolRegistry();
  return *Instance;
}

// The calling thread's pool; a plain pointer, so that it can still be read while the thread's
// objects are being destroyed.
thread_local TPool* CurrentPool = nullptr;
thread_local bool LeaseEnded = false;

struct TPoolLease {
  TPool* const Pool;
  TPoolLease() : Pool(Registry().Lease()) { CurrentPool = Pool; }
  TPoolLease(const TPoolLease&) = delete;
  TPoolLease& operator=(const TPoolLease&) = delete;
  ~TPoolLease() {
    CurrentPool = nullptr;
    LeaseEnded = true;
    Registry().Return(Pool);
  }
};

TPool& PoolForAllocation() {
  if (CurrentPool != nullptr) return *CurrentPool;
  // A figure made while the thread is ending keeps a pool of its own to the end.
  if (LeaseEnded) {
    CurrentPool = Registry().Lease();
    return *CurrentPool;
  }
  thread_local TPoolLease Lease;
  return *Lease.Pool;
}

}  // namespace

void* AllocateFigure(std::size_t Size) {
  if (Size == 0) Size = 1;
  if (Size > MaxBlock) return ::operator new(Size);
  return PoolForAllocation().Allocate(Size);
}

void ReleaseFigure(void* Block, std::size_t Size) noexcept {
  if (Block == nullptr) return;
  if (Size == 0) Size = 1;
  if (Size > MaxBlock) {
    ::operator delete(Block);
    return;
  }
  TPool* Owner = TPool::ChunkOf(Block).Owner;
  if (Owner == CurrentPool)
    Owner->Release(Block, Size);
  else
    Owner->ReleaseRemote(Block, Size);
}

TFigurePoolUse FigurePoolUse() {
  TPool& Pool = PoolForAllocation();
  if (Pool.HasRemote.load(std::memory_order_acquire)) Pool.TakeRemote();
  return {Pool.Live, Pool.Chunks.size()};
}

}  // namespace karvan
