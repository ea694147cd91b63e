#include "rdac/districts_command.h"

#include <CLI/CLI.hpp>

#include <filesystem>

#include "rdac/io/file_bytes.h"
#include "rdac/io/paths.h"
#include "rdac/logs/district_list.h"

namespace fs = std::filesystem;

namespace rdac {

void declareDistrictsOptions(CLI::App& command, DistrictsOptions& o) {
  command.add_option("LIST", o.listPath, "the publisher's district list, or a table of one code a line")
      ->type_name("FILE")
      ->required();
  command.add_option("--out", o.outPath, "the plug-in's table to write (default Plugins/rda_rus.dat)")
      ->type_name("FILE");
}

int runDistricts(const DistrictsOptions& options, std::ostream& out, std::ostream& err) {
  std::string error;
  const auto bytes = readFileBytes(options.listPath, error);
  if (!bytes) {
    err << "rdac: cannot read the district list " << options.listPath << ": " << error << '\n';
    return kFailed;
  }
  const DistrictTableText table = districtTableOf(*bytes);
  const std::string note = districtTableNote(table, textOf(pathOf(options.listPath).filename()));
  if (table.written == 0) {
    err << "rdac: " << note << "; " << options.outPath << " is left as it was\n";
    return kFailed;
  }
  // On a fresh machine the logger's Plugins folder may not be there yet.
  std::error_code ec;
  const fs::path folder = pathOf(options.outPath).parent_path();
  if (!folder.empty()) fs::create_directories(folder, ec);
  if (!replaceFileBytes(options.outPath, table.text, error)) {
    err << "rdac: " << error << '\n';
    return kFailed;
  }
  out << note << "\nWritten to " << options.outPath << '\n';
  return kOk;
}

}  // namespace rdac
