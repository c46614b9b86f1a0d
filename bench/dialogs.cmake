# The campaign dialogs: the caption library dialog's fill beside a plain copy of the same
# libraries, and the new-volume wizard's inheritance page as it rates its candidates.
plim_bench(bench_dialogs DEPS plim_bench_view_support plim_dialogs plim_app)
