# The text matching scan: through the gram index and pair by pair.
plim_bench(bench_text_scan DEPS plim_reconcile)
