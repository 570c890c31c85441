// What tesvorin.exe carries besides its code: version record, icon,
// manifest, GUI subsystem and its imports.
#include "win32.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "program_driver.hpp"

namespace tesvorin::testing {
namespace {

const std::wstring program = sibling_program(L"tesvorin.exe");

struct ModuleFreer {
  void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
using OwnedModule =
    std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

OwnedModule load_as_data() {
  return OwnedModule(
      LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

std::vector<BYTE> version_block() {
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), nullptr);
  std::vector<BYTE> block(size);
  if (size == 0 ||
      !GetFileVersionInfoW(program.c_str(), 0, size, block.data())) {
    block.clear();
  }
  return block;
}

// One node of the version record's tree: key, value and children.
struct VersionNode {
  std::wstring key;
  std::wstring text;  // the value, for text nodes
  std::vector<VersionNode> children;
};

std::size_t align4(std::size_t offset) {
  return (offset + 3) & ~std::size_t{3};
}

VersionNode parse_node(const BYTE* base, std::size_t at) {
  WORD length = 0;
  WORD value_length = 0;
  WORD type = 0;
  std::memcpy(&length, base + at, 2);
  std::memcpy(&value_length, base + at + 2, 2);
  std::memcpy(&type, base + at + 4, 2);
  VersionNode node;
  std::size_t cursor = at + 6;
  node.key = reinterpret_cast<const wchar_t*>(base + cursor);
  cursor = align4(cursor + (node.key.size() + 1) * sizeof(wchar_t));
  if (type == 1) {  // text, value_length counted in characters
    node.text = reinterpret_cast<const wchar_t*>(base + cursor);
    cursor += value_length * sizeof(wchar_t);
  } else {
    cursor += value_length;
  }
  cursor = align4(cursor);
  while (cursor < at + length) {
    WORD child_length = 0;
    std::memcpy(&child_length, base + cursor, 2);
    if (child_length == 0) {
      break;
    }
    node.children.push_back(parse_node(base, cursor));
    cursor = align4(cursor + child_length);
  }
  return node;
}

TEST(Executable, VersionRecordFixedPart) {
  std::vector<BYTE> block = version_block();
  ASSERT_FALSE(block.empty());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\",
                             reinterpret_cast<void**>(&fixed), &size));
  ASSERT_EQ(size, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDU);
  EXPECT_EQ(fixed->dwStrucVersion & 0xFFFFU, 0U);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00020004U);
  EXPECT_EQ(fixed->dwFileVersionLS, 0U);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00020004U);
  EXPECT_EQ(fixed->dwProductVersionLS, 0U);
  EXPECT_EQ(fixed->dwFileFlagsMask, 0U);
  EXPECT_EQ(fixed->dwFileFlags, 0U);
  EXPECT_EQ(fixed->dwFileOS, 4U);
  EXPECT_EQ(fixed->dwFileType, 1U);
  EXPECT_EQ(fixed->dwFileSubtype, 0U);
  EXPECT_EQ(fixed->dwFileDateMS, 0U);
  EXPECT_EQ(fixed->dwFileDateLS, 0U);
}

TEST(Executable, VersionRecordStringsInOrderAndTranslation) {
  std::vector<BYTE> block = version_block();
  ASSERT_FALSE(block.empty());
  const VersionNode root = parse_node(block.data(), 0);
  EXPECT_EQ(root.key, L"VS_VERSION_INFO");

  const auto child = [](const VersionNode& node, std::wstring_view key) {
    const auto found =
        std::find_if(node.children.begin(), node.children.end(),
                     [&](const VersionNode& c) { return c.key == key; });
    return found == node.children.end() ? nullptr : &*found;
  };
  const VersionNode* strings = child(root, L"StringFileInfo");
  ASSERT_NE(strings, nullptr);
  ASSERT_EQ(strings->children.size(), 1U);
  const VersionNode& table = strings->children.front();
  EXPECT_EQ(table.key, L"080404B0");

  const std::vector<std::pair<std::wstring, std::wstring>> expected = {
      {L"FileVersion", L"2.4.0.0"},
      {L"FileDescription", L"Tesvorin"},
      {L"ProductName", L"Tesvorin"},
      {L"ProductVersion", L"2.4.0.0"},
      {L"CompanyName", L"Tesvorin contributors"},
      {L"LegalCopyright", L"Copyright (C) 2026 Tesvorin contributors"},
      {L"Comments", L"Tesvorin"},
  };
  std::vector<std::pair<std::wstring, std::wstring>> actual;
  for (const VersionNode& entry : table.children) {
    actual.emplace_back(entry.key, entry.text);
  }
  EXPECT_EQ(actual, expected);

  WORD* translation = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &size));
  ASSERT_EQ(size, 4U);
  EXPECT_EQ(translation[0], 0x0804);
  EXPECT_EQ(translation[1], 1200);
}

BOOL CALLBACK collect_language(HMODULE, LPCWSTR, LPCWSTR, WORD language,
                               LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
  return TRUE;
}

BOOL CALLBACK collect_name(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
  reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(
      IS_INTRESOURCE(name)
          ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
          : std::wstring(name));
  return TRUE;
}

