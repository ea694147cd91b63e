// The Cabrillo header dialog and the "Output" box as an operator meets them: the real template
// and dialog code, linked into this program with the export's own code, answered from a second
// thread. The export entry points are called directly, as the reset and the result call them.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "platform/text.h"
#include "plugin/cabrillo_export.h"
#include "resources/resource_ids.h"
#include "tests/support/log_records.h"
#include "tests/support/modal_driver_win.h"
#include "tests/support/plugin_state_reset.h"
#include "tests/support/screenshot_win.h"

namespace stats {
namespace {

using testing::ModalDriver;

// A scratch current folder with an empty Plugins folder, as the host's folder has.
class CabrilloDialogFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectoryA(MAX_PATH, previous_);
    CreateDirectoryA("cabrillo_dialog_test", nullptr);
    SetCurrentDirectoryA("cabrillo_dialog_test");
    CreateDirectoryA("Plugins", nullptr);
    DeleteFileA("Plugins\\RDA.ini");
    DeleteFileA("R1ABC_P.cbr");
    resetPluginStateForTests();
    StateLock lock;
    lock.state().log.exportFlag = 1;
  }
  void TearDown() override {
    DeleteFileA("Plugins\\RDA.ini");
    DeleteFileA("R1ABC_P.cbr");
    RemoveDirectoryA("Plugins");
    SetCurrentDirectoryA(previous_);
    RemoveDirectoryA("cabrillo_dialog_test");
  }

