# Compiler settings shared by every target of ours. Qt's lower-case keywords
# (signals, slots, emit) are off: we write Q_SIGNALS, Q_SLOTS and Q_EMIT.
function(rimo_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    # GCC 12 reports std::string concatenation as overlapping copies at -O3
    # (GCC bug 105329), a false alarm in the standard library's own code.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
endfunction()
