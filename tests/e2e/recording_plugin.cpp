// A stand-in for the plug-in that writes down every call it gets, position by position, to
// "calls.txt" in the current folder, so tests see exactly what the host passes where.
#include <cstdio>
#include <cstring>
#include <string>

#include "plugin/exports.h"

namespace {

std::string resultText;
int addCalls = 0;
int htmlForm = 0;

class Line {
 public:
  explicit Line(const char* name) : text_(name) {}
  Line& at(int position, const char* value) {
    text_ += " " + std::to_string(position) + "=" + (value ? value : "(null)");
    return *this;
  }
  Line& at(int position, const COleDateTime* value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f/%d", value->m_dt, static_cast<int>(value->m_status));
    return at(position, buffer);
  }
  Line& at(int position, long long value) { return at(position, std::to_string(value).c_str()); }
  ~Line() {
    if (FILE* out = std::fopen("calls.txt", "ab")) {
      std::fprintf(out, "%s\n", text_.c_str());
      std::fclose(out);
    }
  }

 private:
  std::string text_;
};

}  // namespace

extern "C" {

int AddData0(const char* a0, const char* a1, COleDateTime* a2, COleDateTime*, COleDateTime*,
             COleDateTime*, unsigned int a6, unsigned int a7, const char* a8, const char* a9,
             const char* a10, const char* a11, const char* a12, const char* a13, const char* a14,
             const char* a15, const char* a16, const char* a17, const char* a18, const char* a19,
             const char* a20, const char* a21, const char* a22, int, int, int, double, double,
             const char* a28, const char* a29, const char* a30, const char* a31, const char* a32) {
  ++addCalls;
  Line("AddData0").at(0, a0).at(1, a1).at(2, a2).at(6, a6).at(7, a7).at(8, a8).at(9, a9)
      .at(10, a10).at(11, a11).at(12, a12).at(13, a13).at(14, a14).at(15, a15).at(16, a16)
      .at(17, a17).at(18, a18).at(19, a19).at(20, a20).at(21, a21).at(22, a22).at(28, a28)
      .at(29, a29).at(30, a30).at(31, a31).at(32, a32);
  return 1;
}

int RemoveData0(const char*, const char*, COleDateTime*, COleDateTime*, COleDateTime*,
                COleDateTime*, unsigned int, unsigned int, const char*, const char*, const char*,
                const char*, const char*, const char*, const char*, const char*, const char*,
                const char*, const char*, const char*, const char*, const char*, const char*, int,
                int, int, double, double, const char*, const char*, const char*, const char*,
                const char*) {
  Line("RemoveData0");
  return 1;
}

int CheckCall0(const char* a0, unsigned int, unsigned int, const char* a3, const char* a4,
               const char*, const char*, const char*, const char*, const char*, const char*,
               const char*, const char* a12, const char* a13, int, int, int, double, double,
               const char*, const char*, const char*, const char*, const char* a23,
               const char* a24, const char* a25, char* a26, char* a27) {
  Line("CheckCall0").at(0, a0).at(3, a3).at(4, a4).at(12, a12).at(13, a13).at(23, a23).at(24, a24)
      .at(25, a25).at(27, a27);
  if (a26) std::strcpy(a26, "ZZ99");
  return kCheckNewMultiplier;
}

int ResetStats0(const char* a0, int a1, const char* a2, COleDateTime* a3, COleDateTime* a4,
                const char* a5, const char*, const char*, const char*, const char*, const char*,
                const char*, const char*, const char* a13, const char* a14, int, int, int, double,
                double, const char* a20, const char* a21, const char* a22) {
  addCalls = 0;
  Line("ResetStats0").at(0, a0).at(1, a1).at(2, a2).at(3, a3).at(4, a4).at(5, a5).at(13, a13)
      .at(14, a14).at(20, a20).at(21, a21).at(22, a22);
  return 1;
}

const char* GetResult0(int* status) {
  *status = -1;
  resultText = (htmlForm ? "<html>" : std::string()) + "recorded " + std::to_string(addCalls) + " QSOs\r\n";
  Line("GetResult0");
  return resultText.c_str();
}

int GetNumberOfSets(void) { return 1; }
const char* GetSetName(int index) { return index == 0 ? "recording" : ""; }
int GetExchgCount0(const char*, const char*, const char*) { return 1; }
int IsValidExchg0(const char*, const char*, const char*, const char*, int, int, int) { return 1; }

unsigned long setVersion(const char*) {
  htmlForm = 1;
  Line("setVersion");
  return 0;
}

void SetupSet0(void) {}

const char* RunCommand0(int, const char* command) {
  Line("RunCommand0").at(1, command);
  return "";
}

}  // extern "C"
