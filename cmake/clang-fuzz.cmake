# Native clang with libFuzzer's coverage and the address sanitizer, for the
# libraries linked into the fuzz harnesses (scripts/fuzz.sh builds
# libjpeg-turbo with it). Our own code gets the undefined-behaviour sanitizer
# as well, through WC_FUZZ.
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_FLAGS_INIT "-fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer")
set(CMAKE_CXX_FLAGS_INIT "-fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer")
