// The window tests' entry.
//
// Under Wine without a window manager, every top-level window that Wine takes
// as managed makes DestroyWindow wait two seconds for a window manager's
// answer that never comes. Wine reads whether this program's windows are
// managed when its display driver loads, before main, so the first run in a
// fresh prefix writes the setting and runs the tests in a new process. On
// Windows the key means nothing and nothing is relaunched.

#include <gtest/gtest.h>
#include <windows.h>

#include "WindowDriver.h"

namespace {

constexpr wchar_t kDriverKey[] = L"Software\\Wine\\AppDefaults\\window_tests.exe\\X11 Driver";

bool WindowsUnmanaged() {
  wchar_t value[8] = {};
  DWORD size = sizeof value;
  return RegGetValueW(HKEY_CURRENT_USER, kDriverKey, L"Managed", RRF_RT_REG_SZ, nullptr, value, &size) ==
             ERROR_SUCCESS &&
         value[0] == L'N';
}

int RunAgainInNewProcess() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, GetCommandLineW(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(exitCode);
}

}  // namespace

int main(int argc, char** argv) {
  if (RunningOnWine() && !WindowsUnmanaged()) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kDriverKey, L"Managed", REG_SZ, L"N", sizeof L"N");
    if (WindowsUnmanaged()) return RunAgainInNewProcess();
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
