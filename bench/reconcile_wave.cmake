# A whole wave reconciliation on a generated study, by the engine and as an undoable command
# (needs the engine's test study generator).
if(TARGET reconcile_study_gen)
    plim_bench(bench_reconcile_wave DEPS plim_commands reconcile_study_gen Qt6::Core)
else()
    message(STATUS "bench_reconcile_wave needs the study generator (PLIM_BUILD_TESTS): not built")
endif()
