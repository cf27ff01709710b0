# Installs the build into a fresh prefix and checks what a user gets: each
# program in bin/ and running, its manual page in share/man/man1 found by
# man and rendered without warnings, the zone lists and the examples in
# share/vorn/.
#
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DPROGRAMS=a,b -P install_check.cmake
string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
set(prefix ${BUILD_DIR}/install-check)
file(REMOVE_RECURSE ${prefix})

function(fail message)
  message(FATAL_ERROR "install check: ${message}")
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(status)
  fail("cmake --install failed: ${errors}")
endif()

find_program(MAN man)
if(NOT PROGRAMS)
  fail("no program was built")
endif()
foreach(program ${PROGRAMS})
  set(exe ${prefix}/bin/${program})
  execute_process(COMMAND test -x ${exe} RESULT_VARIABLE status)
  if(status)
    fail("${exe} is missing or not executable")
  endif()
  # The installed program runs: with no answers it either stops on its own
  # (status 0) or reports that its input ended (status 2).
  set(folder ${prefix}/run-${program})
  file(MAKE_DIRECTORY ${folder})
  execute_process(COMMAND ${exe} WORKING_DIRECTORY ${folder} INPUT_FILE /dev/null
                  RESULT_VARIABLE status OUTPUT_VARIABLE shown ERROR_VARIABLE errors TIMEOUT 30)
  if(NOT (status EQUAL 0 OR status EQUAL 2) OR shown STREQUAL "")
    fail("installed ${program} did not run: status ${status}, ${errors}")
  endif()

  set(page ${prefix}/share/man/man1/${program}.1)
  if(NOT EXISTS ${page})
    fail("manual page ${page} is missing")
  endif()
  if(MAN)
    # `man trired` finds the page under the prefix.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env MANPATH=${prefix}/share/man ${MAN} -w ${program}
                    RESULT_VARIABLE status OUTPUT_VARIABLE where OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(status OR NOT where STREQUAL page)
      fail("man -w ${program} gave '${where}' (status ${status}), not ${page}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 ${MAN} --warnings -l ${page}
                    RESULT_VARIABLE status OUTPUT_VARIABLE text ERROR_VARIABLE warnings)
    if(status OR NOT warnings STREQUAL "")
      fail("man -l ${page}: status ${status}: ${warnings}")
    endif()
    foreach(section NAME SYNOPSIS DESCRIPTION QUESTIONS FILES "EXIT STATUS")
      string(FIND "${text}" "${section}" at)
      if(at LESS 0)
        fail("${program}(1) has no ${section} section")
      endif()
    endforeach()
  else()
    message(STATUS "man is not installed: pages not rendered")
  endif()
endforeach()

foreach(zoneFile TABLE.DAT ZONE.DAT)
  if(EXISTS ${SOURCE_DIR}/data/${zoneFile})
    set(installed ${prefix}/share/vorn/${zoneFile})
    if(NOT EXISTS ${installed})
      fail("${installed} is missing")
    endif()
    file(SHA256 ${SOURCE_DIR}/data/${zoneFile} want)
    file(SHA256 ${installed} got)
    if(NOT want STREQUAL got)
      fail("${installed} differs from data/${zoneFile}")
    endif()
  endif()
endforeach()
if(NOT EXISTS ${prefix}/share/vorn/examples/demo.sh)
  fail("the examples are not installed")
endif()
file(REMOVE_RECURSE ${prefix})
message(STATUS "install check passed: ${PROGRAMS}")
