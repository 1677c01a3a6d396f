// The file properties and application manifests of the programs the packages ship, read back the
// way the platform reads them: the version API and the manifest resource.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/Version.h"
#include "core/WideText.h"
#include "tests/support/TestSupport.h"

namespace {

struct Program {
  const char* file;
  const char* description;
};
const Program kPrograms[] = {{"BusSearch.exe", "Zelvo公交车查询"}, {"update.exe", "Zelvo公交车查询 线路数据库升级"}};

std::wstring PathOf(const Program& p) { return (bus::test::BinaryDir() / p.file).wstring(); }

// A string of the version resource's Chinese (Unicode) table.
std::string VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) return {};
  return bus::Narrow(static_cast<const wchar_t*>(value));
}

TEST(ProgramResources, VersionResourceCarriesTheBuildsVersionAndTheProgramsDescription) {
  for (const Program& p : kPrograms) {
    SCOPED_TRACE(p.file);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(PathOf(p).c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(PathOf(p).c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(bus::kVersionMajor << 16 | bus::kVersionMinor));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(bus::kVersionPatch << 16));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(VersionString(info, L"FileVersion"), std::string(bus::kVersion));
    EXPECT_EQ(VersionString(info, L"ProductVersion"), std::string(bus::kVersion));
    EXPECT_EQ(VersionString(info, L"FileDescription"), p.description);
    EXPECT_EQ(VersionString(info, L"ProductName"), "Zelvo公交车查询");
    EXPECT_EQ(VersionString(info, L"OriginalFilename"), p.file);
  }
}

TEST(ProgramResources, ManifestRunsAsTheInvokerWithCommonControlsSixAndItsIconIsThere) {
  for (const Program& p : kPrograms) {
    SCOPED_TRACE(p.file);
    HMODULE module = LoadLibraryExW(PathOf(p).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> guard(module, FreeLibrary);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(data, SizeofResource(module, found));
    EXPECT_NE(manifest.find(R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)"), std::string::npos);
    EXPECT_NE(manifest.find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"), std::string::npos);
    EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);  // Windows 10 and 11
    EXPECT_NE(manifest.find(std::string("version=\"") + std::string(bus::kVersion) + ".0\""), std::string::npos);
    EXPECT_NE(FindResourceW(module, L"MAINICON", MAKEINTRESOURCEW(14)), nullptr);  // RT_GROUP_ICON
  }
}

}  // namespace
