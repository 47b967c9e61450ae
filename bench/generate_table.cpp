// Writes the generated table to a data file: generate_table COUNT FILE [SEPARATOR]
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "table_generator.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "Usage: generate_table COUNT FILE [SEPARATOR]\n";
    return 2;
  }
  const auto count = std::strtoull(argv[1], nullptr, 10);
  const char separator = argc > 3 && argv[3][0] != '\0' ? argv[3][0] : ';';
  std::ofstream out(argv[2], std::ios::binary);
  const std::string text = mervanta::bench::GenerateDataFile(count, separator);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return out ? 0 : 1;
}
