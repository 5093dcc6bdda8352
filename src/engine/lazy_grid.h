// The records of a level grid (map cells, or side scenes of screens), read column by column as
// Grid[x][y]. A level file of the largest size names twenty thousand cells, and one long row
// widens every row: most of such a map can be screens nothing is in and nothing ever looks at.
// The grid therefore keeps its records in blocks of Width x Height (a screen, for the map) and
// makes a block the first time one of its records is asked for. Reading and building a level then
// costs what its rows name, not its area, and a record once made never moves: figures and the
// grid's own checks may keep its address.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace karvan {

class TLCDForm;

template <class TRec, std::size_t Width, std::size_t Height>
class TLazyGrid {
  static_assert(Width > 0 && Height > 0);

 public:
  // One column of the grid; its records are made when first asked for.
  class TColumn {
   public:
    TRec& operator[](std::size_t y) const { return Grid->At(x, y); }
    std::size_t size() const { return Grid->Rows; }
    bool empty() const { return Grid->Rows == 0; }

    // A walk over the column makes every record of it.
    class iterator {
     public:
      TRec& operator*() const { return Grid->At(x, y); }
      iterator& operator++() {
        ++y;
        return *this;
      }
      bool operator==(const iterator&) const = default;

     private:
      friend class TColumn;
      iterator(const TLazyGrid* GridParam, std::size_t xParam, std::size_t yParam)
          : Grid(GridParam), x(xParam), y(yParam) {}
      const TLazyGrid* Grid;
      std::size_t x;
      std::size_t y;
    };
    iterator begin() const { return iterator(Grid, x, 0); }
    iterator end() const { return iterator(Grid, x, Grid->Rows); }

   private:
    friend class TLazyGrid;
    TColumn(const TLazyGrid& GridParam, std::size_t xParam) : Grid(&GridParam), x(xParam) {}
    const TLazyGrid* Grid;
    std::size_t x;
  };

  TLazyGrid() = default;
  TLazyGrid(const TLazyGrid&) = delete;
  TLazyGrid& operator=(const TLazyGrid&) = delete;
  // A grid moved away is left empty.
  TLazyGrid(TLazyGrid&& Other) noexcept { *this = std::move(Other); }
  TLazyGrid& operator=(TLazyGrid&& Other) noexcept {
    if (this != &Other) {
      Owner = Other.Owner;
      Columns = std::exchange(Other.Columns, 0);
      Rows = std::exchange(Other.Rows, 0);
      BlockRowsKept = std::exchange(Other.BlockRowsKept, 0);
      Blocks = std::move(Other.Blocks);
      Other.Blocks.clear();
    }
    return *this;
  }

  // The number of columns.
  std::size_t size() const { return Columns; }
  bool empty() const { return Columns == 0; }
  // The number of rows, the same in every column.
  std::size_t RowCount() const { return Rows; }
  TColumn operator[](std::size_t x) const { return TColumn(*this, x); }

  // A walk over every column makes every record; ForEachMade visits only those made.
  class iterator {
   public:
    TColumn operator*() const { return TColumn(*Grid, x); }
    iterator& operator++() {
      ++x;
      return *this;
    }
    bool operator==(const iterator&) const = default;

   private:
    friend class TLazyGrid;
    iterator(const TLazyGrid* GridParam, std::size_t xParam) : Grid(GridParam), x(xParam) {}
    const TLazyGrid* Grid;
    std::size_t x;
  };
  iterator begin() const { return iterator(this, 0); }
  iterator end() const { return iterator(this, Columns); }

  // The record at (x, y) if it was made already; nothing outside the grid, or where nothing has
  // asked for a record of that block yet (every figure of such a record is absent).
  TRec* Made(std::size_t x, std::size_t y) const {
    if (x >= Columns || y >= Rows) return nullptr;
    const std::unique_ptr<TBlock>& Block = Blocks[BlockIndex(x, y)];
    return Block ? &Block->Recs[InBlock(x, y)] : nullptr;
  }

