#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mervanta {

class TFileWriter;

// The fixed values of the protected data file format. They are part of every file ever
// written: changing any of them makes existing protected tables unreadable.
namespace protected_format {
inline constexpr std::string_view kSignature{"PASSWORDED\x0A\x16\x02\x07", 14};
inline constexpr std::uint16_t kVersion = 2011;
inline constexpr std::size_t kVerifierOffset = 16;
inline constexpr std::size_t kVerifierSize = 12;
inline constexpr std::size_t kHeaderSize = kVerifierOffset + kVerifierSize;
// Expanded passwords have at least this many characters.
inline constexpr std::size_t kMinKeyLength = 6;

// Start values of the verifier's two sums.
inline constexpr std::int32_t kVerifierStartA = 38461529;
inline constexpr std::int32_t kVerifierStartB = 743;
// Start values of the keystream; the divisor K + 30 must never be 0 in K's cycle of four
// values, which rules out K = 27, 28, 29, -29, -30 and -31.
inline constexpr std::int32_t kKeystreamStartS = 5281;
inline constexpr std::int8_t kKeystreamStartK = 43;
inline constexpr std::uint8_t kKeystreamStartM = 7;
}  // namespace protected_format

using TPasswordVerifier = std::array<unsigned char, protected_format::kVerifierSize>;

// The keystream that scrambles a protected file's body, walked from its last byte to its
// first: Next(i) gives what is added to byte i, and must be called for i = N - 1 down to 0.
class TKeystream {
 public:
  // `key` is an expanded password.
  explicit TKeystream(std::string_view key) : Key_(key) {}

  unsigned char Next(std::size_t i);
  // What the next step divides by; never 0.
  int Divisor() const { return K_ + 30; }

 private:
  std::string_view Key_;
  std::size_t KeyPosition_ = 0;
  std::int32_t S_ = protected_format::kKeystreamStartS;
  std::int8_t K_ = protected_format::kKeystreamStartK;
  std::uint8_t M_ = protected_format::kKeystreamStartM;
};

// Password protection of data files: a signature, the format version and a password
// verifier, followed by the table's binary form scrambled with the password. Passwords are
// ANSI bytes; an empty one protects nothing and is refused with "Invalid password".
class TProtecter {
 public:
  TProtecter() = delete;

  // True when the file is at least 15 bytes long and starts with the signature; any
  // failure to read it gives false. A table's data file is read as its save in progress or
  // cut short counts, as the table reads it.
  static bool IsProtected(const std::string& fileName);
  // True for bytes that start with the signature, or with the signature a few bits changed:
  // a protected file, perhaps damaged, which read as text would be garbage and saved as
  // text would be lost.
  static bool LooksProtected(std::string_view head);
  // True when the file's verifier is the password's; a file too short or unreadable gives
  // false. The signature and version are not examined.
  static bool CheckPassword(const std::string& fileName, std::string_view password);

  // Scrambles `plaintext` in place and writes the protected form to `target`.
  static void SaveProtected(std::string& plaintext, std::string_view password, TFileWriter& target);
  // Unscrambles the body of a protected file in place and returns the plaintext, a view into
  // `data`. The signature and verifier are not checked (CheckPassword is the caller's);
  // raises "Stream read error" for a file shorter than the header and "Unable to load
  // password-protected file created with newer program version" for a newer version.
  static std::string_view LoadProtected(std::string& data, std::string_view password);

  // The format's pieces. A password shorter than six characters grows from its first and
  // last codes to six, so the short one and its expansion open the same tables.
  static std::string ExpandPassword(std::string_view password);
  static TPasswordVerifier Verifier(std::string_view password);
  static void Scramble(char* data, std::size_t size, std::string_view password);
  static void Unscramble(char* data, std::size_t size, std::string_view password);
};

}  // namespace mervanta