  static void setting(const char* key, const char* value) {
    WritePrivateProfileStringA("Settings", key, value, "Plugins\\RDA.ini");
  }
  static std::string setting(const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA("Settings", key, "<missing>", value, sizeof value, "Plugins\\RDA.ini");
    return value;
  }
  static std::string fileBytes(const char* name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

 private:
  char previous_[MAX_PATH] = {};
};

std::string itemText(HWND dialog, int id) {
  char text[512] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::vector<std::string> comboList(HWND dialog, int id) {
  std::vector<std::string> entries;
  const LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[64] = {};
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    entries.push_back(text);
  }
  return entries;
}

struct Placed {
  int id, x, y, width, height;
  bool combo;  // a combo box's window is as high as its closed box, not its list
};

const Placed kTemplate[] = {
    {IDC_CABRILLO_CONTEST, 55, 9, 190, 12, false},
    {IDC_CABRILLO_CALLSIGN, 55, 23, 88, 12, false},
    {IDC_CABRILLO_CLAIMED, 184, 23, 61, 12, false},
    {IDC_CABRILLO_CATEGORY_OPERATOR, 96, 39, 69, 42, true},
    {IDC_CABRILLO_LOCATION, 209, 39, 36, 13, false},
    {IDC_CABRILLO_CATEGORY_BAND, 95, 53, 70, 88, true},
    {IDC_CABRILLO_CATEGORY_MODE, 96, 67, 70, 56, true},
    {IDC_CABRILLO_CATEGORY_POWER, 96, 81, 70, 88, true},
    {IDC_CABRILLO_CATEGORY_STATION, 96, 94, 70, 48, true},
    {IDC_CABRILLO_CATEGORY_TRANSMITTER, 105, 108, 59, 37, true},
    {IDC_CABRILLO_NAME, 55, 122, 191, 12, false},
    {IDC_CABRILLO_ADDRESS, 55, 136, 191, 12, false},
    {IDC_CABRILLO_ADDRESS_CITY, 65, 150, 181, 12, false},
    {IDC_CABRILLO_ADDRESS_POSTALCODE, 97, 164, 149, 12, false},
    {IDC_CABRILLO_ADDRESS_COUNTRY, 97, 177, 149, 12, false},
    {IDC_CABRILLO_OPERATORS, 55, 191, 191, 12, false},
    {IDC_CABRILLO_CLUB, 55, 205, 191, 12, false},
    {IDC_CABRILLO_SOAPBOX, 55, 219, 191, 31, false},
    {IDC_CABRILLO_EMAIL, 55, 251, 191, 12, false},
    {IDOK, 80, 265, 51, 21, false},
    {IDCANCEL, 145, 265, 46, 21, false},
};

// Where each control stands against where the template puts it, in pixels; empty when all fit.
std::vector<std::string> misplacedControls(HWND dialog) {
  std::vector<std::string> wrong;
  for (const Placed& p : kTemplate) {
    // The dialog manager converts the origin and the size separately, each rounded on its own.
    RECT want = {p.x, p.y, p.width, p.height};
    MapDialogRect(dialog, &want);
    want.right += want.left;
    want.bottom += want.top;
    RECT got;
    HWND control = GetDlgItem(dialog, p.id);
    if (!control) {
      wrong.push_back(std::to_string(p.id) + " missing");
      continue;
    }
    GetWindowRect(control, &got);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
    const bool fits = got.left == want.left && got.top == want.top && got.right == want.right &&
                      (p.combo || got.bottom == want.bottom);
    if (!fits) wrong.push_back(std::to_string(p.id) + " at " + std::to_string(got.left) + "," +
                               std::to_string(got.top));
  }
  return wrong;
}

struct DialogLook {
  std::map<int, std::string> texts;
  std::map<int, std::vector<std::string>> lists;
  std::vector<std::string> misplaced;
  bool transmitterSorted = false;
  bool soapboxTakesEnter = false;
  RECT client = {}, expectedClient = {};
  std::string fontFace;
};

DialogLook look(HWND dialog) {
  DialogLook seen;
  for (const Placed& p : kTemplate) {
    seen.texts[p.id] = itemText(dialog, p.id);
    if (p.combo) seen.lists[p.id] = comboList(dialog, p.id);
  }
  seen.misplaced = misplacedControls(dialog);
  seen.transmitterSorted =
      GetWindowLongA(GetDlgItem(dialog, IDC_CABRILLO_CATEGORY_TRANSMITTER), GWL_STYLE) & CBS_SORT;
  const LONG soapboxStyle = GetWindowLongA(GetDlgItem(dialog, IDC_CABRILLO_SOAPBOX), GWL_STYLE);
  const LONG wanted = ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL;
  seen.soapboxTakesEnter = (soapboxStyle & wanted) == wanted;
  GetClientRect(dialog, &seen.client);
  seen.expectedClient = {0, 0, 255, 298};
  MapDialogRect(dialog, &seen.expectedClient);
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
  seen.fontFace = font.lfFaceName;
  return seen;
}

TEST_F(CabrilloDialogFolder, ShowsTheSettingsAndOkSavesWhatTheOperatorTyped) {
  setting("Name", "Ivan Petrov");
  setting("Address-City", "Saint Petersburg");
  setting("Claimed", "1234");
  setting("Club", "Russian Contest Club");
  setting("Email", "r1abc@example.org");
  setting("SoapBox", "Good contest<CR><LF>73 to all");
  setting("Category", "multi-op");  // none of the list's entries: the dialog starts on SINGLE-OP

  DialogLook seen;
  ModalDriver driver(GetCurrentThreadId(), IDOK, [&](HWND dialog) {
    Sleep(150);  // let the first paint finish before the picture is taken
    testing::saveScreenshot(dialog, "cabrillo");
    seen = look(dialog);
    SetDlgItemTextA(dialog, IDC_CABRILLO_NAME, "Petr Ivanov");
    SetDlgItemTextA(dialog, IDC_CABRILLO_CLAIMED, "99999");
    SetDlgItemTextA(dialog, IDC_CABRILLO_SOAPBOX, "Line one\r\nLine two");
    SendDlgItemMessageA(dialog, IDC_CABRILLO_CATEGORY_OPERATOR, CB_SETCURSEL, 1, 0);
    SetDlgItemTextA(dialog, IDC_CABRILLO_CATEGORY_POWER, "LOW");  // typed, not picked
  });
  {
    StateLock lock;
    prepareExport(lock, "R1ABC/P", COleDateTime::fromParts(2017, 12, 16, 14),
                  COleDateTime::fromParts(2017, 12, 17, 13, 59));
  }
  ASSERT_TRUE(driver.seen().found);
  EXPECT_EQ(driver.seen().caption, "RDAC");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_CONTEST], "RDAC");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_CALLSIGN], "R1ABC/P");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_OPERATORS], "R1ABC/P");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_CLAIMED], "1234");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_NAME], "Ivan Petrov");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_SOAPBOX], "Good contest\r\n73 to all");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_CATEGORY_OPERATOR], "SINGLE-OP");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_CATEGORY_TRANSMITTER], "ONE");
  EXPECT_EQ(seen.texts[IDOK], "OK");
  EXPECT_EQ(seen.texts[IDCANCEL], "CANCEL");
  using List = std::vector<std::string>;
  EXPECT_EQ(seen.lists[IDC_CABRILLO_CATEGORY_OPERATOR], (List{"SINGLE-OP", "MULTI-OP", "CHECKLOG"}));
  EXPECT_EQ(seen.lists[IDC_CABRILLO_CATEGORY_BAND],
            (List{"ALL", "160M", "80M", "40M", "20M", "15M", "10M"}));
  EXPECT_EQ(seen.lists[IDC_CABRILLO_CATEGORY_MODE], (List{"CW", "SSB", "MIXED"}));
  EXPECT_EQ(seen.lists[IDC_CABRILLO_CATEGORY_POWER], (List{"HIGH", "LOW", "QRP"}));
  EXPECT_EQ(seen.lists[IDC_CABRILLO_CATEGORY_STATION], (List{"FIXED", "PORTABLE"}));
  EXPECT_EQ(seen.lists[IDC_CABRILLO_CATEGORY_TRANSMITTER], (List{"ONE", "TWO", "UNLIMITED"}));
  EXPECT_TRUE(seen.transmitterSorted);
  EXPECT_TRUE(seen.soapboxTakesEnter);
  EXPECT_TRUE(seen.misplaced.empty()) << ::testing::PrintToString(seen.misplaced);
  EXPECT_EQ(seen.client.right, seen.expectedClient.right);
  EXPECT_EQ(seen.client.bottom, seen.expectedClient.bottom);
  EXPECT_EQ(seen.fontFace, "MS Sans Serif");

  EXPECT_EQ(setting("Name"), "Petr Ivanov");
  EXPECT_EQ(setting("Category"), "MULTI-OP");
  EXPECT_EQ(setting("Power"), "LOW");
  EXPECT_EQ(setting("SoapBox"), "Line one<CR><LF>Line two");
  EXPECT_EQ(setting("Claimed"), "1234");
  EXPECT_EQ(setting("Mode"), "CW");

  // The next result writes the file and reports it in a box that leaves the state free.
  bool lockFreeDuringBox = false;
  ModalDriver box(GetCurrentThreadId(), IDOK, [&](HWND) {
    lockFreeDuringBox = stateMutex().try_lock();
    if (lockFreeDuringBox) stateMutex().unlock();
  });
  {
    StateLock lock;
    CInfo qso;
    qso.call = "UA3AAA";
    qso.freqKHz = 3512;
    qso.mode = "CW";
    qso.qsoTime = COleDateTime::fromParts(2017, 12, 16, 14, 1);
    qso.rstSent = qso.rstRcvd = "599";
    qso.exchSent = "SP-01";
    qso.exchRcvd = "MO-12";
    appendRecord(lock.state().log.qsoLog, qso);
    lock.state().result.claimedScore = 77;
    lock.state().log.hostVersion = "2.20";
    runCabrilloExport(lock);
  }
  ASSERT_TRUE(box.seen().found);
  EXPECT_EQ(box.seen().caption, "Output");
  bool named = false;
  for (const std::string& text : box.seen().texts) named |= text == "File produced: R1ABC_P.cbr";
  EXPECT_TRUE(named);
  EXPECT_TRUE(lockFreeDuringBox);

  const std::string file = fileBytes("R1ABC_P.cbr");
  EXPECT_NE(file.find("\r\nCATEGORY-OPERATOR: MULTI-OP\r\nCATEGORY-TRANSMITTER: ONE\r\n"
                      "OPERATORS: R1ABC/P\r\nCATEGORY-POWER: LOW\r\n"),
            std::string::npos);
  EXPECT_NE(file.find("\r\nCLAIMED-SCORE: 77\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nSOAPBOX: Line one\r\nSOAPBOX: Line two\r\n"
                      "QSO:  3512 CW 2017-12-16 1401 R1ABC/P       599 SP-01  UA3AAA        599 MO-12\r\n"
                      "END-OF-LOG:\r\n"),
            std::string::npos);
}

