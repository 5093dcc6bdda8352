// Storage of figure objects. A level holds up to eleven figures per map cell and thirty-four per
// screen, made as they are first needed and freed together when the level goes: the largest
// level played through has tens of thousands. The general heap pays for each one (and a checking
// build pays much more); the pool carves them from large chunks and keeps freed blocks for the
// next level, so that the figures of a level after the first cost no heap allocation at all.
//
// Each thread takes a pool of its own; a figure freed on another thread than the one that made it
// goes back to its own pool. Chunks are kept for the life of the program.
#pragma once

#include <cstddef>

namespace karvan {

void* AllocateFigure(std::size_t Size);
void ReleaseFigure(void* Block, std::size_t Size) noexcept;

struct TFigurePoolUse {
  // Blocks of this thread's pool now in use, and chunks it holds.
  std::size_t LiveBlocks = 0;
  std::size_t Chunks = 0;
};
// The calling thread's pool.
TFigurePoolUse FigurePoolUse();

}  // namespace karvan
