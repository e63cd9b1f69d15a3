// The program file itself: a GUI-subsystem executable that needs no DLL of
// the compiler's, carrying the icon, the manifest and the version information.

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string ProgramBytes() {
  std::ifstream file(FILM_LISTINGS_EXE, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(ShippedProgram, IsAStaticallyLinkedGuiProgram) {
  const std::string bytes = ProgramBytes();
  ASSERT_GT(bytes.size(), 0x40u);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
  ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(bytes.data() + dos->e_lfanew);
  ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
  for (const char* dll : {"libstdc++", "libgcc_s", "libwinpthread"}) {
    EXPECT_EQ(bytes.find(dll), std::string::npos) << dll;
  }
}

TEST(ShippedProgram, TurnsOffWindowGhostingForItsLongSearches) {
  // Imported by name: the entry asks for it before the window exists.
  EXPECT_NE(ProgramBytes().find(std::string("DisableProcessWindowsGhosting") + '\0'), std::string::npos);
}

TEST(ShippedProgram, CarriesIconManifestAndVersion) {
  HMODULE program = LoadLibraryExA(FILM_LISTINGS_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  std::wstring firstIcon;
  EnumResourceNamesW(
      program, reinterpret_cast<LPCWSTR>(RT_GROUP_ICON),
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
        *reinterpret_cast<std::wstring*>(found) = IS_INTRESOURCE(name) ? L"#" : name;
        return FALSE;
      },
      reinterpret_cast<LONG_PTR>(&firstIcon));
  EXPECT_EQ(firstIcon, L"DEFAULT_ICON");
  EXPECT_NE(LoadImageW(program, L"DEFAULT_ICON", IMAGE_ICON, 32, 32, 0), nullptr);
  EXPECT_NE(LoadImageW(program, L"DEFAULT_ICON", IMAGE_ICON, 16, 16, 0), nullptr);

  HRSRC manifest = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(manifest, nullptr);
  const std::string text(static_cast<const char*>(LockResource(LoadResource(program, manifest))),
                         SizeofResource(program, manifest));
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16)), nullptr);
  FreeLibrary(program);
}

}  // namespace
