#pragma once
// Every text the plug-in's windows show, English and Russian (Windows-1251 bytes), in one place.
#include <string>

namespace stats {

// Ids of the windows' controls (templates 107, 108, 111).
constexpr int kIdCwButton = 1003;
constexpr int kIdSsbButton = 1004;
constexpr int kIdRdaCheck = 1115;
constexpr int kIdDxccCheck = 1116;
constexpr int kIdHintCheck = 1117;
constexpr int kIdOnTopCheck = 1119;
constexpr int kIdToDisplay = 1124;
constexpr int kIdInfoPanel = 1003;  // DXCC window
constexpr int kIdRdaList = 1123;    // RDA window

// The refresh request, WM_USER + 500.
constexpr unsigned kRefreshMessage = 0x0400 + 500;

// Host commands of the mode buttons.
extern const char* const kModeCwCommand;   // "<MODE:CW>"
extern const char* const kModeSsbCommand;  // "<MODE:SSB>"

// "RDAC %s worked with %s" / "RDAC %s работал с %s".
std::string workedWithTitle(int ownRussian, const std::string& year, const std::string& call);
// "DXCC сработано на %s %s of 338" when russianTexts, else "Previous QSO" / "Предыдущие QSO".
std::string panelTitle(int russianTexts, int ownRussian, const std::string& band,
                       const std::string& count);
std::string rdaWindowTitle(int ownRussian);               // "RDA worked" / "RDA сработано"
std::string setupTitle(int russianTexts, const std::string& year);  // "Setup RDAC-%s" / "Установки RDAC-%s"
// Label of check box 1116 when the DXCC window opens for a station without russianTexts.
std::string previousQsoCheckLabel(int ownRussian);       // "View previous QSO" / "Предыдущие QSO"

extern const char* const kToDisplayRussian;  // "Показывать"
extern const char* const kUseHintRussian;    // "Использовать подсказку"
extern const char* const kQsoLabel;          // "QSO"
extern const char* const kPreviousQso;       // "Previous QSO"

}  // namespace stats
