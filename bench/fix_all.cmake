# The Update dialog's run over a reconciled wave of the generated study beside the same commands
# executed alone (needs the engine's test study generator).
if(TARGET reconcile_study_gen)
    plim_bench(bench_fix_all DEPS plim_bench_view_support plim_dialogs plim_app reconcile_study_gen)
else()
    message(STATUS "bench_fix_all needs the study generator (PLIM_BUILD_TESTS): not built")
endif()
