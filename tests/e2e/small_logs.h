#pragma once
// Small logs the end-to-end tests score, written the way loggers write them.
#include <gtest/gtest.h>

#include "tests/support/scratch_dir.h"

namespace rdac::testing {

inline constexpr char kDistricts[] =
    "Test district table\r\nMA-03 Moscow\r\nSV-12 Sverdlovsk\r\nTA-04 Tatarstan\r\n";

// Own station RA3AAA (European Russia). Upper-case tags on one line per record, except a
// lower-case record that runs across lines; a comment in the header; one QSO on a band
// outside the contest, a dupe, a refused district and a portable station.
inline constexpr char kRussianLog[] =
    "Contest log <made by hand> for the tests\r\n"
    "<ADIF_VER:5>3.1.0 <PROGRAMID:4>test <EOH>\r\n"
    "<CALL:6>UA0ABC<QSO_DATE:8>20170819<TIME_ON:6>120000<BAND:3>20m<FREQ:6>14.025<MODE:2>CW"
    "<RST_SENT:3>599<RST_RCVD:3>579<STX_STRING:5>MA-03<SRX_STRING:5>sv-12"
    "<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n"
    "<CALL:6>DL1ABC<QSO_DATE:8>20170819<TIME_ON:4>1201<FREQ:6>14.030<MODE:2>CW"
    "<RST_SENT:3>599<RST_RCVD:3>599<STX_STRING:5>MA-03<SRX:3>001<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n"
    "<CALL:6>UA0ABC<QSO_DATE:8>20170819<TIME_ON:4>1202<BAND:3>20M<FREQ:6>14.026<MODE:2>CW"
    "<RST_SENT:3>599<RST_RCVD:3>599<STX_STRING:5>MA-03<SRX_STRING:5>sv-12<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n"
    "<call:6>RA3BBB\r\n<qso_date:8>20170819\r\n<time_on:4>1203\r\n<freq:5>3.700\r\n<mode:3>SSB\r\n"
    "<submode:3>LSB\r\n<rst_sent:2>59\r\n<rst_rcvd:2>59\r\n<stx_string:5>MA-03\r\n<srx_string:5>MA-03\r\n"
    "<station_callsign:6>RA3AAA\r\n<eor>\r\n"
    "<CALL:6>RA3CCC<QSO_DATE:8>20170819<TIME_ON:4>1204<BAND:3>80m<FREQ:5>3.701<MODE:3>SSB"
    "<RST_SENT:2>59<RST_RCVD:2>59<STX_STRING:5>MA-03<SRX_STRING:5>ZZ-99<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n"
    "<CALL:5>K1ABC<QSO_DATE:8>20170819<TIME_ON:4>1205<FREQ:6>10.115<MODE:2>CW"
    "<RST_SENT:3>599<RST_RCVD:3>599<STX_STRING:5>MA-03<SRX:3>005<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n"
    "<CALL:8>RA3DDD/P<QSO_DATE:8>20170819<TIME_ON:4>1206<BAND:3>40m<FREQ:5>7.012<MODE:2>CW"
    "<RST_SENT:3>599<RST_RCVD:3>599<STX_STRING:5>MA-03<SRX_STRING:5>TA-04<STATION_CALLSIGN:6>RA3AAA<EOR>\r\n";

// A scratch folder, current while the test runs, holding log.adi (kRussianLog) and
// districts.dat (kDistricts).
class SmallLogTest : public ::testing::Test {
 protected:
  stats::testing::ScratchDir dir;
  void SetUp() override {
    dir.write("log.adi", kRussianLog);
    dir.write("districts.dat", kDistricts);
  }
};

}  // namespace rdac::testing
