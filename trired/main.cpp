#include "common/dialogue.h"
#include "trired.h"

int main() { return vorn::runProgram("trired", trired::run); }
