#include "app/SettingsStore.h"

#include "search/ProgramTexts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str()); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str()); }

  std::string root = "software\\nestari-test\\store-" + std::to_string(GetCurrentProcessId());
  std::string path = root + "\\deeper\\nestari";
};

TEST_F(SettingsStoreTest, NothingStoredKeepsTheCallersDefaults) {
  char text[kKeywordBufferSize] = "default";
  int city = 4;
  SettingsStore(path).LoadSettings(text, city);
  EXPECT_STREQ(text, "default");
  EXPECT_EQ(city, 4);
}

// The text as UTF-16 with its terminator, as every build has stored it.
TEST_F(SettingsStoreTest, SaveCreatesTheKeyAndWritesBothValuesAsTyped) {
  SettingsStore store(path);
  {
    RegistryKey key = store.SaveSettings(kTextDefaultKeywords, 9);
    ASSERT_TRUE(key.IsOpen());  // held open for the caller's search
    DWORD type = 0;
    wchar_t stored[32] = {};
    DWORD size = sizeof stored;
    ASSERT_EQ(RegQueryValueExW(key.Get(), L"text", nullptr, &type, reinterpret_cast<BYTE*>(stored), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(stored, L"小区1\\小区2\\小区3");
    EXPECT_EQ(size, 24u);  // eleven units and the terminator
    ASSERT_EQ(RegQueryValueExW(key.Get(), L"city", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);
  }
  char text[kKeywordBufferSize] = "x";
  int city = 0;
  store.LoadSettings(text, city);
  EXPECT_STREQ(text, kTextDefaultKeywords);
  EXPECT_EQ(city, 9);

  // A later save overwrites, an empty text included.
  store.SaveSettings("", 2);
  store.LoadSettings(text, city);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(city, 2);
}

TEST_F(SettingsStoreTest, StoredValuesOfTheWrongShapeAreReadSafely) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  std::wstring longText(5000, L'z');
  RegSetValueExW(key, L"text", 0, REG_SZ, reinterpret_cast<const BYTE*>(longText.data()),
                 static_cast<DWORD>(longText.size() * sizeof(wchar_t)));  // no terminator either
  const WORD shortCity = 3;
  RegSetValueExW(key, L"city", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&shortCity), sizeof shortCity);
  RegCloseKey(key);

  char text[kKeywordBufferSize + 8];
  std::memset(text, '#', sizeof text);
  int city = 0;
  SettingsStore(path).LoadSettings(*reinterpret_cast<char(*)[kKeywordBufferSize]>(text), city);
  EXPECT_EQ(std::string(text), std::string(1023, 'z'));
  EXPECT_EQ(text[kKeywordBufferSize], '#');  // nothing written past the buffer
  EXPECT_EQ(city, 0);
}

TEST(SettingsStore, TheProgramsKeyIsItsOwnUnderTheUsersSoftware) {
  EXPECT_EQ(SettingsStore().KeyPath(), "software\\nestari");
}

}  // namespace
