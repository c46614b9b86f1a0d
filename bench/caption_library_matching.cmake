# Response matching through the caption libraries (needs the engine tests' fixtures).
if(TARGET reconcile_study_gen)
    plim_bench(bench_caption_library_matching DEPS plim_reconcile reconcile_study_gen Qt6::Core)
    target_include_directories(bench_caption_library_matching PRIVATE
        ${PROJECT_SOURCE_DIR}/tests/reconcile)
else()
    message(STATUS "bench_caption_library_matching needs the engine tests (PLIM_BUILD_TESTS): "
        "not built")
endif()
