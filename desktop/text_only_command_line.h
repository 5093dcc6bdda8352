// Whether a program's command line asks only for text (help or version). That answer needs no
// display, so a program asked for it must not fail on a terminal without one: it starts Qt on the
// offscreen platform instead.
#pragma once

#include <string_view>

namespace karvan::desktop {

inline bool AsksOnlyForText(int argc, char* argv[]) {
  for (int I = 1; I < argc; ++I) {
    const std::string_view Arg(argv[I]);
    if (Arg == "-h" || Arg == "--help" || Arg == "--help-all" || Arg == "-v" || Arg == "--version")
      return true;
  }
  return false;
}

}  // namespace karvan::desktop
