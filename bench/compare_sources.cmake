# The comparison of a campaign with its sources beside reading the same sources in parallel
# (needs the tests' application double).
if(PLIM_BUILD_TESTS)
    plim_bench(bench_compare_sources DEPS plim_reconcile Qt6::Core)
    target_include_directories(bench_compare_sources PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
else()
    message(STATUS "bench_compare_sources needs the tests' support (PLIM_BUILD_TESTS): not built")
endif()
