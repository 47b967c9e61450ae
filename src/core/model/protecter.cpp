#include "model/protecter.h"

#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>

#include "model/byte_reader.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/file_snapshot.h"

namespace mervanta {

namespace {

using namespace protected_format;

// K takes four values in turn; which four depends on whether the walk starts on an odd or
// an even position, so both walks are checked. A divisor of -1 could overflow as well.
constexpr bool KeepsDivisorSafe(std::int8_t start) {
  for (int firstOdd = 0; firstOdd < 2; ++firstOdd) {
    std::int8_t k = start;
    for (int step = 0; step < 8; ++step) {
      if (k + 30 == 0 || k + 30 == -1) return false;
      const bool odd = (step + firstOdd) % 2 == 1;
      k = static_cast<std::int8_t>(odd ? k - 1 : -2 - k);
    }
  }
  return true;
}
static_assert(KeepsDivisorSafe(kKeystreamStartK));
static_assert(kVerifierStartA >= 10000000 && kVerifierStartA <= 99999999);
static_assert(kVerifierStartB >= 100 && kVerifierStartB <= 999);
static_assert(kKeystreamStartS >= 1000 && kKeystreamStartS <= 9999);
static_assert(kKeystreamStartK >= 10 && kKeystreamStartK <= 99);
static_assert(kKeystreamStartM <= 9);

// A start this close to the signature is a damaged signature: no text starts with the
// signature's letters followed by control characters so near to its own.
constexpr int kDamagedSignatureBits = 3;

unsigned char Code(char c) {
  return static_cast<unsigned char>(c);
}
int SignedCode(char c) {
  return static_cast<signed char>(c);
}

std::string KeyOf(std::string_view password) {
  if (password.empty()) throw EMervantaError("Invalid password");
  return TProtecter::ExpandPassword(password);
}

// Up to `size` bytes from the start of a table's data file, as a save in progress or cut short
// leaves it to readers; -1 when it cannot be read.
long ReadFileStart(const std::string& fileName, char* buffer, std::size_t size) {
  TFileDescriptor fd;
  try {
    fd = OpenCommittedFile(fileName, fileName);
  } catch (const EMervantaError&) {
    return -1;
  }
  long got = 0;
  while (static_cast<std::size_t>(got) < size) {
    const ssize_t n = ::read(fd.Get(), buffer + got, size - static_cast<std::size_t>(got));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    got += n;
  }
  return got;
}

}  // namespace

unsigned char TKeystream::Next(std::size_t i) {
  const auto q = static_cast<unsigned char>(S_ / Divisor());
  const auto offset = static_cast<unsigned char>(Code(Key_[KeyPosition_]) + q - K_ + M_);
  S_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(S_) +
                                 static_cast<std::uint32_t>(i % 9 == 0 ? 69 : -198));
  K_ = static_cast<std::int8_t>(i % 2 == 1 ? K_ - 1 : -2 - K_);
  if (i % 3 == 0) M_ = static_cast<std::uint8_t>(M_ + 3);
  if (++KeyPosition_ == Key_.size()) KeyPosition_ = 0;
  return offset;
}

std::string TProtecter::ExpandPassword(std::string_view password) {
  std::string key(password);
  if (key.empty()) return key;
  while (key.size() < kMinKeyLength) {
    const int length = static_cast<int>(key.size());
    auto code =
        static_cast<unsigned char>((Code(key.front()) + Code(key.back()) - 11 + length) / 2);
    if (code == 0) code = static_cast<unsigned char>(length + 17);
    key += static_cast<char>(code);
  }
  return key;
}

TPasswordVerifier TProtecter::Verifier(std::string_view password) {
  const std::string key = KeyOf(password);
  const auto n = static_cast<unsigned>(key.size());
  auto a = static_cast<std::uint32_t>(kVerifierStartA);
  auto b = static_cast<std::uint32_t>(kVerifierStartB);
  unsigned char c0 = 0;
  const int first = SignedCode(key.front());
  for (auto it = key.rbegin(); it != key.rend(); ++it) {
    const int ch = SignedCode(*it);
    a += static_cast<std::uint32_t>(ch * 80 + 32);
    b *= static_cast<std::uint32_t>(ch);
    c0 = static_cast<unsigned char>(c0 + ch - (ch / 2 + first));
  }
  TPasswordVerifier verifier;
  for (int i = 0; i < 4; ++i) {
    verifier[i] = static_cast<unsigned char>(a >> (8 * i));
    verifier[4 + i] = static_cast<unsigned char>(b >> (8 * i));
  }
  verifier[8] = c0;
  verifier[9] = static_cast<unsigned char>(n + 20);
  verifier[10] = static_cast<unsigned char>(Code(key[0]) + Code(key[2]) - 2 * Code(key[1]));
  verifier[11] = static_cast<unsigned char>(n * 113 + static_cast<unsigned char>((a & 0xFF) + c0) +
                                            Code(key.back()));
  return verifier;
}

void TProtecter::Scramble(char* data, std::size_t size, std::string_view password) {
  const std::string key = KeyOf(password);
  TKeystream keystream(key);
  for (std::size_t i = size; i-- > 0;)
    data[i] = static_cast<char>(Code(data[i]) + keystream.Next(i));
}

void TProtecter::Unscramble(char* data, std::size_t size, std::string_view password) {
  const std::string key = KeyOf(password);
  TKeystream keystream(key);
  for (std::size_t i = size; i-- > 0;)
    data[i] = static_cast<char>(Code(data[i]) - keystream.Next(i));
}

bool TProtecter::IsProtected(const std::string& fileName) {
  char start[kSignature.size() + 1];
  return ReadFileStart(fileName, start, sizeof start) == static_cast<long>(sizeof start) &&
         std::string_view(start, kSignature.size()) == kSignature;
}

bool TProtecter::LooksProtected(std::string_view head) {
  if (head.size() < kSignature.size()) return false;
  int changed = 0;
  for (std::size_t i = 0; i < kSignature.size(); ++i)
    changed += std::popcount(static_cast<unsigned char>(head[i] ^ kSignature[i]));
  return changed <= kDamagedSignatureBits;
}

bool TProtecter::CheckPassword(const std::string& fileName, std::string_view password) {
  if (password.empty()) return false;
  char header[kHeaderSize];
  if (ReadFileStart(fileName, header, sizeof header) != static_cast<long>(sizeof header)) {
    return false;
  }
  const TPasswordVerifier verifier = Verifier(password);
  return std::memcmp(header + kVerifierOffset, verifier.data(), verifier.size()) == 0;
}

void TProtecter::SaveProtected(std::string& plaintext, std::string_view password,
                               TFileWriter& target) {
  const TPasswordVerifier verifier = Verifier(password);
  Scramble(plaintext.data(), plaintext.size(), password);
  std::string header(kSignature);
  AppendUInt16(header, kVersion);
  header.append(reinterpret_cast<const char*>(verifier.data()), verifier.size());
  target.Write(header);
  target.Write(plaintext);
}

std::string_view TProtecter::LoadProtected(std::string& data, std::string_view password) {
  TByteReader reader(data);
  reader.ReadBytes(kSignature.size());
  if (reader.ReadUInt16() > kVersion) {
    throw EMervantaError(
        "Unable to load password-protected file created with newer program version");
  }
  reader.ReadBytes(kVerifierSize);
  char* body = data.data() + kHeaderSize;
  Unscramble(body, data.size() - kHeaderSize, password);
  return {body, data.size() - kHeaderSize};
}

}  // namespace mervanta
