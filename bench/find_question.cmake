# The find question dialog's search: the sorted indexes beside a test of every entry, and the
# whole keystroke in the dialog.
plim_bench(bench_find_question DEPS plim_bench_view_support plim_dialogs plim_app)
