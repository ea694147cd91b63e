#pragma once
// Amateur bands by frequency, for logs that give a frequency and no band.
#include <cstdint>
#include <string>

namespace rdac {

// The band name ("160m", "20m", "2m", ...) of a frequency in kHz; empty outside every band.
std::string bandOfKHz(uint32_t kHz);

// A frequency this close past a band's edge was meant for that band: a slip of the dial or of
// the keyboard, which the cross-check pairs as the band's QSO.
constexpr uint32_t kBandEdgeSlackKHz = 10;
// The band of a frequency, or of the band whose edge lies within the slack.
std::string bandNearKHz(uint32_t kHz);

// The lower edge in kHz of a band named as bandOfKHz names it; 0 for a band it does not know.
// Loggers give it as the frequency of a QSO logged by band only.
uint32_t lowerEdgeKHz(const std::string& band);

// An ADIF or logger band text in the plug-in's spelling: "20M" becomes "20m".
std::string normalisedBand(const std::string& band);

}  // namespace rdac
