#include <iostream>
#include <string>
#include <vector>

#include "rdac/program.h"

int main(int argc, char** argv) {
  return rdac::runProgram(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
