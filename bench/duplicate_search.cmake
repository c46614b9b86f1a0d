# The duplicates dialog's search on the generated campaign with planted duplicate questions.
plim_bench(bench_duplicate_search DEPS plim_bench_view_support plim_dialogs)
