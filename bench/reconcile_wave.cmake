# A whole wave reconciliation on a generated study (needs the engine's test study generator).
if(TARGET reconcile_study_gen)
    plim_bench(bench_reconcile_wave DEPS plim_reconcile reconcile_study_gen Qt6::Core)
else()
    message(STATUS "bench_reconcile_wave needs the study generator (PLIM_BUILD_TESTS): not built")
endif()
