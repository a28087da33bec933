# Compiler settings shared by every target of the project.

if(VORN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

# Warnings for the project's own targets (third-party headers are system includes).
function(vorn_target_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wno-missing-field-initializers)
    if(VORN_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
