#include "child_usage.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace vorn::bench {

ChildUsage runMeasured(const std::vector<std::string>& argv, const std::string& input, const std::string& folder) {
  pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    int in = ::open(input.c_str(), O_RDONLY);
    int null = ::open("/dev/null", O_WRONLY);
    if (in < 0 || null < 0 || ::chdir(folder.c_str()) != 0) ::_exit(127);
    ::dup2(in, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error(argv[0] + " failed");
  ChildUsage used;
  used.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
  used.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                    static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  return used;
}

}  // namespace vorn::bench