  // Makes the grid at least ColumnsParam x RowsParam; the records of the form's grid make their
  // figures with Form's factories.
  void Grow(TLCDForm& Form, std::size_t ColumnsParam, std::size_t RowsParam) {
    Owner = &Form;
    if (RowsParam > BlockRowsKept * Height)
      KeepBlockRows(std::max(BlocksFor(RowsParam, Height), 2 * BlockRowsKept));
    Rows = std::max(Rows, RowsParam);
    Columns = std::max(Columns, ColumnsParam);
    Blocks.resize(BlocksFor(Columns, Width) * BlockRowsKept);
  }
  // Room for RowsParam rows in every column, for a caller that knows how many rows will come.
  void ReserveRows(std::size_t RowsParam) {
    if (RowsParam > BlockRowsKept * Height) KeepBlockRows(BlocksFor(RowsParam, Height));
  }

  void clear() {
    Blocks.clear();
    Columns = 0;
    Rows = 0;
    BlockRowsKept = 0;
  }

  // Visits every record made, block by block.
  template <class TVisit>
  void ForEachMade(TVisit&& Visit) const {
    for (const std::unique_ptr<TBlock>& Block : Blocks)
      if (Block)
        for (TRec& Rec : Block->Recs) Visit(Rec);
  }

 private:
  struct TBlock {
    std::array<TRec, Width * Height> Recs;
  };

  static std::size_t BlocksFor(std::size_t Count, std::size_t Size) {
    return (Count + Size - 1) / Size;
  }
  // Blocks are kept column of blocks by column of blocks, so that a longer row only appends.
  std::size_t BlockIndex(std::size_t x, std::size_t y) const {
    return x / Width * BlockRowsKept + y / Height;
  }
  static std::size_t InBlock(std::size_t x, std::size_t y) {
    return x % Width * Height + y % Height;
  }

  // Lays the blocks out for Count block rows per block column; blocks keep their records.
  void KeepBlockRows(std::size_t Count) {
    if (Count <= BlockRowsKept) return;
    std::vector<std::unique_ptr<TBlock>> Laid(BlocksFor(Columns, Width) * Count);
    for (std::size_t bx = 0; BlockRowsKept > 0 && bx < Laid.size() / Count; ++bx)
      for (std::size_t by = 0; by < BlockRowsKept; ++by)
        Laid[bx * Count + by] = std::move(Blocks[bx * BlockRowsKept + by]);
    Blocks = std::move(Laid);
    BlockRowsKept = Count;
  }

  TRec& At(std::size_t x, std::size_t y) const {
    const std::unique_ptr<TBlock>& Block = Blocks[BlockIndex(x, y)];
    return (Block ? *Block : MakeBlock(x, y)).Recs[InBlock(x, y)];
  }
  // Kept out of line: the game asks for cells in every pass, and makes a block once.
  [[gnu::noinline]] TBlock& MakeBlock(std::size_t x, std::size_t y) const {
    std::unique_ptr<TBlock>& Block = Blocks[BlockIndex(x, y)];
    Block = std::make_unique<TBlock>();
    const std::size_t x0 = x / Width * Width;
    const std::size_t y0 = y / Height * Height;
    for (std::size_t i = 0; i < Width; ++i)
      for (std::size_t j = 0; j < Height; ++j)
        Block->Recs[i * Height + j].Sprites.Place(*Owner, static_cast<int>(x0 + i),
                                                  static_cast<int>(y0 + j));
    return *Block;
  }

  TLCDForm* Owner = nullptr;
  std::size_t Columns = 0;
  std::size_t Rows = 0;
  // Block rows laid out per block column (at least the rows' blocks).
  std::size_t BlockRowsKept = 0;
  // Asking for a record makes its block: that changes nothing anyone can see.
  mutable std::vector<std::unique_ptr<TBlock>> Blocks;
};

}  // namespace karvan
