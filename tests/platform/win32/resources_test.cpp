// The resources of the screensaver file: every line of resources.list is there
// with its type, id and the committed file's bytes, and nothing else is; the
// name, version, icon and manifest Windows shows are right; and find_resource
// hands the program's own resources out as the portable readers expect.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "assets/bitmap_reader.h"
#include "frame/window_icon.h"
#include "platform/platform.h"
#include "shell/maker.h"

namespace {

// A packed DIB is the BMP file without its 14-byte file header.
constexpr std::size_t file_header_size = 14;

struct Listed {
  std::string type;
  int id;
  std::string file;
};

std::vector<Listed> listed_resources() {
  std::ifstream list(RESOURCE_DIR "/resources.list");
  std::vector<Listed> result;
  std::string line;
  while (std::getline(list, line)) {
    std::istringstream fields(line);
    Listed entry;
    if (!(fields >> entry.type >> entry.id >> entry.file) || entry.type[0] == '#') continue;
    // The program reads these two types itself; the others are Windows' own.
    if (entry.type == "TEXTFILE" || entry.type == "BITMAP") result.push_back(entry);
  }
  return result;
}

std::string file_bytes(const std::string& name) {
  std::ifstream file(RESOURCE_DIR "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

LPCSTR type_of(const std::string& type) { return type == "BITMAP" ? RT_BITMAP : "TEXTFILE"; }

std::string windows_path(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

class ScreensaverFile : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(windows_path(SCREENSAVER_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << "cannot load " << SCREENSAVER_PATH << " as a data file";
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  std::string resource_bytes(LPCSTR type, int id) {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
    if (found == nullptr) return "<missing>";
    const void* data = LockResource(LoadResource(module_, found));
    return {static_cast<const char*>(data), SizeofResource(module_, found)};
  }

  HMODULE module_ = nullptr;
};

BOOL CALLBACK collect_name(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
  if (IS_INTRESOURCE(name)) reinterpret_cast<std::set<int>*>(names)->insert(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
  return TRUE;
}

std::set<int> ids_of(HMODULE module, LPCSTR type) {
  std::set<int> ids;
  EnumResourceNamesA(module, type, collect_name, reinterpret_cast<LONG_PTR>(&ids));
  return ids;
}

}  // namespace

TEST_F(ScreensaverFile, carries_every_listed_resource_with_the_committed_bytes) {
  const std::vector<Listed> listed = listed_resources();
  ASSERT_EQ(listed.size(), 14u);
  for (const Listed& entry : listed) {
    SCOPED_TRACE(entry.type + " " + std::to_string(entry.id) + " " + entry.file);
    const std::string committed = file_bytes(entry.file);
    ASSERT_GT(committed.size(), file_header_size);
    const std::string stored = resource_bytes(type_of(entry.type), entry.id);
    if (entry.type == "BITMAP") {
      EXPECT_EQ(stored.size(), committed.size() - file_header_size);
      EXPECT_TRUE(stored == committed.substr(file_header_size));
    } else {
      EXPECT_EQ(stored.size(), committed.size());
      EXPECT_TRUE(stored == committed);
    }
  }
}

TEST_F(ScreensaverFile, carries_no_text_or_bitmap_resource_that_is_not_listed) {
  std::set<int> texts, bitmaps;
  for (const Listed& entry : listed_resources()) (entry.type == "BITMAP" ? bitmaps : texts).insert(entry.id);
  EXPECT_EQ(ids_of(module_, "TEXTFILE"), (std::set<int>{104, 105, 106, 107, 125}));
  EXPECT_EQ(ids_of(module_, RT_BITMAP), (std::set<int>{101, 103, 115, 116, 117, 118, 119, 120, 121}));
  EXPECT_EQ(ids_of(module_, "TEXTFILE"), texts);
  EXPECT_EQ(ids_of(module_, RT_BITMAP), bitmaps);
}

// ---- What Windows shows of the file ----------------------------------------

namespace {

constexpr char title[] = "3D Tamsel's Screensaver";

std::wstring wide(const std::string& utf8) {
  std::wstring result(utf8.size(), L'\0');
  result.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(),
                                    static_cast<int>(result.size())));
  return result;
}

std::wstring version_text(const std::vector<char>& info, const wchar_t* name) {
  const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) return L"<missing>";
  return static_cast<const wchar_t*>(value);
}

}  // namespace

TEST_F(ScreensaverFile, is_named_by_string_1_as_the_screensaver_settings_list_it) {
  char text[128] = {};
  ASSERT_GT(LoadStringA(module_, 1, text, sizeof text), 0);
  EXPECT_STREQ(text, title);
}

TEST(screensaver_version, names_the_program_its_maker_version_and_rights) {
  const std::string path = windows_path(SCREENSAVER_PATH);
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));
  const std::string notice = maker_notice;
  EXPECT_EQ(version_text(info, L"FileDescription"), wide(title));
  EXPECT_EQ(version_text(info, L"ProductName"), wide(title));
  EXPECT_EQ(version_text(info, L"CompanyName"), wide(maker_name));
  EXPECT_EQ(version_text(info, L"LegalCopyright"), wide(notice.substr(0, notice.find("\r\n"))));
  EXPECT_EQ(version_text(info, L"FileVersion"), wide(PROJECT_VERSION));
  EXPECT_EQ(version_text(info, L"ProductVersion"), wide(PROJECT_VERSION));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(PROJECT_VERSION_MINOR, PROJECT_VERSION_MAJOR)));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, PROJECT_VERSION_PATCH)));
}

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {  // as the resource compiler stores an icon group's entries
  BYTE width, height, colours, reserved;
  WORD planes, bits;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// The committed icon file's image for the given width: its bytes as stored.
std::string icon_file_image(int width) {
  const std::string file = file_bytes("cubesaver.ico");
  const int count = static_cast<unsigned char>(file[4]) | static_cast<unsigned char>(file[5]) << 8;
  for (int i = 0; i < count; ++i) {
    const char* entry = file.data() + 6 + 16 * i;
    DWORD bytes = 0, offset = 0;
    std::memcpy(&bytes, entry + 8, 4);
    std::memcpy(&offset, entry + 12, 4);
    if (static_cast<unsigned char>(entry[0]) == width) return file.substr(offset, bytes);
  }
  return "<none>";
}

}  // namespace

