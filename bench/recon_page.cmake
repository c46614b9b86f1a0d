# The reconciliation page's commands on the generated campaign: moving responses against the
# response fill, and applying caption libraries with its Undo.
plim_bench(bench_recon_page DEPS plim_bench_view_support plim_views plim_app)
