# The window benchmarks' generated campaign and offscreen main, and the campaign views: the
# question tree page filled from the campaign beside a plain walk of the same questions.
add_library(plim_bench_view_support STATIC support/ViewBenchCampaign.cpp
    support/ViewBenchCampaign.h support/WidgetBenchMain.cpp)
target_include_directories(plim_bench_view_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/support)
target_link_libraries(plim_bench_view_support PUBLIC plim_model plim_app Qt6::Widgets
    benchmark::benchmark)
plim_bench(bench_views DEPS plim_bench_view_support plim_views plim_app)
