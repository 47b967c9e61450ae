#include "table_generator.h"

#include <cstdio>

namespace mervanta::bench {

namespace {

constexpr const char* kFirstNames[] = {"Anna",  "Boris", "Clara", "David",  "Elena", "Felix",
                                       "Greta", "Hugo",  "Irina", "Jonas",  "Karin", "Leon",
                                       "Maria", "Nils",  "Olga",  "Pavel",  "Rosa",  "Simon",
                                       "Tanja", "Ugo",   "Vera",  "Walter", "Xenia", "Yuri"};
constexpr const char* kLastNames[] = {"Adler",  "Becker", "Castro", "Dorn",   "Eberle", "Fischer",
                                      "Gromov", "Hansen", "Ivanov", "Jansen", "Keller", "Lorenz",
                                      "Meyer",  "Novak",  "Orlov",  "Peters", "Quint",  "Richter",
                                      "Sokol",  "Thiel",  "Ulrich", "Vogel",  "Weber",  "Zorin"};
constexpr const char* kCities[] = {"Amsterdam", "Berlin",  "Cologne",  "Dresden",   "Essen",
                                   "Frankfurt", "Geneva",  "Hamburg",  "Innsbruck", "Jena",
                                   "Kiel",      "Leipzig", "Munich",   "Nuremberg", "Oslo",
                                   "Prague",    "Riga",    "Salzburg", "Turin",     "Vienna"};
constexpr const char* kStreets[] = {"Oak Street",  "Mill Lane",    "Church Road", "High Street",
                                    "Park Avenue", "Station Road", "River Walk",  "Garden Row",
                                    "Castle Hill", "Market Square"};
constexpr const char* kWords[] = {"call",   "back",  "after", "lunch", "order",  "shipped",
                                  "paid",   "late",  "VIP",   "new",   "client", "prefers",
                                  "e-mail", "phone", "box",   "gift",  "return", "invoice"};
constexpr const char* kPunctuation[] = {"; ", ", ", " | ", " \"quoted\" ", ". ", " - "};
constexpr const char* kDomains[] = {"example.com", "mail.test", "post.example", "inbox.test"};

std::uint64_t Mix(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// splitmix64 seeded by the mixed record index, so record i is reachable without generating
// the records before it and neighbouring records do not share their streams.
class TRandom {
 public:
  explicit TRandom(std::uint64_t seed) : State_(Mix(seed + 0x632BE59BD9B4E019ull)) {}
  std::uint64_t Next() { return Mix(State_ += 0x9E3779B97F4A7C15ull); }
  unsigned Below(unsigned bound) { return static_cast<unsigned>(Next() % bound); }
  template <std::size_t N>
  const char* Pick(const char* const (&items)[N]) {
    return items[Below(N)];
  }

 private:
  std::uint64_t State_;
};

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool NeedsQuotes(const std::string& field, char separator) {
  if (field.empty()) return false;
  if (field.front() == ' ' || field.back() == ' ') return true;
  return field.find_first_of(std::string("\"\r\n") + separator) != std::string::npos;
}

}  // namespace

const std::array<const char*, kGeneratedColumns>& GeneratedCaptions() {
  static const std::array<const char*, kGeneratedColumns> captions = {
      "Name", "City", "Street", "Phone", "Amount", "Date", "Notes", "E-mail"};
  return captions;
}

TGeneratedRecord GenerateRecord(std::uint64_t index) {
  TRandom random(index);
  TGeneratedRecord record;
  const std::string first = random.Pick(kFirstNames);
  const std::string last = random.Pick(kLastNames);
  record[0] = first + " " + last;
  record[1] = random.Pick(kCities);
  record[2] = std::string(random.Pick(kStreets)) + " " + std::to_string(1 + random.Below(250));
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "+49 %03u %03u-%02u-%02u", 100 + random.Below(900),
                random.Below(1000), random.Below(100), random.Below(100));
  record[3] = buffer;
  std::snprintf(buffer, sizeof buffer, "%u.%02u", random.Below(1000000), random.Below(100));
  record[4] = buffer;
  std::snprintf(buffer, sizeof buffer, "%02u.%02u.%04u", 1 + random.Below(28), 1 + random.Below(12),
                1950 + random.Below(75));
  record[5] = buffer;
  const std::size_t length = 20 + random.Below(61);
  std::string notes;
  while (notes.size() < length) {
    notes += random.Pick(kWords);
    notes += random.Below(4) == 0 ? random.Pick(kPunctuation) : " ";
  }
  notes.resize(length);
  while (notes.back() == ' ') notes.back() = '.';
  record[6] = notes;
  record[7] = Lower(first) + "." + Lower(last) + std::to_string(random.Below(100)) + "@" +
              random.Pick(kDomains);
  return record;
}

std::vector<TGeneratedRecord> GenerateRecords(std::uint64_t count) {
  std::vector<TGeneratedRecord> records;
  records.reserve(count);
  for (std::uint64_t i = 0; i < count; ++i) records.push_back(GenerateRecord(i));
  return records;
}

std::string GenerateDataFile(std::uint64_t count, char separator) {
  std::string text;
  text.reserve(count * 160);
  for (std::uint64_t i = 0; i < count; ++i) {
    const TGeneratedRecord record = GenerateRecord(i);
    for (int c = 0; c < kGeneratedColumns; ++c) {
      if (c > 0) text += separator;
      const std::string& field = record[c];
      if (!NeedsQuotes(field, separator)) {
        text += field;
        continue;
      }
      text += '"';
      for (char ch : field) {
        if (ch == '"') text += '"';
        text += ch;
      }
      text += '"';
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace mervanta::bench
