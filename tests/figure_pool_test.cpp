// The figure pool: figures of a freed level are the storage of the next, blocks never overlap,
// and figures may be freed on another thread than the one that made them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "engine_fixture.h"
#include "sprites/figure_pool.h"

using namespace karvan;
using namespace karvan::test;

namespace {

struct TBlock {
  std::byte* Start;
  std::size_t Size;
};

std::vector<TBlock> AllocateMany(std::size_t Count, std::size_t Size, std::uint8_t Fill) {
  std::vector<TBlock> Blocks;
  for (std::size_t i = 0; i < Count; ++i) {
    auto* Start = static_cast<std::byte*>(AllocateFigure(Size));
    std::memset(Start, Fill, Size);
    Blocks.push_back({Start, Size});
  }
  return Blocks;
}

void ReleaseAll(const std::vector<TBlock>& Blocks) {
  for (const TBlock& B : Blocks) ReleaseFigure(B.Start, B.Size);
}

class FigurePool : public EngineTest {
 protected:
  void AskForEveryFigure() {
    for (const auto& Column : Form->Map)
      for (TCellRec& Cell : Column)
        for (int Kind = 0; Kind < GridCrystalCount; ++Kind) ASSERT_TRUE(Cell.Sprites[Kind]);
    for (const auto& Column : Form->SideArr)
      for (TSideCellRec& Side : Column)
        for (int Kind = 0; Kind < SideCrystalCount; ++Kind) ASSERT_TRUE(Side.Sprites[Kind]);
  }
};

}  // namespace

TEST_F(FigurePool, BlocksInUseNeverOverlapAndKeepWhatWasWritten) {
  std::vector<TBlock> Blocks;
  const std::size_t Sizes[] = {1, 8, 16, 17, 200, 232, 1000, 1024, 1025, 5000};
  for (int Round = 0; Round < 300; ++Round)
    for (std::size_t Size : Sizes) {
      auto More = AllocateMany(1, Size, static_cast<std::uint8_t>(Blocks.size()));
      Blocks.push_back(More.front());
    }
  for (std::size_t i = 0; i < Blocks.size(); ++i) {
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(Blocks[i].Start) % alignof(std::max_align_t), 0u);
    for (std::size_t k = 0; k < Blocks[i].Size; ++k)
      ASSERT_EQ(Blocks[i].Start[k], static_cast<std::byte>(static_cast<std::uint8_t>(i)))
          << "block " << i << " overwritten";
  }
  std::sort(Blocks.begin(), Blocks.end(),
            [](const TBlock& A, const TBlock& B) { return A.Start < B.Start; });
  for (std::size_t i = 1; i < Blocks.size(); ++i)
    EXPECT_LE(Blocks[i - 1].Start + Blocks[i - 1].Size, Blocks[i].Start);
  ReleaseAll(Blocks);
}

TEST_F(FigurePool, AFreedLevelIsTheStorageOfTheNext) {
  const TFigurePoolUse Before = FigurePoolUse();
  LoadRows(BlankRows(40, 24));
  EXPECT_EQ(FigurePoolUse().LiveBlocks, Before.LiveBlocks) << "a blank level makes no figure";
  AskForEveryFigure();
  const TFigurePoolUse Loaded = FigurePoolUse();
  // Eleven figures a cell once asked for and thirty-four a screen, each in a block of the pool.
  EXPECT_EQ(Loaded.LiveBlocks - Before.LiveBlocks, 40u * 24u * 11u + 8u * 6u * 34u);
  Form->ClearGrid();
  EXPECT_EQ(FigurePoolUse().LiveBlocks, Before.LiveBlocks);
  for (int Load = 0; Load < 5; ++Load) {
    LoadRows(BlankRows(40, 24));
    AskForEveryFigure();
    Form->ClearGrid();
  }
  EXPECT_EQ(FigurePoolUse().Chunks, Loaded.Chunks) << "loading again took new memory";
}

TEST_F(FigurePool, FiguresFreedOnAnotherThreadReturnToTheirPool) {
  const TFigurePoolUse Before = FigurePoolUse();
  std::vector<TBlock> Blocks = AllocateMany(5000, 200, 7);
  const TFigurePoolUse Allocated = FigurePoolUse();
  std::thread Other([&Blocks] { ReleaseAll(Blocks); });
  Other.join();
  EXPECT_EQ(FigurePoolUse().LiveBlocks, Before.LiveBlocks);
  // The blocks are this thread's again: as many once more take no new chunk.
  Blocks = AllocateMany(5000, 200, 9);
  EXPECT_EQ(FigurePoolUse().Chunks, Allocated.Chunks);
  ReleaseAll(Blocks);
}

TEST_F(FigurePool, FiguresOfAThreadThatEndedCanStillBeFreed) {
  std::vector<TBlock> Blocks;
  std::size_t WorkerChunks = 0;
  std::thread Worker([&] {
    Blocks = AllocateMany(3000, 120, 3);
    WorkerChunks = FigurePoolUse().Chunks;
  });
  Worker.join();
  ASSERT_GT(WorkerChunks, 0u);
  for (const TBlock& B : Blocks)
    for (std::size_t k = 0; k < B.Size; ++k) ASSERT_EQ(B.Start[k], std::byte{3});
  ReleaseAll(Blocks);
  // A new thread takes over an ended thread's pool rather than starting empty.
  std::size_t ChunksAtStart = 0;
  std::thread Next([&] { ChunksAtStart = FigurePoolUse().Chunks; });
  Next.join();
  EXPECT_GT(ChunksAtStart, 0u);
}
