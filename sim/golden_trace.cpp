#include "sim/golden_trace.h"

#include <charconv>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <streambuf>

#include "sim/sim_main.h"

namespace karvan::sim {

namespace {

constexpr std::uint64_t FnvBasis = 0xcbf29ce484222325ull;
constexpr std::uint64_t FnvPrime = 0x100000001b3ull;
const std::string TimePrefix = "{\"t\":";
const std::string ArgsPrefix = "args ";

// Takes the simulator's output line by line and folds each into the digest of its second, so
// that hours of state lines with the map never sit in memory at once.
class DigestBuffer : public std::streambuf {
 public:
  std::vector<std::uint64_t> Seconds;

 protected:
  int_type overflow(int_type Char) override {
    if (traits_type::eq_int_type(Char, traits_type::eof())) return traits_type::not_eof(Char);
    Take(traits_type::to_char_type(Char));
    return Char;
  }
  std::streamsize xsputn(const char* Text, std::streamsize Count) override {
    for (std::streamsize i = 0; i < Count; ++i) Take(Text[i]);
    return Count;
  }

 private:
  void Take(char Char) {
    Line += Char;
    if (Char == '\n') Finish();
  }

  void Finish() {
    std::int64_t Time = 0;
    if (Line.rfind(TimePrefix, 0) != 0 ||
        std::from_chars(Line.data() + TimePrefix.size(), Line.data() + Line.size(), Time).ec !=
            std::errc{} ||
        Time < 0)
      throw std::runtime_error("state line without a time: " + Line.substr(0, 80));
    const auto Second = static_cast<std::size_t>(Time / 1000);
    if (Seconds.size() <= Second) Seconds.resize(Second + 1, FnvBasis);
    std::uint64_t Hash = Seconds[Second];
    for (const char Char : Line) {
      Hash ^= static_cast<unsigned char>(Char);
      Hash *= FnvPrime;
    }
    Seconds[Second] = Hash;
    Line.clear();
  }

  std::string Line;
};

bool TakesPath(const std::string& Option) {
  return Option == "--script" || Option == "--custom";
}

std::string Hex(std::uint64_t Value) {
  char Text[17];
  std::snprintf(Text, sizeof Text, "%016llx", static_cast<unsigned long long>(Value));
  return Text;
}

}  // namespace

TGoldenTrace RecordTrace(const std::vector<std::string>& Args, const std::filesystem::path& Root,
                         bool Sleep) {
  std::vector<std::string> SimArgs;
  for (std::size_t i = 0; i < Args.size(); ++i) {
    std::string Arg = Args[i];
    if (i > 0 && TakesPath(Args[i - 1]) && std::filesystem::path(Arg).is_relative())
      Arg = (Root / Arg).string();
    SimArgs.push_back(Arg);
  }
  SimArgs.push_back("--map");
  DigestBuffer Digests;
  std::ostream Out(&Digests);
  std::ostringstream Err;
  if (SimMain(SimArgs, Out, Err, TraceInterval, Sleep) != 0)
    throw std::runtime_error("karvan-sim refused the run: " + Err.str());
  Out.flush();
  return {Args, std::move(Digests.Seconds)};
}

void WriteTrace(std::ostream& Out, const TGoldenTrace& Trace) {
  Out << "# Golden trace: FNV-1a 64 of each virtual second's state lines (with the map, one every "
      << TraceInterval << " ms) of karvan-sim run with the arguments below.\n";
  Out << "args";
  for (const std::string& Arg : Trace.Args) Out << ' ' << Arg;
  Out << '\n';
  for (std::size_t Second = 0; Second < Trace.Seconds.size(); ++Second)
    Out << Second << ' ' << Hex(Trace.Seconds[Second]) << '\n';
}

TGoldenTrace ReadTrace(std::istream& In, const std::string& Name) {
  TGoldenTrace Trace;
  bool HasArgs = false;
  int LineNr = 0;
  const auto Fail = [&](const std::string& What) {
    throw std::runtime_error(Name + ":" + std::to_string(LineNr) + ": " + What);
  };
  for (std::string Line; std::getline(In, Line);) {
    ++LineNr;
    if (Line.empty() || Line[0] == '#') continue;
    if (Line.rfind(ArgsPrefix, 0) == 0) {
      std::istringstream Words(Line.substr(ArgsPrefix.size()));
      for (std::string Word; Words >> Word;) Trace.Args.push_back(Word);
      HasArgs = true;
      continue;
    }
    std::size_t Second = 0;
    std::uint64_t Digest = 0;
    const char* End = Line.data() + Line.size();
    auto [AfterSecond, SecondError] = std::from_chars(Line.data(), End, Second);
    if (SecondError != std::errc{} || AfterSecond == End || *AfterSecond != ' ')
      Fail("expected '<second> <digest>'");
    auto [AfterDigest, DigestError] = std::from_chars(AfterSecond + 1, End, Digest, 16);
    if (DigestError != std::errc{} || AfterDigest != End) Fail("bad digest");
    if (Second != Trace.Seconds.size()) Fail("seconds must count up from 0");
    Trace.Seconds.push_back(Digest);
  }
  if (!HasArgs) Fail("no 'args' line");
  return Trace;
}

std::optional<std::string> CompareTraces(const TGoldenTrace& Recorded, const TGoldenTrace& Now) {
  if (Recorded.Args != Now.Args) return "the runs have different arguments";
  const std::size_t Common = std::min(Recorded.Seconds.size(), Now.Seconds.size());
  for (std::size_t Second = 0; Second < Common; ++Second)
    if (Recorded.Seconds[Second] != Now.Seconds[Second])
      return "first difference in virtual second " + std::to_string(Second) + " (" +
             std::to_string(Second * 1000) + " to " + std::to_string(Second * 1000 + 999) +
             " ms): recorded " + Hex(Recorded.Seconds[Second]) + ", now " +
             Hex(Now.Seconds[Second]);
  if (Recorded.Seconds.size() != Now.Seconds.size())
    return "the run lasts " + std::to_string(Now.Seconds.size()) + " virtual seconds, recorded " +
           std::to_string(Recorded.Seconds.size());
  return std::nullopt;
}

}  // namespace karvan::sim
