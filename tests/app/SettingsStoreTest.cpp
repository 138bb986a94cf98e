#include "app/SettingsStore.h"

#include "search/ProgramTexts.h"

#include <gtest/gtest.h>

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
  std::wstring text = L"default";
  int city = 4;
  SettingsStore(path).LoadSettings(text, city);
  EXPECT_EQ(text, L"default");
  EXPECT_EQ(city, 4);
}

// The text as UTF-16 with its terminator, as every build has stored it, and
// as typed: characters GBK lacks too.
TEST_F(SettingsStoreTest, SaveCreatesTheKeyAndWritesBothValuesAsTyped) {
  SettingsStore store(path);
  {
    RegistryKey key = store.SaveSettings(L"小区1\\小区2\\小区3", 9);
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
  std::wstring text = L"x";
  int city = 0;
  store.LoadSettings(text, city);
  EXPECT_EQ(text, L"小区1\\小区2\\小区3");
  EXPECT_EQ(city, 9);

  // A later save overwrites, an empty text included.
  for (const wchar_t* typed : {L"\x4DAE\xD840\xDC00\x00A0\x200B", L""}) {
    store.SaveSettings(typed, 2);
    store.LoadSettings(text, city);
    EXPECT_EQ(text, typed);
    EXPECT_EQ(city, 2);
  }
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

  std::wstring text;
  int city = 0;
  SettingsStore(path).LoadSettings(text, city);
  EXPECT_EQ(text, std::wstring(1023, L'z'));  // cut where a search cuts it
  EXPECT_EQ(city, 0);
}

TEST(SettingsStore, TheProgramsKeyIsItsOwnUnderTheUsersSoftware) {
  EXPECT_EQ(SettingsStore().KeyPath(), "software\\nestari");
}

}  // namespace
