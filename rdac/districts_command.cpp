#include "rdac/districts_command.h"

#include <CLI/CLI.hpp>

#include <filesystem>

#include "rdac/io/file_bytes.h"
#include "rdac/io/messages.h"
#include "rdac/io/paths.h"
#include "rdac/io/process_info.h"
#include "rdac/logs/district_list.h"

namespace fs = std::filesystem;

namespace rdac {

void declareDistrictsOptions(CLI::App& command, DistrictsOptions& o) {
  command.add_option("LIST", o.listPath, "the publisher's district list, or a table of one code a line")
      ->type_name("FILE")
      ->required();
  command.add_option("--out", o.outPath, "the plug-in's table to write (default rda_rus.dat beside rdac)")
      ->type_name("FILE");
}

bool DistrictsOptions::finish(std::string&) {
  // rdac lies in the logger's Plugins folder, where the plug-in looks for its table, whatever
  // folder it was started in.
  if (outPath.empty()) outPath = textOf(pathOf(programFolder()) / "rda_rus.dat");
  return true;
}

int runDistricts(const DistrictsOptions& options, std::ostream& out, std::ostream& err) {
  std::string error;
  const auto bytes = readFileBytes(options.listPath, error);
  if (!bytes) {
    err << "rdac: " << tr("cannot read the district list {1}: {2}", {options.listPath, error}) << '\n';
    return kFailed;
  }
  const DistrictTableText table = districtTableOf(*bytes);
  const std::string note = districtTableNote(table, textOf(pathOf(options.listPath).filename()));
  const std::string outPath = textOf(pathOf(absolutePath(options.outPath)).make_preferred());
  if (table.written == 0) {
    err << "rdac: " << note << "; " << tr("{1} is left as it was", {outPath}) << '\n';
    return kFailed;
  }
  // On a fresh machine the logger's Plugins folder may not be there yet.
  std::error_code ec;
  const fs::path folder = pathOf(outPath).parent_path();
  if (!folder.empty()) fs::create_directories(folder, ec);
  if (!replaceFileBytes(outPath, table.text, error)) {
    err << "rdac: " << error << '\n';
    return kFailed;
  }
  out << note << '\n' << tr("Written to {1}", {outPath}) << '\n';
  return kOk;
}

}  // namespace rdac
