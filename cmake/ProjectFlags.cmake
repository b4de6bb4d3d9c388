# One interface target carries the project-wide compile flags.
add_library(brisal_flags INTERFACE)
target_compile_options(brisal_flags INTERFACE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wold-style-cast)
target_compile_definitions(brisal_flags INTERFACE QT_NO_KEYWORDS)
if(WARNINGS_FATAL)
    target_compile_options(brisal_flags INTERFACE -Werror)
endif()
if(ENABLE_SANITIZERS)
    target_compile_options(brisal_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(brisal_flags INTERFACE -fsanitize=address,undefined)
endif()
if(BUILD_FUZZERS)
    # Instrument all project code for coverage so the fuzzers can steer into it.
    target_compile_options(brisal_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    target_link_options(brisal_flags INTERFACE -fsanitize=address,undefined)
endif()
