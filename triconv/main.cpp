#include "common/dialogue.h"
#include "triconv.h"

int main() { return vorn::runProgram("triconv", vorn::triconv::run); }
