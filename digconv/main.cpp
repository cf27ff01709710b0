#include "common/dialogue.h"
#include "digconv/flow.h"

int main() { return vorn::runProgram("digconv", vorn::digconv::run); }
