// The MAPI road: only its binding and failure paths can run here, since no
// mail client is installed.
#include "mail_test_support.h"
#include "mail/mapi_mail.h"
#include "ovkit/mail.h"
#include "ovkit/settings_file.h"
#include <gtest/gtest.h>

using namespace mailtest;

TEST(MapiMail, MissingLibraryFailsWithItsText) {
    MailSettings settings = {};
    settings.mapi = true;
    StatusWindow status;
    MailRun run(status.Handle(), nullptr);
    EXPECT_EQ(SendMapiMail(settings, run, "a@x.org", 0, nullptr, nullptr, "no_such_mapi.dll"), -1);
    EXPECT_STREQ(OVKIT_GetLastMailError(), "Failed to load and initialize the MAPI DLLs.");
    EXPECT_EQ(status.Steps(), (std::vector<std::string>{"Loading MAPI server"}));
}

TEST(MapiMail, LibraryWithoutTheFunctionsFails) {
    MailSettings settings = {};
    MailRun run(nullptr, nullptr);
    EXPECT_EQ(SendMapiMail(settings, run, "a@x.org", 0, nullptr, nullptr, "kernel32.dll"), -1);
    EXPECT_STREQ(OVKIT_GetLastMailError(), "Failed to load and initialize the MAPI DLLs.");
}

// The system's MAPI32 has every function bound; without a mail client its
// initialisation may fail (as under Wine). Either way the send stops before
// logging on when the abort flag is set.
TEST(MapiMail, SystemLibraryStopsBeforeLogonWhenAborted) {
    HMODULE mapi = LoadLibraryA("MAPI32.DLL");
    ASSERT_NE(mapi, nullptr);
    for (const char* name : {"MAPIInitialize", "MAPILogon", "MAPIResolveName", "MAPISendMail",
                             "MAPILogoff", "MAPIFreeBuffer", "MAPIUninitialize"})
        EXPECT_NE(GetProcAddress(mapi, name), nullptr) << name;
    FreeLibrary(mapi);

    WriteSmtpSettings("unused", 1);
    SetMailKey("eMailType", "mapi");
    EXPECT_EQ(OVKIT_IsMailOptionsValid(), 1); // MAPI settings are always valid
    StatusWindow status;
    int abort = 1;
    EXPECT_EQ(OVKIT_SendMAPIMail(status.Handle(), "a@x.org", 0, nullptr, nullptr, &abort), -1);
    EXPECT_EQ(status.Steps(), (std::vector<std::string>{"Loading MAPI server"}));
    std::string error = OVKIT_GetLastMailError();
    EXPECT_TRUE(error == "Aborted!" || error == "Failed to load and initialize the MAPI DLLs.")
        << error;
}

TEST(MapiMail, StoredPasswordIsBoundedToFortyCharacters) {
    char out[41];
    MailMapiPassword("secret", out, sizeof out);
    EXPECT_STREQ(out, "secret");
    MailMapiPassword(std::string(60, 'p').c_str(), out, sizeof out);
    EXPECT_EQ(std::string(out), std::string(40, 'p'));
}

TEST(MapiMail, StoredPasswordInTheEncryptedFormIsDecoded) {
    char stored[64], out[41];
    ASSERT_TRUE(OVKIT_EncryptPassword("secret", stored, OVKIT_MAIL_MAPI_PASSWORD_KEY));
    MailMapiPassword(stored, out, sizeof out);
    EXPECT_STREQ(out, "secret");
}
