# Reading hostile sources: shapes that would cost a reader n² steps, each at two sizes.
plim_bench(bench_hostile_sources DEPS plim_questionnaire Qt6::Core)
