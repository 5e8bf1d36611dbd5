# tzad_add_window_test(target): registers the tests of a GoogleTest binary that shows windows.
# Each runs under its own virtual X server (xvfb-run) without the accessibility bus; sanitized
# builds suppress the leaks of the desktop's libraries (lsan_gui.supp), never our own.
set(TZAD_LSAN_GUI_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/lsan_gui.supp)
# The toolkit's libraries are loaded with dlopen, after the start, and bring thread-local storage
# of their own: the leak checker's walk through it crashes (GCC 12), so it leaves it out. GTK's
# OpenGL (Mesa's software renderer, its shaders compiled into anonymous memory) is of no use to
# windows painted with cairo, and its allocations cannot be told apart: it is turned off.
set(TZAD_SANITIZED_WINDOW_ENVIRONMENT
  "LSAN_OPTIONS=suppressions=${TZAD_LSAN_GUI_SUPPRESSIONS}:use_tls=0" GDK_GL=disable)
set(TZAD_WINDOW_TEST_SCREEN 1280x1024)

# The prefix that runs a window test binary on a virtual screen of that size (WIDTHxHEIGHT). The
# desktop's file dialog keeps its settings in memory: the test machine has no settings service.
function(tzad_window_test_launcher out screen)
  set(launcher env NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory)
  if(TZAD_SANITIZE)
    list(APPEND launcher ${TZAD_SANITIZED_WINDOW_ENVIRONMENT})
  endif()
  list(APPEND launcher xvfb-run -a -s "-screen 0 ${screen}x24")
  set(${out} "${launcher}" PARENT_SCOPE)
endfunction()

function(tzad_add_window_test target)
  target_link_libraries(${target} PRIVATE tzad_window_test_main)
  # The binary runs through this prefix when its tests are listed and when each one runs.
  tzad_window_test_launcher(launcher ${TZAD_WINDOW_TEST_SCREEN})
  set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR "${launcher}")
  # A test that hangs (a step stuck inside a menu's loop) fails after five minutes.
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# tzad_add_window_test_on_screen(target test screen): runs one test of such a binary once more,
# on a screen of another size (WIDTHxHEIGHT), as the test named "test.screen".
function(tzad_add_window_test_on_screen target test screen)
  tzad_window_test_launcher(launcher ${screen})
  add_test(NAME ${test}.${screen} COMMAND ${launcher} $<TARGET_FILE:${target}>
    --gtest_filter=${test})
endfunction()

# tzad_add_display_test(name script args...): a Python driver of the whole program, run under a
# virtual X server of its own, with the environment of the window tests.
function(tzad_add_display_test name script)
  add_test(NAME ${name}
    COMMAND xvfb-run -a -s "-screen 0 ${TZAD_WINDOW_TEST_SCREEN}x24" ${TZAD_PYTHON} ${script}
      ${ARGN})
  set(environment NO_AT_BRIDGE=1)
  if(TZAD_SANITIZE)
    list(APPEND environment ${TZAD_SANITIZED_WINDOW_ENVIRONMENT})
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
endfunction()
