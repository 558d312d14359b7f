# Compiler settings shared by every target of ours. Qt's lower-case keywords
# (signals, slots, emit) are off: we write Q_SIGNALS, Q_SLOTS and Q_EMIT.
function(rimo_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
endfunction()
