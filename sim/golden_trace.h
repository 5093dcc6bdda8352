// Golden traces: what the game shows every 10 ms of a run, kept as one digest per virtual second,
// so that a change meant to leave the game alone can prove that it did.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace karvan::sim {

// How often a traced run prints its state line (virtual ms).
inline constexpr std::int64_t TraceInterval = 10;

struct TGoldenTrace {
  // karvan-sim's arguments; paths in them are relative to the repository's root.
  std::vector<std::string> Args;
  // FNV-1a 64 of the state lines (each with its newline) whose t falls in second i.
  std::vector<std::uint64_t> Seconds;
};

// Runs karvan-sim with Args (relative paths resolved against Root) and a state line with the
// map every TraceInterval ms, and digests them per virtual second. Throws std::runtime_error
// when the simulator refuses the arguments. With Sleep the run skips the passes the game says
// change nothing, as a sleeping desktop does; the trace must come out the same.
TGoldenTrace RecordTrace(const std::vector<std::string>& Args, const std::filesystem::path& Root,
                         bool Sleep = false);

// The trace file: a comment, the line "args ..." and one "<second> <16 hex digits>" per second.
void WriteTrace(std::ostream& Out, const TGoldenTrace& Trace);
// Throws std::runtime_error naming the line of a malformed file.
TGoldenTrace ReadTrace(std::istream& In, const std::string& Name);

// Nothing when both agree; otherwise the first second that differs, in words.
std::optional<std::string> CompareTraces(const TGoldenTrace& Recorded, const TGoldenTrace& Now);

}  // namespace karvan::sim
