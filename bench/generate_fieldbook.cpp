// generate_fieldbook FILE [SETUPS [SETUPS_PER_STATION]]: writes a large
// three-wire field book.
#include <cstdio>
#include <cstdlib>

#include "fieldbook_generator.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE [SETUPS [SETUPS_PER_STATION]]\n", argv[0]);
    return 2;
  }
  vorn::bench::FieldBookShape shape;
  if (argc > 2) shape.setups = std::atoll(argv[2]);
  if (argc > 3) shape.setupsPerStation = std::atoll(argv[3]);
  if (!vorn::bench::writeFieldBookFile(argv[1], shape)) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
