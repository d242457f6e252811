# Runs a test program inside a Wine virtual desktop, which has a taskbar with a
# notification area, and judges it by the report the program writes: a program run
# by the desktop does not hand its exit code back.
#   cmake -DPROGRAM=<exe> -DREPORT=<xml> -P RunInDesktop.cmake
file(REMOVE ${REPORT})
# Windows paths on drive Z:, the root of the Linux file system (winepath would start Wine
# twice more for the same answer).
string(REPLACE "/" "\\" report_path "Z:${REPORT}")
string(REPLACE "/" "\\" program_path "Z:${PROGRAM}")
# The desktop, and with it the taskbar, runs under Wine's 64-bit loader where the run names
# it (VEL_WINE64; the prefix is a 64-bit one): natively, also where 32-bit programs run
# under qemu. The plain `wine` is the 32-bit loader, which there starts a 32-bit start.exe
# and explorer.exe, both emulated. The test program is of either width.
set(wine wine)
if(DEFINED ENV{VEL_WINE64})
  set(wine $ENV{VEL_WINE64})
endif()
execute_process(COMMAND ${wine} explorer /desktop=velnotifier,800x600 ${program_path} --gtest_output=xml:${report_path}
                TIMEOUT 1200 RESULT_VARIABLE result)
# Should the desktop hand back before its program ends, wait for the report (bounded).
foreach(second RANGE 120)
  if(EXISTS ${REPORT})
    break()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1)
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1)  # the report is written whole
if(NOT EXISTS ${REPORT})
  message(FATAL_ERROR "the test program wrote no report (explorer: ${result})")
endif()
file(READ ${REPORT} report)
message("${report}")
string(REGEX MATCH "<testsuites tests=\"([0-9]+)\" failures=\"([0-9]+)\"[^>]* errors=\"([0-9]+)\"" summary "${report}")
if(NOT summary OR CMAKE_MATCH_1 EQUAL 0 OR NOT CMAKE_MATCH_2 EQUAL 0 OR NOT CMAKE_MATCH_3 EQUAL 0)
  message(FATAL_ERROR "the desktop tests failed")
endif()
message("${CMAKE_MATCH_1} passed, 0 failed")
