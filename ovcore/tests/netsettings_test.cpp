// The network settings reload and its defaults.
#include <gtest/gtest.h>

#include <string>

#include "engine_settings_edit.h"
#include "ovcore/ovcore.h"
#include "settings/install_folder.h"
#include "temp_install.h"

namespace {

class NetSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(InstallFolder_SetFromFileName((install_.Root() + "ovcore.dll").c_str()));
        NetSettings_Reset();
    }
    void TearDown() override {
        NetSettings_Reset();
        InstallFolder_Reset();
    }
    void Base(const char* section, const char* key, const char* value) {
        WritePrivateProfileStringA(section, key, value, install_.BaseIni().c_str());
    }
    void Module(const char* section, const char* key, const char* value) {
        WritePrivateProfileStringA(section, key, value, install_.ModuleIni().c_str());
    }

    ovtest::TempInstall install_;
};

// The cookie and time-out values used to be zero until the first reload, so
// every transfer timed out after one second.
TEST_F(NetSettingsTest, DocumentedDefaultsHoldBeforeAndAfterAReloadOfEmptyFiles) {
    for (int reload = 0; reload < 2; reload++) {
        SCOPED_TRACE(reload);
        if (reload) {
            EXPECT_EQ(ORB_NotifyIniFileChanged(0), 0);
        }
        const NetSettings* s = NetSettings_Get();
        EXPECT_EQ(s->FetchTimeoutSeconds, 30u);
        EXPECT_EQ(s->CookieEnable, TRUE);
        EXPECT_EQ(s->CookieValidate, TRUE);
        EXPECT_EQ(s->DownloadMode, (DWORD)DOWNLOAD_DETECT);
        EXPECT_EQ(s->MailTimeout, 60);
        EXPECT_EQ(s->TitleCacheSize, 500);
        EXPECT_EQ(s->TitleCacheLifespan, 86400);
        EXPECT_STREQ(s->MailType, "SMTP");
        EXPECT_STREQ(s->MailSubject, "Ostrevane Report");
        EXPECT_STREQ(s->SMTPServer, NETSETTINGS_DEFAULT_MAIL_HOST);
        EXPECT_EQ(s->ProxyEnabled, FALSE);
        EXPECT_STREQ(s->HttpProxyAuth, "");
        EXPECT_TRUE(Engine_Settings().net.CookieEnable); // what the line parsers read
    }
}

TEST_F(NetSettingsTest, ProxyFlagPassiveFlagAndDownloadModeAreReadAsDocumented) {
    struct Case {
        const char* value;
        BOOL on;
    } flags[] = {{"true", 1}, {"T", 1}, {"1", 1}, {"yes", 0}, {"0", 0}, {"", 0}};
    for (const Case& c : flags) {
        SCOPED_TRACE(c.value);
        Base("Defaults", "ProxyEnable", c.value);
        Module("Defaults", "FTPPassive", c.value);
        ORB_NotifyIniFileChanged(0);
        EXPECT_EQ(NetSettings_Get()->ProxyEnabled, c.on);
        EXPECT_EQ(NetSettings_Get()->FTPPassive, c.on);
    }
    struct Mode {
        const char* value;
        DWORD mode;
    } modes[] = {{"once", DOWNLOAD_ONCE},
                 {"DETECT", DOWNLOAD_DETECT},
                 {"", DOWNLOAD_ALWAYS},
                 {"Always", DOWNLOAD_ALWAYS}};
    for (const Mode& m : modes) {
        SCOPED_TRACE(m.value);
        Module("Defaults", "FTPDownload", m.value);
        ORB_NotifyIniFileChanged(0);
        EXPECT_EQ(NetSettings_Get()->DownloadMode, m.mode);
        EXPECT_EQ(Engine_Settings().net.DownloadMode, m.mode); // what deregistration reads
    }
}

TEST_F(NetSettingsTest, ProxyCredentialsMailAndCookieValues) {
    Base("Defaults", "HttpProxy", "proxy:8080");
    Base("Defaults", "HttpProxyAuth", "user:pass");
    Base("eMail", "SMTPServer", "smtp.example.com");
    Module("Defaults", "TransferTimeout", "90");
    Module("Cookie", "Enable", "0");
    Module("Cookie", "Validate", "0");
    NetSettings_SetProxyAddress(0x0100007F);
    ORB_NotifyIniFileChanged(0);
    const NetSettings* s = NetSettings_Get();
    EXPECT_STREQ(s->HttpProxy, "proxy:8080");
    EXPECT_STREQ(s->HttpProxyAuth, "dXNlcjpwYXNz");
    EXPECT_EQ(s->ProxyAddress, 0xFFFFFFFFu); // resolved again after a reload
    EXPECT_STREQ(s->MailFrom, NETSETTINGS_DEFAULT_SENDER_USER "@smtp.example.com");
    EXPECT_STREQ(s->MailReplyTo, s->MailFrom);
    EXPECT_EQ(s->FetchTimeoutSeconds, 90u);
    EXPECT_FALSE(Engine_Settings().net.CookieEnable);
    EXPECT_FALSE(Engine_Settings().net.CookieValidate);

    Base("eMail", "SMTPServer", "");
    Base("eMail", "From", "me@x");
    Base("Defaults", "HttpProxyAuth", "ab");
    ORB_NotifyIniFileChanged(0);
    EXPECT_STREQ(s->MailFrom, "me@x");
    EXPECT_STREQ(s->MailReplyTo, "me@x");
    EXPECT_STREQ(s->HttpProxyAuth, "YWI=");
    NetSettings_Reset();
    EXPECT_TRUE(Engine_Settings().net.CookieEnable);
}

} // namespace
