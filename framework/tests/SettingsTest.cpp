#include "framework/FileIO.h"
#include "framework/Settings.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

CSettingsStore::Value Sz(const std::string& s)
{
    CSettingsStore::Value v{REG_SZ, {s.begin(), s.end()}};
    v.vData.push_back(0);
    return v;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pDir = fs::temp_directory_path() / ("rvx-settings-" + std::to_string(getpid()));
        fs::create_directories(pDir);
        sUser = (pDir / "cfg" / "rotavex" / "settings").string();
        sMachine = (pDir / "install.ini").string();
        WriteFileAtomically(sMachine, std::string("[Software\\Vantor Software\\Rotavex]\n"
                                                  "\"Path\"=sz:\"/opt/rotavex\"\n"
                                                  "garbage line\n"
                                                  "\"Bad\"=dword:99999999999\n"));
        CSettingsStore::Get().Configure(sUser, sMachine);
    }
    void TearDown() override
    {
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(pDir);
    }
    fs::path pDir;
    std::string sUser, sMachine;
};

TEST_F(SettingsTest, UserValuesPersistAcrossLoads)
{
    auto& store = CSettingsStore::Get();
    const std::string s_key = "Software\\Vantor Software\\Rotavex\\Settings";
    EXPECT_EQ(store.OpenKey(SettingsHive::CurrentUser, s_key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(store.CreateKey(SettingsHive::CurrentUser, s_key), ERROR_SUCCESS);
    const std::string s_odd = "a \"quoted\"\\ value\nwith ] and \x01 and \xE9";
    ASSERT_EQ(store.SetValue(SettingsHive::CurrentUser, s_key, "Name", Sz(s_odd)), ERROR_SUCCESS);
    CSettingsStore::Value multi{REG_MULTI_SZ, {'a', 0, 'b', 0, 0}};
    ASSERT_EQ(store.SetValue(SettingsHive::CurrentUser, s_key, "WebSites", multi), ERROR_SUCCESS);
    CSettingsStore::Value bin{REG_BINARY, {0, 1, 0xFF}};
    ASSERT_EQ(store.SetValue(SettingsHive::CurrentUser, s_key, "Blob", bin), ERROR_SUCCESS);
    CSettingsStore::Value num{REG_DWORD, {1, 0, 0, 0x80}};
    ASSERT_EQ(store.SetValue(SettingsHive::CurrentUser, s_key, "OpenLast", num), ERROR_SUCCESS);

    store.Configure(sUser, sMachine); // as a new run would
    CSettingsStore::Value v;
    ASSERT_EQ(store.QueryValue(SettingsHive::CurrentUser, s_key, "name", v), ERROR_SUCCESS);
    EXPECT_EQ(v.uType, static_cast<std::uint32_t>(REG_SZ));
    EXPECT_EQ(v.vData, Sz(s_odd).vData);
    ASSERT_EQ(store.QueryValue(SettingsHive::CurrentUser, "software\\vantor software\\ROTAVEX\\settings\\",
                               "WEBSITES", v), ERROR_SUCCESS);
    EXPECT_EQ(v.vData, multi.vData);
    ASSERT_EQ(store.QueryValue(SettingsHive::CurrentUser, s_key, "Blob", v), ERROR_SUCCESS);
    EXPECT_EQ(v.uType, static_cast<std::uint32_t>(REG_BINARY));
    EXPECT_EQ(v.vData, bin.vData);
    ASSERT_EQ(store.QueryValue(SettingsHive::CurrentUser, s_key, "OpenLast", v), ERROR_SUCCESS);
    EXPECT_EQ(v.vData, num.vData);
    EXPECT_EQ(store.ValueNames(SettingsHive::CurrentUser, s_key).size(), 4u);

    EXPECT_EQ(store.DeleteValue(SettingsHive::CurrentUser, s_key, "Name"), ERROR_SUCCESS);
    EXPECT_EQ(store.QueryValue(SettingsHive::CurrentUser, s_key, "Name", v), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.DeleteValue(SettingsHive::CurrentUser, s_key, "Name"), ERROR_FILE_NOT_FOUND);
}

TEST_F(SettingsTest, MachineValuesAreReadOnlyAndBadLinesSkipped)
{
    auto& store = CSettingsStore::Get();
    const std::string s_key = "Software\\Vantor Software\\Rotavex";
    CSettingsStore::Value v;
    ASSERT_EQ(store.QueryValue(SettingsHive::LocalMachine, s_key, "Path", v), ERROR_SUCCESS);
    EXPECT_EQ(std::string(v.vData.begin(), v.vData.end() - 1), "/opt/rotavex");
    EXPECT_EQ(store.QueryValue(SettingsHive::LocalMachine, s_key, "Bad", v), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store.OpenKey(SettingsHive::LocalMachine, "Software\\Vantor Software"), ERROR_SUCCESS);
    EXPECT_EQ(store.SetValue(SettingsHive::LocalMachine, s_key, "Path", Sz("x")), ERROR_ACCESS_DENIED);
    EXPECT_EQ(store.CreateKey(SettingsHive::LocalMachine, "Software\\Other"), ERROR_ACCESS_DENIED);
}

TEST_F(SettingsTest, UnwritableUserFileIsReportedNotThrown)
{
    auto& store = CSettingsStore::Get();
    store.Configure("/proc/rvx-cannot-write-here/settings", sMachine);
    EXPECT_EQ(store.CreateKey(SettingsHive::CurrentUser, "Software\\X"), ERROR_WRITE_FAULT);
}

} // namespace
