# The grid control: filling, painting a screen and scrolling to the last row, offscreen.
plim_bench(bench_grid DEPS plim_grid Qt6::Widgets)