TEST_F(CabrilloDialogFolder, CancelKeepsTheSettingsAndCallsTheExportOff) {
  setting("Name", "Ivan Petrov");
  const std::string before = fileBytes("Plugins\\RDA.ini");
  ModalDriver driver(GetCurrentThreadId(), IDCANCEL, [](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_CABRILLO_NAME, "Petr Ivanov");
    SendDlgItemMessageA(dialog, IDC_CABRILLO_CATEGORY_OPERATOR, CB_SETCURSEL, 2, 0);
  });
  StateLock lock;
  prepareExport(lock, "R1ABC", COleDateTime(), COleDateTime());
  ASSERT_TRUE(driver.seen().found);
  EXPECT_EQ(fileBytes("Plugins\\RDA.ini"), before);
  EXPECT_EQ(lock.state().log.exportFlag, 0);
  EXPECT_EQ(lock.state().cabrilloLog.name, "Ivan Petrov");
}

// Through the real profile functions: the saved categories come back, a long soapbox stays
// whole, and no value can break out of its line of the file.
TEST_F(CabrilloDialogFolder, SavedChoicesComeBackWholeAndEveryValueStaysOnItsLine) {
  std::string soapbox;
  for (int line = 0; soapbox.size() < 1000; ++line)
    soapbox += (line ? "<CR><LF>" : "") + std::string(60, static_cast<char>('a' + line));
  const std::string settings =
      "[Settings]\r\nCategory=MULTI-OP\r\nBand=20M\r\nMode=MIXED\r\nPower=LOW\r\n"
      "Station=PORTABLE\r\nTransmitter=TWO\r\nSoapBox=" + soapbox + "\r\n"
      "Club=RCC\rQSO: 14000 CW 2017-12-16 1200 R1ABC 599 SP-01 FAKE 599 001\r\n"
      "Address=a\tb\r\nName=Ivan" + std::string(1, '\0') + "Petrov\r\n";
  std::ofstream("Plugins\\RDA.ini", std::ios::binary) << settings;

  std::map<int, std::string> shown;
  std::string shownSoapbox;
  ModalDriver driver(GetCurrentThreadId(), IDOK, [&](HWND dialog) {
    for (int id : {IDC_CABRILLO_CATEGORY_OPERATOR, IDC_CABRILLO_CATEGORY_BAND,
                   IDC_CABRILLO_CATEGORY_MODE, IDC_CABRILLO_CATEGORY_POWER,
                   IDC_CABRILLO_CATEGORY_STATION, IDC_CABRILLO_CATEGORY_TRANSMITTER})
      shown[id] = itemText(dialog, id);
    HWND box = GetDlgItem(dialog, IDC_CABRILLO_SOAPBOX);
    shownSoapbox.resize(static_cast<size_t>(GetWindowTextLengthA(box)) + 1);
    shownSoapbox.resize(GetWindowTextA(box, shownSoapbox.data(), static_cast<int>(shownSoapbox.size())));
    SetDlgItemTextA(dialog, IDC_CABRILLO_EMAIL, "x\r\nQSO: 1\nQSO: 2\rQSO: 3");
  });
  {
    StateLock lock;
    prepareExport(lock, "R1ABC/P ", COleDateTime(), COleDateTime());
  }
  ASSERT_TRUE(driver.seen().found);
  ModalDriver box(GetCurrentThreadId(), IDOK);
  {
    StateLock lock;
    lock.state().log.hostVersion = "2.20\r\nQSO: 14000 CW";
    runCabrilloExport(lock);
  }
  ASSERT_TRUE(box.seen().found);
  EXPECT_EQ(shown[IDC_CABRILLO_CATEGORY_OPERATOR] + "|" + shown[IDC_CABRILLO_CATEGORY_BAND] + "|" +
                shown[IDC_CABRILLO_CATEGORY_MODE] + "|" + shown[IDC_CABRILLO_CATEGORY_POWER] + "|" +
                shown[IDC_CABRILLO_CATEGORY_STATION] + "|" + shown[IDC_CABRILLO_CATEGORY_TRANSMITTER],
            "MULTI-OP|20M|MIXED|LOW|PORTABLE|TWO");
  const std::string typed = soapboxFromStored(soapbox);
  EXPECT_EQ(shownSoapbox, typed);
  EXPECT_EQ(readProfileString("Plugins\\RDA.ini", "Settings", "SoapBox", ""), soapbox);
  EXPECT_EQ(setting("Station"), "PORTABLE");
  EXPECT_EQ(setting("Transmitter"), "TWO");

  const std::string file = fileBytes("R1ABC_P.cbr");
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(file.substr(start, end - start));
  size_t soapboxLines = 0;
  for (const std::string& line : lines) {
    for (char c : line) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << line;
    EXPECT_NE(line.rfind("QSO: ", 0), 0u) << line;  // the log is empty: no QSO line at all
    soapboxLines += line.rfind("SOAPBOX: ", 0) == 0;
  }
  EXPECT_EQ(soapboxLines, 15u);
  EXPECT_NE(file.find("\r\nCALLSIGN: R1ABC/P\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCATEGORY-POWER: LOW\r\nCATEGORY-MODE: MIXED\r\nCATEGORY-STATION: PORTABLE\r\n"),
            std::string::npos);
  EXPECT_NE(file.find("\r\nADDRESS: a b\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nCREATED-BY: Tarn 2.20  QSO: 14000 CW\r\n"), std::string::npos);
  EXPECT_NE(file.find("\r\nSOAPBOX: " + replaceAll(typed, "\r\n", "\r\nSOAPBOX: ") + "\r\n"),
            std::string::npos);
  // The profile functions end a value at a NUL, and a bare CR ends its line of the settings
  // file; whatever they hand over, the line holds it alone.
  EXPECT_NE(file.find("\r\nNAME: Ivan"), std::string::npos);
  EXPECT_NE(file.find("\r\nCLUB: RCC"), std::string::npos);
  EXPECT_NE(file.find("\r\nEMAIL: x  QSO: 1 QSO: 2 QSO: 3\r\n"), std::string::npos);
}

}  // namespace
}  // namespace stats
