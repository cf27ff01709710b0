#include "common/dialogue.h"
#include "jobset/jobset.h"

int main() { return vorn::runProgram("jobset", vorn::jobset::run); }
