// The resources of the screensaver file: every line of resources.list is there
// with its type, id and the committed file's bytes, and nothing else is; and
// find_resource hands them out as the portable readers expect.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "assets/bitmap_reader.h"
#include "platform/platform.h"

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
    result.push_back(entry);
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
  ASSERT_EQ(listed.size(), 13u);
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
  EXPECT_EQ(ids_of(module_, "TEXTFILE"), (std::set<int>{104, 105, 106, 125}));
  EXPECT_EQ(ids_of(module_, RT_BITMAP), (std::set<int>{101, 103, 115, 116, 117, 118, 119, 120, 121}));
  EXPECT_EQ(ids_of(module_, "TEXTFILE"), texts);
  EXPECT_EQ(ids_of(module_, RT_BITMAP), bitmaps);
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
