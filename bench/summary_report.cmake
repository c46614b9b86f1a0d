# The reconciliation summary of a reconciled wave of the generated study, beside the same
# difference calls without the counts and the page (needs the engine's test study generator).
if(TARGET reconcile_study_gen)
    plim_bench(bench_summary_report DEPS plim_views reconcile_study_gen Qt6::Core)
else()
    message(STATUS "bench_summary_report needs the study generator (PLIM_BUILD_TESTS): not built")
endif()
