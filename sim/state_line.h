// One line of the simulator's output: what the game shows and holds at one moment.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace karvan {
class TLCDForm;
}

namespace karvan::sim {

// The carried items and modes of the game form; a device form without them answers none.
struct TGameFlags {
  std::int64_t Keys = 0;
  bool HasMap = false;
  bool MapMode = false;
  bool Invincible = false;
};
TGameFlags ReadGameFlags(const TLCDForm& Form);

// Cell codes of what is visible in one map row, comma-separated as in level rows.
std::string VisibleRow(const TLCDForm& Form, int y);

nlohmann::ordered_json StateLine(const TLCDForm* Form, std::int64_t Clock,
                                 const std::vector<std::string>& Sounds,
                                 const std::vector<std::string>& Messages, bool Ended,
                                 bool ShowMap);

}  // namespace karvan::sim