TEST(Executable, OneVersionRecordWithIdOneInChinesePrc) {
  const OwnedModule module = load_as_data();
  ASSERT_TRUE(module);
  std::vector<std::wstring> names;
  EnumResourceNamesW(module.get(), RT_VERSION, collect_name,
                     reinterpret_cast<LONG_PTR>(&names));
  EXPECT_EQ(names, std::vector<std::wstring>{L"#1"});
  std::vector<WORD> languages;
  EnumResourceLanguagesW(module.get(), RT_VERSION, MAKEINTRESOURCEW(1),
                         collect_language,
                         reinterpret_cast<LONG_PTR>(&languages));
  EXPECT_EQ(languages, std::vector<WORD>{0x0804});
}

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width;
  BYTE height;
  BYTE colours;
  BYTE reserved;
  WORD planes;
  WORD bit_count;
  DWORD bytes;
  WORD id;
};
struct IconGroup {
  WORD reserved;
  WORD type;
  WORD count;
  IconGroupEntry entries[1];
};
#pragma pack(pop)

TEST(Executable, FirstIconGroupIsDefaultIconWithOne32BitImageOf32Pixels) {
  const OwnedModule module = load_as_data();
  ASSERT_TRUE(module);
  std::vector<std::wstring> names;
  EnumResourceNamesW(module.get(), RT_GROUP_ICON, collect_name,
                     reinterpret_cast<LONG_PTR>(&names));
  ASSERT_EQ(names, std::vector<std::wstring>{L"DEFAULT_ICON"});

  const HRSRC found =
      FindResourceW(module.get(), L"DEFAULT_ICON", RT_GROUP_ICON);
  ASSERT_NE(found, nullptr);
  const auto* group = static_cast<const IconGroup*>(
      LockResource(LoadResource(module.get(), found)));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->type, 1);
  ASSERT_EQ(group->count, 1);
  EXPECT_EQ(group->entries[0].width, 32);
  EXPECT_EQ(group->entries[0].height, 32);
  EXPECT_EQ(group->entries[0].bit_count, 32);
}

TEST(Executable, ManifestRunsAsInvokerWithoutDpiAwarenessOrCommonControls6) {
  const OwnedModule module = load_as_data();
  ASSERT_TRUE(module);
  const HRSRC found =
      FindResourceW(module.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(found, nullptr);
  const auto* data =
      static_cast<const char*>(LockResource(LoadResource(module.get(), found)));
  const std::string manifest(data, SizeofResource(module.get(), found));
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
  EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
  for (const char* windows : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a",
                              "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                              "1f676c76-80e1-4239-95bb-83d0f6d0da78",
                              "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
    EXPECT_NE(manifest.find(windows), std::string::npos) << windows;
  }
}

// Reads the PE headers from the file, as the loader would.
class PortableExecutable {
 public:
  explicit PortableExecutable(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(file), {});
  }

  template <class T>
  T at(std::size_t offset) const {
    T value{};
    if (offset + sizeof(T) <= bytes_.size()) {
      std::memcpy(&value, bytes_.data() + offset, sizeof(T));
    }
    return value;
  }

  std::size_t nt_headers() const {
    return static_cast<std::size_t>(at<LONG>(0x3C));
  }

  IMAGE_NT_HEADERS64 headers() const {
    return at<IMAGE_NT_HEADERS64>(nt_headers());
  }

  std::size_t file_offset(DWORD rva) const {
    const IMAGE_NT_HEADERS64 nt = headers();
    const std::size_t sections = nt_headers() +
                                 offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                 nt.FileHeader.SizeOfOptionalHeader;
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
      const auto section =
          at<IMAGE_SECTION_HEADER>(sections + i * sizeof(IMAGE_SECTION_HEADER));
      if (rva >= section.VirtualAddress &&
          rva < section.VirtualAddress + section.SizeOfRawData) {
        return rva - section.VirtualAddress + section.PointerToRawData;
      }
    }
    return bytes_.size();
  }

  std::string text_at(DWORD rva) const {
    std::string text;
    for (std::size_t at_offset = file_offset(rva);
         at_offset < bytes_.size() && bytes_[at_offset] != '\0'; ++at_offset) {
      text.push_back(bytes_[at_offset]);
    }
    return text;
  }

  std::vector<std::string> imported_dlls() const {
    std::vector<std::string> dlls;
    const DWORD directory =
        headers()
            .OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT]
            .VirtualAddress;
    for (std::size_t entry = file_offset(directory);;
         entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
      const auto import = at<IMAGE_IMPORT_DESCRIPTOR>(entry);
      if (import.Name == 0) {
        break;
      }
      std::string name = text_at(import.Name);
      std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      });
      dlls.push_back(name);
    }
    return dlls;
  }

 private:
  std::vector<char> bytes_;
};

TEST(Executable, IsA64BitGuiProgramNeedingSystemDllsOnly) {
  const PortableExecutable image(program);
  const IMAGE_NT_HEADERS64 nt = image.headers();
  ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
  EXPECT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
  EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

  // Hardened: ASLR with a high-entropy base, and no code from data pages.
  const WORD hardening = IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE |
                         IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA |
                         IMAGE_DLLCHARACTERISTICS_NX_COMPAT;
  EXPECT_EQ(nt.OptionalHeader.DllCharacteristics & hardening, hardening);

  // Lean: the whole program, runtimes included, stays under 256 KiB.
  EXPECT_LT(std::filesystem::file_size(std::filesystem::path(program)),
            256U * 1024U);

  // The C and C++ runtimes are linked in: no libstdc++, libgcc or
  // winpthread DLL may be needed beside the program.
  const std::vector<std::string> system = {"kernel32.dll", "user32.dll",
                                           "gdi32.dll", "msvcrt.dll"};
  const std::vector<std::string> dlls = image.imported_dlls();
  EXPECT_FALSE(dlls.empty());
  for (const std::string& dll : dlls) {
    EXPECT_NE(std::find(system.begin(), system.end(), dll), system.end())
        << dll << " is not a system DLL";
  }
}

}  // namespace
}  // namespace tesvorin::testing
