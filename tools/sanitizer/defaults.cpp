// Sanitizer settings built into every program of a sanitizer build, so that
// the tests, the driver and the game behave alike however they are started
// (ctest, a test's child process, the test listing read at build time).
// Variables such as ASAN_OPTIONS still override them. No leak is suppressed.
extern "C" {

// Any finding ends the program with a failing status; leaks are checked at
// a normal exit.
const char* __asan_default_options() {
    return "halt_on_error=1:abort_on_error=0:exitcode=1:detect_leaks=1:"
           "detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1";
}

const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}

}  // extern "C"
