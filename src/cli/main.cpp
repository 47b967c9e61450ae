#include <iostream>
#include <string>
#include <vector>

#include "application/cli_application.h"
#include "framework/terminal.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> words(argv + 1, argv + argc);
  mervanta::TCliApplication application(std::cout, std::cerr, mervanta::ProcessTerminal());
  return application.Run(words);
}
