// Stones of the side scenes. A stone is shown with a direction and a start time; one step
// time later its step takes it away again, so it is seen for one step time.
#pragma once

#include "sprites/side_sprite.h"

namespace karvan {

// The stone dropped from the platform onto the snake.
class TStoneSprite : public TSideSprite {
 public:
  using TSideSprite::TSideSprite;

  bool Move(TPos MoveDir, bool Forced) override;
};

// The stone thrown along the top at the big spider.
class TStoneLeftSprite : public TStoneSprite {
 public:
  using TStoneSprite::TStoneSprite;

  bool Move(TPos MoveDir, bool Forced) override;
};

}  // namespace karvan
