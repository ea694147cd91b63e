#pragma once
// Amateur bands by frequency, for logs that give a frequency and no band.
#include <cstdint>
#include <string>

namespace rdac {

// The band name ("160m", "20m", "2m", ...) of a frequency in kHz; empty outside every band.
std::string bandOfKHz(uint32_t kHz);

// The lower edge in kHz of a band named as bandOfKHz names it; 0 for a band it does not know.
// Loggers give it as the frequency of a QSO logged by band only.
uint32_t lowerEdgeKHz(const std::string& band);

// An ADIF or logger band text in the plug-in's spelling: "20M" becomes "20m".
std::string normalisedBand(const std::string& band);

}  // namespace rdac
