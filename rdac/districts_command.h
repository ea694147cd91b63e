#pragma once
// rdac districts: the plug-in's district table made from the publisher's list before the
// contest, when there is no log to score yet.
#include <ostream>
#include <string>

#include "rdac/command_line.h"

namespace rdac {

struct DistrictsOptions {
  std::string listPath;
  std::string outPath;  // rda_rus.dat beside rdac when not given
  bool finish(std::string& error);
};

void declareDistrictsOptions(CLI::App& command, DistrictsOptions& options);
int runDistricts(const DistrictsOptions& options, std::ostream& out, std::ostream& err);

}  // namespace rdac
