#include "model/protecter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "model/byte_reader.h"
#include "model/record.h"
#include "support/atomic_file.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "test_support/temp_dir.h"

namespace mervanta {
namespace {

const std::string kSignature("PASSWORDED\x0A\x16\x02\x07", 14);

// A table's binary form: version 101, three fields, two records.
std::string BinaryTable() {
  std::string bytes;
  AppendUInt16(bytes, 101);
  AppendInt32(bytes, 3);
  AppendInt32(bytes, 2);
  for (const auto& fields : {std::vector<std::string>{"Smith", "John", "42"},
                             std::vector<std::string>{"Ann", "", "\x85 \"x\""}}) {
    TRecord record(3);
    for (int i = 0; i < 3; ++i) record.Fields().SetField(i, fields[i]);
    record.WriteBinary(bytes);
  }
  return bytes;
}

std::string SavedProtected(const test::TTempDir& dir, std::string plaintext,
                           std::string_view password) {
  const std::string path = dir.File("table.csv");
  ReplaceFileAtomically(
      path, [&](TFileWriter& writer) { TProtecter::SaveProtected(plaintext, password, writer); });
  return path;
}

void ExpectError(const std::function<void()>& action, const char* message) {
  try {
    action();
    ADD_FAILURE() << "no error";
  } catch (const EMervantaError& error) {
    EXPECT_STREQ(error.what(), message);
  }
}

TEST(Protecter, ShortPasswordsGrowToSixCharacters) {
  struct TCase {
    std::string Password;
    std::string Expanded;
  } cases[] = {
      {"abcdef", "abcdef"},
      {"abcdefgh", "abcdefgh"},
      {"ab", "ab][ZZ"},
      {"kx1", "kx1JW^"},
      {"\x05", "\x05\x12\x07\x02\x15\x0A"},  // two codes of 0 replaced by the length + 17
      {"\x01",
       "\x01\xFC"
       "z9\x19\x0A"},  // a negative sum wraps to 252
      {"", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Password);
    EXPECT_EQ(TProtecter::ExpandPassword(c.Password), c.Expanded);
  }
}

TEST(Protecter, VerifierFollowsTheFormat) {
  const TPasswordVerifier secret{0xF9, 0xAA, 0x4B, 0x02, 0x18, 0x9A, 0x8A, 0x54, 147, 26, 12, 166};
  EXPECT_EQ(TProtecter::Verifier("secret"), secret);
  EXPECT_EQ(TProtecter::Verifier("ab"), TProtecter::Verifier("ab][ZZ"));
  EXPECT_NE(TProtecter::Verifier("ab"), TProtecter::Verifier("ac"));
  EXPECT_NE(TProtecter::Verifier("\xE9t\xE9"), TProtecter::Verifier("\xC9T\xC9"));
}

TEST(Protecter, KeystreamStartsFromTheLastByte) {
  struct TCase {
    std::string Zeros;
    std::string Scrambled;
  } cases[] = {
      {std::string(1, '\0'), "\x97"},
      {std::string(2, '\0'), "\x88\x97"},
      {std::string(3, '\0'), "\x67\x47\x97"},
  };
  for (TCase& c : cases) {
    SCOPED_TRACE(c.Zeros.size());
    std::string bytes = c.Zeros;
    TProtecter::Scramble(bytes.data(), bytes.size(), "secret");
    EXPECT_EQ(bytes, c.Scrambled);
    TProtecter::Unscramble(bytes.data(), bytes.size(), "secret");
    EXPECT_EQ(bytes, c.Zeros);
  }
}

TEST(Protecter, KeystreamNeverDividesByZero) {
  // The walk may start on an odd or an even position; K cycles either way.
  for (std::size_t length : {std::size_t{1000000}, std::size_t{1000001}}) {
    TKeystream keystream("kx1JW^");
    for (std::size_t i = length; i-- > 0;) {
      ASSERT_NE(keystream.Divisor(), 0) << "at " << i;
      keystream.Next(i);
    }
  }
}

TEST(Protecter, SavedTableMatchesTheStoredSampleAndLoadsBack) {
  const test::TTempDir dir;
  const std::string path = SavedProtected(dir, BinaryTable(), "kx1");
  const std::string saved = ReadWholeFile(path);
  EXPECT_EQ(saved, ReadWholeFile(test::DataFile("model/protected.csv")));
  EXPECT_EQ(saved.substr(0, 16), kSignature + "\xDB\x07");
  EXPECT_EQ(saved.size(), 28 + BinaryTable().size());

  EXPECT_TRUE(TProtecter::IsProtected(path));
  for (const char* password : {"kx1", "kx1JW^"}) {
    SCOPED_TRACE(password);
    EXPECT_TRUE(TProtecter::CheckPassword(path, password));
    std::string data = saved;
    EXPECT_EQ(TProtecter::LoadProtected(data, password), BinaryTable());
  }
  for (const char* wrong : {"kx2", "KX1", ""}) {
    SCOPED_TRACE(wrong);
    EXPECT_FALSE(TProtecter::CheckPassword(path, wrong));
  }
}

TEST(Protecter, OneChangedByteSpoilsOnlyItsOwnPlaintextByte) {
  const std::string plaintext = BinaryTable();
  std::string scrambled = plaintext;
  TProtecter::Scramble(scrambled.data(), scrambled.size(), "secret");
  for (std::size_t at : {std::size_t{0}, scrambled.size() / 2, scrambled.size() - 1}) {
    SCOPED_TRACE(at);
    std::string changed = scrambled;
    changed[at] = static_cast<char>(changed[at] ^ 0x5A);
    TProtecter::Unscramble(changed.data(), changed.size(), "secret");
    std::size_t differences = 0;
    for (std::size_t i = 0; i < plaintext.size(); ++i) differences += changed[i] != plaintext[i];
    EXPECT_EQ(differences, 1u);
    EXPECT_NE(changed[at], plaintext[at]);
  }
}

TEST(Protecter, IsProtectedNeedsTheSignatureAndOneMoreByte) {
  const test::TTempDir dir;
  struct TCase {
    const char* Name;
    std::string Bytes;
    bool Expected;
  } cases[] = {
      {"signature only", kSignature, false},
      {"signature and a byte", kSignature + "x", true},
      {"other start", "PASSWORDED\x0A\x16\x02\x08x", false},
      {"empty", "", false},
      {"text", "a;b;c\r\n", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(TProtecter::IsProtected(dir.Write(c.Name, c.Bytes)), c.Expected);
  }
  EXPECT_FALSE(TProtecter::IsProtected(dir.File("missing")));
  EXPECT_FALSE(TProtecter::IsProtected(dir.Path()));
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(TProtecter::IsProtected(fifo));
}

TEST(Protecter, LoadRefusesNewerVersionsAndShortHeaders) {
  const std::string verifier(12, '\0');
  const std::string newer = kSignature + "\xDC\x07";
  ExpectError(
      [&] {
        std::string data = newer + verifier + "body";
        TProtecter::LoadProtected(data, "kx1");
      },
      "Unable to load password-protected file created with newer program version");
  ExpectError(
      [&] {
        std::string data = newer;
        TProtecter::LoadProtected(data, "kx1");
      },
      "Unable to load password-protected file created with newer program version");
  ExpectError(
      [&] {
        std::string data = kSignature + std::string("\x01\x00", 2) + "short";
        TProtecter::LoadProtected(data, "kx1");
      },
      "Stream read error");
  ExpectError(
      [&] {
        std::string data = kSignature + std::string("\x01\x00", 2) + verifier;
        TProtecter::LoadProtected(data, "");
      },
      "Invalid password");

  std::string older = kSignature + std::string("\x64\x00", 2) + verifier;
  EXPECT_EQ(TProtecter::LoadProtected(older, "kx1"), "");

  const test::TTempDir dir;
  EXPECT_FALSE(TProtecter::CheckPassword(dir.Write("short", newer + "abc"), "kx1"));
}

}  // namespace
}  // namespace mervanta
