#include <iostream>
#include <string>
#include <vector>

#include "sim/sim_main.h"

int main(int argc, char** argv) {
  std::vector<std::string> Args(argv + 1, argv + argc);
  return karvan::sim::SimMain(Args, std::cout, std::cerr);
}
