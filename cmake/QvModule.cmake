# One static library per source folder. Sources are globbed so a new unit needs no CMake edit.
include(${CMAKE_CURRENT_LIST_DIR}/QvUnitySkip.cmake)

# Keeps the sources listed in QV_UNITY_SKIP_<target> out of the target's unity batches.
function(qv_skip_unity target srcs)
    foreach(s IN LISTS srcs)
        get_filename_component(base ${s} NAME)
        if(base IN_LIST QV_UNITY_SKIP_${target})
            set_source_files_properties(${s} TARGET_DIRECTORY ${target}
                PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
        endif()
    endforeach()
endfunction()

set(QV_PCH_HEADERS <QtCore/QString> <QtCore/QStringList> <QtCore/QObject> <QtGui/QColor>
    <QtGui/QPainter> <QtWidgets/QWidget> <vector> <string> <memory>)

function(qv_module name dir)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
    set(has_cpp FALSE)
    foreach(s IN LISTS srcs)
        if(s MATCHES "\\.cpp$")
            set(has_cpp TRUE)
        endif()
    endforeach()
    if(has_cpp)
        add_library(${name} STATIC ${srcs})
        qv_skip_unity(${name} "${srcs}")
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} PUBLIC ${ARG_DEPS}
            Qt6::Core Qt6::Gui Qt6::Widgets)
        if(name STREQUAL "qv_platform")
            target_precompile_headers(${name} PRIVATE ${QV_PCH_HEADERS})
        else()
            target_precompile_headers(${name} REUSE_FROM qv_platform)
        endif()
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE ${ARG_DEPS}
            Qt6::Core Qt6::Gui Qt6::Widgets)
    endif()
endfunction()

# One test program per test folder, every test found by CTest; tests run headless.
# Resource files (*.qrc) beside the tests are compiled in, for tests of resource loading.
function(qv_test_module name dir)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
    if(NOT srcs)
        return()
    endif()
    add_executable(${name} ${srcs})
    qv_skip_unity(${name} "${srcs}")
    set_target_properties(${name} PROPERTIES AUTORCC ON)
    target_link_libraries(${name} PRIVATE qv_test_support ${ARG_DEPS})
    target_precompile_headers(${name} REUSE_FROM qv_test_support)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QV_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
