# Forms that must fail, run in one velform process: each failure must be reported in its own
# words, and the run must fail.
#   cmake -DVELFORM=<velform.exe> -DOUTPUT=<file> -P ExpectFailures.cmake
set(here ${CMAKE_CURRENT_LIST_DIR})
set(forms)
foreach(form velform/failing.vbs velform/leaking.vbs listboxcontrol/savedobjects.vbs)
  get_filename_component(path ${here}/../${form} ABSOLUTE)
  list(APPEND forms Z:${path})
endforeach()
# The output goes to files: a pipe may stay open while Wine's system processes hold it.
execute_process(COMMAND wine ${VELFORM} /test ${forms} OUTPUT_FILE ${OUTPUT} ERROR_FILE ${OUTPUT}.err
                RESULT_VARIABLE code TIMEOUT 2000)
file(READ ${OUTPUT} out)
file(READ ${OUTPUT}.err err)
message("${out}${err}")

set(expected
  # Every kind of failure, with its line and message; the one passing test still passes.
  "FAIL Test_AssertionFails: line 10: Assertion failed: condition is False: one is not two.*FAIL Test_AssertEqualFails: line 14: Assertion failed: expected \"left\", got \"right\": strings differ.*FAIL Test_RuntimeError: line 19: .*FAIL Test_ErrorInCalledSub: line 23: raised in a helper.*FAIL Test_FailCalled: line 31: .*1 passed, 5 failed"
  # A control left alive after its form closed.
  "FAIL Test_ObjectsLeftAliveFailTheTest: objects of VelFixture.ocx are still alive after the form closed.*0 passed, 1 failed"
  # Saved properties holding a list box where a font belongs.
  "an object of class {A26A2D79-6B79-11D1-BF3C-000000000000} cannot be loaded")
foreach(pattern IN LISTS expected)
  if(NOT "${out}${err}" MATCHES "${pattern}")
    message(FATAL_ERROR "not reported: ${pattern}")
  endif()
endforeach()
if(code EQUAL 0)
  message(FATAL_ERROR "velform passed forms that fail (exit code ${code})")
endif()
