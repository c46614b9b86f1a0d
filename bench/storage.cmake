# The campaign file: saving and reading a large campaign beside plain SQLite inserts and scans of
# the same rows.
if(TARGET plim_storage_generator)
    plim_bench(bench_storage DEPS plim_app plim_storage_generator SQLite::SQLite3 Qt6::Core)
else()
    message(STATUS "bench_storage needs the campaign generator (PLIM_BUILD_TESTS): not built")
endif()
