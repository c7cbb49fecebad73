# Build helpers shared by every deliverable.
#
#   ov_add_library(NAME SOURCES ... [LINK ...] [INCLUDE dir])
#       The static library holding a deliverable's code; its DLL and its tests link it.
#   ov_add_dll(NAME WHOLE lib [LINK ...] [DEF file] [OUTPUT_NAME n] [SOURCES ...])
#       A DLL whose exports carry undecorated names: the code marks exports with
#       __declspec(dllexport), the linker strips the stdcall decoration (--kill-at)
#       and writes the export list, and the import library is remade from that list
#       with dlltool -k so that callers still link against the decorated names.
#       DEF names a hand-written .def for libraries bound by ordinal.
#   ov_add_test(NAME SOURCES ... LINK ... [TIMEOUT s] [ENV ...])
#       A GoogleTest executable run under Wine as one CTest entry, through
#       scripts/wine-test.sh, which decides on the program's own result.

set(OV_MKDEF_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/ov_make_import_def.cmake)

function(ov_add_library name)
    cmake_parse_arguments(A "" "" "SOURCES;LINK;INCLUDE;DEFINES" ${ARGN})
    add_library(${name} STATIC ${A_SOURCES})
    target_link_libraries(${name} PUBLIC ${A_LINK})
    if(A_INCLUDE)
        target_include_directories(${name} PUBLIC ${A_INCLUDE})
    endif()
    if(A_DEFINES)
        target_compile_definitions(${name} PUBLIC ${A_DEFINES})
    endif()
endfunction()

function(ov_add_dll name)
    cmake_parse_arguments(A "" "DEF;OUTPUT_NAME" "SOURCES;WHOLE;LINK" ${ARGN})
    if(NOT A_SOURCES)
        set(A_SOURCES ${OV_EMPTY_SOURCE})
    endif()
    add_library(${name} SHARED ${A_SOURCES})
    if(A_OUTPUT_NAME)
        set_target_properties(${name} PROPERTIES OUTPUT_NAME ${A_OUTPUT_NAME})
    endif()
    set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "lib")
    set(whole "")
    foreach(lib ${A_WHOLE})
        list(APPEND whole -Wl,--whole-archive ${lib} -Wl,--no-whole-archive)
    endforeach()
    target_link_libraries(${name} PRIVATE ${whole} ${A_LINK})
    set(exports ${CMAKE_CURRENT_BINARY_DIR}/${name}.exports.def)
    set(importdef ${CMAKE_CURRENT_BINARY_DIR}/${name}.import.def)
    if(A_DEF)
        target_sources(${name} PRIVATE ${A_DEF})
    endif()
    target_link_options(${name} PRIVATE -Wl,--kill-at -Wl,--output-def,${exports})
    add_custom_command(TARGET ${name} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -DIN=${exports} -DOUT=${importdef} -P ${OV_MKDEF_SCRIPT}
        COMMAND ${CMAKE_DLLTOOL} -k -d ${importdef} -D $<TARGET_FILE_NAME:${name}>
                -l $<TARGET_LINKER_FILE:${name}>
        VERBATIM)
endfunction()

function(ov_add_executable name)
    cmake_parse_arguments(A "WIN32" "" "SOURCES;LINK" ${ARGN})
    if(A_WIN32)
        add_executable(${name} WIN32 ${A_SOURCES})
    else()
        add_executable(${name} ${A_SOURCES})
    endif()
    target_link_libraries(${name} PRIVATE ${A_LINK})
endfunction()

function(ov_add_test name)
    cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;LINK;ENV" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_LINK} ov_testsupport GTest::gtest_main)
    if(NOT A_TIMEOUT)
        set(A_TIMEOUT 600)
    endif()
    # The runner ends a hanging program itself, before CTest's limit, so that
    # it can name the test that hung.
    math(EXPR limit "${A_TIMEOUT} - 30")
    add_test(NAME ${name}
        COMMAND ${OV_WINE_RUN} --limit ${limit} $<TARGET_FILE:${name}>
        WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>)
    # A program whose every test skipped shows as skipped in CTest's summary.
    set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT} ENVIRONMENT "${A_ENV}"
        SKIP_REGULAR_EXPRESSION "\n0 passed, 0 failed, [0-9]+ skipped")
endfunction()
