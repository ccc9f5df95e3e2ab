#include "settings/protected_password.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fake/fake_secret_protection.h"
#include "settings/component_stream.h"

namespace bw {
namespace {

using platform::FakeSecretProtection;

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::unique_ptr<TStorage> TreeWithPasswords(std::initializer_list<std::pair<const char*, const char*>> configs) {
  auto root = std::make_unique<TStorage>();
  root->AddChild(std::make_unique<TBrackwaterStorage>());
  for (int i = 0; i < 3; ++i) root->AddChild(std::make_unique<TStorage>());
  auto folder = std::make_unique<TConfigStorage>();
  folder->ConfigName = "Folder";
  folder->IsSubMenu = true;
  TStorage& inner = *folder;
  ConfigsFolder(*root).AddChild(std::move(folder));
  for (const auto& [name, password] : configs) {
    auto config = std::make_unique<TConfigStorage>();
    config->ConfigName = name;
    config->Password = password;
    inner.AddChild(std::move(config));
  }
  return root;
}

TConfigStorage& Nth(TStorage& root, int index) { return As<TConfigStorage>(Config(root, 0).Child(index)); }

TEST(ProtectedPassword, Base64RoundTripsAndRejectsEveryOtherForm) {
  for (std::string_view text : {"", "f", "fo", "foo", "foob", "fooba", "foobar"}) {
    const auto encoded = EncodeBase64(Bytes(text));
    EXPECT_EQ(DecodeBase64(encoded), Bytes(text)) << text;
  }
  EXPECT_EQ(EncodeBase64(Bytes("foobar\xff")), "Zm9vYmFy/w==");
  for (std::string_view bad : {"Zm9", "Zm9v=", "Zg=a", "Z===", "Zh==", "Zm9v YmFy", "Zm==Zm9v", "Zm9\x80"})
    EXPECT_FALSE(DecodeBase64(bad)) << bad;
}

TEST(ProtectedPassword, MarkedTextOpensOnlyForItsOwner) {
  FakeSecretProtection alice, bob("bob");
  const auto marked = ProtectPassword("s3cret", alice);
  ASSERT_TRUE(marked);
  EXPECT_TRUE(IsProtectedPassword(*marked));
  EXPECT_EQ(marked->find("s3cret"), std::string::npos);
  EXPECT_EQ(UnprotectPassword(*marked, alice), "s3cret");
  EXPECT_EQ(UnprotectPassword(*marked, bob), std::nullopt);
  EXPECT_EQ(UsablePassword(*marked, bob), "");
  EXPECT_EQ(UsablePassword("plain", bob), "plain");  // a clear password is used as it stands
  // A damaged marked text counts as unreadable too, without asking the platform.
  const int calls = alice.unprotectCalls;
  for (std::string bad : {std::string(kProtectedPasswordPrefix), std::string(kProtectedPasswordPrefix) + "!!!!"})
    EXPECT_EQ(UnprotectPassword(bad, alice), std::nullopt);
  EXPECT_EQ(alice.unprotectCalls, calls);
  alice.refuse = true;
  EXPECT_EQ(ProtectPassword("s3cret", alice), std::nullopt);
}

TEST(ProtectedPassword, SaveProtectsWhileOnAndStoresInClearWhenOff) {
  FakeSecretProtection alice, bob("bob");
  auto root = TreeWithPasswords({{"Empty", ""}, {"Live", "pw1"}, {"Test", "pw2"}});
  const auto clearBytes = WriteComponentStream(*root);

  ASSERT_TRUE(PreparePasswordsForSave(*root, true, alice));
  EXPECT_EQ(Nth(*root, 0).Password, "");
  EXPECT_TRUE(IsProtectedPassword(Nth(*root, 1).Password));
  const std::string once = Nth(*root, 2).Password;
  ASSERT_TRUE(PreparePasswordsForSave(*root, true, alice));
  EXPECT_EQ(Nth(*root, 2).Password, once);  // protected ones are not protected twice
  const auto sealedBytes = WriteComponentStream(*root);
  for (std::string_view clear : {"pw1", "pw2"})
    EXPECT_EQ(std::search(sealedBytes.begin(), sealedBytes.end(), clear.begin(), clear.end()), sealedBytes.end());
  EXPECT_EQ(As<TConfigStorage>(ReadComponentStream(sealedBytes)->Child(kConfigsIndex).Child(0).Child(2)).Password, once);

  // Off again: another user's password stays as it is, the owner's come back byte for byte.
  EXPECT_TRUE(PreparePasswordsForSave(*root, false, bob));
  EXPECT_EQ(Nth(*root, 2).Password, once);
  EXPECT_TRUE(PreparePasswordsForSave(*root, false, alice));
  EXPECT_EQ(WriteComponentStream(*root), clearBytes);

  alice.refuse = true;
  EXPECT_FALSE(PreparePasswordsForSave(*root, true, alice));
  EXPECT_EQ(Nth(*root, 1).Password, "pw1");
}

TEST(ProtectedPassword, UnreadableConfigurationsAreNamedOnce) {
  FakeSecretProtection alice, bob("bob");
  auto root = TreeWithPasswords({{"Live", "pw1"}, {"Clear", ""}, {"Test", "pw2"}});
  PreparePasswordsForSave(*root, true, alice);
  Nth(*root, 1).Password = "typed again";
  EXPECT_EQ(UnreadablePasswordConfigs(*root, bob), (std::vector<std::string>{"Live", "Test"}));
  EXPECT_TRUE(UnreadablePasswordConfigs(*root, alice).empty());
}

TEST(ProtectedPassword, PreferenceIsWrittenOnlyWhenOn) {
  TBrackwaterStorage general;
  const std::string_view name = "ProtectPasswords";
  auto bytes = WriteComponentStream(general);
  EXPECT_EQ(std::search(bytes.begin(), bytes.end(), name.begin(), name.end()), bytes.end());
  general.ProtectPasswords = true;
  bytes = WriteComponentStream(general);
  EXPECT_NE(std::search(bytes.begin(), bytes.end(), name.begin(), name.end()), bytes.end());
  EXPECT_TRUE(As<TBrackwaterStorage>(*ReadComponentStream(bytes)).ProtectPasswords);
}

}  // namespace
}  // namespace bw
