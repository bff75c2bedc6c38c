# Warnings are errors in the project's own targets.
function(vexla_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wno-unused-parameter -Werror)
endfunction()
