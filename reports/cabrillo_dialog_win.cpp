#include <windows.h>

#include <string>
#include <vector>

#include "reports/cabrillo_dialog.h"
#include "reports/cabrillo_fields.h"
#include "resources/resource_ids.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace stats {
namespace {

std::string controlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(control, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

void showValues(HWND dialog, const CabrilloHeader& values) {
  for (const CabrilloField& control : kCabrilloFields) {
    if (control.choices)
      for (const std::string& choice : *control.choices)
        SendDlgItemMessageA(dialog, control.controlId, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(choice.c_str()));
    // A drop-down combo box shows any text in its edit part, listed or not.
    SetDlgItemTextA(dialog, control.controlId, (values.*control.member).c_str());
  }
}

void takeValues(HWND dialog, CabrilloHeader& values) {
  for (const CabrilloField& control : kCabrilloFields)
    values.*control.member = controlText(dialog, control.controlId);
}

// Nothing may unwind through the system's dialog manager: any failure cancels the dialog.
INT_PTR CALLBACK cabrilloDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        showValues(dialog, *reinterpret_cast<CabrilloHeader*>(lParam));
        return TRUE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
          takeValues(dialog, *reinterpret_cast<CabrilloHeader*>(GetWindowLongPtrA(dialog, DWLP_USER)));
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        }
        return FALSE;
      default:
        return FALSE;
    }
  } catch (...) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
}

}  // namespace

bool runCabrilloDialog(CabrilloHeader& values) {
  // Owned by the window the operator works in, so the host waits for the answer.
  CabrilloHeader edited = values;
  const INT_PTR result =
      DialogBoxParamA(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEA(IDD_CABRILLO),
                      GetActiveWindow(), cabrilloDialogProc, reinterpret_cast<LPARAM>(&edited));
  if (result != IDOK) return false;
  values = edited;
  return true;
}

}  // namespace stats
