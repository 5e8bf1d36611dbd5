from drawing_check import load

plan = load()
layers = plan.layers
assert layers.get("Pool").dxf.color == 1
assert layers.get("Shed").is_locked()
assert not layers.get("Trees").is_frozen()
assert not layers.get("Pool").is_frozen()
assert plan.header["$CLAYER"] == "Trees", plan.header["$CLAYER"]
assert not plan.audit().has_errors
