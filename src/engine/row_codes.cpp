// Reading the cell codes of a level row. Kept apart from building the level, as the fuzzers
// trace the comparisons of reading input bytes and not those of building figures.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/level.h"
#include "engine/support.h"

namespace karvan {

void AppendRowCodes(std::string_view s, std::vector<std::int64_t>& Codes) {
  // One walk over the row: asking for the n-th field each time would read the row from its
  // start for every cell, and a file of one row of a few megabytes would never load. The
  // fields end at the first empty one, as the n-th field of an empty or used-up rest is empty.
  std::string_view Rest = s;
  for (;;) {
    const std::size_t Comma = Rest.find(',');
    const std::string_view Field = Rest.substr(0, Comma);
    if (Field.empty()) break;
    Codes.push_back(StrToIntLoose(TrimBlanks(Field)));
    if (Comma == std::string_view::npos) break;
    Rest.remove_prefix(Comma + 1);
  }
}

std::vector<std::int64_t> ReadRowCodes(std::string_view s) {
  std::vector<std::int64_t> Codes;
  Codes.reserve(static_cast<std::size_t>(std::count(s.begin(), s.end(), ',')) + 1);
  AppendRowCodes(s, Codes);
  return Codes;
}

}  // namespace karvan
