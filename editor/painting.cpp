#include "painting.h"

#include <cmath>

namespace karvan::editor {

EdgeChoice NearestEdge(double x, double y) {
  const double Cx = std::floor(x);
  const double Cy = std::floor(y);
  const double Fx = x - Cx;
  const double Fy = y - Cy;
  const int Ix = static_cast<int>(Cx);
  const int Iy = static_cast<int>(Cy);
  // Distances to the left, right, top and bottom edges.
  const double Left = Fx;
  const double Right = 1.0 - Fx;
  const double Top = Fy;
  const double Bottom = 1.0 - Fy;
  const double Vertical = std::min(Left, Right);
  const double Horizontal = std::min(Top, Bottom);
  if (Vertical <= Horizontal) return {{Left <= Right ? Ix : Ix + 1, Iy}, true};
  return {{Ix, Top <= Bottom ? Iy : Iy + 1}, false};
}

std::optional<ToolTarget> TargetAt(const LevelDocument& Document, Tool T, double x, double y) {
  if (x < 0 || y < 0) return std::nullopt;
  if (StandsOnEdge(T)) {
    const EdgeChoice Edge = NearestEdge(x, y);
    if (!Document.Contains(Edge.Cell)) return std::nullopt;
    return ToolTarget{Edge.Cell, Edge.Vertical};
  }
  const TPoint Cell{static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
  if (!Document.Contains(Cell)) return std::nullopt;
  return ToolTarget{Cell, true};
}

namespace {

constexpr CellCode SwitchBits = KindBit(gcSwitchUp) | KindBit(gcSwitchDown) | KindBit(gcSwitchBase);

CellCode Changed(CellCode Code, Tool T, bool Vertical, bool Add) {
  const CellCode Wall = KindBit(Vertical ? gcWallVert : gcWallHorz);
  const CellCode Lock = KindBit(Vertical ? gcLockVert : gcLockHorz);
  switch (T) {
    case Tool::Wall:
      // A lock sits in its wall: without the wall it would be a door in nothing.
      return Add ? Code | Wall : Code & ~(Wall | Lock);
    case Tool::Lock:
      return Add ? Code | Wall | Lock : Code & ~Lock;
    case Tool::Hero:
      return Add ? Code | KindBit(gcHero) : Code & ~KindBit(gcHero);
    case Tool::Scorpion:
      return Add ? Code | KindBit(gcScorpion) : Code & ~KindBit(gcScorpion);
    case Tool::Gold:
      return Add ? Code | KindBit(gcGold) : Code & ~KindBit(gcGold);
    case Tool::Key:
      return Add ? Code | KindBit(gcKey) : Code & ~KindBit(gcKey);
    case Tool::SwitchUp:
      return Add ? (Code & ~SwitchBits) | KindBit(gcSwitchUp) | KindBit(gcSwitchBase)
                 : Code & ~SwitchBits;
    case Tool::SwitchDown:
      return Add ? (Code & ~SwitchBits) | KindBit(gcSwitchDown) | KindBit(gcSwitchBase)
                 : Code & ~SwitchBits;
    case Tool::Eraser:
      return 0;
  }
  return Code;
}

}  // namespace

bool ApplyTool(LevelDocument& Document, Tool T, const ToolTarget& Target, bool Add) {
  const TPoint C = Target.Cell;
  if (!Document.Contains(C)) return false;
  const CellCode Before = Document.Code(C.X, C.Y);
  if (T == Tool::Hero && Add) {
    // The map holds one hero: placing it moves the start.
    const LevelDocument Copy = Document;
    Document.SetHeroStart(C.X, C.Y);
    return !(Copy == Document);
  }
  const CellCode After = Changed(Before, T, Target.Vertical, Add);
  if (After == Before) return false;
  Document.SetCode(C.X, C.Y, After);
  return true;
}

bool FillArea(LevelDocument& Document, Tool T, const CellRect& Area, bool Add, bool Vertical) {
  if (T == Tool::Hero && Add) {
    // One hero: the area's top-left cell becomes the start.
    return ApplyTool(Document, T, {{Area.X, Area.Y}, true}, true);
  }
  bool Any = false;
  for (int y = Area.Y; y < Area.Y + Area.Height; ++y)
    for (int x = Area.X; x < Area.X + Area.Width; ++x)
      Any = ApplyTool(Document, T, {{x, y}, Vertical}, Add) || Any;
  return Any;
}

}  // namespace karvan::editor
