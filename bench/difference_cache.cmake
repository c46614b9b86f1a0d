# Filling the difference cache for a reconciled wave of the generated study (needs the engine's
# test study generator).
if(TARGET reconcile_study_gen)
    plim_bench(bench_difference_cache DEPS plim_reconcile reconcile_study_gen Qt6::Core)
else()
    message(STATUS "bench_difference_cache needs the study generator (PLIM_BUILD_TESTS): not built")
endif()
