// A loopback catalogue for the desktop program's start-up figures: prints its host, then serves until its
// standard input closes.

#include <QGuiApplication>
#include <cstdio>
#include <iostream>
#include <string>

#include "support/catalogue_site.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");  // fonts for the posters, no display needed
  QGuiApplication app(argc, argv);
  morvessa::test::CatalogueSite site;
  std::printf("%s\n", site.host().c_str());
  std::fflush(stdout);
  std::string line;
  while (std::getline(std::cin, line)) {
  }
  return 0;
}
