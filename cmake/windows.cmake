# The Windows program: one static, Unicode, GUI-subsystem exe that needs no DLL
# beyond the system DLLs that Windows XP has.

set(XP_DEFINES UNICODE _UNICODE _WIN32_WINNT=0x0501 WINVER=0x0501 NOMINMAX WIN32_LEAN_AND_MEAN)

# Terminal-Server-aware: on a terminal server Windows would otherwise give
# each user a Windows folder of their own, and the OEM files and the undo
# scripts' tools would be looked for there.
if(MSVC)
    add_link_options(/TSAWARE)
else()
    add_link_options(-Wl,--tsaware)
endif()

add_executable(Velkor WIN32 ${PORTABLE_SOURCES} ${WIN32_SOURCES} resources/app.rc)
target_include_directories(Velkor PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(Velkor PRIVATE ${XP_DEFINES})
target_compile_options(Velkor PRIVATE ${WARNINGS})
target_link_libraries(Velkor PRIVATE comctl32 comdlg32 advapi32 gdi32 user32 kernel32)

if(MSVC)
    # app.rc carries the manifest; the linker must not add a second one.
    target_link_options(Velkor PRIVATE /MANIFEST:NO)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        target_link_options(Velkor PRIVATE /SUBSYSTEM:WINDOWS,5.01)
    endif()
endif()

if(MINGW)
    set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
    # No exceptions are thrown: no unwind tables for our own code.
    # Nothing runs on a second thread, so statics need no thread-safe guards;
    # nothing asks for a type at run time. Both would pull the library's
    # exception runtime in.
    target_compile_options(Velkor PRIVATE -Os -ffunction-sections -fdata-sections -fno-exceptions
                                          -fno-asynchronous-unwind-tables -fno-unwind-tables
                                          -fno-threadsafe-statics -fno-rtti)
    # No link time in the header: two builds of one commit are the same bytes.
    target_link_options(Velkor PRIVATE -municode -static -s -Wl,--gc-sections
                                       -Wl,--no-insert-timestamp)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        # Windows XP refuses images that ask for a later subsystem version.
        target_link_options(Velkor PRIVATE -Wl,--subsystem,windows:5.01)
    endif()
endif()

add_custom_command(TARGET Velkor POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:Velkor> -P ${CMAKE_SOURCE_DIR}/cmake/print_size.cmake
    VERBATIM)

# The end-to-end tests' window inspector, a console program of its own.
add_executable(inspector tests/e2e/inspector/inspector.cpp resources/form1_layout.cpp
    resources/form2_layout.cpp win32/wide.cpp)
target_include_directories(inspector PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(inspector PRIVATE ${XP_DEFINES})
target_compile_options(inspector PRIVATE ${WARNINGS})
if(MINGW)
    target_link_options(inspector PRIVATE -municode -static -s)
endif()
target_link_libraries(inspector PRIVATE user32 gdi32)

# Helpers of the end-to-end tests: a recording stand-in for sc.exe and a small
# window that lets the harness be tested without the program.
add_executable(sc tests/e2e/sc_recorder/sc.cpp)
target_compile_definitions(sc PRIVATE ${XP_DEFINES})
target_compile_options(sc PRIVATE ${WARNINGS})
# The console reader: the text of a visible script's console.
add_executable(console_text tests/e2e/console_text/console_text.cpp)
target_compile_definitions(console_text PRIVATE ${XP_DEFINES})
target_compile_options(console_text PRIVATE ${WARNINGS})
# The file probe: what another process can do to a file (a running script).
add_executable(file_probe tests/e2e/file_probe/file_probe.cpp)
target_compile_definitions(file_probe PRIVATE ${XP_DEFINES})
target_compile_options(file_probe PRIVATE ${WARNINGS})
add_executable(testwin WIN32 tests/e2e/testwin/testwin.cpp)
target_include_directories(testwin PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(testwin PRIVATE ${XP_DEFINES})
target_compile_options(testwin PRIVATE ${WARNINGS})
target_link_libraries(testwin PRIVATE user32)

# The start-up benchmark's yardstick: a minimal empty window (bench/).
add_executable(empty_window WIN32 bench/empty_window/empty_window.cpp)
target_compile_definitions(empty_window PRIVATE ${XP_DEFINES})
target_compile_options(empty_window PRIVATE ${WARNINGS})
target_link_libraries(empty_window PRIVATE user32)

# An exe that imports GetTickCount64, to show that the import check rejects it.
add_executable(import_probe WIN32 tests/ci/probe/uses_tick_count64.cpp)
target_compile_definitions(import_probe PRIVATE UNICODE _UNICODE _WIN32_WINNT=0x0600)

if(MINGW)
    foreach(tool sc console_text file_probe testwin empty_window import_probe)
        target_link_options(${tool} PRIVATE -municode -static -s)
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            if(tool STREQUAL "sc" OR tool STREQUAL "console_text" OR tool STREQUAL "file_probe")
                target_link_options(${tool} PRIVATE -Wl,--subsystem,console:5.01)
            else()
                target_link_options(${tool} PRIVATE -Wl,--subsystem,windows:5.01)
            endif()
        endif()
    endforeach()
endif()

enable_testing()
add_test(NAME ci_check_imports_selftest
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/ci/check_imports_selftest.sh
            $<TARGET_FILE:import_probe> $<TARGET_FILE:testwin>)

# End-to-end tests: the real exe under Wine and Xvfb, the 32-bit exe in the
# win-x86 build and the 64-bit exe in the win-x64 build, each with the helpers
# of its own build; each file of tests/e2e/test_*.py is one CTest test, run by
# pytest. They find the programs through these variables; the label
# e2e-x86 or e2e-x64 names the exe a test ran against.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(E2E_ARCH x64)
else()
    set(E2E_ARCH x86)
endif()
set(E2E_ENV
    VELKOR_BUILD_DIR=${CMAKE_BINARY_DIR}
    VELKOR_EXE=$<TARGET_FILE:Velkor>
    VELKOR_INSPECTOR=$<TARGET_FILE:inspector>
    VELKOR_SC=$<TARGET_FILE:sc>
    VELKOR_CONSOLE_TEXT=$<TARGET_FILE:console_text>
    VELKOR_FILE_PROBE=$<TARGET_FILE:file_probe>
    VELKOR_TESTWIN=$<TARGET_FILE:testwin>)
# pytest runs them: Debian's python3-pytest belongs to the system's python3,
# which another python3 earlier in PATH (pyenv, a virtual environment) may not
# see.
set(E2E_PYTHON python3)
foreach(candidate python3 /usr/bin/python3)
    execute_process(COMMAND ${candidate} -c "import pytest" RESULT_VARIABLE no_pytest
                    OUTPUT_QUIET ERROR_QUIET)
    if(no_pytest EQUAL 0)
        set(E2E_PYTHON ${candidate})
        break()
    endif()
endforeach()
file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/test_*.py)
foreach(test ${E2E_TESTS})
    get_filename_component(name ${test} NAME_WE)
    string(REGEX REPLACE "^test_" "e2e_" name ${name})
    add_test(NAME ${name} COMMAND ${E2E_PYTHON} -m pytest ${test})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${E2E_ENV}" TIMEOUT 600
                                            LABELS "e2e;e2e-${E2E_ARCH}")
endforeach()
