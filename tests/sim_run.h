// Runs the simulator in-process and answers its state lines.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/sim_main.h"

namespace karvan::test {

inline std::vector<nlohmann::json> RunSim(const std::vector<std::string>& Args) {
  std::ostringstream Out;
  std::ostringstream Err;
  EXPECT_EQ(sim::SimMain(Args, Out, Err), 0) << Err.str();
  std::vector<nlohmann::json> Lines;
  std::istringstream In(Out.str());
  for (std::string Line; std::getline(In, Line);) Lines.push_back(nlohmann::json::parse(Line));
  return Lines;
}

}  // namespace karvan::test
