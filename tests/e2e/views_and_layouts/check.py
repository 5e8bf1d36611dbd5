from drawing_check import load

plan = load()
views = [v.dxf.name for v in plan.views]
assert views == ["Overview", "House", "Title", "Porch"], views
porch = plan.views.get("Porch")
assert tuple(porch.dxf.center)[:2] == (35.0, 32.0) and porch.dxf.height == 30.0
assert not plan.audit().has_errors
