# Reading questionnaires: the Dimensions and Triple-S readers beside a bare XML pass.
if(TARGET qnr_test_writers)
    plim_bench(bench_questionnaire DEPS plim_questionnaire qnr_test_writers Qt6::Core)
else()
    message(STATUS "bench_questionnaire needs the test writers (PLIM_BUILD_TESTS): not built")
endif()
