// Vantora.exe's resources: the version record, the icon in both sizes and the manifest.

#include <gtest/gtest.h>

#include <string>

#include "ui/win32/resource.h"
#include "ui/win32/unique_handle_win.h"
#include "win32/windows_api.h"

namespace vantora::ui::win32 {
namespace {

using UniqueModule = UniqueHandle<HMODULE, &FreeLibrary>;

class ResourcesWin : public ::testing::Test {
 protected:
  void SetUp() override {
    DWORD ignored = 0;
    versionInfo_.resize(GetFileVersionInfoSizeW(VANTORA_EXE, &ignored));
    ASSERT_FALSE(versionInfo_.empty()) << "no version record in Vantora.exe";
    ASSERT_TRUE(GetFileVersionInfoW(VANTORA_EXE, 0, static_cast<DWORD>(versionInfo_.size()), versionInfo_.data()));
  }

  std::wstring versionString(const std::wstring& name) {
    const std::wstring path = L"\\StringFileInfo\\041104B0\\" + name;
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(versionInfo_.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return L"<none>";
    return std::wstring(value, length > 0 ? length - 1 : 0);
  }

  std::vector<char> versionInfo_;
};

TEST_F(ResourcesWin, VersionRecordIsJapaneseUnicodeVersionOne) {
  EXPECT_TRUE(versionString(L"FileVersion") == L"1.00");
  EXPECT_TRUE(versionString(L"ProductVersion") == L"1.00");
  EXPECT_TRUE(versionString(L"ProductName") == L"Vantora");
  EXPECT_TRUE(versionString(L"InternalName") == L"Vantora");
  EXPECT_TRUE(versionString(L"OriginalFilename") == L"Vantora.exe");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(versionInfo_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
}

TEST_F(ResourcesWin, IconComesIn32And16PixelsAndTheManifestIsThere) {
  const UniqueModule exe(LoadLibraryExW(VANTORA_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(exe);
  for (int edge : {32, 16}) {
    const UniqueIcon icon(static_cast<HICON>(LoadImageW(exe.get(), MAKEINTRESOURCEW(IDI_VANTORA), IMAGE_ICON, edge,
                                                        edge, 0)));
    ASSERT_TRUE(icon) << edge;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, edge);
    EXPECT_EQ(colour.bmHeight, edge);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  const HRSRC manifest = FindResourceW(exe.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(manifest, nullptr);
  const auto* text = static_cast<const char*>(LockResource(LoadResource(exe.get(), manifest)));
  const std::string xml(text, SizeofResource(exe.get(), manifest));
  EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(xml.find("PerMonitorV2"), std::string::npos);
}

}  // namespace
}  // namespace vantora::ui::win32
