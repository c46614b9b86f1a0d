# The controls: progress steps through the worker-thread dialog beside the same steps with no
# window, and selecting every item of a large multi-selection tree.
plim_bench(bench_controls DEPS plim_controls Qt6::Widgets)
