# A second build of the unit and widget tests with AddressSanitizer and UndefinedBehaviorSanitizer:
#   cmake -S . -B build-asan -G Ninja -DQUORVANE_SANITIZE=ON && cmake --build build-asan --target unit_tests
#   cd build-asan && ctest -L unit
option(QUORVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer, failing on any report" OFF)

set(QUORVANE_SANITIZER_ENVIRONMENT "")
if(QUORVANE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
    set(QUORVANE_SANITIZER_ENVIRONMENT
        "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
        "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp:print_suppressions=0")
endif()
