# Build time and size. A fresh build on a small machine was mostly the compiler parsing the
# same Qt and GoogleTest headers hundreds of times and writing full debug information for
# them; these settings cut both without changing what is built or tested.

# Unity builds: each library and test program compiles its sources in batches, so the shared
# headers are parsed once per batch instead of once per file. A source whose file-local names
# clash with another's is kept out of the batches with SKIP_UNITY_BUILD_INCLUSION (see
# qv_skip_unity in QvModule.cmake).
option(QV_UNITY_BUILD "Compile each library and test program in batches of sources" ON)
set(QV_UNITY_BATCH_SIZE 16 CACHE STRING "Sources per unity batch")
if(QV_UNITY_BUILD AND NOT QV_FUZZ)
    set(CMAKE_UNITY_BUILD ON)
    set(CMAKE_UNITY_BUILD_BATCH_SIZE ${QV_UNITY_BATCH_SIZE})
    # A batch includes its sources, so GCC takes a source's file-local types for a header's and
    # warns of their use in the source's own test classes: not a fault in a batch.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        add_compile_options(-Wno-subobject-linkage)
    endif()
endif()

# Debug information of the default build: line tables only. Stack traces, sanitizer reports
# and stepping by line still work; full variable information made the build tree several
# times larger. Set QV_DEBUG_INFO=-g for full information, -g0 for none.
set(QV_DEBUG_INFO "-g1" CACHE STRING "Debug information flag of RelWithDebInfo builds")
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O2 ${QV_DEBUG_INFO} -DNDEBUG")

# A faster linker when one is installed: mold, else lld; the system linker otherwise.
include(CheckLinkerFlag)
set(QV_LINKER "auto" CACHE STRING "Linker: auto (mold, then lld), mold, lld or default")
if(QV_LINKER STREQUAL "auto")
    foreach(candidate mold lld)
        check_linker_flag(CXX "-fuse-ld=${candidate}" QV_HAS_LINKER_${candidate})
        if(QV_HAS_LINKER_${candidate})
            add_link_options("-fuse-ld=${candidate}")
            message(STATUS "Linking with ${candidate}")
            break()
        endif()
    endforeach()
elseif(NOT QV_LINKER STREQUAL "default")
    add_link_options("-fuse-ld=${QV_LINKER}")
endif()