TEST_F(ScreensaverFile, shows_the_window_icons_picture_as_its_first_icon_in_four_sizes) {
  EXPECT_EQ(ids_of(module_, RT_GROUP_ICON), (std::set<int>{1}));
  const std::string group = resource_bytes(RT_GROUP_ICON, 1);
  ASSERT_EQ(group.size(), 6 + 4 * sizeof(GroupIconEntry));
  std::vector<int> widths;
  for (int i = 0; i < 4; ++i) {
    GroupIconEntry entry;
    std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
    SCOPED_TRACE(entry.width);
    widths.push_back(entry.width);
    EXPECT_EQ(entry.height, entry.width);
    EXPECT_EQ(entry.bits, 32);
    const std::string image = resource_bytes(RT_ICON, entry.id);
    EXPECT_TRUE(image == icon_file_image(entry.width));
    if (entry.width != window_icon_size) continue;
    // 64 pixels: the window icon itself, stored bottom row first as BGRA.
    ASSERT_GE(image.size(), 40u + window_icon_size * window_icon_size * 4);
    for (int y = 0; y < window_icon_size; ++y) {
      for (int x = 0; x < window_icon_size; ++x) {
        const unsigned char* stored =
            reinterpret_cast<const unsigned char*>(image.data()) + 40 + ((window_icon_size - 1 - y) * window_icon_size + x) * 4;
        const unsigned char* window = window_icon_pixels + (y * window_icon_size + x) * 4;
        ASSERT_TRUE(stored[0] == window[2] && stored[1] == window[1] && stored[2] == window[0] && stored[3] == window[3])
            << "pixel " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(widths, (std::vector<int>{16, 32, 48, 64}));
}

TEST_F(ScreensaverFile, carries_the_manifest_of_a_per_monitor_aware_program_for_windows_7_to_11) {
  const std::string manifest = resource_bytes(MAKEINTRESOURCEA(24), 1);  // RT_MANIFEST
  EXPECT_TRUE(manifest == file_bytes("cubesaver.manifest"));
  for (const char* part : {"<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
                           "PerMonitorV2, PerMonitor</dpiAwareness>",
                           "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
                           "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
                           "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",    // Windows 7
                           "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",    // 8
                           "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",    // 8.1
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {  // 10 and 11
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
}

TEST(find_resource_on_windows, hands_out_text_resources_as_stored) {
  for (const auto& [id, name] : {std::pair{104, "rectangle_object.obj"}, std::pair{105, "cubie.vert"},
                                 std::pair{106, "cubie.frag"}, std::pair{125, "rectangle_object.mtl"}}) {
    const ResourceBytes bytes = find_resource(ResourceType::TextFile, static_cast<std::uint16_t>(id));
    ASSERT_NE(bytes.data, nullptr) << id;
    EXPECT_TRUE(std::string(reinterpret_cast<const char*>(bytes.data), bytes.size) == file_bytes(name)) << id;
  }
}

TEST(find_resource_on_windows, hands_out_bitmaps_with_the_committed_files_pixels) {
  for (const Listed& entry : listed_resources()) {
    if (entry.type != "BITMAP") continue;
    SCOPED_TRACE(entry.file);
    const std::string committed = file_bytes(entry.file);
    BitmapView expected = {}, actual = {};
    ASSERT_TRUE(read_bitmap(reinterpret_cast<const unsigned char*>(committed.data()), committed.size(), expected));
    const ResourceBytes bytes = find_resource(ResourceType::Bitmap, static_cast<std::uint16_t>(entry.id));
    ASSERT_TRUE(read_bitmap(bytes.data, bytes.size, actual));
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    for (int y = 0; y < expected.height; ++y) {
      for (int x = 0; x < expected.width; ++x) {
        const Rgb a = bitmap_pixel(actual, x, y), e = bitmap_pixel(expected, x, y);
        ASSERT_TRUE(a.r == e.r && a.g == e.g && a.b == e.b) << "pixel " << x << "," << y;
      }
    }
  }
}

TEST(find_resource_on_windows, reads_each_bitmap_once_and_finds_nothing_for_unknown_ids) {
  const ResourceBytes first = find_resource(ResourceType::Bitmap, 103);
  const ResourceBytes again = find_resource(ResourceType::Bitmap, 103);
  EXPECT_EQ(first.data, again.data);
  EXPECT_EQ(first.size, again.size);
  EXPECT_EQ(find_resource(ResourceType::Bitmap, 999).data, nullptr);
  EXPECT_EQ(find_resource(ResourceType::TextFile, 999).data, nullptr);
  EXPECT_EQ(find_resource(ResourceType::TextFile, 103).data, nullptr);  // a bitmap id is no text
}
