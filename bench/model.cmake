plim_bench(model_lookups DEPS plim_model)
