# ondel_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>]
#                [LOCKS <resources...>] [CASES <function[:tag]>...])
# Builds one Qt Test program and registers it with CTest on the offscreen platform: as one
# test, or with CASES as one test per case, named <name>_<tag> (or <name>_<function>). LOCKS
# names the shared services the test uses alone (CTest never runs two tests holding the same
# lock at once): "ondel_cups" for the print server's PDF printer, "ondel_sound_sink" for the
# recorded PulseAudio sink.
# Screenshots that a test takes go to <build>/screenshots.
set(ONDEL_SCREENSHOT_DIR ${CMAKE_BINARY_DIR}/screenshots)
file(MAKE_DIRECTORY ${ONDEL_SCREENSHOT_DIR})

# Tests labelled "asan" also run in the sanitizer build; this target builds just those.
add_custom_target(ondel_asan_tests)

function(ondel_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;LOCKS;CASES" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    # The real sound player and printer load their modules when first used.
    add_dependencies(${name} ondel_device_modules)
    target_compile_definitions(${name} PRIVATE
        ONDEL_SCREENSHOT_DIR="${ONDEL_SCREENSHOT_DIR}"
        ONDEL_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
    set(tests)
    foreach(case IN LISTS T_CASES)
        string(REGEX REPLACE "^.*:" "" suffix ${case})
        add_test(NAME ${name}_${suffix} COMMAND ${name} ${case})
        list(APPEND tests ${name}_${suffix})
    endforeach()
    if(NOT T_CASES)
        add_test(NAME ${name} COMMAND ${name})
        set(tests ${name})
    endif()
    set_tests_properties(${tests} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_FONTDIR=/usr/share/fonts/truetype"
        LABELS "${T_LABELS}")
    if(T_LOCKS)
        set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
    endif()
    if("asan" IN_LIST T_LABELS)
        add_dependencies(ondel_asan_tests ${name})
    endif()
endfunction()
